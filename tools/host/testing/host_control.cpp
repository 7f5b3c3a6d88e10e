#include "host_control.h"

#include <sddl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "control_key.h"
#include "platform/code_page.h"
#include "platform/win32_handles.h"

namespace testsupport {

namespace {

using platform::RegistryKey;

// The user's own HKEY_CURRENT_USER, as HKEY_USERS\<user's SID>: unlike
// HKEY_CURRENT_USER it is not redirected by RegOverridePredefKey, and it is
// the key the server process sees as its HKEY_CURRENT_USER.
std::string UserSid() {
    platform::UniqueKernel token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
        return {};
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    char *text = nullptr;
    if (!size || !::GetTokenInformation(token.Get(), TokenUser, &buffer[0], size, &size) ||
        !::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER *>(&buffer[0])->User.Sid, &text))
        return {};
    const platform::UniqueLocalMemory owned(text);
    return text;
}

RegistryKey OpenRealCurrentUser() {
    const std::string sid = UserSid();
    return sid.empty() ? RegistryKey() : RegistryKey::Open(HKEY_USERS, sid, KEY_READ | KEY_WRITE);
}

RegistryKey OpenControl(bool create) {
    const RegistryKey user = OpenRealCurrentUser();
    if (!user)
        return RegistryKey();
    return create ? RegistryKey::Create(user.Get(), standin::kControlKey)
                  : RegistryKey::Open(user.Get(), standin::kControlKey, KEY_READ | KEY_WRITE);
}

// The kernel's name of an open key ("\REGISTRY\USER\<sid>\..."), from
// NtQueryKey's KeyNameInformation; empty when it cannot be had.
std::string KernelKeyName(HKEY key) {
    using NtQueryKeyFn = LONG(WINAPI *)(HANDLE, int, void *, ULONG, ULONG *);
    auto query = reinterpret_cast<NtQueryKeyFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
    if (!query)
        return {};
    constexpr int kKeyNameInformation = 3;
    // KEY_NAME_INFORMATION: a byte length, then the UTF-16 name.
    std::vector<unsigned char> buffer(4096);
    ULONG size = 0;
    if (query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &size) <
        0)
        return {};
    ULONG length = 0;
    std::memcpy(&length, buffer.data(), sizeof length);
    if (length > buffer.size() - sizeof length)
        return {};
    const auto *name = reinterpret_cast<const wchar_t *>(buffer.data() + sizeof length);
    return platform::WideToCodePage({name, length / sizeof(wchar_t)});
}

// Where HKEY_CURRENT_USER of this process really is, below the user's own
// key: empty when it is not overridden.
std::string CurrentUserPrefix() {
    // Opening "" hands back the predefined handle itself, which the kernel
    // does not know; creating "" gives a real handle to the same key.
    const RegistryKey current = RegistryKey::Create(HKEY_CURRENT_USER, "", KEY_READ);
    if (!current)
        return {};
    const std::string name = KernelKeyName(current.Get());
    const std::string root = "\\REGISTRY\\USER\\" + UserSid();
    if (name.size() <= root.size() ||
        ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                         static_cast<int>(root.size()), root.c_str(), -1) != CSTR_EQUAL)
        return {};
    return name.substr(root.size() + 1);  // without the backslash between
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// Runs a program and waits for its exit code.
bool RunAndWait(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started))
        return false;
    const platform::UniqueKernel thread(started.hThread);
    const platform::UniqueKernel process(started.hProcess);
    DWORD exitCode = 1;
    if (::WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.Get(), &exitCode);
    return exitCode == 0;
}

}  // namespace

HostStandIn::HostStandIn() {
    const RegistryKey user = OpenRealCurrentUser();
    if (!user) {
        problem_ = "the user's registry key cannot be opened through HKEY_USERS";
        return;
    }
    ::RegDeleteTreeA(user.Get(), standin::kControlKey);
    const RegistryKey control = OpenControl(true);
    if (!control) {
        problem_ = std::string("cannot create HKCU\\") + standin::kControlKey;
        return;
    }
    SetAnswers(HostAnswers());
    SetSideChannelKey(standin::kDefaultSideChannelKey);
    if (!Register())
        problem_ = "\"" + ServerPath() + " -RegServer\" failed";
}

HostStandIn::~HostStandIn() {
    // A server whose task is still open waits for its user: end the task for
    // it. One that no client took (its client gave up or was ended while COM
    // started it) or that a vanished client still holds is asked to quit, so
    // that it withdraws its class registration: a server ended by force
    // leaves that registration with the system's class table, and the next
    // client is told "class not registered". Only a server that does not
    // even quit is ended by force, so that the next test finds none of ours.
    if (!WaitForServersToExit() && (!ClickEndTask() || !WaitForServersToExit(5000)) &&
        (!QuitServers() || !WaitForServersToExit(5000))) {
        for (DWORD process : ServerProcesses()) {
            const platform::UniqueKernel handle(
                ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process));
            if (handle) {
                ::TerminateProcess(handle.Get(), 1);
                ::WaitForSingleObject(handle.Get(), 5000);
            }
        }
    }
    Unregister();
    const RegistryKey user = OpenRealCurrentUser();
    if (user) {
        ::RegDeleteTreeA(user.Get(), standin::kControlKey);
        ::RegDeleteKeyA(user.Get(), standin::kControlKey);
    }
}

bool HostStandIn::Register() {
    return RunAndWait("\"" + ServerPath() + "\" -RegServer");
}

bool HostStandIn::Unregister() {
    return RunAndWait("\"" + ServerPath() + "\" -UnregServer");
}

bool HostStandIn::RegisterFromFile() {
    return RunAndWait("regedit.exe /s \"" + ProgramFolder() + "\\" + standin::kRegFile + "\"");
}

bool HostStandIn::IsRegistered() {
    const std::string clsid =
        RegistryKey::Open(HKEY_CLASSES_ROOT, std::string(standin::kProgId) + "\\CLSID")
            .ReadString("", std::string());
    return ::lstrcmpiA(clsid.c_str(), standin::kClsid) == 0;
}

std::string HostStandIn::ServerPath() {
    return ProgramFolder() + "\\" + standin::kServerExe;
}

void HostStandIn::SetAnswers(const HostAnswers &answers) const {
    const RegistryKey control = OpenControl(true);
    if (control)
        standin::WriteAnswers(control, answers);
}

HostAnswers HostStandIn::Answers() const {
    const RegistryKey control = OpenControl(false);
    return control ? standin::ReadAnswers(control) : HostAnswers();
}

void HostStandIn::SetSideChannelKey(const std::string &pathBelowCurrentUser) const {
    const std::string prefix = CurrentUserPrefix();
    OpenControl(true).WriteString(standin::kSideChannelKey,
                                  prefix.empty() ? pathBelowCurrentUser
                                                 : prefix + "\\" + pathBelowCurrentUser);
}

std::string HostStandIn::SideChannelKey() const {
    return OpenControl(false).ReadString(standin::kSideChannelKey, std::string());
}

std::vector<HostCall> HostStandIn::Calls() const {
    std::vector<HostCall> calls;
    const RegistryKey control = OpenControl(false);
    if (!control)
        return calls;
    for (const std::string &line : standin::ReadLogLines(control))
        if (std::optional<HostCall> call = standin::DecodeCallLine(line))
            calls.push_back(*call);
    return calls;
}

void HostStandIn::ClearCalls() const {
    const RegistryKey control = OpenControl(false);
    if (control) {
        ::RegDeleteTreeA(control.Get(), standin::kLogSubkey);
        ::RegDeleteKeyA(control.Get(), standin::kLogSubkey);
    }
}

std::string HostStandIn::TaskOutcome() const {
    return OpenControl(false).ReadString(standin::kTaskOutcome, std::string());
}

HWND HostStandIn::TaskWindow() {
    HWND window = ::FindWindowA(standin::kTaskWindowClass, nullptr);
    return window && ::IsWindowVisible(window) ? window : nullptr;
}

bool HostStandIn::ClickEndTask() {
    HWND window = TaskWindow();
    HWND button = window ? ::GetDlgItem(window, standin::kEndTaskButtonId) : nullptr;
    if (!button)
        return false;
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) != 0;
}

std::vector<DWORD> HostStandIn::ServerProcesses() const {
    std::vector<DWORD> processes;
    const RegistryKey control = OpenControl(false);
    const RegistryKey servers =
        control ? RegistryKey::Open(control.Get(), standin::kServersSubkey) : RegistryKey();
    if (!servers)
        return processes;
    char name[32];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumValueA(servers.Get(), index, name, &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            break;
        processes.push_back(std::strtoul(name, nullptr, 10));
    }
    return processes;
}

bool HostStandIn::QuitServers() const {
    // The server's message loop runs on its first thread; a quit message
    // there ends the loop, after which it revokes its class and exits.
    const std::vector<DWORD> processes = ServerProcesses();
    // The snapshot's "none" is INVALID_HANDLE_VALUE, as with files.
    const platform::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return false;
    bool posted = false;
    THREADENTRY32 thread = {};
    thread.dwSize = sizeof thread;
    for (BOOL more = ::Thread32First(snapshot.Get(), &thread); more;
         more = ::Thread32Next(snapshot.Get(), &thread)) {
        if (std::find(processes.begin(), processes.end(), thread.th32OwnerProcessID) !=
                processes.end() &&
            ::PostThreadMessageA(thread.th32ThreadID, WM_QUIT, 0, 0))
            posted = true;
    }
    return posted;
}

bool HostStandIn::WaitForServersToExit(DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    for (DWORD process : ServerProcesses()) {
        const platform::UniqueKernel handle(::OpenProcess(SYNCHRONIZE, FALSE, process));
        if (!handle)
            continue;  // already gone (its entry may be left from a crash)
        const DWORD spent = ::GetTickCount() - start;
        const DWORD wait =
            ::WaitForSingleObject(handle.Get(), spent < timeoutMs ? timeoutMs - spent : 0);
        if (wait != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

}  // namespace testsupport
