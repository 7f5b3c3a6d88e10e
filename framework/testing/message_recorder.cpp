#include "message_recorder.h"

namespace testsupport {

void CMessageRecorder::RecordInProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD sent = ::InSendMessageEx(nullptr);
    Record(hwnd, message, wParam, lParam,
           sent == ISMEX_NOSEND ? Delivery::Unknown : Delivery::Sent);
}

std::vector<RecordedMessage> CMessageRecorder::InRange(UINT first, UINT last) const {
    std::vector<RecordedMessage> selected;
    for (const RecordedMessage &entry : entries_) {
        if (entry.message >= first && entry.message <= last)
            selected.push_back(entry);
    }
    return selected;
}

}  // namespace testsupport
