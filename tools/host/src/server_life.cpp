#include "server_life.h"

#include "standin_protocol.h"

namespace standin {

CServer::CServer()
    : notifyMessage_(::RegisterWindowMessageA(kNotifyMessage)), taskWindow_([this] { EndTask(); }) {
}

CServer::~CServer() = default;

void CServer::ObjectCreated() {
    ++objects_;
    servedObject_ = true;
}

void CServer::ObjectReleased() {
    --objects_;
    QuitWhenUnused();
}

void CServer::LockServer(bool lock) {
    locks_ += lock ? 1 : -1;
    QuitWhenUnused();
}

void CServer::OpenTask(const char *method) {
    taskOpen_ = true;
    taskWindow_.Show(method, clientTitle_);
}

void CServer::EndTask() {
    if (taskOpen_) {
        taskOpen_ = false;
        taskWindow_.Hide();
    }
    // Posted, never sent: the client is busy in its call to us right now.
    if (notifyWindow_ && notifyMessage_)
        ::PostMessageA(notifyWindow_, notifyMessage_, 0, 0);
    QuitWhenUnused();
}

void CServer::OnIdleTimeout() {
    if (!servedObject_)
        ::PostQuitMessage(0);
}

void CServer::QuitWhenUnused() {
    if (servedObject_ && objects_ <= 0 && locks_ <= 0 && !taskOpen_)
        ::PostQuitMessage(0);
}

}  // namespace standin
