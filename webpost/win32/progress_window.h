#pragma once
// The progress window of a post: the file under way, a bar by bytes of the
// whole post, and Cancel. It lives for one post and is pumped by the post
// itself (the post runs on the caller's thread), between chunks of a file.
// Cancel is honoured after the file under way.

#include <windows.h>

#include "dll_module.h"
#include "framework/dialog.h"
#include "framework/message_map.h"
#include "post_run.h"

namespace webpost {

class ProgressDialog : public fw::CDialog {
public:
    ProgressDialog();
    bool CancelClicked() const { return cancelClicked_; }

    BEGIN_MSG_MAP(ProgressDialog)
    COMMAND_ID_CALL(IDCANCEL, OnCancelClicked)
    CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

private:
    void OnCancelClicked();
    bool cancelClicked_ = false;
};

class ProgressWindow : public PostObserver {
public:
    explicit ProgressWindow(HWND owner);
    ~ProgressWindow() override;
    void FileStarting(const std::string &remote, std::size_t index, std::size_t count) override;
    void BytesDone(std::uint64_t done, std::uint64_t total) override;
    bool CancelRequested() override;

private:
    void Pump();

    DllResourceScope resources_;
    ProgressDialog dialog_;
    HWND owner_;
    bool ownerWasEnabled_ = false;
    DWORD lastPump_ = 0;
    bool quitSeen_ = false;  // the caller's loop is ending: pump no more
};

}  // namespace webpost
