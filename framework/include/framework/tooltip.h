// A tooltip control owned by one window object: created for a window, given
// tools (a window or a rectangle of it, with a text), fed the mouse messages
// of those windows through RelayEvent, destroyed with the object.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CToolTip {
public:
    CToolTip() = default;
    ~CToolTip();
    CToolTip(const CToolTip &) = delete;
    CToolTip &operator=(const CToolTip &) = delete;

    // Creates the tooltip window, owned by `owner`, with the given extra
    // styles. False when one exists already or creation failed.
    bool Create(HWND owner, DWORD style = 0);
    void Destroy();
    HWND GetSafeHwnd() const { return hwnd_; }

    // Adds tool `id` of window `tool`: `area` in its client coordinates.
    bool AddTool(HWND tool, UINT id, const std::string &text, const RECT &area);
    // Changes the text of a tool added before.
    void UpdateTipText(HWND tool, UINT id, const std::string &text);
    // The tool's text as the tooltip holds it; empty when there is no such tool.
    std::string GetToolText(HWND tool, UINT id) const;
    // The tool's area as the tooltip holds it; false when there is no such tool.
    bool GetToolRect(HWND tool, UINT id, RECT &area) const;

    // Hands a queued message to the tooltip (TTM_RELAYEVENT), so that it sees
    // the mouse move over its tools; harmless for any other message.
    void RelayEvent(const MSG &msg) const;

private:
    HWND hwnd_ = nullptr;
};

}  // namespace fw
