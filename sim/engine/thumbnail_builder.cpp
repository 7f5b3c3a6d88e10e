#include "thumbnail_builder.h"

#include <cstring>

#include "byte_order.h"
#include "protocol.h"

namespace camsim {

namespace {

void appendTag(std::vector<uint8_t> &out, const char *tag) {
    out.insert(out.end(), tag, tag + 4);
}

void appendChunk(std::vector<uint8_t> &out, const char *tag, const std::vector<uint8_t> &data) {
    appendTag(out, tag);
    appendLe32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2)
        out.push_back(0);  // RIFF chunks start on even offsets
}

std::vector<uint8_t> headerList() {
    std::vector<uint8_t> avih(56, 0);
    putLe32(&avih[0], 66666);  // microseconds per frame (15 frames per second)
    putLe32(&avih[16], 1);     // total frames
    putLe32(&avih[24], 1);     // streams
    putLe32(&avih[32], 160);   // width
    putLe32(&avih[36], 120);   // height
    std::vector<uint8_t> list;
    appendTag(list, "hdrl");
    appendChunk(list, "avih", avih);
    return list;
}

std::vector<uint8_t> infoList() {
    const char software[] = "PDR-M4";
    std::vector<uint8_t> list;
    appendTag(list, "INFO");
    appendChunk(list, "ISFT", std::vector<uint8_t>(software, software + sizeof software));
    return list;
}

}  // namespace

std::vector<uint8_t> wrapStillInAvi(const std::vector<uint8_t> &stillJpeg) {
    std::vector<uint8_t> body;
    appendTag(body, "AVI ");
    appendChunk(body, "LIST", headerList());
    appendChunk(body, "LIST", infoList());
    appendChunk(body, "JUNK", stillJpeg);
    std::vector<uint8_t> out;
    appendTag(out, "RIFF");
    appendLe32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> buildThumbnail(const std::vector<uint8_t> &stillJpeg, ThumbnailForm form) {
    std::vector<uint8_t> out = form == ThumbnailForm::Avi ? wrapStillInAvi(stillJpeg) : stillJpeg;
    if (out.size() > kThumbnailCapacity)
        throw std::length_error("thumbnail larger than 14336 bytes");
    if (form == ThumbnailForm::PlainPadded)
        out.resize(kThumbnailCapacity, 0);
    return out;
}

}  // namespace camsim
