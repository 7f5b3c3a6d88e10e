#include "open_link.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

#include "framework/app.h"
#include "open_command.h"
#include "platform/registry_key.h"

namespace zephyne {

namespace {

// The default value of a key under HKEY_CLASSES_ROOT, read with query access
// into a 260-byte buffer; std::nullopt when the key cannot be opened, empty
// when the value cannot be read.
std::optional<std::string> ClassesDefault(const std::string &path) {
    const platform::RegistryKey key =
        platform::RegistryKey::Open(HKEY_CLASSES_ROOT, path, KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    char value[MAX_PATH] = "";
    LONG size = sizeof value;
    if (::RegQueryValueA(key.Get(), nullptr, value, &size) != ERROR_SUCCESS)
        return std::string();
    value[MAX_PATH - 1] = '\0';
    return std::string(value);
}

}  // namespace

int OpenLink(const std::string &address, int showCommand) {
    auto shellReply = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, showCommand)));
    if (shellReply > 32)
        return shellReply;

    std::optional<std::string> type = ClassesDefault(".htm");
    if (!type)
        return shellReply;
    std::optional<std::string> registered = ClassesDefault(*type + "\\shell\\open\\command");
    if (!registered)
        return shellReply;
    std::optional<std::string> command = BuildOpenCommand(*registered, address);
    if (!command)
        return shellReply;
    return static_cast<int>(::WinExec(command->c_str(), static_cast<UINT>(showCommand)));
}

void ReportOpenError(int code) {
    fw::AppMessageBox(OpenErrorMessage(code), MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace zephyne
