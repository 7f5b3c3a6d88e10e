#include "commands.h"

#include "exit_codes.h"
#include "transfer_progress.h"

#include <cstdint>
#include <iomanip>

namespace pdrcam {

int runList(const CameraApi &api, Console &console) {
    const int count = api.Cam_get_picture_count();
    if (count < 0)
        return reportCameraError(console, "reading the picture directory", api.Cam_error());
    if (count == 0) {
        console.out << "The camera holds no pictures.\n";
        return kExitOk;
    }
    console.out << std::right << std::setw(6) << "Number"
                << "  " << std::left << std::setw(6) << "Group" << std::right << std::setw(10)
                << "Size"
                << "  Type\n";
    uint64_t totalBytes = 0;
    for (int n = 1; n <= count; ++n) {
        const int size = api.Cam_get_picture_size(n);
        int32_t type = 0;
        api.Cam_get_picture_type(n, &type);
        totalBytes += size > 0 ? static_cast<uint64_t>(size) : 0;
        // The library reports type 1 exactly for pictures of group 0.
        console.out << std::right << std::setw(6) << n << "  " << std::left << std::setw(6)
                    << (type == 1 ? "0" : "other") << std::right << std::setw(10) << size << "  "
                    << type << "\n";
    }
    console.out << count << (count == 1 ? " picture, " : " pictures, ") << totalBytes << " bytes ("
                << formatBytes(totalBytes) << ")\n";
    return kExitOk;
}

}  // namespace pdrcam
