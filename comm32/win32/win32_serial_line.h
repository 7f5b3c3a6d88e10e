// A Windows COM port as a raw 8N1 serial line over the comm API.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform_line.h"
#include "serial_line.h"
#include "platform/win32_handles.h"

namespace comm32 {

class Win32SerialLine final : public SerialLine {
public:
    // nullptr when the port cannot be opened (absent, or open elsewhere) or
    // refuses the configuration.
    static std::unique_ptr<Win32SerialLine> open(const std::string &path,
                                                 const OpenRequest &request);

    bool setSpeed(int bitsPerSecond) override;
    void setModemLines(bool raised) override;
    int send(const unsigned char *bytes, int count) override;
    int receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) override;

private:
    explicit Win32SerialLine(platform::UniqueFile handle) : handle_(std::move(handle)) {}
    bool configure(int bitsPerSecond);
    bool useReadWait(DWORD waitMs);

    platform::UniqueFile handle_;
    bool linesRaised_ = true;      // DTR and RTS, kept across speed changes
    DWORD readWaitMs_ = MAXDWORD;  // the read time-out now set in the driver; MAXDWORD: none yet
};

}  // namespace comm32
