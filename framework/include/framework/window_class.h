// The framework's plain window class for child windows that paint
// themselves: the framework's window procedure, double clicks, the arrow
// cursor, no background brush and no icon. Registered for the program's
// module at the first call and kept for the life of the process.
#pragma once
namespace fw {

// The class name; nullptr when it could not be registered.
const char *DefaultWindowClass();

}  // namespace fw
