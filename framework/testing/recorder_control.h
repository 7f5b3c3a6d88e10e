// What the tests and the recording automation object agree on: its identity,
// its methods, and the plain functions through which a test (living in the
// same process as the in-process server) reads the calls and arms failures.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace testsupport::recorder {

// The server makes its object for any class identifier it is asked for, so
// that each test can register it under names of its own.
constexpr const char kDllName[] = "fw_recorder_object.dll";

// Methods, by dispatch identifier.
constexpr DISPID kEcho = 1;     // answers a copy of its first argument (VT_EMPTY without)
constexpr DISPID kNothing = 2;  // answers nothing at all

// Exports of the server DLL, looked up by name.
// Writes the calls since the last clear, one line each:
//   "<dispid> <flags> <argument> <argument> ..."   (arguments in natural order,
//   each as variant_text.h writes it: "I4:-7", "BSTR:text", "BSTR(null)", ...)
// Returns the length of the full log (the text is cut to fit `size`).
using CallLogFn = int(__cdecl *)(char *buffer, int size);
using ClearFn = void(__cdecl *)();
// The next call fails: with DISP_E_EXCEPTION and this report (filled in
// late through pfnDeferredFillIn when `deferred`), or with `status`.
using FailWithExceptionFn = void(__cdecl *)(const char *source, const char *description, long scode,
                                            unsigned short wCode, int deferred);
using FailWithStatusFn = void(__cdecl *)(long status);
// Objects created and not yet released.
using LiveObjectsFn = int(__cdecl *)();
// From now on (until cleared) calls of method `id` succeed and answer a
// variant of type `type` holding `value` (VT_EMPTY: no result), so that the
// recorder can stand in for an object whose methods answer numbers.
using SetAnswerFn = void(__cdecl *)(long id, unsigned short type, long value);
// The next call of method `id` (not any other) fails with `status`.
using FailOnFn = void(__cdecl *)(long id, long status);

constexpr const char kCallLogExport[] = "RecorderCallLog";
constexpr const char kClearExport[] = "RecorderClear";
constexpr const char kFailWithExceptionExport[] = "RecorderFailWithException";
constexpr const char kFailWithStatusExport[] = "RecorderFailWithStatus";
constexpr const char kLiveObjectsExport[] = "RecorderLiveObjects";
constexpr const char kSetAnswerExport[] = "RecorderSetAnswer";
constexpr const char kFailOnExport[] = "RecorderFailOn";

}  // namespace testsupport::recorder
