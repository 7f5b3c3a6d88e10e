// Data exchange between a dialog's members and its controls, driven by the
// dialog's DoDataExchange in one direction or the other.
#pragma once
#include <windows.h>

#include <string>

#include "framework/wnd.h"

namespace fw {

class CDataExchange {
public:
    CDataExchange(CWnd &dialog, bool save) : dialog_(dialog), save_(save) {}

    // True: controls into members (OK); false: members into controls.
    bool IsSaving() const { return save_; }
    CWnd &Dialog() const { return dialog_; }

    // The control with this id; a missing one marks the exchange failed.
    HWND Control(int controlId);
    // Marks the exchange failed: the dialog is not to close on it.
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }

private:
    CWnd &dialog_;
    bool save_;
    bool failed_ = false;
};

// Check box (two- or three-state): 0 unchecked, 1 checked, 2 indeterminate.
// Any other value shows unchecked.
void ExchangeCheck(CDataExchange &exchange, int controlId, int &value);

// Radio group: the buttons from `firstId` (the one carrying WS_GROUP) up to
// the next control with WS_GROUP, counting radio buttons only. `index` is
// the selected one's position, -1 when none is selected; loading an index
// outside the group clears the whole group.
void ExchangeRadio(CDataExchange &exchange, int firstId, int &index);

// Window text.
void ExchangeText(CDataExchange &exchange, int controlId, std::string &text);

// Ties a control object to the control once (when loading): from then on
// the object gets the control's messages.
void BindControl(CDataExchange &exchange, int controlId, CWnd &control);

}  // namespace fw
