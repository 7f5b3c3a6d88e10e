#pragma once
// What the stand-in host answers to its calls; the defaults are a host that
// accepts everything. Portable: the variant type is a plain number.

#include <string>

namespace standin {

struct Answers {
    short openTask = 1;
    short openTaskEx = 1;
    bool endTask = true;
    bool setNotifyWindow = true;
    // 0 (VT_EMPTY): every result goes back in the type its method states
    // (VT_BOOL, VT_I2). Another VARTYPE (VT_I4, VT_BSTR, ...): every result
    // is sent converted to it, for clients that must convert results back.
    unsigned short resultType = 0;
    // The method (a DISPID) that raises an automation exception; 0: none.
    long exceptionMethod = 0;
    std::string exceptionSource = "HostStandIn";
    std::string exceptionDescription = "The camera task cannot be opened.";
    long exceptionScode = static_cast<long>(0x80004005);  // E_FAIL
    unsigned short exceptionCode = 0;                     // wCode
    // false: a task only shows its window; true: the host's camera work
    // (listing, download) runs behind OpenTask and OpenTaskEx. Tests start
    // from false; a control key without the value reads as true.
    bool cameraWork = false;
};

}  // namespace standin
