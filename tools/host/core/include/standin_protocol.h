#pragma once
// What the stand-in host server (HostStandIn.exe) and the tests that drive it
// agree on: the automation identity it serves, its methods, the registry key
// through which a test sets its answers and reads what it was called with,
// and its task window. Portable: no platform header, plain numbers only.

namespace standin {

// The program, next to the test programs in bin/, and what it registers.
constexpr const char kServerExe[] = "HostStandIn.exe";
constexpr const char kRegFile[] = "HostStandIn.reg";
constexpr const char kProgId[] = "Mirelle.Camera";
constexpr const char kClsid[] = "{F04B1D7E-C4CC-47D4-A13D-63255861AE5E}";
constexpr const char kNotifyMessage[] = "MirelleNotify";

// Methods, by dispatch identifier.
constexpr long kApplyOptions = 8;      // (BOOL)                        -> none
constexpr long kEndTask = 25;          // ()                            -> BOOL
constexpr long kSetNotifyWindow = 27;  // (long window)                 -> BOOL
constexpr long kOpenTask = 38;         // (BOOL, BOOL, BOOL)            -> short
constexpr long kOpenTaskEx = 39;       // (string, BOOL, BOOL, BOOL)    -> short
constexpr long kSetClientTitle = 40;   // (string)                      -> none

// The control key, below HKEY_CURRENT_USER of the user the server runs as.
constexpr const char kControlKey[] = "Software\\SuiteTesting\\HostStandIn";
// Answers (values of the control key; a missing value means the default).
constexpr const char kOpenTaskAnswer[] = "OpenTask";                // DWORD, short result
constexpr const char kOpenTaskExAnswer[] = "OpenTaskEx";            // DWORD, short result
constexpr const char kEndTaskAnswer[] = "EndTask";                  // DWORD, 0 or 1
constexpr const char kSetNotifyWindowAnswer[] = "SetNotifyWindow";  // DWORD, 0 or 1
constexpr const char kResultTypeAnswer[] = "ResultType";            // DWORD VARTYPE, 0: as stated
constexpr const char kExceptionMethod[] = "ExceptionMethod";        // DWORD DISPID, 0: none
constexpr const char kExceptionSource[] = "ExceptionSource";        // SZ
constexpr const char kExceptionDescription[] = "ExceptionDescription";  // SZ
constexpr const char kExceptionScode[] = "ExceptionScode";              // DWORD
constexpr const char kExceptionCode[] = "ExceptionCode";                // DWORD (wCode)
// DWORD, 0 (default): an open task only shows the window, as scripted; 1: the
// server does a host's camera work behind OpenTask and OpenTaskEx (lists the
// pictures of the card or the camera, downloads them into the album).
constexpr const char kCameraWorkAnswer[] = "CameraWork";
// SZ written by the server when its camera work ends, "<word> <done>/<total>"
// (task_plan.h, EncodeTaskResult); removed when a task starts its work.
constexpr const char kTaskOutcome[] = "TaskOutcome";
// Where the server reads the applet's side-channel values at each OpenTask
// and OpenTaskEx call: a path below HKEY_CURRENT_USER (SZ).
constexpr const char kSideChannelKey[] = "SideChannelKey";
constexpr const char kDefaultSideChannelKey[] = "Software\\Orvo\\Vesko\\Sdk";
constexpr const char kFromVesko[] = "FromVesko";
constexpr const char kVeskoLaunchApp[] = "VeskoLaunchApp";
constexpr const char kPCCardDrive[] = "PCCardDrive";

// Subkey of the control key with one REG_SZ per call, named by its
// zero-padded sequence number (see call_log_line.h for the text).
constexpr const char kLogSubkey[] = "Log";
// Subkey of the control key with one value per running server process, named
// by its process id in decimal; written at start, removed at exit.
constexpr const char kServersSubkey[] = "Servers";

// The window shown while a task is open, and its button that ends the task.
constexpr const char kTaskWindowClass[] = "HostStandInTaskWindow";
constexpr const char kTaskWindowTitle[] = "Camera Task";
constexpr int kEndTaskButtonId = 1001;
// With camera work: the pictures (list box, one line each), the download's
// progress bar (0 to 100 over the bytes of all pictures), the line that says
// what is being done and how the task ended, and the button that cancels a
// download (shown only while one runs). After a failed download the window
// stays with the failure, the task ended; its button then says "Close".
constexpr int kPictureListId = 1002;
constexpr int kProgressBarId = 1003;
constexpr int kActivityTextId = 1004;
constexpr int kCancelButtonId = 1005;

}  // namespace standin
