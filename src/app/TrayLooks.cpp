#include "app/TrayLooks.h"

#include "res/resource.h"

namespace tray {
namespace {

constexpr const char* kDialingText = "Dialing ....";

// Looks 3, 6 and 25 do not exist. Looks 12 to 21 are the dialing frames.
constexpr Look kLooks[] = {
    {1, IDI_SENDING, 0, "Sending Data", Tip::kText, kNoTimerEffect},
    {2, IDI_RECEIVING, 0, "Receiving Data", Tip::kText, kNoTimerEffect},
    {4, IDI_CONNECTED, 0, "Tetherly! Disconnect Protection Enabled", Tip::kText, kNoTimerEffect},
    {5, IDI_ERROR_STATE, 0, "No service available", Tip::kText, kNoTimerEffect},
    {7, IDI_STOPPED, 0, nullptr, Tip::kIdlePrompt, kNoTimerEffect},
    {8, IDI_RUNNING, IDS_RUNNING_TIP, "Tetherly! - click once to stop service", Tip::kText,
     kNoTimerEffect},
    {9, IDI_AOL, IDS_WITH_AOL, "Tetherly with AOL", Tip::kText, kNoTimerEffect},
    {10, IDI_AOL_ABSENT, IDS_AOL_ABSENT, "AOL Browser not present", Tip::kText, kNoTimerEffect},
    {11, 0, 0, nullptr, Tip::kUnchanged, kStartDialAnimation},
    {12, IDI_DIAL_FRAME_FIRST + 0, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {13, IDI_DIAL_FRAME_FIRST + 1, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {14, IDI_DIAL_FRAME_FIRST + 2, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {15, IDI_DIAL_FRAME_FIRST + 3, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {16, IDI_DIAL_FRAME_FIRST + 4, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {17, IDI_DIAL_FRAME_FIRST + 5, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {18, IDI_DIAL_FRAME_FIRST + 6, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {19, IDI_DIAL_FRAME_FIRST + 7, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {20, IDI_DIAL_FRAME_FIRST + 8, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {21, IDI_DIAL_FRAME_FIRST + 9, 0, kDialingText, Tip::kText, kNoTimerEffect},
    {22, IDI_DIAL_CONNECTED, 0, nullptr, Tip::kConnecting,
     kStopDialAnimation | kStartConnectBlink},
    {23, IDI_DIAL_CONNECTED, 0, nullptr, Tip::kConnected, kStopConnectBlink},
    // The blink's own picture: it must not stop the blink that shows it.
    {24, IDI_DIAL_CONNECTED, 0, nullptr, Tip::kConnecting, kNoTimerEffect},
    // A dial that ends or fails while the line was still being confirmed must
    // not be confirmed afterwards, so these stop the blink too.
    {26, IDI_STOPPED, 0, nullptr, Tip::kIdlePrompt, kStopDialAnimation | kStopConnectBlink},
    {27, IDI_DIAL_ERROR, 0, nullptr, Tip::kGiven, kStopDialAnimation | kStopConnectBlink},
    {28, IDI_NETZERO, IDS_WITH_NETZERO, "Tetherly with NetZero", Tip::kText, kNoTimerEffect},
    {29, IDI_CS2000, IDS_WITH_CS2000, "Tetherly with CS2000", Tip::kText, kNoTimerEffect},
    {30, IDI_CS2000_ABSENT, IDS_CS2000_ABSENT, "CS2000 Browser not present", Tip::kText,
     kNoTimerEffect},
    {31, IDI_ATT, IDS_WITH_ATT, "Tetherly with ATT", Tip::kText, kNoTimerEffect},
    {32, IDI_MSN, IDS_WITH_MSN, "Tetherly with MSN", Tip::kText, kNoTimerEffect},
    {33, IDI_POP3_FAILED, IDS_POP3_FAILED,
     "Connection to POP3 fail. Please check your POP3 setting", Tip::kText, kNoTimerEffect},
    {34, IDI_AWAITING, IDS_AWAITING, "Tetherly - Awaiting Connection...", Tip::kText,
     kNoTimerEffect},
};

constexpr int kIconIds[] = {
    IDI_SENDING,  IDI_RECEIVING,      IDI_CONNECTED, IDI_ERROR_STATE, IDI_STOPPED,
    IDI_RUNNING,  IDI_AOL,            IDI_AOL_ABSENT,
    IDI_DIAL_FRAME_FIRST + 0, IDI_DIAL_FRAME_FIRST + 1, IDI_DIAL_FRAME_FIRST + 2,
    IDI_DIAL_FRAME_FIRST + 3, IDI_DIAL_FRAME_FIRST + 4, IDI_DIAL_FRAME_FIRST + 5,
    IDI_DIAL_FRAME_FIRST + 6, IDI_DIAL_FRAME_FIRST + 7, IDI_DIAL_FRAME_FIRST + 8,
    IDI_DIAL_FRAME_FIRST + 9,
    IDI_DIAL_CONNECTED, IDI_DIAL_ERROR, IDI_NETZERO, IDI_CS2000, IDI_CS2000_ABSENT,
    IDI_ATT,      IDI_MSN,            IDI_POP3_FAILED, IDI_AWAITING,
};

}  // namespace

const Look* FindLook(int number) {
  for (const Look& look : kLooks)
    if (look.number == number) return &look;
  return nullptr;
}

int LookForAddLook(int addLook) {
  switch (addLook) {
    case 8: return 7;    // stopped: the idle prompt
    case 9: return 8;    // running
    case 10: return 34;  // awaiting a connection
    default: return 0;
  }
}

int IconIdCount() { return static_cast<int>(sizeof(kIconIds) / sizeof(kIconIds[0])); }

int IconIdAt(int index) {
  return index >= 0 && index < IconIdCount() ? kIconIds[index] : 0;
}

TextRef IdlePrompt(const DialerSettings& s) {
  if (s.oneStop && s.modemUseDialer)
    return {IDS_IDLE_DIAL, "Left click to dial. Right click for menu."};
  return {IDS_IDLE_START, "Left click to start service. Right click for menu."};
}

std::string ConnectionTip(bool connected, const DialerSettings& s) {
  if (s.modemUseDialer) return (connected ? "Connected To " : "Connecting To ") + s.profile;
  if (s.netZeroUseDialer) return "Connected To NetZero";
  return std::string();
}

std::string CutTip(std::string_view text, bool (*isLeadByte)(unsigned char)) {
  std::size_t end = 0;
  while (end < text.size() && end < kMaxTipChars) {
    std::size_t width = 1;
    if (isLeadByte && isLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size())
      width = 2;
    if (end + width > kMaxTipChars) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

bool IsShortLived(int look) { return look == 1 || look == 2; }

int DialFrameLook(int frame) { return frame >= 0 && frame < kDialFrames ? 12 + frame : 12; }

int NextDialFrame(int frame) { return frame >= 0 && frame < kDialFrames - 1 ? frame + 1 : 0; }

BlinkStep BlinkTick(int& count) {
  BlinkStep step{(count % 2 == 1) ? 24 : 12, false};
  ++count;
  if (count >= kBlinkTicks) {
    step.done = true;
    count = 0;
  }
  return step;
}

}  // namespace tray
