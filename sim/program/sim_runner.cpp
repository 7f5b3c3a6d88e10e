#include "sim_runner.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <system_error>

#include "camera_engine.h"
#include "camera_line.h"
#include "host_ports.h"
#include "pseudo_terminal.h"
#include "serial_device.h"
#include "signal_aware_clock.h"
#include "signal_watch.h"
#include "symlink_guard.h"

namespace pdrsim {

namespace {

camsim::PictureStore buildPictures(const ProgramOptions &options) {
    const auto files = options.pictures.empty() ? camsim::builtInPictureFiles()
                                                : camsim::loadPictureFolder(options.pictures);
    return camsim::arrangeInGroups(files, options.layout);
}

struct Signals {
    SignalWatch stop{SIGTERM, SIGINT};
    SignalWatch reload{SIGHUP};
};

// SIGHUP stands for a change made on the camera itself (a card swapped, a
// picture erased with the camera's buttons): the picture set is built
// again, from the folder as it is now, and the host is told with status 137.
void reloadPictures(const ProgramOptions &options, camsim::CameraEngine &engine,
                    std::ostream &err) {
    try {
        camsim::PictureStore fresh = buildPictures(options);
        engine.changePictures([&fresh](camsim::PictureStore &store) { store = std::move(fresh); });
    } catch (const std::exception &e) {
        err << "pdr-sim: picture set kept: " << e.what() << std::endl;
    }
}

// Serves until a stop signal. `lineFd` carries the host's bytes.
void serve(int lineFd, camsim::CameraLine &line, Signals &signals,
           const std::function<void()> &onReload, std::ostream &err) {
    uint8_t buffer[4096];
    for (;;) {
        struct pollfd p[3] = {
            {lineFd, POLLIN, 0}, {signals.stop.fd(), POLLIN, 0}, {signals.reload.fd(), POLLIN, 0}};
        if (poll(p, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (p[1].revents & POLLIN)
            return;
        if ((p[2].revents & POLLIN) && signals.reload.consume())
            onReload();
        if (p[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = ::read(lineFd, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n <= 0) {
                err << "pdr-sim: line closed\n";
                return;
            }
            if (!line.onHostBytes(buffer, static_cast<size_t>(n)))
                return;
        }
    }
}

}  // namespace

int runSimulator(const ProgramOptions &options, std::ostream &out, std::ostream &err) {
    try {
        camsim::PictureStore pictures = buildPictures(options);
        if (!options.exportDir.empty())
            camsim::exportPictures(pictures, options.exportDir);
        if (options.verbose)
            err << "pdr-sim: " << pictures.size() << " pictures in " << pictures.groups().size()
                << " groups, " << pictures.totalBytes() << " bytes" << std::endl;

        camsim::CameraEngine engine(options.profile, std::move(pictures),
                                    camsim::FaultPlan(options.faults));
        if (options.verbose)
            engine.setLogger(
                [&err](const std::string &line) { err << "pdr-sim: " << line << std::endl; });

        Signals signals;
        SignalAwareClock clock(signals.stop);
        const auto onReload = [&] { reloadPictures(options, engine, err); };

        if (!options.device.empty()) {
            UniqueFd device = openSerialDevice(options.device);
            DevicePort port(device.get());
            camsim::CameraLine line(engine, port, clock);
            out << options.device << std::endl;
            serve(device.get(), line, signals, onReload, err);
            return 0;
        }

        PseudoTerminal pty = PseudoTerminal::create();
        std::optional<SymlinkGuard> link;
        if (!options.link.empty())
            link.emplace(pty.slavePath(), options.link);
        PtyHostPort port(pty.master(), pty.slave(), signals.stop);
        camsim::CameraLine line(engine, port, clock);
        out << pty.slavePath() << std::endl;
        serve(pty.master(), line, signals, onReload, err);
        return 0;
    } catch (const std::exception &e) {
        err << "pdr-sim: " << e.what() << std::endl;
        return 1;
    }
}

}  // namespace pdrsim
