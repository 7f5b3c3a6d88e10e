#pragma once
// The notice shown while the applet reaches the host application: template
// 148, modeless, no parent, no behaviour of its own. It lives exactly as long
// as the object, which ConnectHost keeps on its stack.
#include "framework/dialog.h"

namespace applet {

class CNoticeDlg : public fw::CDialog {
public:
    // Creates the window and puts it at the bottom right of the screen, 40
    // pixels above the bottom edge, topmost, shown and painted at once. Its
    // size is the template's.
    CNoticeDlg();
    // Destroys the window here, while this class still sees it go.
    ~CNoticeDlg() override;

protected:
    // Enter and Escape do not close it: it goes when its owner is done.
    void OnOK() override {}
    void OnCancel() override {}
};

// Where a window of `width` x `height` goes on a screen of that size.
struct NoticePlace {
    int x;
    int y;
};
NoticePlace NoticePlaceOnScreen(int screenWidth, int screenHeight, int width, int height);

}  // namespace applet
