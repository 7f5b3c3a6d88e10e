// applet-drive COMMAND [options]: plays the platform and the user around a
// running Vesko.exe, from outside its process, so that a script can take it
// along the road of a camera card and a launch from the tray menu without a
// person at the screen.
//
//   running [--wait SECONDS]      waits until the applet runs: its hidden top
//                                 window (class MirelleAppletClass) and its
//                                 hidden main dialog exist
//   card LETTER FOLDER            makes drive LETTER: a removable drive on the
//                                 (Windows) folder, through Wine's mount
//                                 manager, as a card in a reader appears
//   arrival LETTER                sends the volume arrival of drive LETTER: to
//                                 the applet's top window, as the platform
//                                 broadcasts it when a card is inserted
//   menu [--out FILE.png] [--key LETTER]
//                                 opens the tray menu as a right click on the
//                                 icon does, keeps a picture of it, and
//                                 chooses the item whose underlined letter is
//                                 LETTER, as a user does on the keyboard, or
//                                 closes it with Escape. (Under Wine another
//                                 process cannot read a menu's items, so the
//                                 picture shows their states.)
//   tray --out FILE.png [--wait SECONDS]
//                                 checks that the applet's tray icon is there
//                                 and keeps a picture of the notification area
//   released [--wait SECONDS]     waits until no host server process
//                                 (HostStandIn.exe) runs any more: the applet
//                                 has let go of the host's object
//
// Exit status: 0 done, 1 not so within the wait, 2 bad usage.
#include <windows.h>

#include <dbt.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "applet_messages.h"
#include "applet_windows.h"
#include "platform/win32_handles.h"
#include "screen_shot.h"
#include "standin_protocol.h"
#include "tolvarc_ids.h"
#include "wine_drive.h"

namespace {

constexpr DWORD kPollMs = 50;

const char kUsage[] =
    "usage: applet-drive running [--wait SECONDS]\n"
    "       applet-drive card LETTER FOLDER\n"
    "       applet-drive arrival LETTER\n"
    "       applet-drive menu [--out FILE.png] [--key LETTER]\n"
    "       applet-drive tray --out FILE.png [--wait SECONDS]\n"
    "       applet-drive released [--wait SECONDS]\n";

struct Options {
    int waitSeconds = 60;
    std::string out;
    char key = 0;
};

bool ParseNumber(const char *text, int &value) {
    char *end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < 0 || n > 0xFFFF)
        return false;
    value = int(n);
    return true;
}

bool ParseOptions(int argc, char **argv, int first, Options &options) {
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char *value = argv[++i];
        if (arg == "--wait") {
            if (!ParseNumber(value, options.waitSeconds))
                return false;
        } else if (arg == "--out")
            options.out = value;
        else if (arg == "--key") {
            if (!std::isalpha(static_cast<unsigned char>(value[0])) || value[1] != '\0')
                return false;
            options.key = char(std::tolower(static_cast<unsigned char>(value[0])));
        } else
            return false;
    }
    return true;
}

// Polls `ready` until it holds or `seconds` have passed.
template <typename Ready>
bool WaitUntil(int seconds, Ready ready) {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (ready())
            return true;
        if (waited >= DWORD(seconds) * 1000)
            return false;
        ::Sleep(kPollMs);
    }
}

HWND MainDialog() {
    HWND marker = testsupport::FindAppletMarker();
    return marker ? testsupport::FindAppletMainDialog(marker) : nullptr;
}

int Running(const Options &options) {
    HWND dialog = nullptr;
    if (!WaitUntil(options.waitSeconds, [&] { return (dialog = MainDialog()) != nullptr; })) {
        std::fprintf(stderr, "applet-drive: the applet did not start within %d s\n",
                     options.waitSeconds);
        return 1;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(dialog, &process);
    std::printf("applet-drive: the applet runs (process %lu)\n", static_cast<unsigned long>(process));
    return 0;
}

int Arrival(char letter) {
    HWND top = testsupport::FindAppletMarker();
    if (!top) {
        std::fprintf(stderr, "applet-drive: no applet runs\n");
        return 1;
    }
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    DWORD_PTR answer = 0;
    // Sent, not posted: the broadcast's record lives on this stack, and the
    // platform too waits for each window's answer.
    if (!::SendMessageTimeoutA(top, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                               reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, 10000, &answer)) {
        std::fprintf(stderr, "applet-drive: the applet did not take the volume arrival\n");
        return 1;
    }
    std::printf("applet-drive: volume arrival of %c: sent to the applet\n", letter);
    return 0;
}

struct MenuSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchMenu(HWND hwnd, LPARAM data) {
    auto *search = reinterpret_cast<MenuSearch *>(data);
    char name[16] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->process || lstrcmpA(name, "#32768") != 0 || !::IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

int Menu(const Options &options) {
    HWND dialog = MainDialog();
    if (!dialog) {
        std::fprintf(stderr, "applet-drive: no applet runs\n");
        return 1;
    }
    MenuSearch search = {0, nullptr};
    ::GetWindowThreadProcessId(dialog, &search.process);
    // What the notification area sends for a right click on the icon; the
    // menu opens where the cursor is.
    ::SetCursorPos(400, 300);
    ::PostMessageA(dialog, applet::WM_TRAYICON, IDI_TRAY, WM_RBUTTONUP);
    if (!WaitUntil(options.waitSeconds, [&] {
            ::EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        })) {
        std::fprintf(stderr, "applet-drive: the tray menu did not open within %d s\n",
                     options.waitSeconds);
        return 1;
    }
    HWND popup = search.found;
    ::Sleep(300);  // the menu paints after it shows
    if (!options.out.empty()) {
        RECT rect;
        ::GetWindowRect(popup, &rect);
        if (testsupport::ShootScreen(rect, options.out) < 2) {
            std::fprintf(stderr, "applet-drive: no picture of the tray menu in %s\n",
                         options.out.c_str());
            return 1;
        }
    }
    // The menu's own loop reads every keyboard message of the applet's
    // thread: the underlined letter chooses its item, Escape closes it.
    if (options.key)
        ::PostMessageA(popup, WM_CHAR, WPARAM(options.key), 0);
    else
        ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitUntil(10, [&] { return !::IsWindowVisible(popup); })) {
        std::fprintf(stderr, "applet-drive: the tray menu did not close\n");
        return 1;
    }
    if (options.key)
        std::printf("applet-drive: tray menu item '%c' chosen\n", options.key);
    return 0;
}

// The window that shows the tray icons: the desktop's panel, or under Wine
// without one, the X11 driver's own tray window.
HWND TrayWindow() {
    for (const char *name : {"Shell_TrayWnd", "__winex11_standalone_tray"}) {
        HWND tray = ::FindWindowA(name, nullptr);
        if (tray && ::IsWindowVisible(tray))
            return tray;
    }
    return nullptr;
}

int Tray(const Options &options) {
    HWND dialog = MainDialog();
    if (!dialog ||
        !WaitUntil(options.waitSeconds, [&] { return testsupport::TrayIconPresent(dialog); })) {
        std::fprintf(stderr, "applet-drive: the applet has no tray icon\n");
        return 1;
    }
    HWND tray = nullptr;
    WaitUntil(options.waitSeconds, [&] { return (tray = TrayWindow()) != nullptr; });
    RECT rect;
    if (!tray || !::GetWindowRect(tray, &rect) || options.out.empty() ||
        testsupport::ShootScreen(rect, options.out) < 2) {
        std::fprintf(stderr, "applet-drive: no picture of the notification area\n");
        return 1;
    }
    std::printf("applet-drive: the applet's icon is in the notification area\n");
    return 0;
}

// A card in its reader: drive LETTER: appears as a removable drive on the
// folder, defined by Wine's mount manager as it defines the drives of the
// devices it finds, so that the drive's type is the platform's answer.
int Card(char letter, const std::string &windowsFolder) {
    const std::string root = std::string(1, letter) + ":\\";
    if (!testsupport::LinkDriveLetter(letter, windowsFolder, testsupport::DriveKind::Removable) ||
        ::GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE) {
        std::fprintf(stderr, "applet-drive: drive %c: could not be made a removable drive on %s\n",
                     letter, windowsFolder.c_str());
        return 1;
    }
    std::printf("applet-drive: removable drive %c: on %s\n", letter, windowsFolder.c_str());
    return 0;
}

// How many host server processes run now.
int HostProcesses() {
    platform::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return -1;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, standin::kServerExe) == 0)
            ++count;
    }
    return count;
}

int Released(const Options &options) {
    if (!WaitUntil(options.waitSeconds, [] { return HostProcesses() == 0; })) {
        std::fprintf(stderr, "applet-drive: the host still runs after %d s\n",
                     options.waitSeconds);
        return 1;
    }
    std::printf("applet-drive: no host process runs\n");
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    if (command == "arrival") {
        if (argc != 3 || !std::isalpha(static_cast<unsigned char>(argv[2][0])) ||
            (argv[2][1] != '\0' && std::string(argv[2] + 1) != ":")) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return Arrival(char(std::toupper(static_cast<unsigned char>(argv[2][0]))));
    }
    if (command == "card") {
        if (argc != 4 || !std::isalpha(static_cast<unsigned char>(argv[2][0])) ||
            (argv[2][1] != '\0' && std::string(argv[2] + 1) != ":")) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return Card(char(std::toupper(static_cast<unsigned char>(argv[2][0]))), argv[3]);
    }
    if (!ParseOptions(argc, argv, 2, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (command == "running")
        return Running(options);
    if (command == "menu")
        return Menu(options);
    if (command == "tray")
        return Tray(options);
    if (command == "released")
        return Released(options);
    std::fputs(kUsage, stderr);
    return 2;
}
