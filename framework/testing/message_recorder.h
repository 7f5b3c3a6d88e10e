// Test support: writes down window messages so that tests can compare what a
// hook saw or a window procedure got with the sequence they expected (see
// message_sequence.h for the entries and MatchesSequence). Entries are kept in
// the order they were recorded; nothing is filtered on the way in. Each entry
// says how the message came, as far as the place that records it can tell.
#pragma once
#include <windows.h>

#include <vector>

#include "message_sequence.h"

namespace testsupport {

class CMessageRecorder {
public:
    // A message a loop took from the queue, as a pre-translation hook is
    // offered it: posted.
    void RecordPosted(const MSG &msg) {
        Record(msg.hwnd, msg.message, msg.wParam, msg.lParam, Delivery::Posted);
    }
    // A message as a window procedure got it. The procedure can tell a
    // message sent from another thread (InSendMessageEx); one sent by its own
    // thread calls it directly, just as dispatching a posted one does, so
    // those two are Delivery::Unknown. A MessageTap tells every kind apart.
    void RecordInProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery) {
        entries_.push_back({hwnd, message, wParam, lParam, delivery});
    }

    const std::vector<RecordedMessage> &All() const { return entries_; }
    // The entries whose message lies in [first, last], in order.
    std::vector<RecordedMessage> InRange(UINT first, UINT last) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<RecordedMessage> entries_;
};

}  // namespace testsupport
