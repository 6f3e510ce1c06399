// The page base as a property sheet uses it (the wizard's way), beside the
// Advanced Configurations dialog's own tabs.
#include <windows.h>
#include <prsht.h>

#include "config_fixture.h"

namespace {

class SheetProbe : public win::Page {
 public:
  SheetProbe() : win::Page(IDD_PAGE_ATT_OPTIONS) {}
  void Change() { Changed(); }
  int loads = 0;

 protected:
  bool OnLoad() override {
    ++loads;
    SetItemText(IDC_ATT_STAY_ONLINE, "loaded");
    return true;
  }
  SaveResult OnSave() override { return SaveResult::Saved; }
};

TEST_F(ConfigTest, APageServesAPropertySheetToo) {
  constexpr int kSheetApplyButton = 0x3021;
  SheetProbe probe;
  PROPSHEETPAGEA page = probe.SheetPage();
  HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
  ASSERT_NE(handle, nullptr);
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_MODELESS;
  header.hwndParent = owner_;
  header.pszCaption = "Probe";
  header.nPages = 1;
  header.phpage = &handle;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(probe.loads, 1);
  EXPECT_TRUE(probe.IsInitialised());
  EXPECT_EQ(GetParent(probe.hwnd()), sheet);
  EXPECT_EQ(probe.ItemText(IDC_ATT_STAY_ONLINE), "loaded");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, kSheetApplyButton)));
  probe.Change();
  EXPECT_TRUE(probe.IsModified());
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, kSheetApplyButton)));  // PSM_CHANGED reached the sheet
  EXPECT_EQ(probe.Save(), win::Page::SaveResult::Saved);
  EXPECT_FALSE(probe.IsModified());
  DestroyWindow(sheet);
  EXPECT_EQ(probe.hwnd(), nullptr);
}

}  // namespace
