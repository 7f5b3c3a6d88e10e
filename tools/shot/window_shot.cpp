// window-shot --title TEXT [--title TEXT...] --out FILE.png [--wait SECONDS] [--press ID]
//
// Waits until a visible top-level window of any process has exactly one of
// the titles, gives it a moment to paint, writes its window rectangle as a
// PNG, prints `found "TITLE"` on stdout and, with --press, clicks its control
// ID (a dialog's OK is 1) so that the program that shows it can go on. Several
// titles let a caller learn which of a program's possible outcomes appeared.
// Exit status: 0 done, 1 no such window within the wait, 2 bad usage, 3 the
// picture could not be written.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "screen_shot.h"

namespace {

struct Options {
    std::vector<std::string> titles;
    std::string out;
    int waitSeconds = 60;
    int pressId = -1;
};

const char kUsage[] =
    "usage: window-shot --title TEXT [--title TEXT...] --out FILE.png [--wait SECONDS] "
    "[--press ID]\n";

bool ParseNumber(const char *text, int &value) {
    char *end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < 0 || n > 0xFFFF)
        return false;
    value = int(n);
    return true;
}

bool Parse(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc)
            return false;
        const char *value = argv[++i];
        if (arg == "--title")
            options.titles.push_back(value);
        else if (arg == "--out")
            options.out = value;
        else if (arg == "--wait") {
            if (!ParseNumber(value, options.waitSeconds))
                return false;
        } else if (arg == "--press") {
            if (!ParseNumber(value, options.pressId))
                return false;
        } else
            return false;
    }
    return !options.titles.empty() && !options.out.empty();
}

struct Search {
    const std::vector<std::string> *titles;
    HWND found;
    std::string title;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM context) {
    auto *search = reinterpret_cast<Search *>(context);
    char text[512] = "";
    if (!::IsWindowVisible(window) || ::GetWindowTextA(window, text, sizeof text) <= 0)
        return TRUE;
    for (const std::string &title : *search->titles) {
        if (title == text) {
            search->found = window;
            search->title = title;
            return FALSE;
        }
    }
    return TRUE;
}

Search WaitForWindow(const std::vector<std::string> &titles, int seconds) {
    Search search = {&titles, nullptr, {}};
    for (int tenth = 0; tenth <= seconds * 10 && !search.found; ++tenth) {
        ::EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            ::Sleep(100);
    }
    return search;
}

}  // namespace

int main(int argc, char **argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const Search search = WaitForWindow(options.titles, options.waitSeconds);
    HWND window = search.found;
    if (!window) {
        std::fprintf(stderr, "window-shot: none of the windows looked for appeared within %d s\n",
                     options.waitSeconds);
        return 1;
    }
    std::printf("found \"%s\"\n", search.title.c_str());
    // The owner paints after it has shown the window; bring it forward and
    // let a few frames pass so the capture holds the drawn dialog.
    ::SetForegroundWindow(window);
    ::Sleep(800);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const bool shot = testsupport::ShootScreen(rect, options.out) > 1;
    if (options.pressId >= 0) {
        HWND control = ::GetDlgItem(window, options.pressId);
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(options.pressId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(control));
    }
    if (!shot) {
        std::fprintf(stderr, "window-shot: the picture of \"%s\" could not be written to %s\n",
                     search.title.c_str(), options.out.c_str());
        return 3;
    }
    return 0;
}
