#include "transfer_bound.h"

#include <algorithm>

namespace pdrcam_bench {
namespace {

// The payload keeps flowing while the library pauses after the header, so
// the pause costs time only where the payload is shorter.
double exchangeSeconds(uint64_t requestBytes, uint64_t payloadBytes, int bitsPerSecond) {
    return lineSeconds(requestBytes + kResponseHeaderBytes, bitsPerSecond) +
           std::max(kHeaderPauseSeconds, lineSeconds(payloadBytes, bitsPerSecond));
}

constexpr uint64_t kInformationRecordBytes = 32;
constexpr uint64_t kListRecordBytes = 4;

}  // namespace

double lineSeconds(uint64_t bytes, int bitsPerSecond) {
    return bitsPerSecond > 0 ? static_cast<double>(bytes) * 10.0 / bitsPerSecond : 0.0;
}

double pictureBoundSeconds(uint64_t size, int bitsPerSecond) {
    double seconds = 0;
    const uint64_t full = size / kPiece, rest = size % kPiece;
    seconds +=
        static_cast<double>(full) * exchangeSeconds(kPictureRequestBytes, kPiece, bitsPerSecond);
    if (rest > 0)
        seconds += 4 * exchangeSeconds(kPictureRequestBytes, rest, bitsPerSecond);
    return seconds;
}

double directoryBoundSeconds(const std::vector<int> &picturesPerGroup, int bitsPerSecond) {
    double seconds = exchangeSeconds(kGroupListRequestBytes,
                                     kListRecordBytes * picturesPerGroup.size(), bitsPerSecond);
    for (int pictures : picturesPerGroup) {
        seconds += kGroupPauseSeconds;
        seconds +=
            exchangeSeconds(kDirectoryRequestBytes,
                            kListRecordBytes * static_cast<uint64_t>(pictures), bitsPerSecond);
        seconds += pictures *
                   exchangeSeconds(kDirectoryRequestBytes, kInformationRecordBytes, bitsPerSecond);
    }
    return seconds;
}

}  // namespace pdrcam_bench
