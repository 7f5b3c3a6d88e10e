// On Windows the host's file handle is an HFILE, appended to with _lwrite.
#include "file_sink.h"

#include <windows.h>

namespace peltrix {
namespace {

class HfileFileSink final : public FileSink {
public:
    void append(int handle, const void *bytes, int count) override {
        _lwrite(static_cast<HFILE>(handle), static_cast<LPCCH>(bytes), static_cast<UINT>(count));
    }
};

}  // namespace

FileSink &platformFileSink() {
    static HfileFileSink sink;
    return sink;
}

}  // namespace peltrix
