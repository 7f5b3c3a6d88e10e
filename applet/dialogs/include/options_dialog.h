#pragma once
// The Options dialog (template 149): two check boxes and two radio pairs over
// four values of the settings store. The texts of the first pair follow the
// kind of connection; OK stores the four values, Cancel stores nothing.
#include <cstdint>
#include <string>

#include "framework/dialog.h"
#include "tolvarc_ids.h"

namespace applet {

class COptionsDialog : public fw::CDialog {
public:
    // Reads EnableAutoRun, ShowStartup, ConnectVia, RunOption and (except for
    // connection kind 4) AutoDownload, in that order. No parent.
    COptionsDialog();

    int32_t ConnectionKind() const { return connectionKind_; }
    int32_t ShowAtStart() const { return showAtStart_; }
    int32_t DownloadChoice() const { return downloadChoice_; }
    int32_t RunChoice() const { return runChoice_; }
    int32_t AutoRun() const { return autoRun_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(fw::CDataExchange &exchange) override;

private:
    int32_t connectionKind_ = 0;
    int32_t showAtStart_ = 1;
    int32_t downloadChoice_ = 0;
    int32_t runChoice_ = 1;
    int32_t autoRun_ = 0;
};

}  // namespace applet
