// Test support: answers the message boxes that code under test opens, so that
// a test can run it without anyone at the keyboard. While an answerer lives,
// every dialog box the creating thread opens (a message box is one) is closed
// with the chosen button as soon as it has set itself up, so a test opens its
// own dialogs outside that time. The answerer notes how many boxes came and
// the caption, text and owner of the last one. One answerer per thread at a
// time: a second one on the same thread is not Installed.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

class MessageBoxAnswerer {
public:
    // `button` is the command the box gets: IDOK, IDYES, IDNO, IDCANCEL...
    explicit MessageBoxAnswerer(int button);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;

    bool Installed() const { return hook_ != nullptr; }

    std::string caption;
    std::string text;
    HWND owner = nullptr;
    int boxes = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    // The hook procedure has no context of its own: it finds the answerer of
    // its thread here.
    static thread_local MessageBoxAnswerer *current_;
    int button_;
    HHOOK hook_ = nullptr;
};

}  // namespace testsupport
