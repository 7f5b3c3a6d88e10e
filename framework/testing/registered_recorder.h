// Test support: the recording automation object (recorder_object.cpp) made
// ready for one test. The constructor registers it in HKEY_CLASSES_ROOT under
// a class identifier and ProgID of its own (test programs running side by
// side never see or remove each other's registration) and loads the server
// module, the same one COM loads into this process, to reach its control
// functions; the destructor removes the registration and frees the module.
// Creating the object by ProgID needs COM initialised on the calling thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "recorder_control.h"

namespace testsupport {

class RegisteredRecorder {
public:
    RegisteredRecorder();
    ~RegisteredRecorder();
    RegisteredRecorder(const RegisteredRecorder &) = delete;
    RegisteredRecorder &operator=(const RegisteredRecorder &) = delete;

    // True when registered and loaded; otherwise Problem says what failed
    // and the control functions must not be called.
    bool Ready() const { return problem_.empty(); }
    const std::string &Problem() const { return problem_; }

    const std::string &ProgId() const { return progId_; }

    // The calls since the last Clear, one line each (see recorder_control.h).
    std::vector<std::string> Calls() const;
    // Forgets the calls and any armed failure.
    void Clear() const { clear_(); }
    // Arms a failure of the next call.
    void FailWithException(const char *source, const char *description, long scode,
                           unsigned short wCode, bool deferred) const;
    void FailWithStatus(long status) const { failWithStatus_(status); }
    // Method `id` answers a variant of `type` with `value` (see
    // recorder_control.h); the next call of `id` fails with `status`.
    void SetAnswer(DISPID id, VARTYPE type, long value) const { setAnswer_(id, type, value); }
    void FailOn(DISPID id, long status) const { failOn_(id, status); }
    // Objects created and not yet released.
    int LiveObjects() const { return liveObjects_(); }

private:
    bool Register();
    void RemoveRegistration() const;
    bool LoadControls();

    std::string problem_;
    std::string clsid_;
    std::string progId_;
    HMODULE module_ = nullptr;
    recorder::CallLogFn callLog_ = nullptr;
    recorder::ClearFn clear_ = nullptr;
    recorder::FailWithExceptionFn failWithException_ = nullptr;
    recorder::FailWithStatusFn failWithStatus_ = nullptr;
    recorder::LiveObjectsFn liveObjects_ = nullptr;
    recorder::SetAnswerFn setAnswer_ = nullptr;
    recorder::FailOnFn failOn_ = nullptr;
};

}  // namespace testsupport
