#include "save_completed_dlg.h"

#include "link_geometry.h"
#include "zephyne_ids.h"

namespace zephyne {

namespace {

// A control's window rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

}  // namespace

CSaveCompletedDlg::CSaveCompletedDlg(const std::string &linkText, const std::string &linkAddress,
                                     fw::CWnd *parent)
    : CDialog(IDD_SAVE_COMPLETED, parent), linkText_(linkText), linkAddress_(linkAddress) {}

bool CSaveCompletedDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND placeholder = GetDlgItem(IDC_SAVE_LINK_PLACEHOLDER);
    if (!placeholder)
        return true;
    RECT area = ClientRectOf(hwnd_, placeholder);
    ::ShowWindow(placeholder, SW_HIDE);

    if (!label_.Create(hwnd_, area, IDC_SAVE_LINK))
        return true;
    // The label lies inside the group box, which fills its whole client area
    // when it paints (Wine's does): the label goes on top, and the group box
    // leaves out what lies above it.
    ::SetWindowPos(label_.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (HWND group = GetDlgItem(IDC_SAVE_GROUP))
        ::SetWindowLongPtrA(group, GWL_STYLE,
                            ::GetWindowLongPtrA(group, GWL_STYLE) | WS_CLIPSIBLINGS);
    label_.SetWindowText(linkText_);
    label_.SetURL(linkAddress_);
    label_.SetWordWrap(true);
    label_.SetHoverColour(RGB(0, 0, 255));
    label_.SetFont(nullptr, true);
    label_.SetUnderlineAlways(true);
    FitDialogToLink(area);
    label_.ShowWindow(SW_SHOW);
    return true;
}

void CSaveCompletedDlg::FitDialogToLink(const RECT &area) {
    RECT needed = label_.Layout();
    Rect linkArea{area.left, area.top, area.right, area.bottom};
    auto growth = GrowthForLink(linkArea, needed.right, needed.bottom);
    if (!growth)
        return;

    // The outer rectangle is read in any case: without an owner the dialog
    // keeps its size (as a dialog without owner is never shown here), and
    // the centre line still rests on its real width.
    RECT outer;
    ::GetWindowRect(hwnd_, &outer);
    const int outerWidth = outer.right - outer.left;
    if (::GetParent(hwnd_))
        ::MoveWindow(hwnd_, outer.left, outer.top, outerWidth + growth->width,
                     outer.bottom - outer.top + growth->height, TRUE);

    HWND group = GetDlgItem(IDC_SAVE_GROUP);
    if (!group)
        return;
    RECT g = ClientRectOf(hwnd_, group);
    ::MoveWindow(group, g.left, g.top, g.right - g.left + growth->width,
                 g.bottom - g.top + growth->height, TRUE);

    const int centre = CentreLine(outerWidth, growth->width);
    HWND link = GetDlgItem(IDC_SAVE_LINK);
    if (!link)
        return;
    ::MoveWindow(link, CentredLeft(centre, needed.right), area.top, needed.right, needed.bottom,
                 TRUE);

    HWND message = GetDlgItem(IDC_SAVE_MESSAGE);
    if (!message)
        return;
    RECT m = ClientRectOf(hwnd_, message);
    ::MoveWindow(message, CentredLeft(centre, m.right - m.left), m.top, m.right - m.left,
                 m.bottom - m.top, TRUE);

    HWND ok = GetDlgItem(IDOK);
    if (!ok)
        return;
    RECT b = ClientRectOf(hwnd_, ok);
    ::MoveWindow(ok, CentredLeft(centre, b.right - b.left), b.top + growth->height,
                 b.right - b.left, b.bottom - b.top, TRUE);
}

}  // namespace zephyne
