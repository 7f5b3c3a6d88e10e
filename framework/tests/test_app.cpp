// The test program's application object: the framework's dialogs, strings
// and message boxes all look for one, as they do in the real programs.
#include "framework/app.h"

namespace {

fw::CApp testApplication;

}  // namespace
