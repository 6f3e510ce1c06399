#pragma once
// The bytes the keep-alive services put on the wire, and the texts that
// steer them. Every text here is sent or compared byte for byte.
#include <cstddef>
#include <string>

namespace wire {

// Sent on Echo, Discard, Time Server and user ports, without a terminator.
inline constexpr char kProbeText[] = "abcdefghijklmnopqrstuvwxyz0123456789";
inline constexpr std::size_t kProbeLength = sizeof(kProbeText) - 1;

// Where the visit of the program's own web host goes. Replaceable so that
// tests and the local demonstration never contact the real one.
std::string OwnWebHost();
void SetOwnWebHost(const char* name);  // null or empty restores the real one
inline constexpr char kRealOwnWebHost[] = "www.quillmark.com";
inline constexpr char kOwnWebDomain[] = "quillmark.com";

// HEAD / for a bare host, GET with the path for host/path; line-feed line
// ends and a closing empty line.
std::string HttpRequestFor(const std::string& currentHost);
// The request of that visit; its user agent names NetZero when NetZero's
// "Stay Online" is on.
std::string VisitRequest(bool netZeroStayOnline);

// An FTP reply counts as a greeting when it starts with "220".
bool IsFtpGreeting(const char* data, std::size_t length);

// A received reply as a trace line: up to its first zero byte or its end.
std::string ReplyTraceText(const char* data, std::size_t length);

}  // namespace wire
