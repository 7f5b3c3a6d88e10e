#pragma once
// The stand-in host's camera work as plain decisions, free of the platform:
// which road a connection kind takes, whether an opened task downloads or
// only lists, where the pictures go, what a picture's final name is when
// the album already holds one of that name, and the words the task window
// and the control key show when a task ends.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace standin {

// Where the pictures come from, after the applet's Connect\ConnectVia.
enum class ConnectionKind {
    Card,    // 1 and 3: a camera's memory card in a drive
    Serial,  // 0, 2 and anything unknown: a camera on a COM port, through the camera library
    Twain    // 4: a scanner-style source this host does not serve
};
ConnectionKind ConnectionKindOf(int32_t connectVia);

// A task downloads when the applet's Download command opened it (OpenTaskEx),
// or when the applet's own launch opened it (FromVesko 1 at the call) with
// its AutoDownload on, the setting that made it ask for the album. Any other
// OpenTask only lists the pictures.
bool IsDownloadTask(bool openedByOpenTaskEx, std::optional<long> fromVesko, int32_t autoDownload);

// The folder the pictures go to. The album dialog stores only the album's
// name, below the Download folder, unless the user typed a full path: an
// absolute album stands as it is, a relative one joins the Download folder
// (or `fallbackRoot` when that is empty); without an album the Download
// folder itself (or the fallback) takes the pictures.
std::string AlbumFolder(const std::string &downloadRoot, const std::optional<std::string> &album,
                        const std::string &fallbackRoot);

// The name to try for the `attempt`-th time (1 is the name itself) when the
// album already holds files of the earlier names: PIC00001.JPG, then
// PIC00001-2.JPG, PIC00001-3.JPG. A name without an extension gets the
// number at its end.
std::string AlternativeName(const std::string &name, int attempt);

// Whole percent of `done` over `total`, 0 to 100; 100 for an empty total.
int Percent(uint64_t done, uint64_t total);

// One line of the task window's picture list: "PIC00001.JPG   10,803 bytes".
std::string PictureLine(const std::string &name, uint64_t size);

enum class TaskEnd {
    Listed,       // a listing task has shown the pictures
    Done,         // every picture downloaded
    Cancelled,    // the user's Cancel, or the task ended by the client
    NoCamera,     // no camera answered on any COM port
    NoCard,       // no drive holds a camera card
    CameraError,  // the camera library failed with a code of its own
    DiskFull,     // the album's disk has no room for the next picture
    FileError,    // the album or a file in it cannot be made
    Unsupported,  // a connection kind this host does not serve
    ReadError,    // a picture on the card cannot be read
    NoLibrary     // the camera library cannot be loaded
};

struct TaskResult {
    TaskEnd end = TaskEnd::Listed;
    size_t done = 0;     // pictures downloaded (or listed)
    size_t total = 0;    // pictures the source holds
    int cameraCode = 0;  // the library's code (Cam_error) for CameraError
    std::string detail;  // the library's words for the code, or the path concerned
};

bool IsFailure(TaskEnd end);

// The sentence the task window shows when the task has ended.
std::string DescribeTaskResult(const TaskResult &result);

// The same result as one word and numbers for scripts:
// "<word> <done>/<total>", and " code <n>" for a camera error.
std::string EncodeTaskResult(const TaskResult &result);

}  // namespace standin
