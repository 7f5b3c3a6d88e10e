#pragma once
// The one camera host this server process plays: the notify window and
// client title it was given, whether its task is open (and the window that
// shows it), and how long the process lives. Everything runs on the
// process's single apartment thread, through its message loop.
//
// The process ends (its loop gets WM_QUIT) once it has served an object and
// no object, server lock or open task is left; when no client ever comes, it
// gives up after a minute.
//
// With camera work asked for (the control key's CameraWork), an open task
// also lists the pictures of the card or camera the applet's settings name
// and, for a download task (task_plan.h, IsDownloadTask), downloads them into
// the album, then ends itself as a host does: the window goes (or stays with
// the failure until closed) and the end notification is posted. The work
// starts after the opening call has returned, and runs on this thread,
// looking at the window's messages between pieces of every picture.

#include <windows.h>

#include <string>

#include "host_settings.h"
#include "task_window.h"

namespace standin {

class ServerLife {
public:
    ServerLife();
    ~ServerLife();
    ServerLife(const ServerLife &) = delete;
    ServerLife &operator=(const ServerLife &) = delete;

    void ObjectCreated();
    void ObjectReleased();
    void LockServer(bool lock);

    // The class object is single-use: the first object is the only one.
    bool MayCreateObject() const { return !servedObject_; }

    void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
    void SetClientTitle(const std::string &title) { clientTitle_ = title; }
    // A task is open from now, opened by `method` (OpenTaskEx: `extended`);
    // the window shows it, and with `cameraWork` the work begins.
    void OpenTask(const char *method, bool extended, bool cameraWork);
    // Ends an open task (the window goes, work under way stops) and posts
    // the end notification.
    void EndTask();

    static constexpr UINT_PTR kIdleTimer = 1;
    void OnIdleTimeout();

private:
    void QuitWhenUnused();
    void OnWindowEndTask();
    void OnStartWork();
    void RunWork();
    // Hands waiting messages to their windows; false once the work is to stop.
    bool Pump();

    UINT notifyMessage_;
    HWND notifyWindow_ = nullptr;
    std::string clientTitle_;
    bool taskOpen_ = false;
    long objects_ = 0;
    long locks_ = 0;
    bool servedObject_ = false;
    // The camera work of the task that is open.
    bool cameraWork_ = false;
    bool download_ = false;
    HostSettings settings_;
    std::string album_;
    bool working_ = false;      // the work runs (further down this thread's stack)
    bool workPending_ = false;  // a task opened while the last one's work was unwinding
    bool cancel_ = false;
    bool quitSeen_ = false;     // WM_QUIT met while the work looked at messages
    bool resultShown_ = false;  // the window shows a failed task's end
    CTaskWindow taskWindow_;
};

}  // namespace standin
