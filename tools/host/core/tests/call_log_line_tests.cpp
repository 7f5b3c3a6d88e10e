// The log line format: what the server writes comes back unchanged, whatever
// the texts hold, and lines of another shape are refused.
#include <gtest/gtest.h>

#include "call_log_line.h"

namespace standin_test {
namespace {

using standin::CallRecord;
using standin::SideChannel;

struct RoundTripCase {
    const char *name;
    CallRecord call;
};

CallRecord Make(long dispid, const char *method, int32_t status, std::vector<std::string> args,
                std::optional<SideChannel> side = std::nullopt) {
    CallRecord call;
    call.dispid = dispid;
    call.method = method;
    call.status = status;
    call.process = 4242;
    call.args = std::move(args);
    call.sideChannel = side;
    return call;
}

const RoundTripCase kRoundTrips[] = {
    {"no arguments", Make(25, "EndTask", 0, {})},
    {"failure status keeps its bits", Make(99, "?", static_cast<int32_t>(0x80020003u), {"I4:1"})},
    {"texts with tabs, newlines, backslashes",
     Make(40, "SetClientTitle", 0, {"BSTR:a\tb\nc\\d\\t"})},
    {"empty and null strings", Make(39, "OpenTaskEx", 0, {"BSTR:", "BOOL:0", "BOOL:0", "BOOL:-1"},
                                    SideChannel{1, 0, std::string()})},
    {"absent side-channel values", Make(38, "OpenTask", 0, {"BOOL:0", "BOOL:0", "BOOL:-1"},
                                        SideChannel{std::nullopt, std::nullopt, std::nullopt})},
    {"a drive text that looks like the absent mark",
     Make(38, "OpenTask", 0, {"BSTR:~"}, SideChannel{-1, 1, std::string("~")})},
    {"null string argument", Make(40, "SetClientTitle", 0, {"BSTR(null)"})},
};

TEST(CallLogLine, DecodesWhatItEncoded) {
    for (const RoundTripCase &c : kRoundTrips) {
        SCOPED_TRACE(c.name);
        const std::string line = standin::EncodeCallLine(c.call);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        std::optional<CallRecord> back = standin::DecodeCallLine(line);
        ASSERT_TRUE(back.has_value()) << line;
        EXPECT_EQ(back->dispid, c.call.dispid);
        EXPECT_EQ(back->method, c.call.method);
        EXPECT_EQ(back->status, c.call.status);
        EXPECT_EQ(back->process, c.call.process);
        EXPECT_EQ(back->args, c.call.args);
        EXPECT_EQ(back->sideChannel.has_value(), c.call.sideChannel.has_value());
        if (back->sideChannel && c.call.sideChannel) {
            EXPECT_TRUE(*back->sideChannel == *c.call.sideChannel)
                << standin::DescribeCall(*back) << " vs " << standin::DescribeCall(c.call);
        }
    }
}

TEST(CallLogLine, RefusesOtherLines) {
    const char *const kBad[] = {
        "",
        "25\tEndTask\t00000000\t1",            // no side field
        "x\tEndTask\t00000000\t1\t-",          // dispid not a number
        "25\tEndTask\tzz\t1\t-",               // status not hex
        "38\tOpenTask\t00000000\t1\tS\t1\t1",  // side channel cut short
        "38\tOpenTask\t00000000\t1\tS\tone\t1\t~",
        "25\tEndTask\t00000000\t1\t?",                    // unknown side marker
        "40\tSetClientTitle\t00000000\t1\t-\tBSTR:a\\q",  // unknown escape
        "40\tSetClientTitle\t00000000\t1\t-\tBSTR:a\\",   // escape cut off
    };
    for (const char *line : kBad)
        EXPECT_FALSE(standin::DecodeCallLine(line).has_value()) << line;
}

TEST(CallLogLine, DescribesForMessages) {
    CallRecord call = Make(38, "OpenTask", 0, {"BOOL:0", "BOOL:0", "BOOL:-1"},
                           SideChannel{1, std::nullopt, std::string("E:")});
    EXPECT_EQ(standin::DescribeCall(call),
              "OpenTask(BOOL:0, BOOL:0, BOOL:-1) = 0x00000000 [FromVesko=1 "
              "VeskoLaunchApp=absent PCCardDrive=\"E:\"]");
}

}  // namespace
}  // namespace standin_test
