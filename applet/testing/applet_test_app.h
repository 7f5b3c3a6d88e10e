#pragma once
// Test support: the application object of an applet test program. Like the
// applet, it takes every resource from Tolvarc.dll (built beside the test
// programs) and names the library's product-key string to the settings store.
#include <windows.h>

namespace testsupport {

// The resource library the test program's application object uses; null
// when it could not be loaded (tests then fail on their first resource).
HMODULE AppletResources();

}  // namespace testsupport
