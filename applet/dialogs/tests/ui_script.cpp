#include "ui_script.h"

namespace vesko_test {

UiScript *UiScript::current_ = nullptr;

UiScript::UiScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 40, Tick);
}

UiScript::~UiScript() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_)
        current_->RunDue();
}

void UiScript::RunDue() {
    if (next_ >= steps_.size())
        return;
    HWND window = FindThreadWindow(steps_[next_].caption);
    if (!window)
        return;
    // The step counts before it acts: an action may open a nested loop that
    // ticks again.
    const size_t step = next_++;
    if (!steps_[step].action(window))
        next_ = step;
}

namespace {

struct Search {
    const std::string &caption;
    HWND found;
};

// A window procedure's calling convention, which a lambda does not have on
// 32-bit Windows.
BOOL CALLBACK MatchCaption(HWND hwnd, LPARAM data) {
    auto *s = reinterpret_cast<Search *>(data);
    if (::IsWindowVisible(hwnd) && TextOf(hwnd) == s->caption) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadWindow(const std::string &caption) {
    Search search{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace vesko_test
