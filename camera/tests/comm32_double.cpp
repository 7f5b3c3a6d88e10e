// A stand-in serial library with the real one's name and functions: it writes
// one line per call to the file named by PELTRIX_COMM32_LOG, opens every port
// and never receives anything.
#include <comm32.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void logCall(const char *format, ...) {
    const char *path = std::getenv("PELTRIX_COMM32_LOG");
    if (!path)
        return;
    std::FILE *log = std::fopen(path, "a");
    if (!log)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
    std::fclose(log);
}

}  // namespace

extern "C" {

int ComOpen(const char *prefix, int port, int speed, int a4, int a5, int a6, int inQueue,
            int outQueue) {
    logCall("ComOpen %s %d %d %d %d %d %d %d", prefix, port, speed, a4, a5, a6, inQueue, outQueue);
    return port;
}
int ComSetFlow(int port, int mode) {
    logCall("ComSetFlow %d %d", port, mode);
    return 1;
}
int ComSetBaud(int port, int speed) {
    logCall("ComSetBaud %d %d", port, speed);
    return 1;
}
int ComWrite(int port, const void *, int count) {
    logCall("ComWrite %d %d", port, count);
    return count;
}
int ComReadTimed(int port, void *, int count, int timeoutMs) {
    logCall("ComReadTimed %d %d %d", port, count, timeoutMs);
    return 0;
}
int ComReadBufToQuiet(int port, void *, int maxCount, int arg) {
    logCall("ComReadBufToQuiet %d %d %d", port, maxCount, arg);
    return 0;
}
int ComSleepMS(int port, int ms) {
    logCall("ComSleepMS %d %d", port, ms);
    return 0;
}
int ComClose(int port) {
    logCall("ComClose %d", port);
    return 1;
}

}  // extern "C"
