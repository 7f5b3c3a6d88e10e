// On POSIX the host's file handle is a file descriptor.
#include "file_sink.h"

#include <cerrno>
#include <unistd.h>

namespace peltrix {
namespace {

class DescriptorFileSink final : public FileSink {
public:
    void append(int handle, const void *bytes, int count) override {
        const char *next = static_cast<const char *>(bytes);
        while (count > 0) {
            ssize_t written = ::write(handle, next, static_cast<size_t>(count));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return;
            next += written;
            count -= static_cast<int>(written);
        }
    }
};

}  // namespace

FileSink &platformFileSink() {
    static DescriptorFileSink sink;
    return sink;
}

}  // namespace peltrix
