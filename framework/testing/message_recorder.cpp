#include "message_recorder.h"

namespace testsupport {

void PrintTo(const RecordedMessage &entry, std::ostream *out)
{
    *out << "{hwnd " << static_cast<const void *>(entry.hwnd) << ", message 0x" << std::hex
         << entry.message << ", wParam 0x" << entry.wParam << ", lParam 0x" << entry.lParam
         << std::dec << "}";
}

std::vector<RecordedMessage> CMessageRecorder::InRange(UINT first, UINT last) const
{
    std::vector<RecordedMessage> selected;
    for (const RecordedMessage &entry : entries_) {
        if (entry.message >= first && entry.message <= last)
            selected.push_back(entry);
    }
    return selected;
}

}  // namespace testsupport
