#pragma once
// One call as the stand-in host writes it into its log, and the text of a log
// line. The server encodes, the tests' control library decodes; both sides
// share this code so that the format has one definition. Portable.
//
// Line: tab-separated fields, each with '\\', tab and newline escaped as
// "\\\\", "\\t" and "\\n":
//   <dispid> <method> <status, 8 hex digits> <process id> <side> [<FromVesko>
//   <VeskoLaunchApp> <PCCardDrive>] <argument>...
// <side> is "S" when the three side-channel fields follow, "-" otherwise; an
// absent side-channel value is written "~" (a PCCardDrive text "~" is "\\~").

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

// The applet's registry values as the server found them during a call;
// std::nullopt where the value was missing (or of another type).
struct SideChannel {
    std::optional<long> fromVesko;
    std::optional<long> veskoLaunchApp;
    std::optional<std::string> pcCardDrive;

    bool operator==(const SideChannel &other) const {
        return fromVesko == other.fromVesko && veskoLaunchApp == other.veskoLaunchApp &&
               pcCardDrive == other.pcCardDrive;
    }
};

struct CallRecord {
    long dispid = 0;
    std::string method;  // the method's name, "?" for an unknown DISPID
    int32_t status = 0;  // what Invoke returned (an HRESULT, 32 bits everywhere)
    unsigned long process = 0;
    // The arguments in their natural order (the last of DISPPARAMS first),
    // each as it arrived: "BOOL:-1", "BOOL:0", "I4:123", "I2:1",
    // "BSTR:text", "BSTR(null)" for a null string, "VT<n>" for other types
    // (the framework's test support writes them: variant_text.h).
    std::vector<std::string> args;
    // Read at OpenTask and OpenTaskEx calls only.
    std::optional<SideChannel> sideChannel;
};

std::string EncodeCallLine(const CallRecord &call);
// std::nullopt for a line that is not in the format above.
std::optional<CallRecord> DecodeCallLine(const std::string &line);

// For test messages: OpenTask(BOOL:0, BOOL:0, BOOL:-1) = 0x00000000
// [FromVesko=1 VeskoLaunchApp=1 PCCardDrive=absent]
std::string DescribeCall(const CallRecord &call);

}  // namespace standin
