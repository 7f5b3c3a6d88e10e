#pragma once
// Where a task's pictures come from: a memory card's folder or a camera on a
// COM port. A source lists its pictures once, copies one picture at a time
// into a file the download owns, and names the picture once its file is
// complete. Everything runs on the server's one thread; a source calls
// `progress` while it copies, and a false answer stops the copy.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "file_system.h"
#include "task_plan.h"

namespace standin {

struct SourcePicture {
    std::string name;   // the name it is listed under
    uint64_t size = 0;  // bytes
    int number = 0;     // the camera's picture number (1 up), 0 on a card
    std::string path;   // the file on a card, empty for a camera
};

// Percent of the picture copied so far; false: stop.
using CopyProgress = std::function<bool(int percent)>;

enum class CopyStatus { Copied, Stopped, WriteFailed, SourceFailed };

struct CopyResult {
    CopyStatus status = CopyStatus::Copied;
    unsigned long systemError = 0;  // the platform's reason of a failed write
    int cameraCode = 0;             // the library's code of a failed transfer
    std::string detail;             // the library's words, or the card file that failed
};

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // The pictures, in the order they are downloaded; false with `failure`
    // filled in (end, code, detail) when the source cannot be read.
    virtual bool List(std::vector<SourcePicture> &pictures, TaskResult &failure) = 0;
    // Appends the picture to `file` (an HFILE, see file_system.h).
    virtual CopyResult Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                            const CopyProgress &progress) = 0;
    // The final name for the picture whose complete file is `completePath`.
    virtual std::string FinalName(const SourcePicture &picture,
                                  const std::string &completePath) const = 0;
};

}  // namespace standin
