#include <gtest/gtest.h>

#include <string>

#include "keepalive/ExchangePlan.h"
#include "keepalive/SocketErrorText.h"
#include "keepalive/WireTexts.h"

namespace {

const std::string kTail =
    "HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
    "USER-AGENT: Microsoft Internet Explorer/4.0 [Windows 95]\n\n";

TEST(HttpRequest, BareHostGetsHeadAndAPathGetsGet) {
  struct Case {
    const char* host;
    std::string want;
  } cases[] = {
      {"www.example.org", "HEAD / " + kTail},
      {"", "HEAD / " + kTail},
      {"host/dir/page.html", "GET /dir/page.html " + kTail},
      {"host/", "GET / " + kTail},
      {"host/a/b?c=d e", "GET /a/b?c=d e " + kTail},
  };
  for (const Case& c : cases) EXPECT_EQ(wire::HttpRequestFor(c.host), c.want) << c.host;
}

TEST(HttpRequest, HasNoCarriageReturnsAndEndsWithAnEmptyLine) {
  for (const char* host : {"a", "a/b"}) {
    std::string r = wire::HttpRequestFor(host);
    EXPECT_EQ(r.find('\r'), std::string::npos);
    EXPECT_EQ(r.substr(r.size() - 2), "\n\n");
  }
}

TEST(HttpRequest, MarkerRequestNamesNetZeroOnlyWhenItStaysOnline) {
  EXPECT_EQ(wire::MarkerRequest(true),
            "GET /hits.shtml HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
            "USER-AGENT: Quillmark Browser (netzero)/4.01 [Windows 95]\n\n");
  EXPECT_EQ(wire::MarkerRequest(false),
            "GET /hits.shtml HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
            "USER-AGENT: Quillmark Browser (quillmark.com)/4.01 [Windows 95]\n\n");
}

TEST(Probe, IsThirtySixBytes) {
  EXPECT_EQ(wire::kProbeLength, 36u);
  EXPECT_EQ(std::string(wire::kProbeText, wire::kProbeLength),
            "abcdefghijklmnopqrstuvwxyz0123456789");
}

TEST(FtpGreeting, OnlyAReplyStartingWith220Counts) {
  struct Case {
    std::string data;
    bool greeting;
  } cases[] = {
      {"220 ready\r\n", true}, {"220-first line\r\n", true}, {"220", true},
      {"22", false},           {"421 busy\r\n", false},      {"", false},
      {" 220", false},         {std::string("2\0" "20", 4), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(wire::IsFtpGreeting(c.data.data(), c.data.size()), c.greeting) << c.data;
  EXPECT_FALSE(wire::IsFtpGreeting(nullptr, 3));
}

TEST(ReplyTrace, StopsAtTheFirstZeroByteOrTheEnd) {
  const char withZero[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(wire::ReplyTraceText(withZero, 4), "ab");
  const char noZero[] = {'x', 'y', 'z'};  // no terminator: must not read past
  EXPECT_EQ(wire::ReplyTraceText(noZero, 3), "xyz");
  EXPECT_EQ(wire::ReplyTraceText(noZero, 0), "");
  const char binary[] = {'\xff', '\x80', '\n', '\0'};
  EXPECT_EQ(wire::ReplyTraceText(binary, 4), std::string("\xff\x80\n"));
}

TEST(Marker, IsNoConfigurableHostAndNotCutByTheHttpRules) {
  const std::string marker = wire::kDefaultHostMarker;
  EXPECT_EQ(marker.find(','), std::string::npos);
  EXPECT_EQ(marker.find('/'), std::string::npos);
  EXPECT_LT(marker.size(), 128u);
  EXPECT_TRUE(wire::IsDefaultHostMarker(marker.c_str()));
  EXPECT_FALSE(wire::IsDefaultHostMarker("Tetherly home"));
  EXPECT_FALSE(wire::IsDefaultHostMarker(nullptr));
  EXPECT_FALSE(wire::IsDefaultHostMarker((marker + "x").c_str()));
}

TEST(ExchangePlan, HttpRules) {
  wire::SetOwnWebHost("127.0.0.9");
  struct Case {
    const char* request;
    const char* currentHost;
    const char* name;
    bool announce;
  } cases[] = {
      {"host", "host", "host", true},
      {"host/dir/page.html", "host/dir/page.html", "host", true},
      {"host/dir/page.html,42", "host/dir/page.html", "host", true},
      {"host,tail/x", "host", "host", true},
      {",x", "", "", true},
      {"", "", "", true},
      {wire::kDefaultHostMarker, wire::kDefaultHostMarker, "127.0.0.9", false},
  };
  for (const Case& c : cases) {
    ExchangePlan p = PlanExchange(ServiceKind::Http, c.request);
    EXPECT_EQ(p.currentHost, c.currentHost) << c.request;
    EXPECT_EQ(p.connectName, c.name) << c.request;
    EXPECT_EQ(p.announce, c.announce) << c.request;
    EXPECT_EQ(p.traceName, c.announce) << c.request;
    EXPECT_TRUE(p.proceed);
    EXPECT_EQ(p.port, 80u);
  }
  wire::SetOwnWebHost(nullptr);
  EXPECT_EQ(wire::OwnWebHost(), wire::kRealOwnWebHost);
}

TEST(ExchangePlan, UserPortSplitsAtTheFirstColon) {
  struct Case {
    const char* request;
    bool proceed;
    const char* name;
    unsigned port;
  } cases[] = {
      {"127.0.0.1:4000", true, "127.0.0.1", 4000},
      {"host: 7 ", true, "host", 7},
      {"host:65535", true, "host", 65535},
      {"host:65536", true, "host", 0},
      {"host:0", true, "host", 0},
      {"host:12x", true, "host", 0},
      {"host:", true, "host", 0},
      {"host:99999999999999999999", true, "host", 0},
      {"a:1:2", true, "a", 0},
      {"no colon", false, "", 0},
      {"", false, "", 0},
  };
  for (const Case& c : cases) {
    ExchangePlan p = PlanExchange(ServiceKind::UserPort, c.request);
    EXPECT_EQ(p.currentHost, c.request);
    EXPECT_EQ(p.proceed, c.proceed) << c.request;
    EXPECT_TRUE(p.announce);
    if (!c.proceed) continue;
    EXPECT_EQ(p.connectName, c.name) << c.request;
    EXPECT_EQ(p.port, c.port) << c.request;
  }
}

TEST(ExchangePlan, OtherServicesUseTheWholeTextOnTheirPort) {
  const struct {
    ServiceKind kind;
    unsigned port;
  } cases[] = {{ServiceKind::Ftp, 21}, {ServiceKind::Echo, 7}, {ServiceKind::Discard, 9},
               {ServiceKind::TimeServer, 13}};
  for (const auto& c : cases) {
    ExchangePlan p = PlanExchange(c.kind, "name/with,odd:chars");
    EXPECT_EQ(p.connectName, "name/with,odd:chars");
    EXPECT_EQ(p.currentHost, "name/with,odd:chars");
    EXPECT_EQ(p.port, c.port);
    EXPECT_FALSE(p.traceName);
  }
}

TEST(SocketErrorText, TableAndFallbacks) {
  struct Case {
    int code;
    const char* text;
  } cases[] = {
      {10061, "Connection refused"},
      {10050, "Network subsystem failed"},
      {10056, "Winsock Error"},
      {10101, "Winsock Error"},
      {12345, "Winsock error not defined"},
      {0, "Winsock error not defined"},
      {-1, "Winsock error not defined"},
      {10060, "Connection timed out"},
      {10022, "Connection rejected"},
      {10053, "Connection aborted"},
      {11001, "Authoritive: Host not found"},
      {11004, "Valid name, no data record for type"},
      {10035, "Socket marked as non-blocking and SO_LINGER set not 0"},
  };
  for (const Case& c : cases) EXPECT_STREQ(SocketErrorText(c.code), c.text) << c.code;
}

}  // namespace
