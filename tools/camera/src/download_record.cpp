#include "download_record.h"

#include "file_system.h"
#include "pending_file.h"
#include "progress_callback.h"

#include <cstdio>
#include <fstream>

namespace pdrcam {
namespace {

// The library moves pictures in pieces of this size.
constexpr size_t kPiece = 2048;

// Lets the first piece through and stops the transfer at the next report.
class FirstPieceOnly : public ProgressReceiver {
public:
    bool onProgress(int) override { return calls_++ == 0; }

private:
    int calls_ = 0;
};

}  // namespace

std::string pictureKey(int64_t size, const std::vector<uint8_t> &firstPiece) {
    // FNV-1a over the first piece.
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < firstPiece.size() && i < kPiece; ++i) {
        hash ^= firstPiece[i];
        hash *= 1099511628211ull;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%lld-%016llx", static_cast<long long>(size),
                  static_cast<unsigned long long>(hash));
    return text;
}

DownloadRecord::DownloadRecord(std::string folder) : path_(joinPath(folder, fileName())) {
    std::ifstream in(path_);
    std::string key, name;
    while (in >> key && std::getline(in, name))
        keys_.insert(key);
}

bool DownloadRecord::add(const std::string &key, const std::string &name) {
    keys_.insert(key);
    std::ofstream out(path_, std::ios::app);
    out << key << " " << name << "\n";
    return static_cast<bool>(out.flush());
}

std::string DownloadRecord::fetchKey(const CameraApi &api, const std::string &folder, int picture,
                                     int &code) {
    std::string error;
    auto file = PendingFile::create(folder, "key" + std::to_string(picture), error);
    if (!file) {
        code = CAM_ERR_WRITE;
        return {};
    }
    const int32_t size = api.Cam_get_picture_size(picture);
    FirstPieceOnly receiver;
    {
        ProgressScope scope(receiver);
        code = api.Cam_get_picture_file(file->handle(), picture);
    }
    if (code != CAM_OK && code != CAM_ERR_CANCELLED)
        return {};
    code = CAM_OK;
    if (!file->finish(error))
        return {};
    return pictureKey(size, readHead(file->temporaryPath(), kPiece));
}

std::string DownloadRecord::fileKey(const std::string &path) {
    return pictureKey(fileSize(path), readHead(path, kPiece));
}

}  // namespace pdrcam
