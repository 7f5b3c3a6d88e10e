#pragma once
// Test support: control of the stand-in host server (HostStandIn.exe), the
// local automation server of "Mirelle.Camera" that the applet's tests talk to
// through the platform's COM runtime, out of process. The runtime, not the
// test, starts the server, so everything between test and server goes
// through the server's control key in the registry (standin_protocol.h):
// the answers it gives, the log of every call it got, the side-channel key it
// reads at OpenTask/OpenTaskEx, and the ids of its running processes.
//
// The control key lives under the real HKEY_CURRENT_USER of the user, even
// while this process has HKEY_CURRENT_USER overridden (RegistrySandbox): the
// library reaches it through HKEY_USERS. ProgID, class and control key are
// shared by the whole Wine prefix, so test programs that use the stand-in
// take turns: RESOURCE_LOCK host_standin (kResourceLock).
//
// The server's behaviour (README.md beside this folder's parent):
// - OpenTask/OpenTaskEx answer their set result; 1 opens the task and shows
//   the task window (class standin::kTaskWindowClass).
// - EndTask answers its set result; TRUE ends an open task (the window goes)
//   and then posts "MirelleNotify" wParam 0 to the notify window.
// - SetNotifyWindow answers its set result; only TRUE keeps the handle.
// - The task window's button ends the task and posts the same notification.
// - The method named by exceptionMethod fails with DISP_E_EXCEPTION and the
//   given EXCEPINFO, after its arguments were checked, with no other effect.
// - The server ends when no object, lock or open task is left.
// - With answers.cameraWork, an open task lists the pictures of the card or
//   camera the applet's settings name, and a download task downloads them
//   into the album and ends itself (README.md says which task is which).

#include <windows.h>

#include <string>
#include <vector>

#include "answers.h"
#include "call_log_line.h"
#include "standin_protocol.h"

namespace testsupport {

constexpr const char kResourceLock[] = "host_standin";

// What the server answers (answers.h); the defaults are a host that accepts
// everything.
using HostAnswers = standin::Answers;
using HostCall = standin::CallRecord;
using HostSideChannel = standin::SideChannel;
using standin::DescribeCall;

class HostStandIn {
public:
    // Registers the server from bin/ (HostStandIn.exe -RegServer), stores the
    // default answers, clears the log and points the side channel at
    // standin::kDefaultSideChannelKey as this process sees HKEY_CURRENT_USER
    // (so make a RegistrySandbox before this object to have it followed).
    HostStandIn();
    // Waits for running servers to end (up to 10 s; a server still showing
    // its task window gets its task ended, one still running then is asked
    // to quit, and only one that does not quit is ended by force),
    // unregisters the server and deletes the control key.
    ~HostStandIn();
    HostStandIn(const HostStandIn &) = delete;
    HostStandIn &operator=(const HostStandIn &) = delete;

    // False when setting up failed; Problem says what.
    bool Ready() const { return problem_.empty(); }
    const std::string &Problem() const { return problem_; }

    // Runs the server with -RegServer or -UnregServer; true when it ended
    // with exit code 0. (A test of a missing host calls Unregister: the
    // ProgID belongs to the prefix, not to one test.)
    static bool Register();
    static bool Unregister();
    // Imports bin/HostStandIn.reg (regedit /s), the other way to register.
    static bool RegisterFromFile();
    // The ProgID leads to our class in HKEY_CLASSES_ROOT.
    static bool IsRegistered();
    // Full path of the server program (beside this test program).
    static std::string ServerPath();

    void SetAnswers(const HostAnswers &answers) const;
    HostAnswers Answers() const;

    // The key the server reads FromVesko, VeskoLaunchApp and PCCardDrive
    // from, given as a path below HKEY_CURRENT_USER as this process sees it
    // (an overridden HKEY_CURRENT_USER is followed to its real place).
    void SetSideChannelKey(const std::string &pathBelowCurrentUser) const;
    // The path below the real HKEY_CURRENT_USER that the server reads.
    std::string SideChannelKey() const;

    // Every call since the last ClearCalls, oldest first (lines that do not
    // decode are skipped: none are expected).
    std::vector<HostCall> Calls() const;
    void ClearCalls() const;

    // How the server's last camera work ended ("done 3/3", "cancelled 1/10",
    // "cameraerror 1/10 code 4": task_plan.h, EncodeTaskResult); empty while
    // none has ended since its task opened (answers.cameraWork).
    std::string TaskOutcome() const;

    // The visible task window of a running server, or nullptr.
    static HWND TaskWindow();
    // Clicks its end button (the server then posts "MirelleNotify"); false
    // when no task window is shown or the click was not delivered.
    static bool ClickEndTask();

    // Process ids of the servers that are running now.
    std::vector<DWORD> ServerProcesses() const;
    // True when every running server has ended within `timeoutMs`.
    bool WaitForServersToExit(DWORD timeoutMs = 10000) const;
    // Asks every running server to quit in order, whatever it still serves
    // (it then withdraws its class registration and exits); false when no
    // request could be delivered.
    bool QuitServers() const;

private:
    std::string problem_;
};

}  // namespace testsupport
