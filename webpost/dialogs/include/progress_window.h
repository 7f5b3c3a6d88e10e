#pragma once
// The progress window of a post: the file under way, a bar by bytes of the
// whole post, and Cancel. It lives for one post and is pumped by the post
// itself (the post runs on the caller's thread), between chunks of a file.
// Cancel is honoured after the file under way.

#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/win32_handles.h"
#include "post_run.h"

namespace webpost {

namespace detail {
inline void DestroyDialog(HWND dialog) {
    ::DestroyWindow(dialog);
}
}  // namespace detail

// A modeless dialog, destroyed with its owner object.
using UniqueDialog = platform::UniqueHandle<platform::NullIsNone<HWND, detail::DestroyDialog>>;

class ProgressWindow : public PostObserver {
public:
    explicit ProgressWindow(HWND owner);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    void FileStarting(const std::string &remote, std::size_t index, std::size_t count) override;
    void BytesDone(std::uint64_t done, std::uint64_t total) override;
    bool CancelRequested() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void CancelClicked(HWND dialog);
    void Pump();

    HWND owner_;
    bool ownerWasEnabled_ = false;
    bool cancelClicked_ = false;
    DWORD lastPump_ = 0;
    bool quitSeen_ = false;  // the caller's loop is ending: pump no more
    // Last, so that it goes first: the window is gone before the rest.
    UniqueDialog dialog_;
};

}  // namespace webpost
