#include "camera_engine.h"

#include <algorithm>
#include <cstdio>

#include "byte_order.h"
#include "exchange_log.h"
#include "protocol.h"

namespace camsim {

CameraEngine::CameraEngine(CameraProfile profile, PictureStore pictures, FaultPlan faults)
    : profile_(std::move(profile)), pictures_(std::move(pictures)), faults_(std::move(faults)),
      handler_(profile_, pictures_), lineSpeed_(profile_.startSpeed) {}

void CameraEngine::receive(const uint8_t *bytes, size_t count, Micros now) {
    parser_.feed(bytes, count, now);
    while (auto command = parser_.next())
        process(*command);
}

std::vector<OutputSegment> CameraEngine::takeOutput() {
    std::vector<OutputSegment> out;
    out.swap(output_);
    return out;
}

void CameraEngine::changePictures(const std::function<void(PictureStore &)> &change) {
    change(pictures_);
    resyncPending_ = true;
    log("picture set changed on the camera; next command gets status 137");
}

void CameraEngine::send(const std::vector<uint8_t> &bytes, Micros pauseBefore) {
    if (bytes.empty())
        return;
    if (pauseBefore == 0 && !output_.empty() && output_.back().lineSpeed == lineSpeed_)
        output_.back().bytes.insert(output_.back().bytes.end(), bytes.begin(), bytes.end());
    else
        output_.push_back(OutputSegment{bytes, lineSpeed_, pauseBefore});
}

void CameraEngine::log(const std::string &line) const {
    if (logger_)
        logger_(line);
}

void CameraEngine::eraseOnTheCamera(const CommandPacket &command, Vanishing which) {
    const uint16_t group = command.params.size() >= 4 ? readLe16(&command.params[0]) : 0;
    const uint16_t number = command.params.size() >= 4 ? readLe16(&command.params[2]) : 0;
    changePictures([&](PictureStore &store) {
        const auto &all = store.all();
        const auto asked = std::find_if(all.begin(), all.end(), [&](const StoredPicture &p) {
            return p.group == group && p.number == number;
        });
        const ptrdiff_t at = asked - all.begin();
        const ptrdiff_t last = static_cast<ptrdiff_t>(all.size()) - 1;
        ptrdiff_t goes = -1;
        switch (which) {
        case Vanishing::Last:
            goes = at == last ? last - 1 : last;
            break;
        case Vanishing::Before:
            goes = asked == all.end() ? -1 : at - 1;
            break;
        case Vanishing::Current:
            goes = asked == all.end() ? -1 : at;
            break;
        case Vanishing::After:
            goes = asked == all.end() ? -1 : at + 1;
            break;
        }
        if (goes >= 0 && goes <= last)
            store.erase(all[static_cast<size_t>(goes)].group, all[static_cast<size_t>(goes)].number);
    });
}

void CameraEngine::process(const CommandPacket &command) {
    ++commandsReceived_;
    const std::vector<Fault> hits = faults_.faultsFor(command.code);
    auto has = [&](FaultKind kind) -> const Fault * {
        for (const auto &f : hits)
            if (f.kind == kind)
                return &f;
        return nullptr;
    };

    if (has(FaultKind::DropResponse)) {
        log(describeCommand(command) + " -> (no answer: fault)");
        return;
    }

    Answer answer;
    if (resyncPending_ && command.code != CMD_READY) {
        resyncPending_ = false;
        answer.statusOrSubcode = CAM_STATUS_RESYNC;
    } else if (const Fault *refuse = has(FaultKind::Refuse)) {
        answer.statusOrSubcode = refuse->status;
    } else {
        answer = handler_.handle(command);
        if (const Fault *busy = has(FaultKind::Busy)) {
            answer.statusOrSubcode = CAM_STATUS_BUSY;
            if (busy->payload)
                answer.payload = *busy->payload;
        }
        if (const Fault *other = has(FaultKind::ReplacePayload))
            answer.payload = other->payload.value_or(std::vector<uint8_t>{});
    }

    std::vector<uint8_t> bytes;
    bytes.push_back(has(FaultKind::WrongCode) ? static_cast<uint8_t>(command.code + 1)
                                              : command.code);
    bytes.push_back(answer.statusOrSubcode);
    appendLe16(bytes, static_cast<uint16_t>(answer.payload.size()));
    size_t payloadSent = answer.payload.size();
    const Fault *stall = has(FaultKind::StallPayload);
    if (stall)
        payloadSent = std::min(payloadSent, stall->stallAfter);
    const auto cut = answer.payload.begin() + static_cast<std::ptrdiff_t>(payloadSent);
    bytes.insert(bytes.end(), answer.payload.begin(), cut);
    send(bytes);
    if (stall && stall->resumeAfter > 0)
        send(std::vector<uint8_t>(cut, answer.payload.end()), stall->resumeAfter);
    log(describeCommand(command) + " -> " +
        describeAnswer(bytes, answer.payload.size(), payloadSent, lineSpeed_));

    if (answer.switchToSpeed && answer.statusOrSubcode == command.subcode) {
        lineSpeed_ = *answer.switchToSpeed;
        char line[64];
        std::snprintf(line, sizeof line, "line speed now %u", static_cast<unsigned>(lineSpeed_));
        log(line);
    }
    if (const Fault *change = has(FaultKind::ChangePictures))
        eraseOnTheCamera(command, change->vanishes);
}

}  // namespace camsim
