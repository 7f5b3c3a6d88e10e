#pragma once
// The test stand-in for WEBPOST.DLL and the tests that drive it agree on this
// layout under HKEY_CURRENT_USER: the stand-in reads its answers from
// kFakeWebPostScriptKey and writes down what it received under kFakeWebPostRecordKey. A test's
// registry sandbox covers both for in-process calls; a test that starts
// Zephyne.exe as a process clears them before and after.
namespace testsupport {

constexpr char kFakeWebPostScriptKey[] = "Software\\ZephyneTests\\FakeWebPost";
constexpr char kFakeWebPostRecordKey[] = "Software\\ZephyneTests\\FakeWebPost\\Record";

// Script values (all optional):
//   PostResult   DWORD  WpPostA's result (default 0)
//   PostSite     text   written back into the site name buffer, length set
//   PostURL      text   written back into the URL buffer, length set
//   PostFault    DWORD  nonzero: WpPostA writes through a null pointer
//   PostTrouble  DWORD  a PostTrouble below: what WpPostA runs into after
//                       writing down what it received
//   ErrorResult  DWORD  WpGetErrorStringA's result (default 0)
//   ErrorText    text   copied into the error buffer (up to the length given)
//   ErrorFill    DWORD  nonzero: every byte of the buffer as long as the
//                       length given is set to 'E', without NUL
//   ErrorLength  DWORD  the length reported back instead of the bytes written
//   ErrorFault   DWORD  nonzero: WpGetErrorStringA writes through a null pointer
//
// Record values (what each call received):
//   Calls          text   entry names in call order, each followed by ";"
//   Owner          DWORD  1 when WpPostA's owner window was not null
//   PathCount      DWORD
//   LocalDir       text   the first local path
//   SiteName, URL  text   the buffers as received
//   SiteNameLength, URLLength  DWORD  the lengths as received
//   Flags          DWORD
//   ErrorCode      DWORD  the code WpGetErrorStringA was asked about
//   ErrorLengthIn  DWORD  the length it was given
//   TroubleSurvived DWORD 1 when WpPostA came through its PostTrouble with
//                       the answer a library gets that handles the fault

// Trouble inside WpPostA of the kinds a posting library may run into.
enum class PostTrouble : unsigned long {
    None = 0,
    // Reads through a bad pointer under an exception handler of its own
    // (registered after the handlers already there), which skips the read;
    // then posts.
    OwnFaultHandled = 1,
    // lstrlenA on a bad pointer: the platform catches its own fault and
    // answers 0; then posts.
    PlatformLengthOfBadPointer = 2,
    // IsBadReadPtr on a bad pointer: the platform catches its own fault and
    // answers true; then posts.
    PlatformProbeOfBadPointer = 3,
    // Recurses without end until the stack overflows.
    StackOverflow = 4,
    // RaiseException(0xE0000001) that nothing inside catches.
    UncaughtSoftwareException = 5,
    // The same, raised as noncontinuable.
    UncaughtNoncontinuableException = 6,
};

}  // namespace testsupport
