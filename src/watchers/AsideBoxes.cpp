#include "watchers/AsideBoxes.h"

namespace watch {
namespace {

constexpr UINT kShowBoxMessage = WM_APP + 1;  // thread message; lParam an owned Request

}  // namespace

struct AsideBoxes::Request {
  std::string text, caption;
  UINT type;
};

AsideBoxes::~AsideBoxes() { Stop(5000); }

bool AsideBoxes::EnsureThread() {
  win::LockGuard g(lock_);
  if (stopped_) return false;
  if (thread_) return true;
  auto thread = std::make_unique<win::WorkerThread>();
  if (thread->Start([this](const MSG& msg) { OnRequest(msg); }) != ERROR_SUCCESS) return false;
  thread_ = std::move(thread);
  return true;
}

bool AsideBoxes::Show(const std::string& text, const std::string& caption, UINT type) {
  // Claimed first: a thread message posted while a box runs its modal loop
  // would be lost, so none is posted while one stands.
  if (!standing_.TryClaim()) return false;
  if (EnsureThread()) {
    auto* request = new Request{text, caption, type};
    win::LockGuard g(lock_);
    if (thread_->Post(kShowBoxMessage, 0, reinterpret_cast<LPARAM>(request))) return true;
    delete request;
  }
  standing_.Set(0);
  return false;
}

void AsideBoxes::OnRequest(const MSG& msg) {
  if (msg.message != kShowBoxMessage) return;
  std::unique_ptr<Request> request(reinterpret_cast<Request*>(msg.lParam));
  win::ShowMessageBox(nullptr, request->text.c_str(), request->caption.c_str(), request->type, &ender_);
  standing_.Set(0);
}

bool AsideBoxes::Stop(DWORD ms) {
  HANDLE handle = nullptr;
  {
    win::LockGuard g(lock_);
    stopped_ = true;
    if (!thread_) return true;
    thread_->PostQuit();
    handle = thread_->handle();
  }
  return !handle || WaitForSingleObject(handle, ms) == WAIT_OBJECT_0;
}

}  // namespace watch
