// On POSIX the host's file handle is a file descriptor.
#include "file_sink.h"

#include <cerrno>
#include <unistd.h>

namespace peltrix {
namespace {

class DescriptorFileSink final : public FileSink {
public:
    bool append(int handle, const void *bytes, int count) override {
        const char *next = static_cast<const char *>(bytes);
        while (count > 0) {
            ssize_t written = ::write(handle, next, static_cast<size_t>(count));
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                return false;
            // No progress without an error: name the usual cause, so the host
            // never reads a stale errno.
            if (written == 0) {
                errno = ENOSPC;
                return false;
            }
            next += written;
            count -= static_cast<int>(written);
        }
        return true;
    }
};

}  // namespace

FileSink &platformFileSink() {
    static DescriptorFileSink sink;
    return sink;
}

}  // namespace peltrix
