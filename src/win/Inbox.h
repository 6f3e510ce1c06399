#pragma once
// Hands items from any thread to the thread that created the inbox, in the
// order they were put, without the sender ever waiting: the first item put
// into an idle inbox posts one wake-up message, and the receiving thread
// then takes everything queued by the time it gets there. A burst of items
// thus costs one post and one fetch, not one of each per item (every
// cross-thread message is a round trip through the Wine server, and often a
// context switch).
//
// Lifecycle: Create() on the receiving thread -> Put() from any thread ->
// that thread's message loop hands each item to `deliver`, oldest first ->
// destruction, on the receiving thread, hands whatever is left to `dispose`.
// A bounded inbox drops its oldest items (to `dispose`) to make room.
// `deliver` runs on the receiving thread with no lock held; it may put more
// items, and it may pump messages (a nested delivery keeps the order).
#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

#include "win/Lock.h"
#include "win/Window.h"

namespace win {

// The wake-up window, shared by every kind of inbox.
class InboxWindow : public Window {
 public:
  static constexpr UINT kWake = WM_APP + 0x300;
  explicit InboxWindow(std::function<void()> onWake) : onWake_(std::move(onWake)) {}
  bool Create();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  std::function<void()> onWake_;
};

template <typename Item>
class Inbox {
 public:
  using Handler = std::function<void(Item&)>;
  static constexpr std::size_t kUnbounded = static_cast<std::size_t>(-1);

  Inbox() = default;
  ~Inbox() { Close(); }
  Inbox(const Inbox&) = delete;
  Inbox& operator=(const Inbox&) = delete;

  // At most `maxItems` items and `maxWeight` (the sum of the weights given
  // to Put) wait at a time.
  bool Create(Handler deliver, Handler dispose = {}, std::size_t maxItems = kUnbounded,
              std::size_t maxWeight = kUnbounded) {
    deliver_ = std::move(deliver);
    dispose_ = std::move(dispose);
    maxItems_ = maxItems ? maxItems : 1;
    maxWeight_ = maxWeight;
    auto window = std::make_unique<InboxWindow>([this] { DeliverQueued(); });
    if (!window->Create()) return false;
    window_ = std::move(window);
    LockGuard guard(lock_);
    wakeWindow_ = window_->hwnd();
    closed_ = false;
    return true;
  }
  void SetBounds(std::size_t maxItems, std::size_t maxWeight) {
    LockGuard guard(lock_);
    maxItems_ = maxItems ? maxItems : 1;
    maxWeight_ = maxWeight;
  }
  bool IsOpen() const { return window_ != nullptr; }
  HWND hwnd() const { return window_ ? window_->hwnd() : nullptr; }

  // From any thread. False, with the item disposed, when the inbox is not
  // open; a wake-up that cannot be posted is tried again by the next Put.
  bool Put(Item item, std::size_t weight = 1) {
    std::deque<Entry> dropped;
    HWND wake = nullptr;
    bool queued = false;
    {
      LockGuard guard(lock_);
      if (!wakeWindow_ || closed_) {
        dropped.push_back({std::move(item), weight});
      } else {
        while (!items_.empty() &&
               (items_.size() >= maxItems_ || weight_ + weight > maxWeight_)) {
          weight_ -= items_.front().weight;
          dropped.push_back(std::move(items_.front()));
          items_.pop_front();
        }
        items_.push_back({std::move(item), weight});
        weight_ += weight;
        queued = true;
        if (!wakePending_) wake = wakeWindow_;
        wakePending_ = true;
      }
    }
    for (Entry& e : dropped) Dispose(e.item);
    // Posted by handle: the window may be going away on its own thread.
    if (wake && !PostMessageA(wake, InboxWindow::kWake, 0, 0)) {
      LockGuard guard(lock_);
      wakePending_ = false;
    }
    return queued;
  }

  // On the receiving thread: delivers what is queued, as a wake-up does.
  void DeliverQueued() {
    {
      LockGuard guard(lock_);
      wakePending_ = false;
    }
    for (;;) {
      Item item;
      {
        LockGuard guard(lock_);
        if (items_.empty()) return;
        item = std::move(items_.front().item);
        weight_ -= items_.front().weight;
        items_.pop_front();
      }
      if (deliver_) deliver_(item);
    }
  }

  std::size_t Pending() {
    LockGuard guard(lock_);
    return items_.size();
  }

  // On the receiving thread: no more deliveries; what is queued is disposed.
  void Close() {
    std::deque<Entry> left;
    {
      LockGuard guard(lock_);
      closed_ = true;
      wakeWindow_ = nullptr;
      left.swap(items_);
      weight_ = 0;
    }
    for (Entry& e : left) Dispose(e.item);
    window_.reset();
  }

 private:
  struct Entry {
    Item item;
    std::size_t weight;
  };
  void Dispose(Item& item) {
    if (dispose_) dispose_(item);
  }

  Handler deliver_;
  Handler dispose_;
  std::unique_ptr<InboxWindow> window_;
  Lock lock_;
  HWND wakeWindow_ = nullptr;
  std::deque<Entry> items_;
  std::size_t weight_ = 0;
  std::size_t maxItems_ = kUnbounded;
  std::size_t maxWeight_ = kUnbounded;
  bool wakePending_ = false;
  bool closed_ = false;
};

}  // namespace win
