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
    void append(int handle, const void *bytes, int count) override {
        const auto *first = static_cast<const std::uint8_t *>(bytes);
        files[handle].insert(files[handle].end(), first, first + count);
        ++appends;
    }

    std::map<int, std::vector<std::uint8_t>> files;
    int appends = 0;
};

}  // namespace test
}  // namespace peltrix

#endif
