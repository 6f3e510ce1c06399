#include <gtest/gtest.h>

#include <string>

#include "keepalive/ExchangePlan.h"
#include "keepalive/HostText.h"
#include "keepalive/SocketErrorCodes.h"
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

TEST(HttpRequest, VisitRequestNamesNetZeroOnlyWhenItStaysOnline) {
  EXPECT_EQ(wire::VisitRequest(true),
            "GET /hits.shtml HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
            "USER-AGENT: Quillmark Browser (netzero)/4.01 [Windows 95]\n\n");
  EXPECT_EQ(wire::VisitRequest(false),
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
  };
  for (const Case& c : cases) {
    ExchangePlan p = PlanExchange(ServiceKind::Http, c.request);
    EXPECT_EQ(p.currentHost, c.currentHost) << c.request;
    EXPECT_EQ(p.connectName, c.name) << c.request;
    EXPECT_EQ(p.announce, c.announce) << c.request;
    EXPECT_EQ(p.traceName, c.announce) << c.request;
    EXPECT_TRUE(p.proceed);
    EXPECT_EQ(p.port, 80u);
    EXPECT_FALSE(p.ownWebHost);
  }
  // The visit is a kind of request, not a text: whatever text comes with it
  // is ignored, and it goes quietly to the own web host.
  for (const char* text : {"", "127.0.0.1", "x\ny"}) {
    ExchangePlan p = PlanExchange(ServiceKind::Http, text, true);
    EXPECT_TRUE(p.ownWebHost);
    EXPECT_FALSE(p.invalid);
    EXPECT_EQ(p.currentHost, "");
    EXPECT_EQ(p.connectName, "127.0.0.9");
    EXPECT_FALSE(p.announce);
    EXPECT_FALSE(p.traceName);
  }
  // Only HTTP visits; for other services the flag means nothing.
  EXPECT_FALSE(PlanExchange(ServiceKind::Echo, "e", true).ownWebHost);
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
      {"host:8080x", true, "host", 8080},   // digits up to the first other character
      {"host:12 34", true, "host", 12},
      {"host:007", true, "host", 7},
      {"host:x12", true, "host", 0},
      {"host:-7", true, "host", 0},
      {"host:", true, "host", 0},
      {"host:99999999999999999999", true, "host", 0},
      {"host:65535999", true, "host", 0},
      {"a:1:2", true, "a", 1},
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

// A control character anywhere in a host text makes it unusable for every
// service: nothing of it is connected to or sent, and it is shown escaped.
TEST(ExchangePlan, ControlCharactersMakeAHostTextInvalid) {
  struct Case {
    ServiceKind kind;
    std::string request;
    std::string shown;
  } cases[] = {
      {ServiceKind::Http, "127.0.0.2/x\nX-Injected: yes", "127.0.0.2/x\\nX-Injected: yes"},
      {ServiceKind::Http, "\x01Tetherly home\x01", "\\x01Tetherly home\\x01"},
      {ServiceKind::Http, "a\rb,tail", "a\\rb"},
      {ServiceKind::Ftp, "ftp\t.example", "ftp\\t.example"},
      {ServiceKind::Echo, std::string("e\x7f"), "e\\x7F"},
      {ServiceKind::Discard, "\x1b[2J", "\\x1B[2J"},
      {ServiceKind::TimeServer, "t\\\n", "t\\\\\\n"},
      {ServiceKind::UserPort, "127.0.0.1:7\r\n", "127.0.0.1:7\\r\\n"},
      {ServiceKind::UserPort, "no colon\n", "no colon\\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    ExchangePlan p = PlanExchange(c.kind, c.request.c_str());
    EXPECT_TRUE(p.invalid);
    EXPECT_TRUE(p.proceed);
    EXPECT_TRUE(p.announce);
    EXPECT_EQ(p.currentHost, c.shown);
    EXPECT_EQ(p.connectName, "");
    EXPECT_EQ(p.port, 0u);
    EXPECT_FALSE(p.ownWebHost);
  }
  // After the comma nothing is used, so nothing there can be smuggled in.
  EXPECT_FALSE(PlanExchange(ServiceKind::Http, "host,\nX: y").invalid);
  // 8-bit characters are not control characters.
  EXPECT_FALSE(PlanExchange(ServiceKind::Echo, "h\xe9te").invalid);
}

TEST(HostText, EscapesStayWithinTheHostBuffer) {
  const std::string many(200, '\n');
  const std::string shown = hosttext::Escaped(many, kMaxHostChars);
  EXPECT_EQ(shown.size(), 126u);  // 63 whole escapes; none cut in half
  EXPECT_EQ(shown.substr(0, 4), "\\n\\n");
  EXPECT_EQ(hosttext::Escaped("plain\\name", 127), "plain\\name") << "valid texts stay as they are";
  EXPECT_EQ(hosttext::Escaped(std::string(300, 'a'), 127), std::string(127, 'a'));
  EXPECT_EQ(hosttext::Escaped(std::string("\0", 1), 127), "\\x00");
}

// Codes with words of their own are looked up in the string table under
// their own number; every other code has none.
TEST(SocketErrorCodes, ListedCodesAreTheirOwnStringIds) {
  const int listed[] = {10004, 10009, 10022, 10035, 10050, 10053, 10056, 10060,
                        10061, 10071, 10093, 10101, 11001, 11004};
  for (int code : listed) EXPECT_EQ(SocketErrorStringId(code), code);
  const int unlisted[] = {0, -1, 10000, 10003, 10005, 10034, 10072, 10090, 10100,
                          10102, 11000, 11005, 12345, 0x7FFFFFFF};
  for (int code : unlisted) EXPECT_EQ(SocketErrorStringId(code), 0) << code;
}

}  // namespace
