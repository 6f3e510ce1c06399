#pragma once
// A static text control that works as a link: drawn blue and underlined,
// the hand cursor over it, and a click (or Space while it has the focus)
// opens its target (a mailto: or web address) through the shell.
//
// Lifecycle: Attach(control, target) once the dialog exists; the link
// detaches itself when the control is destroyed. The object must outlive the
// control or be destroyed first (its destructor detaches).
#include <windows.h>

#include <functional>
#include <string>

namespace win {

class Hyperlink {
 public:
  Hyperlink() = default;
  ~Hyperlink();
  Hyperlink(const Hyperlink&) = delete;
  Hyperlink& operator=(const Hyperlink&) = delete;

  bool Attach(HWND control, std::string target);
  void Detach();
  const std::string& target() const { return target_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void Paint();
  void Open();

  HWND control_ = nullptr;
  std::string target_;
  HFONT underlined_ = nullptr;
};

// Opens a link's target: ShellExecuteA "open", unless a handler is installed
// (tests). True when the shell took it.
bool OpenLinkTarget(HWND owner, const std::string& target);
using LinkOpener = std::function<bool(HWND owner, const std::string& target)>;
// Installs a handler for the whole process; an empty one restores the shell.
LinkOpener SetLinkOpener(LinkOpener opener);

}  // namespace win
