// Captures what the library appends to host files, per handle.
#ifndef PELTRIX_TESTS_RECORDING_FILE_SINK_H
#define PELTRIX_TESTS_RECORDING_FILE_SINK_H

#include "file_sink.h"

#include <cstdint>
#include <map>
#include <vector>

namespace peltrix {
namespace test {

class RecordingFileSink : public FileSink {
public:
    bool append(int handle, const void *bytes, int count) override {
        if (failAfter >= 0 && appends >= failAfter)
            return false;
        const auto *first = static_cast<const std::uint8_t *>(bytes);
        files[handle].insert(files[handle].end(), first, first + count);
        ++appends;
        return true;
    }

    std::map<int, std::vector<std::uint8_t>> files;
    int appends = 0;
    int failAfter = -1;  // refuse every append after this many (-1: never)
};

}  // namespace test
}  // namespace peltrix

#endif
