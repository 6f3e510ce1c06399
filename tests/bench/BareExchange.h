#pragma once
// The keep-alive exchanges done the plain way, for comparison with the
// program: the same bytes to the same servers, without workers, windows or
// timers of the program's own.
#include <winsock2.h>
#include <windows.h>

#include <string>

namespace bench {

// What service `service` (0 HTTP .. 5 User Port) sends once connected; empty
// for FTP, which only reads the greeting.
std::string RequestOf(int service, const char* host);
// Whether the service reads one reply (HTTP, FTP, Echo, Time Server).
bool ReadsReply(int service);

// One exchange with a blocking socket on the calling thread.
bool BlockingExchange(int service, const char* address, unsigned short port);

// One exchange over WSAAsyncSelect, carried by this thread's message loop
// (a message-only window of its own), as one-threaded Windows programs do.
class AsyncExchange {
 public:
  AsyncExchange();
  ~AsyncExchange();
  bool Run(int service, const char* address, unsigned short port);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnEvent(WPARAM wp, LPARAM lp);
  void Finish(bool ok);

  HWND window_ = nullptr;
  SOCKET socket_ = INVALID_SOCKET;
  int service_ = 0;
  std::string request_;
  bool done_ = false;
  bool ok_ = false;
};

}  // namespace bench
