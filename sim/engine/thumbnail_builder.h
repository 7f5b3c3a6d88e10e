// Builds the thumbnail answers the camera sends: either the still JPEG as it
// is (optionally padded to the full thumbnail capacity) or the still wrapped
// in a small AVI file, the way the camera stores thumbnails of movie clips.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace camsim {

enum class ThumbnailForm { Plain, PlainPadded, Avi };

// Throws std::length_error when the result would not fit the 14336-byte
// thumbnail capacity.
std::vector<uint8_t> buildThumbnail(const std::vector<uint8_t> &stillJpeg, ThumbnailForm form);

// AVI layout: "RIFF" size "AVI ", then chunk "LIST" (a "hdrl" list holding
// an "avih" header), chunk "LIST" (an "INFO" list), then chunk "JUNK" whose
// size is the still's length and whose data is the still itself.
std::vector<uint8_t> wrapStillInAvi(const std::vector<uint8_t> &stillJpeg);

}  // namespace camsim
