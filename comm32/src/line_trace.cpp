#include "line_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace comm32 {
namespace {

// The trace's destination, process-wide as the port table is.
struct TraceSink {
    std::FILE *file = nullptr;
    bool owned = false;
    std::string where;

    ~TraceSink() { close(); }
    void close() {
        if (owned && file)
            std::fclose(file);
        file = nullptr;
        owned = false;
        where.clear();
    }
};

TraceSink &sink() {
    static TraceSink instance;
    return instance;
}

constexpr int kShownBytes = 16;

}  // namespace

void startLineTrace() {
    const char *where = std::getenv("COMM32_TRACE");
    TraceSink &trace = sink();
    if (!where || !*where) {
        trace.close();
        return;
    }
    if (trace.file && trace.where == where)
        return;
    trace.close();
    trace.where = where;
    if (trace.where == "-") {
        trace.file = stderr;
    } else {
        trace.file = std::fopen(where, "a");
        trace.owned = trace.file != nullptr;
    }
}

void traceLine(int port, const char *what, int number, const unsigned char *bytes, int count) {
    std::FILE *file = sink().file;
    if (!file)
        return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const long millis = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    std::fprintf(file, "%02d:%02d:%02d.%03ld com%d %-5s %6d", utc.tm_hour, utc.tm_min, utc.tm_sec,
                 millis, port, what, number);
    for (int i = 0; bytes && i < count && i < kShownBytes; ++i)
        std::fprintf(file, " %02x", bytes[i]);
    if (bytes && count > kShownBytes)
        std::fprintf(file, " ...");
    std::fputc('\n', file);
    std::fflush(file);
}

}  // namespace comm32
