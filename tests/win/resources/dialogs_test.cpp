// The dialog templates: the code finds its controls by these ids and relies
// on their classes and styles, so a template edit that breaks one shows here.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK TrivialProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class DialogWindow {
 public:
  explicit DialogWindow(int id)
      : hwnd_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, TrivialProc, 0)) {}
  ~DialogWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  LONG Style() const { return GetWindowLongA(hwnd_, GWL_STYLE); }
  LONG ExStyle() const { return GetWindowLongA(hwnd_, GWL_EXSTYLE); }

  // Child rectangle in client coordinates of the dialog.
  RECT ChildRect(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT Client() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
  }
  HWND GroupBoxCaptioned(const std::string& caption) const {
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (ClassOf(c) == "button" && (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
          TextOf(c) == caption)
        return c;
    }
    return nullptr;
  }

  static std::string TextOf(HWND w) {
    char buf[512] = "";
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
  }
  static std::string ClassOf(HWND w) {
    char buf[64] = "";
    GetClassNameA(w, buf, sizeof buf);
    std::string s = buf;
    for (char& ch : s) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return s;
  }

 private:
  HWND hwnd_;
};

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT out;
  return IntersectRect(&out, &a, &b) != 0;
}

struct ReportRow {
  const char* caption;
  int group;  // -1: the row's group box has no id
  int icon, status, host;  // host 0: scanner rows have none
};

const ReportRow kRows[] = {
    {"HTTP Protocol", -1, IDC_HTTP_ICON, IDC_HTTP_STATUS, IDC_HTTP_HOST},
    {"FTP Protocol", -1, IDC_FTP_ICON, IDC_FTP_STATUS, IDC_FTP_HOST},
    {"Echo Protocol", -1, IDC_ECHO_ICON, IDC_ECHO_STATUS, IDC_ECHO_HOST},
    {"Discard Protocol", -1, IDC_DISCARD_ICON, IDC_DISCARD_STATUS, IDC_DISCARD_HOST},
    {"Time Server Protocol", -1, IDC_TIME_ICON, IDC_TIME_STATUS, IDC_TIME_HOST},
    {"User Defined Protocol", -1, IDC_USER_ICON, IDC_USER_STATUS, IDC_USER_HOST},
    {"AOL/CS2000 Scanning", IDC_AOLCS_GROUP, IDC_AOLCS_ICON, IDC_AOLCS_STATUS, 0},
    {"NetZero/ATT Scanning", IDC_OTHER_GROUP, IDC_OTHER_ICON, IDC_OTHER_STATUS, 0},
};

TEST(StatusReportDialog, IsAHiddenModelessPopupWithCaption) {
  DialogWindow dlg(IDD_STATUS_REPORT);
  ASSERT_NE(dlg.hwnd(), nullptr) << GetLastError();
  EXPECT_EQ(DialogWindow::TextOf(dlg.hwnd()), "Online Status Report");
  const LONG want = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  EXPECT_EQ(dlg.Style() & want, want);
  EXPECT_EQ(dlg.Style() & (WS_CHILD | WS_VISIBLE | WS_DISABLED), 0);
}

TEST(StatusReportDialog, EveryRowHasItsControlsInsideItsGroupBox) {
  DialogWindow dlg(IDD_STATUS_REPORT);
  ASSERT_NE(dlg.hwnd(), nullptr);
  std::vector<RECT> groups;
  for (const ReportRow& row : kRows) {
    SCOPED_TRACE(row.caption);
    HWND group = row.group == -1 ? dlg.GroupBoxCaptioned(row.caption) : dlg.Item(row.group);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(DialogWindow::TextOf(group), row.caption);
    EXPECT_EQ(GetWindowLongA(group, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    const RECT box = dlg.ChildRect(group);
    EXPECT_TRUE(Inside(box, dlg.Client()));
    for (const RECT& other : groups) EXPECT_FALSE(Overlap(box, other));
    groups.push_back(box);

    HWND icon = dlg.Item(row.icon);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(DialogWindow::ClassOf(icon), "static");
    EXPECT_EQ(GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "starts with the not-active picture";
    EXPECT_TRUE(Inside(dlg.ChildRect(icon), box));

    // Status and host texts show error and host names verbatim: no '&' mnemonics.
    std::vector<std::pair<int, const char*>> texts = {{row.status, "Service not selected"}};
    if (row.host) texts.push_back({row.host, "Current Host: NONE"});
    for (const auto& [id, initial] : texts) {
      HWND text = dlg.Item(id);
      ASSERT_NE(text, nullptr) << id;
      EXPECT_EQ(DialogWindow::ClassOf(text), "static") << id;
      EXPECT_EQ(DialogWindow::TextOf(text), initial) << id;
      EXPECT_NE(GetWindowLongA(text, GWL_STYLE) & SS_NOPREFIX, 0) << id;
      EXPECT_TRUE(Inside(dlg.ChildRect(text), box)) << id;
      EXPECT_FALSE(Overlap(dlg.ChildRect(text), dlg.ChildRect(icon))) << id;
    }
    if (row.host) {
      EXPECT_FALSE(Overlap(dlg.ChildRect(dlg.Item(row.status)), dlg.ChildRect(dlg.Item(row.host))));
    }
  }
}

TEST(SplashDialog, IsACaptionlessDisabledPopupShowingBothPictures) {
  DialogWindow dlg(IDD_SPLASH);
  ASSERT_NE(dlg.hwnd(), nullptr) << GetLastError();
  EXPECT_EQ(dlg.Style() & (WS_POPUP | WS_BORDER | WS_DISABLED), WS_POPUP | WS_BORDER | WS_DISABLED);
  EXPECT_EQ(dlg.Style() & (WS_CAPTION & ~WS_BORDER), 0);  // WS_CAPTION includes the border bit
  EXPECT_EQ(dlg.Style() & WS_THICKFRAME, 0);
  RECT pictures[2];
  int n = 0;
  for (int id : {IDC_SPLASH_EMBLEM, IDC_SPLASH_BANNER}) {
    HWND pic = dlg.Item(id);
    ASSERT_NE(pic, nullptr) << id;
    EXPECT_EQ(GetWindowLongA(pic, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP) << id;
    EXPECT_NE(SendMessageA(pic, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
    pictures[n] = dlg.ChildRect(pic);
    EXPECT_TRUE(Inside(pictures[n], dlg.Client())) << id << " is cut off";
    ++n;
  }
  EXPECT_FALSE(Overlap(pictures[0], pictures[1]));
}

TEST(TraceDialog, IsAHiddenSizableToolWindowWithAnUnsortedList) {
  DialogWindow dlg(IDD_TRACE);
  ASSERT_NE(dlg.hwnd(), nullptr) << GetLastError();
  EXPECT_EQ(DialogWindow::TextOf(dlg.hwnd()), "Tetherly Trace Messages");
  const LONG want = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  EXPECT_EQ(dlg.Style() & want, want);
  EXPECT_EQ(dlg.Style() & WS_VISIBLE, 0);
  EXPECT_NE(dlg.ExStyle() & WS_EX_TOOLWINDOW, 0);

  HWND list = dlg.Item(IDC_TRACE_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(DialogWindow::ClassOf(list), "listbox");
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_NE(style & LBS_NOINTEGRALHEIGHT, 0);
  EXPECT_EQ(style & (LBS_SORT | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);

  // The list box keeps WS_BORDER and WS_VSCROLL to itself, so check what they do.
  RECT outer{}, inner{};
  GetWindowRect(list, &outer);
  GetClientRect(list, &inner);
  EXPECT_GT(outer.right - outer.left, inner.right + 1) << "no border";

  // The code stretches the list over the client area; the height must stick.
  MoveWindow(list, 0, 0, 200, 101, FALSE);
  GetWindowRect(list, &outer);
  EXPECT_EQ(outer.bottom - outer.top, 101);

  // Trace lines keep their arrival order, and a long log scrolls.
  SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("zebra"));
  SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("apple"));
  char first[16] = "";
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, "zebra");
  for (int i = 0; i < 100; ++i)
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("line"));
  EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0) << "no vertical scroll bar";
}

TEST(AboutDialog, NamesTheProductAndVersionWithADefaultOKButton) {
  DialogWindow dlg(IDD_ABOUT);
  ASSERT_NE(dlg.hwnd(), nullptr) << GetLastError();
  EXPECT_NE(dlg.Style() & WS_CAPTION, 0);
  EXPECT_NE(DialogWindow::TextOf(dlg.hwnd()).find("Tetherly!"), std::string::npos);

  HWND icon = dlg.Item(IDC_ABOUT_ICON);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
  EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);

  EXPECT_EQ(DialogWindow::TextOf(dlg.Item(IDC_ABOUT_NAME)), "Tetherly!");
  EXPECT_NE(DialogWindow::TextOf(dlg.Item(IDC_ABOUT_VERSION)).find(TETHERLY_VERSION_TEXT), std::string::npos);
  EXPECT_GT(DialogWindow::TextOf(dlg.Item(IDC_ABOUT_DESCRIPTION)).size(), 40u);

  HWND ok = dlg.Item(IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(DialogWindow::TextOf(ok), "OK");
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  for (int id : {IDC_ABOUT_ICON, IDC_ABOUT_NAME, IDC_ABOUT_VERSION, IDC_ABOUT_DESCRIPTION, IDOK})
    EXPECT_TRUE(Inside(dlg.ChildRect(dlg.Item(id)), dlg.Client())) << id;
}

}  // namespace
