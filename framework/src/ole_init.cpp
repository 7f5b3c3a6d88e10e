#include "framework/ole_init.h"

#include <ole2.h>

namespace fw {

COleInit::COleInit() : status_(::OleInitialize(nullptr)) {}

COleInit::~COleInit() {
    // Every successful call, S_FALSE included, is balanced by one uninitialise.
    if (SUCCEEDED(status_))
        ::OleUninitialize();
}

}  // namespace fw
