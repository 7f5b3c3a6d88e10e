#include "control_store.h"

#include <string>

#include "control_key.h"
#include "standin_protocol.h"

namespace standin {

namespace {

using platform::RegistryKey;

std::string ServerEntryPath() {
    return std::string(kControlKey) + "\\" + kServersSubkey;
}

}  // namespace

Answers CurrentAnswers() {
    const RegistryKey control = RegistryKey::Open(HKEY_CURRENT_USER, kControlKey);
    return control ? ReadAnswers(control) : Answers();
}

void LogCall(const CallRecord &call) {
    const RegistryKey control = RegistryKey::Create(HKEY_CURRENT_USER, kControlKey);
    if (control)
        AppendLogLine(control, EncodeCallLine(call));
}

std::string SideChannelPath() {
    const RegistryKey control = RegistryKey::Open(HKEY_CURRENT_USER, kControlKey);
    return control.ReadString(kSideChannelKey, kDefaultSideChannelKey);
}

void WriteTaskOutcome(const std::string &outcome) {
    const RegistryKey control = RegistryKey::Create(HKEY_CURRENT_USER, kControlKey);
    if (outcome.empty())
        control.DeleteValue(kTaskOutcome);
    else
        control.WriteString(kTaskOutcome, outcome);
}

SideChannel ReadSideChannel() {
    SideChannel side;
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, SideChannelPath());
    if (!key)
        return side;
    // Read as the applet's own store reads them, so that the log shows what
    // the applet would find there.
    if (std::optional<uint32_t> value = key.ReadDword(kFromVesko))
        side.fromVesko = static_cast<long>(static_cast<int32_t>(*value));
    if (std::optional<uint32_t> value = key.ReadDword(kVeskoLaunchApp))
        side.veskoLaunchApp = static_cast<long>(static_cast<int32_t>(*value));
    side.pcCardDrive = key.ReadString(kPCCardDrive);
    return side;
}

RunningEntry::RunningEntry() {
    const RegistryKey servers = RegistryKey::Create(HKEY_CURRENT_USER, ServerEntryPath());
    servers.WriteDword(std::to_string(::GetCurrentProcessId()), 1);
}

RunningEntry::~RunningEntry() {
    const RegistryKey servers = RegistryKey::Open(HKEY_CURRENT_USER, ServerEntryPath(), KEY_WRITE);
    servers.DeleteValue(std::to_string(::GetCurrentProcessId()));
}

}  // namespace standin
