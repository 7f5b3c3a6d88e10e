// A pseudo-terminal pair: the camera uses the master side; the host opens
// the slave by its path. The slave stays open here as well, so that the
// host may open and close it as often as it likes without the master
// seeing a hang-up, and so that its settings (the host's speed) can be read.
#pragma once

#include <string>

#include "platform/unique_fd.h"

namespace pdrsim {

class PseudoTerminal {
public:
    // Throws std::system_error on failure. The slave starts raw at 19200.
    static PseudoTerminal create();

    int master() const { return master_.Get(); }
    int slave() const { return slave_.Get(); }
    const std::string &slavePath() const { return slavePath_; }

private:
    platform::UniqueFd master_;
    platform::UniqueFd slave_;
    std::string slavePath_;
};

}  // namespace pdrsim
