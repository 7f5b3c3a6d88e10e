#include "win32_serial_line.h"

#include <algorithm>

namespace comm32 {

namespace {

// A write that has not finished after this long (plus 2 ms a byte, more than
// a byte takes at 9600 bits per second) is cut short.
constexpr DWORD kWriteTimeoutMs = 5000;
constexpr DWORD kWriteMsPerByte = 2;

}  // namespace

std::unique_ptr<Win32SerialLine> Win32SerialLine::open(const std::string &path,
                                                       const OpenRequest &request) {
    platform::UniqueFile handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!handle)
        return nullptr;
    std::unique_ptr<Win32SerialLine> line(new Win32SerialLine(std::move(handle)));
    if (request.inQueue > 0 && request.outQueue > 0) {
        // Only a wish: a driver that keeps its own sizes still works.
        (void)::SetupComm(line->handle_.Get(), static_cast<DWORD>(request.inQueue),
                          static_cast<DWORD>(request.outQueue));
    }
    if (!line->configure(request.speed) || !line->useReadWait(0))
        return nullptr;
    // Start clean: nothing left over from an earlier user in either direction.
    ::PurgeComm(line->handle_.Get(), PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return line;
}

bool Win32SerialLine::configure(int bitsPerSecond) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle_.Get(), &dcb))
        return false;
    dcb.BaudRate = static_cast<DWORD>(bitsPerSecond);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    // No handshake of either kind; DTR and RTS stay as last chosen, so that a
    // speed change does not drop them.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = linesRaised_ ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = linesRaised_ ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    if (!::SetCommState(handle_.Get(), &dcb))
        return false;
    // A driver may take a speed it cannot run and round it: believe only
    // what it reports back.
    DCB applied{};
    applied.DCBlength = sizeof applied;
    return ::GetCommState(handle_.Get(), &applied) &&
           applied.BaudRate == static_cast<DWORD>(bitsPerSecond) && applied.ByteSize == 8 &&
           applied.Parity == NOPARITY && applied.StopBits == ONESTOPBIT;
}

bool Win32SerialLine::setSpeed(int bitsPerSecond) {
    // Bytes still on their way out go at the speed they were written for.
    (void)::FlushFileBuffers(handle_.Get());
    return configure(bitsPerSecond);
}

void Win32SerialLine::setModemLines(bool raised) {
    linesRaised_ = raised;
    // Ports without modem-control lines refuse: never an error.
    (void)::EscapeCommFunction(handle_.Get(), raised ? SETDTR : CLRDTR);
    (void)::EscapeCommFunction(handle_.Get(), raised ? SETRTS : CLRRTS);
}

bool Win32SerialLine::useReadWait(DWORD waitMs) {
    if (waitMs == readWaitMs_)
        return true;
    COMMTIMEOUTS timeouts{};
    // MAXDWORD interval with no total: hand over what is waiting at once.
    // MAXDWORD interval and multiplier with a constant: the same, but wait up
    // to the constant for the first byte.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutMultiplier = kWriteMsPerByte;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!::SetCommTimeouts(handle_.Get(), &timeouts))
        return false;
    readWaitMs_ = waitMs;
    return true;
}

int Win32SerialLine::send(const unsigned char *bytes, int count) {
    DWORD written = 0;
    // On a time-out WriteFile fails but still reports what went out.
    (void)::WriteFile(handle_.Get(), bytes, static_cast<DWORD>(count), &written, nullptr);
    return static_cast<int>(written);
}

int Win32SerialLine::receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) {
    // MAXDWORD itself would mean "no time-out chosen yet".
    const auto waitMs = static_cast<DWORD>(std::clamp<long long>(wait.count(), 0, MAXDWORD - 1));
    if (!useReadWait(waitMs))
        return -1;
    DWORD got = 0;
    if (!::ReadFile(handle_.Get(), buffer, static_cast<DWORD>(maxCount), &got, nullptr))
        return -1;
    return static_cast<int>(got);
}

}  // namespace comm32
