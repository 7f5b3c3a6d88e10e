#include "dll_module.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace webpost {

HMODULE DllModule() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

}  // namespace webpost
