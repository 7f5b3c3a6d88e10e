// The test programs' application object: dialogs, strings and message boxes
// look for one, as they do in Zephyne itself. Its name (the test program's
// base name) captions the message boxes.
#include "framework/app.h"

namespace {

fw::CApp testApplication;

}  // namespace
