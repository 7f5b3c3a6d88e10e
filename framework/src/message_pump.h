// What the framework's message loops do with each message they take from
// the queue.
#ifndef FRAMEWORK_MESSAGE_PUMP_H
#define FRAMEWORK_MESSAGE_PUMP_H

#include <windows.h>

namespace fw::detail {

// Offers the message to the pre-translation hooks, then translates and
// dispatches it unless a hook consumed it.
void RouteQueuedMessage(MSG &msg);

}  // namespace fw::detail

#endif
