#include "sim_runner.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <system_error>

#include "camera_engine.h"
#include "camera_line.h"
#include "host_ports.h"
#include "picture_reload.h"
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
// The build runs beside the serving, and the new set takes the old one's
// place between two answers: the answer under way, and those the host asks
// for meanwhile, are served whole from the old set.
void takeReloadedPictures(PictureReload &reload, camsim::CameraEngine &engine, std::ostream &err) {
    std::string error;
    std::optional<camsim::PictureStore> fresh = reload.take(error);
    if (fresh)
        engine.changePictures([&fresh](camsim::PictureStore &store) { store = std::move(*fresh); });
    else if (!error.empty())
        err << "pdr-sim: picture set kept: " << error << std::endl;
}

// Serves until a stop signal. `lineFd` carries the host's bytes.
void serve(int lineFd, camsim::CameraLine &line, Signals &signals, PictureReload &reload,
           camsim::CameraEngine &engine, std::ostream &err) {
    uint8_t buffer[4096];
    for (;;) {
        struct pollfd p[4] = {{lineFd, POLLIN, 0},
                              {signals.stop.fd(), POLLIN, 0},
                              {signals.reload.fd(), POLLIN, 0},
                              {reload.fd(), POLLIN, 0}};
        if (poll(p, 4, -1) < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (p[1].revents & POLLIN)
            return;
        if ((p[2].revents & POLLIN) && signals.reload.consume())
            reload.request();
        if (p[3].revents & POLLIN)
            takeReloadedPictures(reload, engine, err);
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
        // Builds run on a thread of their own, started with the signals
        // above blocked, so that only this loop takes them.
        PictureReload reload([&options] { return buildPictures(options); });

        if (!options.device.empty()) {
            platform::UniqueFd device = openSerialDevice(options.device);
            DevicePort port(device.Get());
            camsim::CameraLine line(engine, port, clock);
            out << options.device << std::endl;
            serve(device.Get(), line, signals, reload, engine, err);
            return 0;
        }

        PseudoTerminal pty = PseudoTerminal::create();
        std::optional<SymlinkGuard> link;
        if (!options.link.empty())
            link.emplace(pty.slavePath(), options.link);
        PtyHostPort port(pty.master(), pty.slave(), signals.stop);
        camsim::CameraLine line(engine, port, clock);
        out << pty.slavePath() << std::endl;
        serve(pty.master(), line, signals, reload, engine, err);
        return 0;
    } catch (const std::exception &e) {
        err << "pdr-sim: " << e.what() << std::endl;
        return 1;
    }
}

}  // namespace pdrsim
