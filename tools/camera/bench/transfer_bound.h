#pragma once
// The least time the protocol allows for a transfer: every byte on the line
// at 10 bits (start, 8 data, stop) plus the pauses the library must make.

#include <cstdint>
#include <vector>

namespace pdrcam_bench {

// Bytes of one picture-data request and of a response header.
constexpr int kPictureRequestBytes = 12;
constexpr int kDirectoryRequestBytes = 8;  // a group or picture listing
constexpr int kGroupListRequestBytes = 4;
constexpr int kResponseHeaderBytes = 4;
constexpr int kPiece = 2048;
// Pause after every response header; the payload arrives meanwhile.
constexpr double kHeaderPauseSeconds = 0.010;
// Pause before every group's listing.
constexpr double kGroupPauseSeconds = 0.500;

double lineSeconds(uint64_t bytes, int bitsPerSecond);

// One picture of `size` bytes: pieces of 2048 bytes, each one exchange; a
// last piece shorter than 2048 bytes is requested four times, as the library
// asks again for any piece that is not a full 2048 bytes.
double pictureBoundSeconds(uint64_t size, int bitsPerSecond);

// A directory read: the group list, then per group a pause, its listing
// (4 bytes per picture) and one 32-byte information record per picture.
double directoryBoundSeconds(const std::vector<int> &picturesPerGroup, int bitsPerSecond);

}  // namespace pdrcam_bench
