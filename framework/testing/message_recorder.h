// Test support: writes down window messages so that tests can compare what a
// hook saw or a window procedure got with the sequence they expected. Entries
// are kept in the order they were recorded; nothing is filtered on the way in.
#ifndef FRAMEWORK_TESTING_MESSAGE_RECORDER_H
#define FRAMEWORK_TESTING_MESSAGE_RECORDER_H

#include <windows.h>

#include <ostream>
#include <vector>

namespace testsupport {

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const RecordedMessage &other) const
    {
        return hwnd == other.hwnd && message == other.message && wParam == other.wParam &&
               lParam == other.lParam;
    }
};

void PrintTo(const RecordedMessage &entry, std::ostream *out);

class CMessageRecorder {
public:
    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        entries_.push_back({hwnd, message, wParam, lParam});
    }
    void Record(const MSG &msg) { Record(msg.hwnd, msg.message, msg.wParam, msg.lParam); }

    const std::vector<RecordedMessage> &All() const { return entries_; }
    // The entries whose message lies in [first, last], in order.
    std::vector<RecordedMessage> InRange(UINT first, UINT last) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<RecordedMessage> entries_;
};

}  // namespace testsupport

#endif
