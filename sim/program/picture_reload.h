// Builds the picture set again away from the serving loop, so that no answer
// waits for it (building the pictures takes longer than the host waits for
// an answer). The loop starts a build at SIGHUP, watches fd(), and puts the
// finished set in place between two answers.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "picture_store.h"
#include "platform/unique_fd.h"

namespace pdrsim {

class PictureReload {
public:
    using Builder = std::function<camsim::PictureStore()>;

    explicit PictureReload(Builder build);  // throws std::system_error
    ~PictureReload();                      // waits for a build under way
    PictureReload(const PictureReload &) = delete;
    PictureReload &operator=(const PictureReload &) = delete;

    // Starts a build; one asked for while another runs starts after it.
    void request();
    // Readable once a build has finished.
    int fd() const { return done_.Get(); }
    // The finished set, or nothing with the reason in `error` when the build
    // failed. Call when fd() is readable.
    std::optional<camsim::PictureStore> take(std::string &error);

private:
    void start();

    Builder build_;
    platform::UniqueFd done_;
    std::thread worker_;
    bool again_ = false;
    std::optional<camsim::PictureStore> result_;
    std::string error_;
};

}  // namespace pdrsim
