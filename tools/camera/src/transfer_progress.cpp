#include "transfer_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pdrcam {

uint64_t bytesForPercent(uint64_t total, int percent) {
    const int clamped = std::clamp(percent, 0, 100);
    return total * static_cast<uint64_t>(clamped) / 100;
}

std::optional<double> transferRate(uint64_t bytes, double seconds) {
    if (seconds <= 0)
        return std::nullopt;
    return static_cast<double>(bytes) / seconds;
}

std::optional<double> secondsLeft(uint64_t done, uint64_t total, double seconds) {
    if (done >= total)
        return 0.0;
    auto rate = transferRate(done, seconds);
    if (!rate || *rate <= 0)
        return std::nullopt;
    return static_cast<double>(total - done) / *rate;
}

std::string formatBytes(uint64_t bytes) {
    char text[32];
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%llu B", static_cast<unsigned long long>(bytes));
    else if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f KB", bytes / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.2f MB", bytes / (1024.0 * 1024.0));
    return text;
}

std::string formatRate(std::optional<double> bytesPerSecond) {
    if (!bytesPerSecond)
        return "--";
    return formatBytes(static_cast<uint64_t>(std::llround(*bytesPerSecond))) + "/s";
}

std::string formatDuration(std::optional<double> seconds) {
    if (!seconds || *seconds < 0 || !std::isfinite(*seconds))
        return "--:--";
    const long long whole = std::llround(std::ceil(*seconds));
    const long long h = whole / 3600, m = whole / 60 % 60, s = whole % 60;
    char text[32];
    if (h > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
    return text;
}

std::string renderProgressLine(const ProgressState &state, int width) {
    const int percent = std::clamp(state.percent, 0, 100);
    const uint64_t done = bytesForPercent(state.total, percent);
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " %3d%% %s %s %s left", percent,
                  formatBytes(done).c_str(), formatRate(transferRate(done, state.seconds)).c_str(),
                  formatDuration(secondsLeft(done, state.total, state.seconds)).c_str());
    const int usable = std::max(width - 1, 0);
    const int fixed =
        static_cast<int>(state.label.size() + 3 + std::char_traits<char>::length(numbers));
    const int barWidth = std::min(usable - fixed, 30);
    std::string line = state.label;
    if (barWidth >= 5) {
        const int filled = barWidth * percent / 100;
        line += " [" + std::string(filled, '#') + std::string(barWidth - filled, '.') + "]";
    }
    line += numbers;
    if (static_cast<int>(line.size()) > usable)
        line.resize(usable);
    return line;
}

std::string renderDoneLine(const std::string &label, uint64_t bytes, double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, " %s in %.1f s (%s)", formatBytes(bytes).c_str(), seconds,
                  formatRate(transferRate(bytes, seconds)).c_str());
    return label + text;
}

}  // namespace pdrcam
