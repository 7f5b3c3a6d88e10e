#include "server_life.h"

#include "standin_protocol.h"

namespace standin {

ServerLife::ServerLife()
    : notifyMessage_(::RegisterWindowMessageA(kNotifyMessage)), taskWindow_([this] { EndTask(); }) {
}

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

void ServerLife::OpenTask(const char *method) {
    taskOpen_ = true;
    taskWindow_.Show(method, clientTitle_);
}

void ServerLife::EndTask() {
    if (taskOpen_) {
        taskOpen_ = false;
        taskWindow_.Hide();
    }
    // Posted, never sent: the client is busy in its call to us right now.
    if (notifyWindow_ && notifyMessage_)
        ::PostMessageA(notifyWindow_, notifyMessage_, 0, 0);
    QuitWhenUnused();
}

void ServerLife::OnIdleTimeout() {
    if (!servedObject_)
        ::PostQuitMessage(0);
}

void ServerLife::QuitWhenUnused() {
    if (servedObject_ && objects_ <= 0 && locks_ <= 0 && !taskOpen_)
        ::PostQuitMessage(0);
}

}  // namespace standin
