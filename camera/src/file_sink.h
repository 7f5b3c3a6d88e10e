// Where transferred pictures go: the host's open file handle, appended to.
#pragma once

namespace peltrix {

class FileSink {
public:
    virtual ~FileSink() = default;
    // Appends count bytes to the host's file. False when the platform's write
    // failed or stored fewer bytes; its reason (errno, GetLastError) is left
    // as the write set it.
    virtual bool append(int handle, const void *bytes, int count) = 0;
};

// The platform's own way of appending to a host file handle.
FileSink &platformFileSink();

}  // namespace peltrix
