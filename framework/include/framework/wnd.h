// A window object tied to one real window. The object routes the window's
// messages to its message map (see message_map.h) while it is linked, which
// it is after Create (a window it owns and destroys), SubclassWindow (a
// window someone else made, typically a dialog control; its original
// procedure is put back when the object lets go) or, for dialogs, the dialog
// procedure's hand-off. Attach only wraps a handle: no messages, no ownership.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    // Destroys an owned window, lets go of a subclassed one. By then the
    // derived part of the object is gone, so its message map no longer sees
    // the window's last messages: a class that must act on WM_DESTROY calls
    // DestroyWindow in its own destructor.
    virtual ~CWnd();
    CWnd(const CWnd &) = delete;
    CWnd &operator=(const CWnd &) = delete;

    HWND GetSafeHwnd() const { return hwnd_; }

    // The object that routes this window's messages, or nullptr.
    static CWnd *FromHandle(HWND hwnd);

    // Wraps a window without taking its messages or its ownership. False when
    // this object already holds a window or the handle is no window.
    bool Attach(HWND hwnd);
    // Lets go of the window, restoring its procedure when it was subclassed;
    // the window itself stays. Returns it.
    HWND Detach();

    // Registers a window class for the program's module. A class whose
    // procedure is left empty gets the framework's own, so that objects of
    // windows of this class see their messages from WM_NCCREATE on.
    static ATOM RegisterWindowClass(WNDCLASSA windowClass);

    // Creates a window owned by this object (destroyed with it). Any class
    // will do: when its procedure is not the framework's, the new window is
    // subclassed right after creation.
    bool CreateEx(DWORD exStyle, const char *className, const char *text, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId = nullptr);
    bool DestroyWindow();

    // Routes the messages of an existing window through this object; the
    // window's own procedure still gets whatever the message map leaves.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int controlId, const CWnd &dialog);
    // Puts the original procedure back. False when nothing was subclassed.
    bool UnsubclassWindow();

    // Offered every message the framework's loops take from the queue before
    // it is dispatched (the application's main window sees all of them, other
    // windows those addressed to them or their children). True consumes it.
    virtual bool PreTranslateMessage(MSG &msg);

    // The message map. Macros from message_map.h write this function; true
    // means handled, with `result` as the answer.
    virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT &result);

    // What the window would do without this object.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
    }
    HWND GetDlgItem(int controlId) const { return ::GetDlgItem(hwnd_, controlId); }
    std::string GetWindowText() const;
    void SetWindowText(const std::string &text) { ::SetWindowTextA(hwnd_, text.c_str()); }
    void ShowWindow(int command) { ::ShowWindow(hwnd_, command); }
    void EnableWindow(bool enable) { ::EnableWindow(hwnd_, enable ? TRUE : FALSE); }

protected:
    // Links this object to a window whose messages now come through it.
    void LinkRouting(HWND hwnd);
    // Undoes LinkRouting; the window's own procedure is restored if we
    // subclassed it and ours is still the outermost.
    void UnlinkRouting();

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC superProc_ = nullptr;  // where unhandled messages go while routed
    bool subclassed_ = false;
    bool routed_ = false;
    bool ownsWindow_ = false;
};

}  // namespace fw
