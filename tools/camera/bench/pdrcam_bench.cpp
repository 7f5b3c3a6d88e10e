// Measures the camera library against the simulated camera at each speed
// class: picture throughput and directory-read time next to the least time
// the line (10 bits per byte) and the protocol's pauses allow, and the CPU
// time this process (library and serial library) spends during transfers.
//
// usage: pdrcam_bench [--seconds S] [--speeds 9600,19200,...]
#include "camera_library.h"
#include "file_system.h"
#include "pending_file.h"
#include "progress_callback.h"
#include "simulated_camera.h"
#include "speed_classes.h"
#include "transfer_bound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;
using namespace pdrcam;
using namespace pdrcam_bench;

namespace {

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::vector<unsigned char> readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pictures per group, from the exported names NNN_GGG_PPPP.jpg (in order).
std::vector<int> groupSizes(const std::vector<std::string> &exported) {
    std::vector<int> sizes;
    std::string lastGroup;
    for (const std::string &path : exported) {
        const std::string name = fs::path(path).filename().string();
        const std::string group = name.substr(4, name.find('_', 4) - 4);
        if (sizes.empty() || group != lastGroup)
            sizes.push_back(0);
        ++sizes.back();
        lastGroup = group;
    }
    return sizes;
}

struct Row {
    int bitsPerSecond = 0;
    bool ok = false;
    std::string note;
    uint64_t bytes = 0;
    double seconds = 0, bound = 0, cpu = 0;
    double directorySeconds = 0, directoryBound = 0;
};

Row measure(const CameraApi &api, const SpeedClass &speed, double targetSeconds,
            const std::string &work) {
    Row row;
    row.bitsPerSecond = speed.bitsPerSecond;
    const std::string served = work + "/served-" + std::to_string(speed.bitsPerSecond);
    pdrcam_test::SimulatedCamera camera(served);
    if (!camera.started()) {
        row.note = "simulator did not start";
        return row;
    }
    setenv("COMM32_PORT3", camera.ptyPath().c_str(), 1);
    api.Cam_reset_dll();
    api.Cam_setup_callback(cameraProgress, kProgressCookie);
    if (api.Cam_set_port(3) != 3 || api.Cam_set_speed(speed.code) != 0) {
        row.note = "port or speed refused (code " + std::to_string(api.Cam_error()) + ")";
        return row;
    }
    const int opened = api.Cam_session_enabled(1);
    if (opened != 0) {
        row.note = "session did not open (code " + std::to_string(opened) + ")";
        api.Cam_session_enabled(0);
        return row;
    }

    const auto exported = camera.exportedPictures();
    double started = now();
    const int count = api.Cam_get_picture_count();
    row.directorySeconds = now() - started;
    row.directoryBound = directoryBoundSeconds(groupSizes(exported), speed.bitsPerSecond);
    if (count != static_cast<int>(exported.size())) {
        row.note = "picture count " + std::to_string(count) + ", expected " +
                   std::to_string(exported.size());
        api.Cam_session_enabled(0);
        return row;
    }

    // Enough pictures for about targetSeconds on the line.
    const double wanted = targetSeconds * speed.bitsPerSecond / 10.0;
    const double cpuBefore = cpuSeconds();
    row.ok = true;
    for (int n = 1; n <= count && static_cast<double>(row.bytes) < wanted; ++n) {
        std::string error;
        auto file = PendingFile::create(work, "BENCH", error);
        if (!file) {
            row.note = error;
            row.ok = false;
            break;
        }
        started = now();
        const int code = api.Cam_get_picture_file(file->handle(), n);
        row.seconds += now() - started;
        file->finish(error);
        const auto expected = readFile(exported[n - 1]);
        if (code != 0 || readFile(file->temporaryPath()) != expected) {
            row.note =
                "picture " + std::to_string(n) + " failed (code " + std::to_string(code) + ")";
            row.ok = false;
            break;
        }
        row.bytes += expected.size();
        row.bound += pictureBoundSeconds(expected.size(), speed.bitsPerSecond);
    }
    row.cpu = cpuSeconds() - cpuBefore;
    api.Cam_session_enabled(0);
    return row;
}

std::vector<SpeedClass> parseSpeeds(const std::string &list) {
    std::vector<SpeedClass> speeds;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        auto speed = parseSpeed(item);
        if (!speed) {
            std::fprintf(stderr, "pdrcam_bench: unknown speed %s\n", item.c_str());
            std::exit(2);
        }
        speeds.push_back(*speed);
    }
    return speeds;
}

}  // namespace

int main(int argc, char **argv) {
    double targetSeconds = 8;
    std::vector<SpeedClass> speeds(speedClassesBegin(), speedClassesEnd());
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seconds")
            targetSeconds = std::atof(argv[i + 1]);
        else if (option == "--speeds")
            speeds = parseSpeeds(argv[i + 1]);
    }

    std::string error;
    auto library = CameraLibrary::load(PELTRIX_PATH, error);
    if (!library) {
        std::fprintf(stderr, "pdrcam_bench: %s\n", error.c_str());
        return 1;
    }
    const std::string work =
        fs::temp_directory_path() / ("pdrcam-bench-" + std::to_string(currentProcessId()));
    fs::create_directories(work);

    std::printf("%8s %8s %8s %8s %8s %6s | %8s %8s %8s\n", "speed", "bytes", "seconds", "bound s",
                "% bound", "CPU %", "dir s", "dir bnd", "% bound");
    bool allOk = true;
    for (const SpeedClass &speed : speeds) {
        const Row row = measure(library->api(), speed, targetSeconds, work);
        if (!row.ok) {
            std::printf("%8d  %s\n", row.bitsPerSecond, row.note.c_str());
            allOk = false;
            continue;
        }
        std::printf("%8d %8llu %8.2f %8.2f %7.1f%% %5.1f%% | %8.2f %8.2f %7.1f%%\n",
                    row.bitsPerSecond, static_cast<unsigned long long>(row.bytes), row.seconds,
                    row.bound, 100.0 * row.bound / row.seconds, 100.0 * row.cpu / row.seconds,
                    row.directorySeconds, row.directoryBound,
                    100.0 * row.directoryBound / row.directorySeconds);
        std::fflush(stdout);
    }
    fs::remove_all(work);
    return allOk ? 0 : 1;
}
