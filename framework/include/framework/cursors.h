// Cursors a control makes or borrows for itself. Each returned cursor is the
// caller's own (DestroyCursor frees it), never a shared system cursor.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// A copy of cursor resource `resourceId` of the module file at `path`: the
// module is loaded as long as it takes to copy the cursor, then freed.
// nullptr when the module or the resource is missing.
HCURSOR CopyCursorFromModule(const std::string &path, UINT resourceId);

// The path of a file in the Windows folder ("\\name" appended); empty when the
// folder cannot be read or the whole path would not fit in MAX_PATH.
std::string WindowsFolderFile(const std::string &name);

// A monochrome cursor of this program's module from its two bit planes (one
// bit per pixel, rows of (width + 15) / 16 * 2 bytes, most significant bit
// leftmost). nullptr when the planes do not match the size or creation fails.
HCURSOR CreatePlaneCursor(int width, int height, int hotX, int hotY,
                          const std::vector<uint8_t> &andPlane,
                          const std::vector<uint8_t> &xorPlane);

}  // namespace fw
