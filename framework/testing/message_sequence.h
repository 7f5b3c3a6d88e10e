// Test support: window-message sequences as tests compare them. A recorded
// sequence (what a hook or a window procedure got, see message_recorder.h and
// message_tap.h) is matched against a table of expected entries. An entry can
// be optional (it may or may not appear at its place), and its delivery,
// wParam, lParam and window can each be kAny. On a mismatch MatchesSequence
// prints both sequences whole with the first difference marked:
//
//     EXPECT_TRUE(MatchesSequence(recorder.All(), {
//         {WM_DEVICECHANGE, Delivery::Sent, DBT_DEVICEARRIVAL, kAny},
//         Optional({WM_TIMER, Delivery::Posted}),
//         {kCardMessage, Delivery::Posted, 1, 0, hiddenWindow},
//     }));
//
// Portable: messages are plain numbers and windows plain pointers, so that
// the matching is tested in every build.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace testsupport {

// How a message reached the window.
enum class Delivery {
    // Seen by a window procedure on its own thread, where a message sent by
    // that same thread and a posted one being dispatched look alike.
    Unknown,
    Posted,  // taken from the message queue
    Sent,    // SendMessage and its relatives
};

struct RecordedMessage {
    const void *window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    Delivery delivery = Delivery::Unknown;

    bool operator==(const RecordedMessage &other) const {
        return window == other.window && message == other.message && wParam == other.wParam &&
               lParam == other.lParam && delivery == other.delivery;
    }
};

// For GoogleTest's printouts of recorded entries and vectors of them.
void PrintTo(const RecordedMessage &entry, std::ostream *out);

// "WM_COMMAND" for the common WM_ messages, "WM_USER+0x5" and "WM_APP+0x5"
// in those ranges, the number in hex otherwise.
std::string MessageName(unsigned message);

// The wildcard of expected entries.
struct AnyValue {};
constexpr AnyValue kAny{};

// An exact value, or kAny.
template <typename T>
class OrAny {
public:
    OrAny(AnyValue) {}
    template <typename U, typename = std::enable_if_t<std::is_convertible<U, T>::value>>
    OrAny(U value) : exact_(true), value_(static_cast<T>(value)) {}

    bool Accepts(const T &value) const { return !exact_ || value == value_; }
    bool IsAny() const { return !exact_; }
    const T &Value() const { return value_; }

private:
    bool exact_ = false;
    T value_{};
};

// One line of an expected sequence. Parameters compare as the bits of a
// pointer-sized unsigned number, so -1 matches an lParam of -1.
struct ExpectedMessage {
    unsigned message;
    OrAny<Delivery> delivery = kAny;
    OrAny<std::uintptr_t> wParam = kAny;
    OrAny<std::uintptr_t> lParam = kAny;
    OrAny<const void *> window = kAny;
    bool optional = false;
};

// The same entry, allowed to be absent.
ExpectedMessage Optional(ExpectedMessage entry);

bool Matches(const RecordedMessage &recorded, const ExpectedMessage &expected);

// Where two sequences part: the first entry of each that no alignment could
// match. An index equal to the size means that sequence had run out.
struct SequenceMismatch {
    std::size_t recorded;
    std::size_t expected;
};

// Nothing when the recorded sequence is the expected one, optional entries
// present or not. Otherwise the mismatch that got furthest into the
// recording (then into the table).
std::optional<SequenceMismatch> FindMismatch(const std::vector<RecordedMessage> &recorded,
                                             const std::vector<ExpectedMessage> &expected);

// Both sequences, one entry a line, the lines at `at` marked with "->".
std::string DescribeSequences(const std::vector<RecordedMessage> &recorded,
                              const std::vector<ExpectedMessage> &expected,
                              const SequenceMismatch &at);

// For EXPECT_TRUE: on a mismatch the failure carries DescribeSequences.
::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage> &recorded,
                                           const std::vector<ExpectedMessage> &expected);

}  // namespace testsupport
