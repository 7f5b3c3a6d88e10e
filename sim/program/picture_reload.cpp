#include "picture_reload.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace pdrsim {

PictureReload::PictureReload(Builder build)
    : build_(std::move(build)), done_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!done_)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

PictureReload::~PictureReload() {
    if (worker_.joinable())
        worker_.join();
}

void PictureReload::request() {
    if (worker_.joinable())
        again_ = true;
    else
        start();
}

void PictureReload::start() {
    result_.reset();
    error_.clear();
    worker_ = std::thread([this] {
        try {
            result_ = build_();
        } catch (const std::exception &e) {
            error_ = e.what();
        }
        const uint64_t one = 1;
        (void)::write(done_.Get(), &one, sizeof one);
    });
}

std::optional<camsim::PictureStore> PictureReload::take(std::string &error) {
    uint64_t count = 0;
    if (::read(done_.Get(), &count, sizeof count) != static_cast<ssize_t>(sizeof count))
        return std::nullopt;
    worker_.join();
    std::optional<camsim::PictureStore> finished = std::move(result_);
    error = error_;
    if (again_) {
        again_ = false;
        start();
    }
    return finished;
}

}  // namespace pdrsim
