#pragma once
// The library's own module, where the templates of its dialogs live: the
// pages and the progress window are made from there, not from the module of
// the program that called.

#include <windows.h>

namespace webpost {

HMODULE DllModule();

}  // namespace webpost
