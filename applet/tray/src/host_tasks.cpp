// The camera work that the applet hands to the host application: the launch
// on a card arrival or a tray command, and the host's camera task. Only the
// entry points exist so far: the tray commands reach them and nothing
// happens yet.
#include "applet_dlg.h"

namespace applet {

void CAppletDlg::StartLaunch() {}

void CAppletDlg::CloseTask() {}

void CAppletDlg::StartDownloadTask() {}

void CAppletDlg::ApplyOptions(bool) {}

void CAppletDlg::OnCardArrived() {}

void CAppletDlg::OnHostNotify(WPARAM) {}

}  // namespace applet
