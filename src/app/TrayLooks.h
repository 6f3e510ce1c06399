#pragma once
// The tray icon's looks: which picture and which tooltip each look number
// stands for, and which animation timers it starts or stops. The rules live
// here, apart from Win32, so they can be checked natively; CKeepAliveTray
// loads the pictures and texts and talks to the shell.
#include <string>
#include <string_view>

namespace tray {

// Where a look's tooltip comes from.
enum class Tip {
  kText,        // string-table text `stringId`, or `text` when that is 0 or missing
  kIdlePrompt,  // one of two prompts, by the modem dialer's one-stop setting
  kConnecting,  // "Connecting To " and what is being connected (see ConnectionTip)
  kConnected,   // "Connected To " and what is being connected
  kGiven,       // the caller's text
  kUnchanged,   // picture and tooltip stay as they are
};

// What a look does to the two animation timers; bit flags.
enum TimerEffect : unsigned {
  kNoTimerEffect = 0,
  kStartDialAnimation = 1u << 0,  // timer 6, if it is not running
  kStopDialAnimation = 1u << 1,
  kStartConnectBlink = 1u << 2,   // timer 7, if it is not running
  kStopConnectBlink = 1u << 3,
};

struct Look {
  int number;
  int iconId;        // 0: the picture stays
  int stringId;      // 0: no string-table text
  const char* text;  // built-in text; stands in when the string is missing
  Tip tip;
  unsigned timers;   // TimerEffect bits
};

// The look with this number, or nullptr for a number that is not a look.
const Look* FindLook(int number);

// AddTrayIcon has its own numbering (8, 9, 10); each shows exactly what one
// ordinary look shows. Returns that look's number, or 0 for anything else.
int LookForAddLook(int addLook);

// Every picture a look can show, for loading them once.
int IconIdCount();
int IconIdAt(int index);

// The settings that decide the idle prompt and the connection texts; read
// fresh each time a look needs them.
struct DialerSettings {
  bool oneStop = false;           // "Modem Dialer" "One Stop Connection"
  bool modemUseDialer = false;    // "Modem Dialer" "Use Dialer"
  std::string profile;            // "Modem Dialer" "Profile"
  bool netZeroUseDialer = false;  // "NetZero" "Use Dialer"
};

struct TextRef {
  int stringId;
  const char* text;  // stands in when the string is missing
};

// "Left click to dial..." when a left click dials, else "Left click to start
// service...".
TextRef IdlePrompt(const DialerSettings& s);

// The tooltip while the dial-up line comes up (`connected` false) and once it
// is confirmed (true): the modem dialer's profile, else NetZero, else nothing.
std::string ConnectionTip(bool connected, const DialerSettings& s);

// The shell keeps 64 bytes of tooltip with its terminator.
constexpr std::size_t kMaxTipChars = 63;

// `text` cut to at most kMaxTipChars bytes. With `isLeadByte` (a double-byte
// code page) the cut never splits a character in two.
std::string CutTip(std::string_view text, bool (*isLeadByte)(unsigned char) = nullptr);

// The looks of an exchange in progress (sending, receiving): they last
// milliseconds, so the tray shows them only when they last long enough to
// be seen.
bool IsShortLived(int look);

// Timer 6: the look of animation frame 0..9, and the frame after it.
constexpr int kDialFrames = 10;
int DialFrameLook(int frame);
int NextDialFrame(int frame);

// Timer 7: one tick of the connecting blink. Shows `look`; after the ninth
// tick `done` is set and the count starts again at 0.
struct BlinkStep {
  int look;
  bool done;
};
constexpr int kBlinkTicks = 9;
BlinkStep BlinkTick(int& count);

}  // namespace tray
