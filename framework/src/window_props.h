// Names of the window properties through which a window finds its object.
// Properties rather than GWLP_USERDATA, because a subclassed control may use
// its user data itself.
#pragma once
namespace fw::detail {

// The CWnd routing the window's messages.
constexpr const char kObjectProp[] = "fw.CWnd.Object";
// The procedure a subclassed window had before; stays on the window when it
// could not be restored because someone subclassed it after us.
constexpr const char kSuperProcProp[] = "fw.CWnd.SuperProc";

}  // namespace fw::detail
