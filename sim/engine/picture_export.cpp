// Writing the served pictures out, for byte-for-byte comparison of downloads.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "picture_set.h"

namespace camsim {

namespace {

void writeFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void exportPictures(const PictureStore &store, const std::string &folder) {
    std::filesystem::create_directories(folder);
    int index = 1;
    for (const auto &p : store.all()) {
        char stem[32];
        std::snprintf(stem, sizeof stem, "%03d_%03u_%04u", index++, static_cast<unsigned>(p.group),
                      static_cast<unsigned>(p.number));
        writeFile(std::filesystem::path(folder) / (std::string(stem) + ".jpg"), p.data);
        writeFile(std::filesystem::path(folder) / (std::string(stem) + "_thumb.jpg"),
                  p.thumbnailStill);
    }
}

}  // namespace camsim
