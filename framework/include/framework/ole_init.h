// OLE for the calling thread, for as long as this object lives.
#pragma once
#include <windows.h>

namespace fw {

class COleInit {
public:
    COleInit();
    ~COleInit();
    COleInit(const COleInit &) = delete;
    COleInit &operator=(const COleInit &) = delete;

    bool Succeeded() const { return SUCCEEDED(status_); }
    HRESULT Status() const { return status_; }

private:
    HRESULT status_;
};

}  // namespace fw
