#include "message_sequence.h"

#include <iomanip>
#include <sstream>

namespace testsupport {

namespace {

// The common WM_ messages, by number (the values of the platform's headers,
// checked against them by the Windows tests).
struct NamedMessage {
    unsigned message;
    const char *name;
};
const NamedMessage kNamedMessages[] = {
    {0x0000, "WM_NULL"},
    {0x0001, "WM_CREATE"},
    {0x0002, "WM_DESTROY"},
    {0x0003, "WM_MOVE"},
    {0x0005, "WM_SIZE"},
    {0x0006, "WM_ACTIVATE"},
    {0x0007, "WM_SETFOCUS"},
    {0x0008, "WM_KILLFOCUS"},
    {0x000A, "WM_ENABLE"},
    {0x000B, "WM_SETREDRAW"},
    {0x000C, "WM_SETTEXT"},
    {0x000D, "WM_GETTEXT"},
    {0x000E, "WM_GETTEXTLENGTH"},
    {0x000F, "WM_PAINT"},
    {0x0010, "WM_CLOSE"},
    {0x0011, "WM_QUERYENDSESSION"},
    {0x0012, "WM_QUIT"},
    {0x0014, "WM_ERASEBKGND"},
    {0x0016, "WM_ENDSESSION"},
    {0x0018, "WM_SHOWWINDOW"},
    {0x001A, "WM_SETTINGCHANGE"},
    {0x001C, "WM_ACTIVATEAPP"},
    {0x001F, "WM_CANCELMODE"},
    {0x0020, "WM_SETCURSOR"},
    {0x0021, "WM_MOUSEACTIVATE"},
    {0x0022, "WM_CHILDACTIVATE"},
    {0x0024, "WM_GETMINMAXINFO"},
    {0x0028, "WM_NEXTDLGCTL"},
    {0x002B, "WM_DRAWITEM"},
    {0x0030, "WM_SETFONT"},
    {0x0031, "WM_GETFONT"},
    {0x003D, "WM_GETOBJECT"},
    {0x0046, "WM_WINDOWPOSCHANGING"},
    {0x0047, "WM_WINDOWPOSCHANGED"},
    {0x004A, "WM_COPYDATA"},
    {0x004E, "WM_NOTIFY"},
    {0x007B, "WM_CONTEXTMENU"},
    {0x007C, "WM_STYLECHANGING"},
    {0x007D, "WM_STYLECHANGED"},
    {0x007F, "WM_GETICON"},
    {0x0080, "WM_SETICON"},
    {0x0081, "WM_NCCREATE"},
    {0x0082, "WM_NCDESTROY"},
    {0x0083, "WM_NCCALCSIZE"},
    {0x0084, "WM_NCHITTEST"},
    {0x0085, "WM_NCPAINT"},
    {0x0086, "WM_NCACTIVATE"},
    {0x0087, "WM_GETDLGCODE"},
    {0x0088, "WM_SYNCPAINT"},
    {0x00A0, "WM_NCMOUSEMOVE"},
    {0x0100, "WM_KEYDOWN"},
    {0x0101, "WM_KEYUP"},
    {0x0102, "WM_CHAR"},
    {0x0104, "WM_SYSKEYDOWN"},
    {0x0105, "WM_SYSKEYUP"},
    {0x0106, "WM_SYSCHAR"},
    {0x0110, "WM_INITDIALOG"},
    {0x0111, "WM_COMMAND"},
    {0x0112, "WM_SYSCOMMAND"},
    {0x0113, "WM_TIMER"},
    {0x0116, "WM_INITMENU"},
    {0x0117, "WM_INITMENUPOPUP"},
    {0x011F, "WM_MENUSELECT"},
    {0x0121, "WM_ENTERIDLE"},
    {0x0125, "WM_UNINITMENUPOPUP"},
    {0x0127, "WM_CHANGEUISTATE"},
    {0x0128, "WM_UPDATEUISTATE"},
    {0x0129, "WM_QUERYUISTATE"},
    {0x0132, "WM_CTLCOLORMSGBOX"},
    {0x0133, "WM_CTLCOLOREDIT"},
    {0x0134, "WM_CTLCOLORLISTBOX"},
    {0x0135, "WM_CTLCOLORBTN"},
    {0x0136, "WM_CTLCOLORDLG"},
    {0x0137, "WM_CTLCOLORSCROLLBAR"},
    {0x0138, "WM_CTLCOLORSTATIC"},
    {0x0200, "WM_MOUSEMOVE"},
    {0x0201, "WM_LBUTTONDOWN"},
    {0x0202, "WM_LBUTTONUP"},
    {0x0203, "WM_LBUTTONDBLCLK"},
    {0x0204, "WM_RBUTTONDOWN"},
    {0x0205, "WM_RBUTTONUP"},
    {0x0206, "WM_RBUTTONDBLCLK"},
    {0x0210, "WM_PARENTNOTIFY"},
    {0x0211, "WM_ENTERMENULOOP"},
    {0x0212, "WM_EXITMENULOOP"},
    {0x0215, "WM_CAPTURECHANGED"},
    {0x0218, "WM_POWERBROADCAST"},
    {0x0219, "WM_DEVICECHANGE"},
    {0x0281, "WM_IME_SETCONTEXT"},
    {0x0282, "WM_IME_NOTIFY"},
};

constexpr unsigned kUser = 0x0400;        // WM_USER
constexpr unsigned kApp = 0x8000;         // WM_APP
constexpr unsigned kRegistered = 0xC000;  // first number RegisterWindowMessage hands out

std::string Hex(std::uintmax_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

const char *DeliveryName(Delivery delivery) {
    switch (delivery) {
    case Delivery::Posted:
        return "posted";
    case Delivery::Sent:
        return "sent";
    case Delivery::Unknown:
        break;
    }
    return "unknown";
}

std::string WindowText(const void *window) {
    return Hex(reinterpret_cast<std::uintptr_t>(window));
}

template <typename T, typename Show>
std::string OrAnyText(const OrAny<T> &value, Show show) {
    return value.IsAny() ? std::string("any") : show(value.Value());
}

// Left-aligned in a column of `width`, so that the lines of a table line up.
std::string Column(const std::string &text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Describe(const RecordedMessage &entry) {
    return Column(DeliveryName(entry.delivery), 9) + Column(MessageName(entry.message), 22) +
           "wParam " + Column(Hex(entry.wParam), 12) + "lParam " +
           Column(Hex(static_cast<std::uintptr_t>(entry.lParam)), 20) + "window " +
           WindowText(entry.window);
}

std::string Describe(const ExpectedMessage &entry) {
    auto hex = [](std::uintptr_t value) { return Hex(value); };
    std::string text = Column(OrAnyText(entry.delivery, DeliveryName), 9) +
                       Column(MessageName(entry.message), 22) + "wParam " +
                       Column(OrAnyText(entry.wParam, hex), 12) + "lParam " +
                       Column(OrAnyText(entry.lParam, hex), 20) + "window " +
                       OrAnyText(entry.window, WindowText);
    if (entry.optional)
        text += "  (optional)";
    return text;
}

template <typename Entry>
void DescribeSection(std::ostream &out, const char *title, const std::vector<Entry> &entries,
                     std::size_t marked) {
    out << title << " (" << entries.size() << "):\n";
    for (std::size_t i = 0; i <= entries.size(); ++i) {
        if (i == entries.size() && marked != entries.size())
            break;
        out << (i == marked ? "    -> #" : "       #") << Column(std::to_string(i), 4)
            << (i < entries.size() ? Describe(entries[i]) : std::string("(end)")) << "\n";
    }
}

}  // namespace

void PrintTo(const RecordedMessage &entry, std::ostream *out) {
    *out << "{" << DeliveryName(entry.delivery) << " " << MessageName(entry.message) << ", wParam "
         << Hex(entry.wParam) << ", lParam " << Hex(static_cast<std::uintptr_t>(entry.lParam))
         << ", window " << WindowText(entry.window) << "}";
}

std::string MessageName(unsigned message) {
    for (const NamedMessage &named : kNamedMessages) {
        if (named.message == message)
            return named.name;
    }
    if (message >= kUser && message < kApp)
        return "WM_USER+" + Hex(message - kUser);
    if (message >= kApp && message < kRegistered)
        return "WM_APP+" + Hex(message - kApp);
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(4) << std::setfill('0') << message;
    return text.str();
}

ExpectedMessage Optional(ExpectedMessage entry) {
    entry.optional = true;
    return entry;
}

bool Matches(const RecordedMessage &recorded, const ExpectedMessage &expected) {
    return recorded.message == expected.message && expected.delivery.Accepts(recorded.delivery) &&
           expected.wParam.Accepts(recorded.wParam) &&
           expected.lParam.Accepts(static_cast<std::uintptr_t>(recorded.lParam)) &&
           expected.window.Accepts(recorded.window);
}

std::optional<SequenceMismatch> FindMismatch(const std::vector<RecordedMessage> &recorded,
                                             const std::vector<ExpectedMessage> &expected) {
    // Every way of aligning the two: state (i, j) has matched the first i
    // recorded entries against the first j expected ones. Each step moves to
    // the next expected entry, by matching it or by leaving out an optional
    // one, so one pass over the table in order visits every state.
    const std::size_t rows = recorded.size() + 1;
    std::vector<char> reached(rows * (expected.size() + 1), 0);
    auto at = [rows](std::size_t i, std::size_t j) { return j * rows + i; };
    reached[at(0, 0)] = 1;
    std::optional<SequenceMismatch> furthest;
    auto deadEnd = [&furthest](std::size_t i, std::size_t j) {
        if (!furthest || i > furthest->recorded ||
            (i == furthest->recorded && j > furthest->expected))
            furthest = SequenceMismatch{i, j};
    };
    for (std::size_t j = 0; j <= expected.size(); ++j) {
        for (std::size_t i = 0; i < rows; ++i) {
            if (!reached[at(i, j)])
                continue;
            if (j == expected.size()) {
                if (i == recorded.size())
                    return std::nullopt;
                deadEnd(i, j);
                continue;
            }
            bool moved = false;
            if (i < recorded.size() && Matches(recorded[i], expected[j])) {
                reached[at(i + 1, j + 1)] = 1;
                moved = true;
            }
            if (expected[j].optional) {
                reached[at(i, j + 1)] = 1;
                moved = true;
            }
            if (!moved)
                deadEnd(i, j);
        }
    }
    return furthest;
}

std::string DescribeSequences(const std::vector<RecordedMessage> &recorded,
                              const std::vector<ExpectedMessage> &expected,
                              const SequenceMismatch &at) {
    std::ostringstream out;
    out << "the sequences part at recorded #" << at.recorded << ", expected #" << at.expected
        << "\n";
    DescribeSection(out, "recorded", recorded, at.recorded);
    DescribeSection(out, "expected", expected, at.expected);
    return out.str();
}

::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage> &recorded,
                                           const std::vector<ExpectedMessage> &expected) {
    std::optional<SequenceMismatch> mismatch = FindMismatch(recorded, expected);
    if (!mismatch)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n"
                                         << DescribeSequences(recorded, expected, *mismatch);
}

}  // namespace testsupport
