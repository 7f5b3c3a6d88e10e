#pragma once
// The stand-in WEBPOST.DLL's trouble (PostTrouble in fake_webpost_script.h),
// run inside its WpPostA.
#include "fake_webpost_script.h"

namespace testsupport {

// Runs `trouble`; true when it came through with the answer a library gets
// that handles the fault. Does not return for the troubles that nothing
// inside the library handles.
bool RunPostTrouble(PostTrouble trouble);

}  // namespace testsupport
