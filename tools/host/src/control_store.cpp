#include "control_store.h"

#include <string>

#include "control_key.h"
#include "standin_protocol.h"

namespace standin {

namespace {

using COpenKey = platform::RegistryKey;

std::string ServerEntryPath() {
    return std::string(kControlKey) + "\\" + kServersSubkey;
}

}  // namespace

Answers CurrentAnswers() {
    COpenKey control = OpenKey(HKEY_CURRENT_USER, kControlKey, false);
    return control.Get() ? ReadAnswers(control.Get()) : Answers();
}

void LogCall(const CallRecord &call) {
    COpenKey control = OpenKey(HKEY_CURRENT_USER, kControlKey, true);
    if (control.Get())
        AppendLogLine(control.Get(), EncodeCallLine(call));
}

SideChannel ReadSideChannel() {
    std::string path = kDefaultSideChannelKey;
    {
        COpenKey control = OpenKey(HKEY_CURRENT_USER, kControlKey, false);
        if (control.Get())
            path = ReadString(control.Get(), kSideChannelKey).value_or(path);
    }
    SideChannel side;
    COpenKey key = OpenKey(HKEY_CURRENT_USER, path, false);
    if (!key.Get())
        return side;
    if (std::optional<DWORD> value = ReadDword(key.Get(), kFromVesko))
        side.fromVesko = static_cast<long>(*value);
    if (std::optional<DWORD> value = ReadDword(key.Get(), kVeskoLaunchApp))
        side.veskoLaunchApp = static_cast<long>(*value);
    side.pcCardDrive = ReadString(key.Get(), kPCCardDrive);
    return side;
}

CRunningEntry::CRunningEntry() {
    COpenKey servers = OpenKey(HKEY_CURRENT_USER, ServerEntryPath(), true);
    if (servers.Get())
        WriteDword(servers.Get(), std::to_string(::GetCurrentProcessId()).c_str(), 1);
}

CRunningEntry::~CRunningEntry() {
    COpenKey servers = OpenKey(HKEY_CURRENT_USER, ServerEntryPath(), true);
    if (servers.Get())
        ::RegDeleteValueA(servers.Get(), std::to_string(::GetCurrentProcessId()).c_str());
}

}  // namespace standin
