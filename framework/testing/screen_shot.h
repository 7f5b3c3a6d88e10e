#pragma once
// Test support: screenshots for review by eye. A rectangle of the screen (Xvfb
// under Wine) is copied and written as PNG into a folder of the build.
#include <windows.h>

#include <cstddef>
#include <string>

namespace testsupport {

// <build>\<name>, made when missing; the build is the folder above the test
// program's own.
std::string ScreenshotFolder(const std::string &name);

// Copies `rect` of the screen into `path` (PNG) and prints where it went;
// returns how many distinct colours it holds (0 when nothing was written), so
// that a test can tell a blank capture from a drawn one.
size_t ShootScreen(const RECT &rect, const std::string &path);

}  // namespace testsupport
