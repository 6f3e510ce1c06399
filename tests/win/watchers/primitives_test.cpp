// The window-press primitives against another process: exact messages,
// bounded sends, the click point.
#include "watcher_fixture.h"

#include <functional>

#include "watchers/AttWatcher.h"
#include "watchers/MsnWatcher.h"
#include "watchers/NetZeroWatcher.h"

namespace {

using V = std::vector<std::string>;

const char* kControls = R"(
window top class="Probe Frame" text="Probe"
window plain parent=top class="_AOL_Button" text="Plain" at=20,20 size=60,24
window framed parent=top class="_AOL_Button" text="Framed" at=20,60 size=60,24 border
window longtext parent=top class="_AOL_Static" text="0123456789012345678901234567890123456789012345678901234567890123456789"
)";

TEST_F(WatcherTest, PrimitivesSendExactlyTheirMessages) {
  ASSERT_TRUE(client_.Start(kControls));
  HWND plain = client_.Window("plain");
  HWND top = client_.Window("top");
  ASSERT_NE(plain, nullptr);

  size_t mark = client_.Mark();
  watch::SpacePress(plain);
  EXPECT_EQ(Received(mark), SpacePressOf("plain"));

  mark = client_.Mark();
  watch::FocusSpacePress(plain);
  EXPECT_EQ(Received(mark), FocusSpacePressOf("plain")) << client_.LogText();

  mark = client_.Mark();
  watch::ClickAt(plain, 0x12345, 7);  // each coordinate cut to 16 bits
  EXPECT_EQ(Received(mark), (V{"plain LBUTTONDOWN 0 72345", "plain LBUTTONUP 0 72345"}));

  mark = client_.Mark();
  watch::SendClose(top);
  EXPECT_EQ(Received(mark), (V{"top CLOSE 0 0"}));
  EXPECT_TRUE(client_.WaitFor("top", "destroyed"));
}

TEST_F(WatcherTest, ReadsUseTheirBufferSizes) {
  ASSERT_TRUE(client_.Start(kControls));
  HWND longtext = client_.Window("longtext");
  size_t mark = client_.Mark();
  EXPECT_EQ(watch::ReadText(longtext).size(), 70u);
  EXPECT_EQ(watch::ReadText(longtext, watch::kShortTextBuffer).size(), 63u);
  EXPECT_EQ(watch::ReadText(longtext, 8), "0123456");
  EXPECT_EQ(client_.Received(mark, true),
            (V{"longtext GETTEXT 100 0", "longtext GETTEXT 40 0", "longtext GETTEXT 8 0"}));
  // The class and the 15-character caption are read without a message.
  mark = client_.Mark();
  EXPECT_EQ(watch::ReadClass(longtext), "_AOL_Static");
  EXPECT_EQ(watch::ReadCaption(longtext), "012345678901234");
  EXPECT_EQ(client_.Received(mark, true), V{});
}

// The advertisement click lands 5 pixels inside the control, in its own
// client coordinates: (5, 5) without a border, (4, 4) inside a 1-pixel one.
TEST_F(WatcherTest, ClickPointIsInsideTheControl) {
  ASSERT_TRUE(client_.Start(kControls));
  POINT p = watch::ClickPointInside(client_.Window("plain"));
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 5);
  p = watch::ClickPointInside(client_.Window("framed"));
  EXPECT_EQ(p.x, 4);
  EXPECT_EQ(p.y, 4);
}

BOOL CALLBACK CollectTitles(HWND h, LPARAM out) {
  char text[64] = {};
  GetWindowTextA(h, text, sizeof(text));
  reinterpret_cast<V*>(out)->push_back(text);
  return TRUE;
}

// What the other watchers' tests rely on from the stand-in: siblings in the Z
// order listed (MDI children included), a real MDI client, windows that
// ignore WM_CLOSE, a press that shows the next tree, texts changed on command.
TEST_F(WatcherTest, StandInBuildsTheTreeItIsTold) {
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="Frame"
window mdi parent=frame class="MDIClient"
window c1 parent=mdi class="AOL Child" text="First"
window c2 parent=mdi class="AOL Child" text="Second" keep
window c3 parent=mdi class="AOL Child" text="Third"
window go parent=c3 class="Button" text="Go" on=press:show:next on=press:settext:c1:Renamed
window late parent=mdi class="AOL Child" text="Late" group=next
)"));
  HWND mdi = client_.Window("mdi");
  char cls[32] = {};
  GetClassNameA(mdi, cls, sizeof(cls));
  EXPECT_STREQ(cls, "MDIClient");
  V order;
  EnumChildWindows(mdi, CollectTitles, reinterpret_cast<LPARAM>(&order));
  EXPECT_EQ(order, (V{"First", "Second", "Third", "Go"}));

  watch::SendClose(client_.Window("c2"));
  EXPECT_TRUE(IsWindow(client_.Window("c2")));
  EXPECT_EQ(FindWindowExA(mdi, nullptr, "AOL Child", "Late"), nullptr);
  watch::SpacePress(client_.Window("go"));
  order.clear();
  EnumChildWindows(mdi, CollectTitles, reinterpret_cast<LPARAM>(&order));
  EXPECT_EQ(order, (V{"Renamed", "Second", "Third", "Go", "Late"}));
  ASSERT_TRUE(client_.Command("close c1"));
  EXPECT_FALSE(IsWindow(FindWindowExA(mdi, nullptr, "AOL Child", "Renamed")));
}

// A pair whose first half is answered late (beyond the send's bound) still
// gets its second half, after it: the client's control is not left pressed or
// holding the mouse. The press does not count as delivered.
TEST_F(WatcherTest, PairsAreCompletedWhenTheFirstHalfIsLate) {
  struct Case {
    const char* name;
    const char* late;  // the message answered late
    std::function<bool(HWND)> press;
    V expected;
  };
  const Case cases[] = {
      {"space press", "KEYDOWN", [](HWND c) { return watch::SpacePress(c); }, SpacePressOf("late")},
      {"focus-space press", "KEYDOWN", [](HWND c) { return watch::FocusSpacePress(c); },
       FocusSpacePressOf("late")},
      {"click", "LBUTTONDOWN", [](HWND c) { return watch::ClickAt(c, 3, 4); },
       {"late LBUTTONDOWN 0 40003", "late LBUTTONUP 0 40003"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(client_.Start(std::string(R"(
window top class="Probe Frame" text="Probe"
window late parent=top class="_AOL_Button" text="Late" on=)") + c.late + "#1:sleep:1300\n"));
    tick_.Clear();
    watch::SendScope scope(tick_);
    EXPECT_FALSE(c.press(client_.Window("late")));
    const std::string second = std::string(c.late) == "KEYDOWN" ? "KEYUP" : "LBUTTONUP";
    ASSERT_TRUE(client_.WaitFor("late", second));
    EXPECT_EQ(Received(), c.expected);
    EXPECT_TRUE(watch::IsHung(client_.Window("late")));
  }
}

// In-process controls, on this thread, where a focus change is seen: the
// presses that focus first are told apart from bare key pairs.
struct Recorded {
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
      case WM_SETFOCUS: Log().push_back("SETFOCUS"); break;
      case WM_KEYDOWN: Log().push_back("KEYDOWN"); break;
      case WM_KEYUP: Log().push_back("KEYUP"); break;
      default: break;
    }
    return DefWindowProcA(h, m, wp, lp);
  }
};

TEST_F(WatcherTest, FocusThenSpaceIsToldApartFromBareKeys) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Recorded::Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TetherlyPressRecorder";
  RegisterClassA(&wc);
  HWND top = CreateWindowA("Static", "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
  long promptSeen = 0;
  struct Case {
    const char* name;
    const char* text;
    std::function<void(HWND)> press;
    V expected;
  };
  const Case cases[] = {
      {"focus-space press", "x", [](HWND c) { watch::FocusSpacePress(c); }, {"SETFOCUS", "KEYDOWN", "KEYUP"}},
      {"bare key pair", "x", [](HWND c) { watch::SpaceKeys(c); }, {"KEYDOWN", "KEYUP"}},
      {"ATT's Tetherly", "Tetherly", [](HWND c) { watch::EnumATTDisconnectBtnFunc(c, 0); },
       {"SETFOCUS", "KEYDOWN", "KEYUP", "KEYDOWN", "KEYUP"}},
      {"MSN's OK", "OK",
       [&](HWND c) { watch::EnumMSNStayOnlineBtnFunc(c, reinterpret_cast<LPARAM>(&promptSeen)); },
       {"SETFOCUS", "KEYDOWN", "KEYUP"}},
      {"NetZero's Resume", "Resume", [](HWND c) { watch::EnumNetZeroResumeBtnFunc(c, 0); },
       {"SETFOCUS", "KEYDOWN", "KEYUP"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND control = CreateWindowA("TetherlyPressRecorder", c.text, WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, top,
                                 nullptr, nullptr, nullptr);
    Recorded::Log().clear();
    c.press(control);
    EXPECT_EQ(Recorded::Log(), c.expected);
    DestroyWindow(control);
  }
  DestroyWindow(top);
}

}  // namespace
