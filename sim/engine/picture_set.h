// Where the camera's pictures come from: the built-in generated set or a
// folder of JPEG files, arranged into groups like the folders of a card.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture_store.h"

namespace camsim {

struct PictureFile {
    std::string name;
    std::vector<uint8_t> data;
    std::vector<uint8_t> thumbnailStill;  // a small JPEG
};

enum class ThumbnailMix { Mixed, Plain, Avi };

struct GroupLayout {
    uint16_t firstGroup = 100;  // cards number their folders from 100
    unsigned perGroup = 9;
    ThumbnailMix thumbnails = ThumbnailMix::Mixed;
};

// Pictures numbered 1.. within consecutive groups. With the mixed thumbnail
// setting every third picture gets an AVI thumbnail and the others
// alternate between a padded and an unpadded plain JPEG.
PictureStore arrangeInGroups(const std::vector<PictureFile> &files, const GroupLayout &layout);

// The generated pictures served when no folder is given: about 400 KB of
// real baseline JPEG files between about 8 KB and 100 KB, always the same.
std::vector<PictureFile> builtInPictureFiles();

// Every *.jpg / *.jpeg file of the folder (not recursive), sorted by name.
// Throws std::runtime_error when the folder cannot be read.
std::vector<PictureFile> loadPictureFolder(const std::string &folder);

// Writes each served picture as NNN_GGG_PPPP.jpg (NNN = the host's picture
// number 1..count in directory order) and its thumbnail still as
// NNN_GGG_PPPP_thumb.jpg, so a checker can compare downloads byte for byte.
void exportPictures(const PictureStore &store, const std::string &folder);

}  // namespace camsim
