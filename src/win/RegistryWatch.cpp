#include "win/RegistryWatch.h"

namespace win {
namespace {

constexpr DWORD kWhat = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

}  // namespace

RegistryWatch::RegistryWatch(HKEY root, const char* path) : root_(root), path_(path ? path : "") {
  event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

RegistryWatch::~RegistryWatch() {
  Disarm();
  if (event_) CloseHandle(event_);
}

bool RegistryWatch::TakeChange() {
  if (armed_ && WaitForSingleObject(event_, 0) == WAIT_TIMEOUT) return false;
  // Re-armed before the caller reads, so a change made while it reads is
  // not missed: it signals the fresh watch.
  Disarm();
  Arm();
  return true;
}

bool RegistryWatch::Arm() {
  if (!event_) return false;
  ResetEvent(event_);
  if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_NOTIFY, &key_) != ERROR_SUCCESS) {
    key_ = nullptr;
    return false;
  }
  armed_ = RegNotifyChangeKeyValue(key_, TRUE, kWhat, event_, TRUE) == ERROR_SUCCESS;
  return armed_;
}

void RegistryWatch::Disarm() {
  armed_ = false;
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

}  // namespace win
