#include "scratch_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace pdrcam_test {

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path base = fs::temp_directory_path() /
                    ("pdrcam-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(base);
    path_ = base.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::file(const std::string &name) const {
    return (fs::path(path_) / name).string();
}

std::vector<std::string> ScratchFolder::names() const {
    return downloadedNames(path_);
}

std::vector<std::string> downloadedNames(const std::string &folder) {
    std::vector<std::string> result;
    for (const auto &entry : fs::directory_iterator(folder))
        // pdrcam's record of what it downloaded is no download.
        if (entry.path().filename() != ".pdrcam-downloaded")
            result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<unsigned char> readAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

void writeAll(const std::string &path, const std::vector<unsigned char> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pdrcam_test
