// libFuzzer target of the camera library: a fresh library core per input,
// over a serial line scripted by the same input (fuzz_line.h), driven through
// a sequence of the working exports that the input chooses. Each export
// takes one byte, op % kOperationCount in the order of the switch below, and
// one byte per argument. Beyond the sanitizers it fails on canary bytes
// overwritten around the host's buffers, on calls nesting deeper than a small
// stack bound, on inputs whose calls do not finish (see LineLimits) and on
// file writes that a transfer may not make (see TransferCheck): bytes of
// two pictures in one file, or a picture's file past its size.
//
// PELTRIX_FUZZ_TRACE=1 prints every export and line operation of an input,
// for reading a finding: build/fuzz/bin/peltrix_fuzzer FILE.
#include "cam_core.h"
#include "file_sink.h"
#include "fuzz_failure.h"
#include "fuzz_input.h"
#include "fuzz_line.h"
#include "protocol.h"
#include "transfer_check.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>

namespace peltrix {
namespace fuzz {
namespace {

// The deepest sound call takes about 16 KiB of stack: a transfer, its
// exchange, the directory re-read that a re-sync request starts there, and
// the exchanges of that read. Each further level of exchanges nested through
// re-reads takes 5 to 8 KiB more, so this bound allows about two of them.
constexpr std::uintptr_t kMaxStackBytes = 32 * 1024;
// Each input byte sets off at most about a hundred line operations (one
// decision that sends the directory to be read again, say); a call that has
// not finished after this many per byte never will.
constexpr long kOperationsPerInputByte = 256;
constexpr long kOperationsAtLeast = 100000;

constexpr int kCanarySize = 64;
constexpr std::uint8_t kCanary = 0xBD;
constexpr int kTextSize = 1025;  // what the library may write into a text buffer

// A host buffer with canary bytes on both sides.
template <int Size>
class GuardedBuffer {
public:
    GuardedBuffer() { std::memset(bytes, kCanary, sizeof bytes); }
    std::uint8_t *data() { return bytes + kCanarySize; }
    void check(const char *call) const {
        for (int i = 0; i < kCanarySize; ++i)
            if (bytes[i] != kCanary || bytes[kCanarySize + Size + i] != kCanary)
                fuzzFailure("%s wrote outside the host's %d-byte buffer", call, Size);
    }

private:
    alignas(16) std::uint8_t bytes[kCanarySize + Size + kCanarySize];
};

// The host's file for transfers, in memory, closed at the end of the input.
class MemoryFile {
public:
    MemoryFile() : fd(memfd_create("peltrix-fuzz", MFD_CLOEXEC)) {
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
    }
    ~MemoryFile() { ::close(fd); }
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;
    int handle() const { return fd; }

private:
    int fd;
};

// Goes on while the percentage is below the cookie: 0 stops at once, 101 never.
int CAM_CALL progressUntilCookie(int cookie, int zero, int percent) {
    if (zero != 0 || percent < 0 || percent > 100)
        fuzzFailure("progress callback called with (%d, %d, %d)", cookie, zero, percent);
    return percent < cookie ? 1 : 0;
}

int pictureNumber(std::uint8_t byte) {
    static constexpr int kFar[] = {-1, 255, 256, 999, 1000, 1001, INT_MAX, INT_MIN};
    return byte < 0xF8 ? byte % 12 : kFar[byte - 0xF8];
}

enum Operation {
    SetPort,
    SetSpeed,
    SessionEnabled,
    Ready,
    ResetDll,
    SetupCallback,
    Error,
    PictureCount,
    PictureSize,
    ThumbnailSize,
    PictureType,
    PictureFile,
    ThumbnailFile,
    EraseSelect,
    EraseLast,
    EraseAll,
    Version,
    Maker,
    CamType,
    MemoryStatus,
    kOperationCount
};

class Driver {
public:
    Driver(FuzzInput &input, FuzzLine &line, bool trace)
        : input(input), trace(trace), files(platformFileSink(), line),
          core(new CamCore(line, files)) {
        files.watch(*core);
    }

    void run() {
        while (!input.exhausted())
            call(static_cast<Operation>(input.take(0) % kOperationCount));
    }

private:
    std::uint8_t arg() { return input.take(0); }

    void report(const char *name, int argument, int result) {
        if (trace)
            std::fprintf(stderr, "%s(%d) -> %d, error %d, session %d\n", name, argument, result,
                         core->Cam_error(), core->sessionState());
    }

    void callText(const char *name, int (CamCore::*export_)(char *)) {
        GuardedBuffer<kTextSize> text;
        const int result = (core.get()->*export_)(reinterpret_cast<char *>(text.data()));
        text.check(name);
        report(name, 0, result);
    }

    void call(Operation op) {
        CamCore &c = *core;
        int a = 0;
        switch (op) {
        case SetPort:
            a = arg() % 12 - 1;
            return report("Cam_set_port", a, c.Cam_set_port(a));
        case SetSpeed:
            a = arg() % 20 - 1;
            return report("Cam_set_speed", a, c.Cam_set_speed(a));
        case SessionEnabled:
            a = arg() % 3;
            return report("Cam_session_enabled", a, c.Cam_session_enabled(a));
        case Ready:
            return report("Cam_ready", 0, c.Cam_ready());
        case ResetDll:
            return report("Cam_reset_dll", 0, c.Cam_reset_dll());
        case SetupCallback:
            a = arg();
            if (a == 0xFF)
                return report("Cam_setup_callback", -1, c.Cam_setup_callback(nullptr, 0));
            a %= 102;
            return report("Cam_setup_callback", a, c.Cam_setup_callback(progressUntilCookie, a));
        case Error:
            return report("Cam_error", 0, c.Cam_error());
        case PictureCount:
            return report("Cam_get_picture_count", 0, c.Cam_get_picture_count());
        case PictureSize:
            a = pictureNumber(arg());
            return report("Cam_get_picture_size", a, c.Cam_get_picture_size(a));
        case ThumbnailSize:
            a = pictureNumber(arg());
            return report("Cam_get_thumbnail_size", a, c.Cam_get_thumbnail_size(a));
        case PictureType: {
            a = pictureNumber(arg());
            GuardedBuffer<sizeof(int)> type;
            const bool withResult = arg() & 1;
            int *target = withResult ? reinterpret_cast<int *>(type.data()) : nullptr;
            const int result = c.Cam_get_picture_type(a, target);
            type.check("Cam_get_picture_type");
            return report("Cam_get_picture_type", a, result);
        }
        case PictureFile: {
            a = pictureNumber(arg());
            TransferCheck::Call transfer(files, CMD_PICTURE_DATA, a);
            return report("Cam_get_picture_file", a, c.Cam_get_picture_file(file.handle(), a));
        }
        case ThumbnailFile: {
            a = pictureNumber(arg());
            TransferCheck::Call transfer(files, CMD_THUMBNAIL, a);
            return report("Cam_get_thumbnail_file", a, c.Cam_get_thumbnail_file(file.handle(), a));
        }
        case EraseSelect:
            a = pictureNumber(arg());
            return report("Cam_erase_select", a, c.Cam_erase_select(a));
        case EraseLast:
            return report("Cam_erase_last", 0, c.Cam_erase_last());
        case EraseAll:
            return report("Cam_erase_all", 0, c.Cam_erase_all());
        case Version:
            return callText("Cam_get_version", &CamCore::Cam_get_version);
        case Maker:
            return callText("Cam_get_maker", &CamCore::Cam_get_maker);
        case CamType:
            return callText("Cam_get_cam_type", &CamCore::Cam_get_cam_type);
        case MemoryStatus:
            return report("Cam_get_memory_status", 0, c.Cam_get_memory_status());
        case kOperationCount:
            break;
        }
    }

    FuzzInput &input;
    const bool trace;
    MemoryFile file;
    TransferCheck files;
    // On the heap: the picture table is large, and the stack is measured.
    std::unique_ptr<CamCore> core;
};

}  // namespace
}  // namespace fuzz
}  // namespace peltrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    using namespace peltrix::fuzz;
    const char *traceSetting = std::getenv("PELTRIX_FUZZ_TRACE");
    const bool trace = traceSetting && *traceSetting && std::strcmp(traceSetting, "0") != 0;
    const LineLimits limits{
        reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)), kMaxStackBytes,
        std::max(kOperationsAtLeast, kOperationsPerInputByte * static_cast<long>(size))};
    FuzzInput input(data, size);
    FuzzLine line(input, limits, trace);
    Driver(input, line, trace).run();
    if (trace)
        std::fprintf(stderr, "%ld line operations, deepest stack %zu bytes, %lld ms of line time\n",
                     line.operations(), static_cast<std::size_t>(line.deepestStack()), line.now());
    return 0;
}
