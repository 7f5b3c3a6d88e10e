// Data exchange of check boxes, radio groups and texts between a dialog's
// members and its real controls, in both directions.
#include <gtest/gtest.h>

#include <string>

#include "framework/app.h"
#include "framework/data_exchange.h"
#include "test_resource_ids.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

class CExchangeDialog : public CScriptedDialog {
public:
    explicit CExchangeDialog(UINT templateId = IDD_EXCHANGE)
        : CScriptedDialog(templateId, nullptr) {}

    int check = 0;
    int tristate = 0;
    int groupA = 0;
    int groupB = 0;
    std::string name;
    int missingControlId = 0;  // nonzero: the exchange also names this absent control

protected:
    void DoDataExchange(fw::CDataExchange &exchange) override {
        fw::ExchangeCheck(exchange, IDC_CHECK, check);
        fw::ExchangeCheck(exchange, IDC_TRISTATE, tristate);
        fw::ExchangeRadio(exchange, IDC_GROUP_A_FIRST, groupA);
        fw::ExchangeRadio(exchange, IDC_GROUP_B_FIRST, groupB);
        fw::ExchangeText(exchange, IDC_NAME, name);
        if (missingControlId != 0) {
            int unused = 0;
            fw::ExchangeCheck(exchange, missingControlId, unused);
        }
    }
};

UINT CheckState(const fw::CWnd &dialog, int id) {
    return ::IsDlgButtonChecked(dialog.GetSafeHwnd(), id);
}

void SetCheck(const fw::CWnd &dialog, int id, UINT state) {
    ::SendMessageA(dialog.GetDlgItem(id), BM_SETCHECK, state, 0);
}

void Click(const fw::CWnd &dialog, int id) {
    ::SendMessageA(dialog.GetDlgItem(id), BM_CLICK, 0, 0);
}

class DataExchangeTest : public ::testing::Test {
protected:
    void TearDown() override { DrainQueue(); }
    CExchangeDialog dialog_;
};

TEST_F(DataExchangeTest, LoadingShowsTheMembersInTheControls) {
    dialog_.check = 1;
    dialog_.tristate = 2;
    dialog_.groupA = 2;
    dialog_.groupB = 0;
    dialog_.name = "Album 12";
    ASSERT_TRUE(dialog_.Create());  // initialisation loads the members

    EXPECT_EQ(CheckState(dialog_, IDC_CHECK), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_TRISTATE), static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_A_FIRST), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_A_SECOND), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_A_THIRD), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_B_FIRST), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_B_SECOND), static_cast<UINT>(BST_UNCHECKED));
    fw::CWnd nameControl;
    ASSERT_TRUE(nameControl.Attach(dialog_.GetDlgItem(IDC_NAME)));
    EXPECT_EQ(nameControl.GetWindowText(), "Album 12");
    nameControl.Detach();
}

TEST_F(DataExchangeTest, SavingReadsWhatTheUserChose) {
    ASSERT_TRUE(dialog_.Create());
    dialog_.ShowWindow(SW_SHOW);
    Click(dialog_, IDC_CHECK);
    SetCheck(dialog_, IDC_TRISTATE, BST_INDETERMINATE);
    Click(dialog_, IDC_GROUP_A_SECOND);
    Click(dialog_, IDC_GROUP_B_SECOND);
    ::SetDlgItemTextA(dialog_.GetSafeHwnd(), IDC_NAME, "Holiday");

    ASSERT_TRUE(dialog_.UpdateData(true));
    EXPECT_EQ(dialog_.check, 1);
    EXPECT_EQ(dialog_.tristate, 2);
    // The label between the first two radios of group A does not count.
    EXPECT_EQ(dialog_.groupA, 1);
    EXPECT_EQ(dialog_.groupB, 1);
    EXPECT_EQ(dialog_.name, "Holiday");
}

TEST_F(DataExchangeTest, ClickingARadioOfOneGroupLeavesTheOtherGroupAlone) {
    dialog_.groupA = 0;
    dialog_.groupB = 1;
    ASSERT_TRUE(dialog_.Create());
    dialog_.ShowWindow(SW_SHOW);
    Click(dialog_, IDC_GROUP_A_THIRD);

    ASSERT_TRUE(dialog_.UpdateData(true));
    EXPECT_EQ(dialog_.groupA, 2);
    EXPECT_EQ(dialog_.groupB, 1);
}

TEST_F(DataExchangeTest, GroupWithNothingSelectedSavesMinusOne) {
    dialog_.groupA = 1;
    dialog_.groupB = 0;
    ASSERT_TRUE(dialog_.Create());
    SetCheck(dialog_, IDC_GROUP_A_SECOND, BST_UNCHECKED);

    ASSERT_TRUE(dialog_.UpdateData(true));
    EXPECT_EQ(dialog_.groupA, -1);
    EXPECT_EQ(dialog_.groupB, 0);
}

TEST_F(DataExchangeTest, LoadingAnIndexOutsideTheGroupSelectsNothing) {
    for (int index : {-1, 3, 99}) {
        CExchangeDialog dialog;
        dialog.groupA = index;
        dialog.groupB = 1;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(CheckState(dialog, IDC_GROUP_A_FIRST), static_cast<UINT>(BST_UNCHECKED)) << index;
        EXPECT_EQ(CheckState(dialog, IDC_GROUP_A_SECOND), static_cast<UINT>(BST_UNCHECKED))
            << index;
        EXPECT_EQ(CheckState(dialog, IDC_GROUP_A_THIRD), static_cast<UINT>(BST_UNCHECKED)) << index;
        EXPECT_EQ(CheckState(dialog, IDC_GROUP_B_SECOND), static_cast<UINT>(BST_CHECKED)) << index;
        ASSERT_TRUE(dialog.UpdateData(true));
        EXPECT_EQ(dialog.groupA, -1) << index;
    }
}

TEST_F(DataExchangeTest, LoadingAgainReplacesTheEarlierSelection) {
    dialog_.groupA = 0;
    ASSERT_TRUE(dialog_.Create());
    dialog_.groupA = 2;
    dialog_.check = 1;
    ASSERT_TRUE(dialog_.UpdateData(false));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_A_FIRST), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_GROUP_A_THIRD), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_CHECK), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DataExchangeTest, CheckValueOtherThanTheThreeStatesShowsUnchecked) {
    dialog_.check = 7;
    dialog_.tristate = -1;
    ASSERT_TRUE(dialog_.Create());
    EXPECT_EQ(CheckState(dialog_, IDC_CHECK), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(CheckState(dialog_, IDC_TRISTATE), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(DataExchangeTest, MissingControlFailsTheExchangeAndKeepsTheDialogOpenOnOk) {
    dialog_.missingControlId = 4321;
    dialog_.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
}

TEST_F(DataExchangeTest, OkSavesTheControlsAndCancelDoesNot) {
    for (int button : {IDOK, IDCANCEL}) {
        CExchangeDialog dialog;
        dialog.groupA = 0;
        dialog.check = 0;
        dialog.onInit = [button](CScriptedDialog &self) {
            HWND hwnd = self.GetSafeHwnd();
            ::PostMessageA(::GetDlgItem(hwnd, IDC_GROUP_A_THIRD), BM_CLICK, 0, 0);
            ::PostMessageA(::GetDlgItem(hwnd, IDC_CHECK), BM_CLICK, 0, 0);
            ::PostMessageA(::GetDlgItem(hwnd, button), BM_CLICK, 0, 0);
        };
        EXPECT_EQ(dialog.DoModal(), button);
        EXPECT_EQ(dialog.groupA, button == IDOK ? 2 : 0) << button;
        EXPECT_EQ(dialog.check, button == IDOK ? 1 : 0) << button;
    }
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
