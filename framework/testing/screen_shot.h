#pragma once
// Test support: screenshots for review by eye. A rectangle of the screen (Xvfb
// under Wine) is copied and written as PNG into a folder of the build.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// <build>\<name>, made when missing; the build is the folder above the test
// program's own.
std::string ScreenshotFolder(const std::string &name);

// The pixels of `rect` of the screen, row by row from the top, as 0xRRGGBB;
// empty when the rectangle is empty or could not be read.
std::vector<uint32_t> CaptureScreen(const RECT &rect);

// Copies `rect` of the screen into `path` (PNG) and prints where it went;
// returns how many distinct colours it holds (0 when nothing was written), so
// that a test can tell a blank capture from a drawn one.
size_t ShootScreen(const RECT &rect, const std::string &path);

}  // namespace testsupport
