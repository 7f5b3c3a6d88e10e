// On Windows the host's file handle is an HFILE, appended to with _lwrite.
#include "file_sink.h"

#include <windows.h>

namespace peltrix {
namespace {

class HfileFileSink final : public FileSink {
public:
    bool append(int handle, const void *bytes, int count) override {
        const UINT written = _lwrite(static_cast<HFILE>(handle), static_cast<LPCCH>(bytes),
                                     static_cast<UINT>(count));
        if (written == static_cast<UINT>(count))
            return true;
        // A short write without an error code of its own is a full disk.
        if (written != static_cast<UINT>(HFILE_ERROR))
            SetLastError(ERROR_DISK_FULL);
        return false;
    }
};

}  // namespace

FileSink &platformFileSink() {
    static HfileFileSink sink;
    return sink;
}

}  // namespace peltrix
