// The host's file as the fuzz target sees it: every append goes on to the
// platform's file, after a check that the library writes only what a
// transfer may write. Every byte written into a picture or thumbnail file
// comes from an answer to a request for one and the same picture (group,
// number): the one the host's number named when the call began, when the
// library knew its table then. A picture's file never grows past the
// picture's size. Nothing is written outside a transfer.
#pragma once

#include "cam_core.h"
#include "file_sink.h"
#include "fuzz_line.h"

#include <cstdint>

namespace peltrix {
namespace fuzz {

class TransferCheck final : public FileSink {
public:
    TransferCheck(FileSink &files, const FuzzLine &line) : files(files), line(line) {}

    // The library whose table gives the pictures' sizes.
    void watch(const CamCore &library) { core = &library; }

    // One transfer call, from its start to its end.
    class Call {
    public:
        Call(TransferCheck &check, std::uint8_t request, int picture);
        ~Call() { check.request = 0; }
        Call(const Call &) = delete;
        Call &operator=(const Call &) = delete;

    private:
        TransferCheck &check;
    };

    bool append(int handle, const void *bytes, int count) override;

private:
    std::int32_t sizeOf(std::int32_t group, std::int32_t number) const;

    FileSink &files;
    const FuzzLine &line;
    const CamCore *core = nullptr;
    std::uint8_t request = 0;  // the command a call's bytes must answer; 0: no call
    bool expectedKnown = false;
    CamPicture expected{};  // the picture the call must write
    long written = 0;       // bytes the call has written
};

}  // namespace fuzz
}  // namespace peltrix
