#pragma once
// The About dialog (template 100): the applet's name in control 1006 and in
// the caption, "About %1" (string 57346) with the name as %1.
#include <string>

#include "framework/dialog.h"
#include "tolvarc_ids.h"

namespace applet {

class CAboutDialog : public fw::CDialog {
public:
    CAboutDialog();  // no parent; the name is string 57345

    const std::string &Name() const { return name_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange &exchange) override;

private:
    std::string name_;
};

}  // namespace applet
