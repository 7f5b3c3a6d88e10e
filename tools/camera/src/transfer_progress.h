#pragma once
// Arithmetic and text of the progress display: bytes done from the library's
// percentage, rate, time left, and the one-line bar drawn on a terminal.

#include <cstdint>
#include <optional>
#include <string>

namespace pdrcam {

// Bytes done when the library reports `percent` of a `total`-byte picture.
// The library computes the percentage with integer division, so this is the
// lower bound of what has really arrived.
uint64_t bytesForPercent(uint64_t total, int percent);

// Bytes per second; nullopt while no time has passed.
std::optional<double> transferRate(uint64_t bytes, double seconds);

// Seconds still needed at the rate so far; nullopt while the rate is unknown.
std::optional<double> secondsLeft(uint64_t done, uint64_t total, double seconds);

// "512 B", "12.3 KB", "4.56 MB" (units of 1024).
std::string formatBytes(uint64_t bytes);
// "11.2 KB/s"; "--" when unknown.
std::string formatRate(std::optional<double> bytesPerSecond);
// "0:07", "12:34", "1:02:03"; "--:--" when unknown.
std::string formatDuration(std::optional<double> seconds);

struct ProgressState {
    std::string label;   // file being written
    uint64_t total = 0;  // picture size in bytes
    int percent = 0;     // last value from the library
    double seconds = 0;  // since the transfer began
};

// The bar for a terminal `width` characters wide, without line ending:
// "PIC00001.JPG [#####.....]  50% 40.0 KB 11.2 KB/s 0:04 left". Never longer
// than width - 1, so that the cursor does not wrap.
std::string renderProgressLine(const ProgressState &state, int width);

// The line printed once a picture is complete.
std::string renderDoneLine(const std::string &label, uint64_t bytes, double seconds);

}  // namespace pdrcam
