#include "keepalive/WireTexts.h"

#include <cstring>
#include <mutex>

namespace wire {
namespace {

constexpr char kRequestTail[] =
    "HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
    "USER-AGENT: Microsoft Internet Explorer/4.0 [Windows 95]\n\n";

std::mutex g_ownHostLock;
std::string g_ownHost = kRealOwnWebHost;

}  // namespace

std::string OwnWebHost() {
  std::lock_guard<std::mutex> g(g_ownHostLock);
  return g_ownHost;
}

void SetOwnWebHost(const char* name) {
  std::lock_guard<std::mutex> g(g_ownHostLock);
  g_ownHost = (name && *name) ? name : kRealOwnWebHost;
}

std::string HttpRequestFor(const std::string& currentHost) {
  const std::size_t slash = currentHost.find('/');
  std::string request;
  if (slash == std::string::npos) {
    request = "HEAD / ";
  } else {
    request = "GET ";
    request.append(currentHost, slash, std::string::npos);
    request += ' ';
  }
  request += kRequestTail;
  return request;
}

std::string VisitRequest(bool netZeroStayOnline) {
  std::string request =
      "GET /hits.shtml HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
      "USER-AGENT: Quillmark Browser (";
  request += netZeroStayOnline ? "netzero" : kOwnWebDomain;
  request += ")/4.01 [Windows 95]\n\n";
  return request;
}

bool IsFtpGreeting(const char* data, std::size_t length) {
  return data && length >= 3 && std::memcmp(data, "220", 3) == 0;
}

std::string ReplyTraceText(const char* data, std::size_t length) {
  if (!data) return {};
  const void* zero = std::memchr(data, '\0', length);
  std::size_t n = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : length;
  return std::string(data, n);
}

}  // namespace wire
