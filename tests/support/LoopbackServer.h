#pragma once
// A TCP server on a loopback address that the tests start in-process. It
// takes one connection at a time and runs a script of steps on each,
// recording every byte it receives. Scripts fault the way real servers do:
// say nothing, close at once, reset, dribble one byte at a time, send
// forever, two replies in one packet, hold until released.
//
// Waits inside the server poll its stop flag, so Stop() (and destruction)
// end it promptly whatever the script is doing.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <string>
#include <vector>

#include "win/Lock.h"

namespace testing_support {

struct Step {
  enum Kind {
    kSend,          // text, in one send
    kSendBytewise,  // text, one byte per send, `gapMs` real ms apart
    kReceive,       // wait for any new bytes
    kReceiveLine,   // wait for the next line feed
    kReceiveUntil,  // wait until the connection's bytes contain text
    kHold,          // keep reading until the peer closes
    kWaitGate,      // wait until OpenGate()
    kReset,         // abortive close (RST), ends the script
    kClose,         // close now, ends the script
    kSendForever,   // text again and again until the peer goes away
    kEcho,          // send back whatever arrives until the peer closes
  };
  Kind kind;
  std::string text;
  DWORD gapMs = 0;
};

inline Step Send(std::string text) { return {Step::kSend, std::move(text)}; }
inline Step SendBytewise(std::string text, DWORD gapMs) {
  return {Step::kSendBytewise, std::move(text), gapMs};
}
inline Step Receive() { return {Step::kReceive, {}}; }
inline Step ReceiveLine() { return {Step::kReceiveLine, {}}; }
inline Step ReceiveUntil(std::string text) { return {Step::kReceiveUntil, std::move(text)}; }
inline Step Hold() { return {Step::kHold, {}}; }
inline Step WaitGate() { return {Step::kWaitGate, {}}; }
inline Step Reset() { return {Step::kReset, {}}; }
inline Step CloseNow() { return {Step::kClose, {}}; }
inline Step SendForever(std::string chunk) { return {Step::kSendForever, std::move(chunk)}; }
inline Step Echo() { return {Step::kEcho, {}}; }

using Script = std::vector<Step>;

// Standard scripts of the keep-alive services.
Script HttpScript(std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n");
Script FtpScript(std::string greeting = "220 ready\r\n");
Script EchoScript();
Script DiscardScript();
Script DaytimeScript();
// Greets, then answers each of the next `lines` lines with "+OK 0 0".
Script Pop3Script(int lines = 8);
// Sends the first reply, then answers every line it gets with the next one,
// then holds the connection until the peer closes.
Script Dialogue(std::initializer_list<const char*> replies);

class LoopbackServer {
 public:
  LoopbackServer() = default;
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Listens on address:port (the caller has started Winsock). Returns 0 or
  // the Winsock error.
  int Start(const char* address, unsigned short port, Script script);
  void Stop();

  void OpenGate();
  // Before Start: false keeps only the current connection's bytes, so a
  // long run does not grow the process (benchmarks).
  void KeepRecords(bool keep) { keepRecords_ = keep; }
  // Bytes received on each connection so far, in order of arrival.
  std::vector<std::string> Connections();
  int ConnectionCount();
  // Connections whose script has run to its end.
  int FinishedCount();
  std::string Received(int connection);
  // How the peer ended a connection, as its last read saw it: 0 an orderly
  // close, a Winsock error (10054 for a reset), -1 not seen (yet).
  int PeerEnding(int connection);
  // Real-time bounded waits for the server's side of the story.
  bool WaitForConnections(int count, DWORD ms = 10000);
  bool WaitForFinished(int count, DWORD ms = 10000);

 private:
  static DWORD WINAPI Main(void* self);
  void Serve();
  void RunScript(SOCKET s, size_t index);
  bool ReadSome(SOCKET s, size_t index);  // false: peer gone or stopping
  bool WaitReadable(SOCKET s);
  bool SendAll(SOCKET s, const char* data, int length);
  size_t RecordedSize(size_t index);

  SOCKET listener_ = INVALID_SOCKET;
  HANDLE thread_ = nullptr;
  Script script_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> gate_{false};
  win::Lock lock_;
  std::vector<std::string> received_;
  std::vector<int> endings_;
  bool keepRecords_ = true;
  int connections_ = 0;
  int finished_ = 0;
};

}  // namespace testing_support
