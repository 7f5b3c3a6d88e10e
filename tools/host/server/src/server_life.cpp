#include "server_life.h"

#include <memory>
#include <vector>

#include "camera_source.h"
#include "card_source.h"
#include "control_store.h"
#include "download_run.h"
#include "standin_protocol.h"
#include "task_plan.h"

namespace standin {

ServerLife::ServerLife()
    : notifyMessage_(::RegisterWindowMessageA(kNotifyMessage)),
      taskWindow_({[this] { OnWindowEndTask(); },
                   [this] {
                       if (working_) {
                           cancel_ = true;
                           taskWindow_.SetActivity("Cancelling...");
                       }
                   },
                   [this] { OnStartWork(); }}) {}

ServerLife::~ServerLife() = default;

void ServerLife::ObjectCreated() {
    ++objects_;
    servedObject_ = true;
}

void ServerLife::ObjectReleased() {
    --objects_;
    QuitWhenUnused();
}

void ServerLife::LockServer(bool lock) {
    locks_ += lock ? 1 : -1;
    QuitWhenUnused();
}

void ServerLife::OpenTask(const char *method, bool extended, bool cameraWork) {
    taskOpen_ = true;
    resultShown_ = false;
    cameraWork_ = cameraWork;
    taskWindow_.Show(method, clientTitle_);
    if (!cameraWork)
        return;
    // What the applet left for the host is read now: it puts the values
    // back as soon as this call returns.
    settings_ = ReadHostSettings();
    download_ = IsDownloadTask(extended, settings_.side.fromVesko, settings_.autoDownload);
    album_ = AlbumFolder(settings_.downloadFolder, settings_.album, UserPicturesFolder());
    ::PostMessageA(taskWindow_.GetSafeHwnd(), kStartWorkMessage, 0, 0);
}

void ServerLife::EndTask() {
    if (taskOpen_) {
        taskOpen_ = false;
        taskWindow_.Hide();
    }
    cancel_ = true;
    // Posted, never sent: the client is busy in its call to us right now.
    if (notifyWindow_ && notifyMessage_)
        ::PostMessageA(notifyWindow_, notifyMessage_, 0, 0);
    QuitWhenUnused();
}

void ServerLife::OnWindowEndTask() {
    if (!taskOpen_ && resultShown_) {  // "Close" under a failed task's end
        resultShown_ = false;
        taskWindow_.Hide();
        QuitWhenUnused();
        return;
    }
    EndTask();
}

void ServerLife::OnStartWork() {
    if (!taskOpen_ || !cameraWork_)
        return;
    if (working_) {  // the last task's work is still unwinding below us
        workPending_ = true;
        return;
    }
    working_ = true;
    do {
        workPending_ = false;
        cancel_ = false;
        RunWork();
    } while (workPending_ && taskOpen_ && !quitSeen_);
    working_ = false;
    if (quitSeen_)
        ::PostQuitMessage(0);
    else
        QuitWhenUnused();
}

void ServerLife::RunWork() {
    WriteTaskOutcome("");
    const bool download = download_;
    const ConnectionKind kind = ConnectionKindOf(settings_.connectVia);
    std::unique_ptr<PictureSource> source;
    if (kind == ConnectionKind::Card)
        source = std::make_unique<CardSource>(settings_);
    else if (kind == ConnectionKind::Serial)
        source = std::make_unique<CameraSource>();
    taskWindow_.SetActivity(kind == ConnectionKind::Card ? "Looking for the memory card..."
                                                         : "Looking for the camera...");
    Pump();

    TaskResult result;
    result.end = TaskEnd::Unsupported;
    std::vector<SourcePicture> pictures;
    if (source && source->List(pictures, result)) {
        std::vector<std::string> lines;
        for (const SourcePicture &picture : pictures)
            lines.push_back(PictureLine(picture.name, picture.size));
        taskWindow_.ShowPictures(lines);
        result.end = TaskEnd::Listed;
        result.total = pictures.size();
        if (download && Pump()) {
            taskWindow_.ShowCancel(true);
            result = DownloadPictures(
                *source, pictures, album_,
                {[this](const std::string &text) { taskWindow_.SetActivity(text); },
                 [this](int percent) { taskWindow_.SetProgress(percent); },
                 [this] { return Pump(); }});
            taskWindow_.ShowCancel(false);
        }
    }
    source.reset();  // a camera's session closes here, on every path
    WriteTaskOutcome(EncodeTaskResult(result));
    taskWindow_.SetActivity(DescribeTaskResult(result));

    // A listing stays until the user or the client ends the task; a task
    // that was ended meanwhile has said so already.
    if (!download || !taskOpen_)
        return;
    if (IsFailure(result.end)) {
        // The task ends, but the failure stays in sight until it is closed.
        taskOpen_ = false;
        resultShown_ = true;
        taskWindow_.ShowClose();
        if (notifyWindow_ && notifyMessage_)
            ::PostMessageA(notifyWindow_, notifyMessage_, 0, 0);
        return;
    }
    EndTask();
}

bool ServerLife::Pump() {
    MSG msg;
    while (!quitSeen_ && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen_ = true;
            cancel_ = true;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return !cancel_;
}

void ServerLife::OnIdleTimeout() {
    if (!servedObject_)
        ::PostQuitMessage(0);
}

void ServerLife::QuitWhenUnused() {
    if (servedObject_ && objects_ <= 0 && locks_ <= 0 && !taskOpen_ && !working_ && !resultShown_)
        ::PostQuitMessage(0);
}

}  // namespace standin
