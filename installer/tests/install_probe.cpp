// install-probe: looks at an installed suite from the inside of the Wine
// prefix it was installed into, through the calls a Windows program would use,
// so that the installer's test script asks Windows rather than guessing at
// Wine's files:
//   install-probe version FILE        prints FILE's version block (a.b.c.d)
//   install-probe run-entry NAME      prints the logon Run entry NAME
//   install-probe products CODE       prints "version product-code" of every
//                                     installed product of upgrade code CODE
//   install-probe start-applet CMD    starts CMD, waits for the applet's marker
//                                     window and checks that its tray icon is
//                                     in the notification area
// Exit status: 0 found, 1 not found, 2 bad usage.
#include <windows.h>
#include <msi.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "applet_windows.h"
#include "platform/registry_key.h"
#include "platform/win32_handles.h"
#include "tolvarc_ids.h"

namespace {

constexpr char kUsage[] =
    "usage: install-probe version FILE | run-entry NAME | products UPGRADE-CODE | "
    "start-applet COMMAND-LINE\n";

int PrintVersion(const std::string &file) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> block(size);
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (size == 0 || !::GetFileVersionInfoA(file.c_str(), 0, size, block.data()) ||
        !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void **>(&info), &length) ||
        length < sizeof *info) {
        std::fprintf(stderr, "install-probe: %s has no version block\n", file.c_str());
        return 1;
    }
    std::printf("%u.%u.%u.%u\n", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return 0;
}

int PrintRunEntry(const std::string &name) {
    const auto run = platform::RegistryKey::Open(
        HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    const auto command = run ? run.ReadString(name) : std::nullopt;
    if (!command) {
        std::fprintf(stderr, "install-probe: no Run entry %s\n", name.c_str());
        return 1;
    }
    std::printf("%s\n", command->c_str());
    return 0;
}

int PrintProducts(const std::string &upgradeCode) {
    char product[39];
    for (DWORD i = 0; ::MsiEnumRelatedProductsA(upgradeCode.c_str(), 0, i, product) == ERROR_SUCCESS;
         ++i) {
        char version[64] = "";
        DWORD size = sizeof version;
        ::MsiGetProductInfoA(product, INSTALLPROPERTY_VERSIONSTRING, version, &size);
        std::printf("%s %s\n", version, product);
    }
    return 0;
}

int StartApplet(const std::string &commandLine) {
    // The applet gets no standard handles of ours: it outlives this probe, and
    // must not keep the caller's output open.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started = {};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        std::fprintf(stderr, "install-probe: cannot start %s (error %lu)\n", commandLine.c_str(),
                     ::GetLastError());
        return 1;
    }
    const platform::UniqueKernel process(started.hProcess);
    const platform::UniqueKernel thread(started.hThread);
    constexpr DWORD kPollMs = 50;
    constexpr DWORD kWaitMs = 30000;
    bool marker = false;
    for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
        HWND top = testsupport::FindAppletMarker();
        marker = marker || top != nullptr;
        HWND dialog = top ? testsupport::FindAppletMainDialog(top) : nullptr;
        if (dialog && testsupport::TrayIconPresent(dialog)) {
            std::printf("marker window and tray icon\n");
            return 0;
        }
        if (::WaitForSingleObject(process.Get(), kPollMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            ::GetExitCodeProcess(process.Get(), &code);
            std::fprintf(stderr, "install-probe: the applet ended with %lu\n", code);
            return 1;
        }
    }
    std::fprintf(stderr, "install-probe: %s\n",
                 marker ? "marker window, but no tray icon" : "no marker window");
    return 1;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::string argument = argv[2];
    if (command == "version")
        return PrintVersion(argument);
    if (command == "run-entry")
        return PrintRunEntry(argument);
    if (command == "products")
        return PrintProducts(argument);
    if (command == "start-applet")
        return StartApplet(argument);
    std::fputs(kUsage, stderr);
    return 2;
}
