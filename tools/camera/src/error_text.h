#pragma once
// Sentences for the library's error codes, as a user should read them.

#include <string>

namespace pdrcam {

// What went wrong, for any code the library returns (0 included).
std::string cameraErrorText(int code);

// Thumbnail transfers give 255 for a reason of their own.
std::string thumbnailErrorText(int code);

}  // namespace pdrcam
