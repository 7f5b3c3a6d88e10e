// Loading the camera's pictures from a folder of JPEG files.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "jpeg_encoder.h"
#include "pattern_images.h"
#include "picture_set.h"

namespace camsim {

namespace fs = std::filesystem;

namespace {

bool isJpegName(const fs::path &path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext == ".jpg" || ext == ".jpeg";
}

std::vector<uint8_t> readWholeFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// Camera JPEGs usually carry a small preview JPEG inside their first APP1
// (Exif) segment; when there is one it becomes the thumbnail.
std::vector<uint8_t> embeddedPreview(const std::vector<uint8_t> &jpeg) {
    if (jpeg.size() < 6 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 || jpeg[2] != 0xFF || jpeg[3] != 0xE1)
        return {};
    const size_t segmentEnd =
        std::min(jpeg.size(), 4 + static_cast<size_t>((jpeg[4] << 8) | jpeg[5]));
    for (size_t start = 6; start + 3 < segmentEnd; ++start) {
        if (jpeg[start] != 0xFF || jpeg[start + 1] != 0xD8 || jpeg[start + 2] != 0xFF)
            continue;
        for (size_t end = start + 2; end + 1 < segmentEnd; ++end)
            if (jpeg[end] == 0xFF && jpeg[end + 1] == 0xD9)
                return std::vector<uint8_t>(jpeg.begin() + static_cast<std::ptrdiff_t>(start),
                                            jpeg.begin() + static_cast<std::ptrdiff_t>(end + 2));
        break;
    }
    return {};
}

std::vector<uint8_t> generatedThumbnail(uint32_t salt) {
    return encodeJpeg(drawPattern({Pattern::Gradient, 160, 120, 0, salt}), 50);
}

}  // namespace

std::vector<PictureFile> loadPictureFolder(const std::string &folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        throw std::runtime_error("cannot read folder " + folder + ": " + error.message());
    std::vector<fs::path> paths;
    for (const auto &entry : it)
        if (entry.is_regular_file() && isJpegName(entry.path()))
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());

    std::vector<PictureFile> files;
    uint32_t salt = 1;
    for (const auto &path : paths) {
        PictureFile file;
        file.name = path.filename().string();
        file.data = readWholeFile(path);
        file.thumbnailStill = embeddedPreview(file.data);
        // A preview too big for an AVI-wrapped thumbnail is replaced as well.
        if (file.thumbnailStill.empty() || file.thumbnailStill.size() > 12000)
            file.thumbnailStill = generatedThumbnail(salt);
        ++salt;
        files.push_back(std::move(file));
    }
    return files;
}

}  // namespace camsim
