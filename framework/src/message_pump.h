// What the framework's message loops do with each message they take from
// the queue.
#pragma once
#include <windows.h>

#include <exception>

namespace fw::detail {

// Window and dialog procedures are called by the system: no exception may
// pass through it. Their boundary keeps what a handler threw (the first one,
// should a nested message throw too), and the framework's loop that
// dispatched the message throws it again once the system has returned, so
// that a fault is neither lost nor carried across foreign frames.
void KeepPendingException(std::exception_ptr exception);
void RethrowPendingException();

// Offers the message to the pre-translation hooks, then translates and
// dispatches it unless a hook consumed it; rethrows what a procedure kept.
void RouteQueuedMessage(MSG &msg);

}  // namespace fw::detail
