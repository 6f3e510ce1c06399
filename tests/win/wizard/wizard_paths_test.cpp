// The wizard's paths: which pages follow which choice, the buttons each page
// shows, and that going back and choosing again keeps only the last path.
#include "config/WizardTexts.h"
#include "wizard_fixture.h"

namespace {

TEST_F(WizardTest, NoRadioIsRefusedAndChoosingAgainKeepsOnlyTheLastPath) {
  const INT_PTR result = RunWizard([&](WizardDriver& w) {
    EXPECT_EQ(w.Current(), IDD_WIZ_MAIN);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_NEXT));
    EXPECT_EQ(w.Next(), IDD_WIZ_MAIN);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{config::kChooseIsp});
    w.Click(IDC_WIZ_AOL);
    EXPECT_EQ(w.Next(), IDD_WIZ_AOL_DIALER);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_BACK | PSWIZB_NEXT));
    w.Click(IDC_WIZ_LAUNCH_NO);
    EXPECT_EQ(w.Next(), IDD_WIZ_AOL_GADGETS);
    EXPECT_EQ(w.Back(), IDD_WIZ_AOL_DIALER);
    EXPECT_EQ(w.Back(), IDD_WIZ_MAIN);
    w.Click(IDC_WIZ_NETZERO);
    EXPECT_EQ(w.Next(), IDD_WIZ_NZ_DIALER);
    EXPECT_EQ(w.Pages(), (std::vector<int>{IDD_WIZ_MAIN, IDD_WIZ_NZ_DIALER, IDD_WIZ_FINISH}));
    w.Click(IDC_WIZ_NZ_DIALER_NO);
    EXPECT_EQ(w.Next(), IDD_WIZ_FINISH);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_BACK | PSWIZB_FINISH));
    w.Cancel();
  });
  EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
