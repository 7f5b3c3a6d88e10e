#pragma once
// The one camera host this server process plays: the notify window and
// client title it was given, whether its task is open (and the window that
// shows it), and how long the process lives. Everything runs on the
// process's single apartment thread, through its message loop.
//
// The process ends (its loop gets WM_QUIT) once it has served an object and
// no object, server lock or open task is left; when no client ever comes, it
// gives up after a minute.

#include <windows.h>

#include <string>

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
    // A task is open from now, opened by `method`; the window shows it.
    void OpenTask(const char *method);
    // Ends an open task (the window goes) and posts the end notification.
    void EndTask();

    static constexpr UINT_PTR kIdleTimer = 1;
    void OnIdleTimeout();

private:
    void QuitWhenUnused();

    UINT notifyMessage_;
    HWND notifyWindow_ = nullptr;
    std::string clientTitle_;
    bool taskOpen_ = false;
    long objects_ = 0;
    long locks_ = 0;
    bool servedObject_ = false;
    CTaskWindow taskWindow_;
};

}  // namespace standin
