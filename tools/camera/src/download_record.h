#pragma once
// What has been downloaded into a folder, remembered in a small state file
// there (".pdrcam-downloaded"), so that `get --new` fetches only pictures not
// downloaded before, whatever they are numbered now and whatever became of
// the files. The camera library gives a host no stable name for a picture,
// so a picture is known by its size and the first piece of its data (where
// a JPEG keeps its headers and the time it was taken): one piece fetched,
// not the picture.

#include "camera_api.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace pdrcam {

// A picture's identity: its size and a hash of its first piece.
std::string pictureKey(int64_t size, const std::vector<uint8_t> &firstPiece);

class DownloadRecord {
public:
    explicit DownloadRecord(std::string folder);

    bool contains(const std::string &key) const { return keys_.count(key) != 0; }
    // Appends the key of a file written under `name`; false when the state
    // file cannot be written.
    bool add(const std::string &key, const std::string &name);

    // The key of picture n on the camera: fetches its first piece into a
    // working file in `folder` and stops the transfer there. Empty on failure,
    // with the library's code in `code`.
    static std::string fetchKey(const CameraApi &api, const std::string &folder, int picture,
                                int &code);
    // The key of a file written in full.
    static std::string fileKey(const std::string &path);

    static const char *fileName() { return ".pdrcam-downloaded"; }

private:
    std::string path_;
    std::set<std::string> keys_;
};

}  // namespace pdrcam
