#pragma once
// Captures what the library appends to host files, per handle.

#include "file_sink.h"

#include <cstdint>
#include <map>
#include <vector>

namespace peltrix_test {

class RecordingFileSink : public peltrix::FileSink {
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

}  // namespace peltrix_test

