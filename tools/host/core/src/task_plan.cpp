#include "task_plan.h"

#include "path_text.h"

namespace standin {

ConnectionKind ConnectionKindOf(int32_t connectVia) {
    switch (connectVia) {
    case 1:
    case 3:
        return ConnectionKind::Card;
    case 4:
        return ConnectionKind::Twain;
    default:
        return ConnectionKind::Serial;
    }
}

bool IsDownloadTask(bool openedByOpenTaskEx, std::optional<long> fromVesko, int32_t autoDownload) {
    if (openedByOpenTaskEx)
        return true;
    return fromVesko == 1L && autoDownload != 0;
}

std::string AlbumFolder(const std::string &downloadRoot, const std::optional<std::string> &album,
                        const std::string &fallbackRoot) {
    const std::string root = downloadRoot.empty() ? fallbackRoot : downloadRoot;
    if (!album || album->empty())
        return root;
    if (applet::IsAbsolutePath(*album))
        return *album;
    return applet::JoinPath(root, *album);
}

std::string AlternativeName(const std::string &name, int attempt) {
    if (attempt <= 1)
        return name;
    const std::string number = "-" + std::to_string(attempt);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return name + number;
    return name.substr(0, dot) + number + name.substr(dot);
}

int Percent(uint64_t done, uint64_t total) {
    if (total == 0 || done >= total)
        return 100;
    return static_cast<int>(done * 100 / total);
}

namespace {

std::string WithThousands(uint64_t value) {
    std::string digits = std::to_string(value);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string Count(size_t count, const char *one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

std::string Progress(const TaskResult &result) {
    return std::to_string(result.done) + " of " + Count(result.total, "picture") + " downloaded";
}

}  // namespace

std::string PictureLine(const std::string &name, uint64_t size) {
    return name + "   " + WithThousands(size) + (size == 1 ? " byte" : " bytes");
}

bool IsFailure(TaskEnd end) {
    return end != TaskEnd::Listed && end != TaskEnd::Done && end != TaskEnd::Cancelled;
}

std::string DescribeTaskResult(const TaskResult &result) {
    switch (result.end) {
    case TaskEnd::Listed:
        return Count(result.total, "picture") + " found.";
    case TaskEnd::Done:
        return "Downloaded " + Count(result.done, "picture") + ".";
    case TaskEnd::Cancelled:
        return "Cancelled: " + Progress(result) + ".";
    case TaskEnd::NoCamera:
        return "No camera answers on the COM ports.";
    case TaskEnd::NoCard:
        return "No memory card with camera pictures is in a drive.";
    case TaskEnd::CameraError:
        return "Camera error " + std::to_string(result.cameraCode) +
               (result.detail.empty() ? std::string() : " (" + result.detail + ")") + ": " +
               Progress(result) + ".";
    case TaskEnd::DiskFull:
        return "The disk is full: " + Progress(result) + ".";
    case TaskEnd::FileError:
        return "Cannot write " + result.detail + ": " + Progress(result) + ".";
    case TaskEnd::Unsupported:
        return "This host does not serve the chosen connection.";
    case TaskEnd::ReadError:
        return "Cannot read " + result.detail + ": " + Progress(result) + ".";
    case TaskEnd::NoLibrary:
        return "The camera library cannot be loaded: " + result.detail + ".";
    }
    return {};
}

std::string EncodeTaskResult(const TaskResult &result) {
    static const char *const kWords[] = {"listed",      "done",        "cancelled", "nocamera",
                                         "nocard",      "cameraerror", "diskfull",  "fileerror",
                                         "unsupported", "readerror",   "nolibrary"};
    static_assert(sizeof kWords / sizeof kWords[0] == static_cast<size_t>(TaskEnd::NoLibrary) + 1,
                  "one word per end");
    std::string text = std::string(kWords[static_cast<int>(result.end)]) + " " +
                       std::to_string(result.done) + "/" + std::to_string(result.total);
    if (result.end == TaskEnd::CameraError)
        text += " code " + std::to_string(result.cameraCode);
    return text;
}

}  // namespace standin
