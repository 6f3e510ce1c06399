#include <string>
#include <vector>

#include "ExchangeFixture.h"
#include "support/ResolverStandIn.h"
#include "keepalive/WireTexts.h"

namespace {

using namespace testing_support;
using V = std::vector<Recorded>;

const std::string kTail =
    "HTTP/1.0\nACCEPT: text/html\nACCEPT-LANGUAGE: EN\n"
    "USER-AGENT: Microsoft Internet Explorer/4.0 [Windows 95]\n\n";
const std::string kProbe = "abcdefghijklmnopqrstuvwxyz0123456789";
const std::string kReply = "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n";

V Success(ServiceKind kind, const std::string& host, bool withReply = true) {
  V v = {Host(1, kind, host), Progress(1)};
  if (withReply) v.push_back(Progress(2));
  v.push_back(Result(kind, 1));
  v.push_back(Host(2, kind, host));
  return v;
}

TEST_F(ExchangeTest, HttpRequestsAreByteExact) {
  struct Case {
    const char* address;
    const char* request;
    std::string host;  // shown and kept
    std::string name;  // connected to and traced
    std::string wire;
  } cases[] = {
      {"127.33.1.1", "127.33.1.1", "127.33.1.1", "127.33.1.1", "HEAD / " + kTail},
      {"127.33.1.2", "127.33.1.2/dir/page.html", "127.33.1.2/dir/page.html", "127.33.1.2",
       "GET /dir/page.html " + kTail},
      {"127.33.1.3", "127.33.1.3/dir/page.html,42", "127.33.1.3/dir/page.html", "127.33.1.3",
       "GET /dir/page.html " + kTail},
      {"127.33.1.4", "127.33.1.4,7,tail/x", "127.33.1.4", "127.33.1.4", "HEAD / " + kTail},
  };
  for (const Case& c : cases) {
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 80, HttpScript(kReply)), 0);
    controller.Clear();
    TraceRecorder::Clear();
    Exchange(ServiceKind::Http, c.request);
    EXPECT_EQ(controller.messages(), Success(ServiceKind::Http, c.host))
        << Describe(controller.messages());
    ASSERT_TRUE(server.WaitForFinished(1));
    EXPECT_EQ(server.Received(0), c.wire);
    EXPECT_EQ(TraceRecorder::Lines(), (std::vector<std::string>{c.name, c.wire, kReply}));
  }
}

// The visit of the own web host: no connecting message, no progress 1, no
// trace of name or request; the user agent follows NetZero's setting. It is
// reported by its own phase with no text.
TEST_F(ExchangeTest, VisitGoesQuietlyToTheOwnWebHost) {
  wire::SetOwnWebHost("127.33.1.5");
  for (bool netZero : {false, true}) {
    netZeroStayOnline = netZero;
    LoopbackServer server;
    ASSERT_EQ(server.Start("127.33.1.5", 80, HttpScript(kReply)), 0);
    controller.Clear();
    TraceRecorder::Clear();
    ASSERT_TRUE(workers.TryClaim(ServiceKind::Http));
    ASSERT_TRUE(workers.PostOwnWebHostVisit());
    ASSERT_TRUE(controller.WaitForResults(ServiceKind::Http, 1));
    ASSERT_TRUE(WaitIdle(ServiceKind::Http));
    EXPECT_EQ(controller.messages(), (V{Progress(2), Result(ServiceKind::Http, 1),
                                        Host(3, ServiceKind::Http, "")}))
        << Describe(controller.messages());
    ASSERT_TRUE(server.WaitForFinished(1));
    EXPECT_EQ(server.Received(0), wire::VisitRequest(netZero));
    EXPECT_EQ(TraceRecorder::Lines(), std::vector<std::string>{kReply});
  }
  wire::SetOwnWebHost(nullptr);
}

// A host text with a control character, including the text that once
// stood for the visit of the own web host: announced and traced escaped,
// failed at once as an unresolvable name, and nothing reaches the server.
TEST_F(ExchangeTest, HostTextsWithControlCharactersNeverReachTheWire) {
  LoopbackServer http, user, own;
  ASSERT_EQ(http.Start("127.33.1.6", 80, HttpScript(kReply)), 0);
  ASSERT_EQ(user.Start("127.33.1.6", 4321, {Hold()}), 0);
  ASSERT_EQ(own.Start("127.33.1.7", 80, HttpScript(kReply)), 0);
  wire::SetOwnWebHost("127.33.1.7");
  struct Case {
    ServiceKind kind;
    std::string request;
    std::string shown;
  } cases[] = {
      {ServiceKind::Http, "127.33.1.6/x\nX-Injected: yes", "127.33.1.6/x\\nX-Injected: yes"},
      {ServiceKind::Http, "\x01Tetherly home\x01", "\\x01Tetherly home\\x01"},
      {ServiceKind::UserPort, "127.33.1.6:4321\r\n", "127.33.1.6:4321\\r\\n"},
      {ServiceKind::Echo, "127.33.1.6\t", "127.33.1.6\\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    controller.Clear();
    TraceRecorder::Clear();
    Exchange(c.kind, c.request.c_str());
    EXPECT_EQ(controller.messages(), (V{Host(1, c.kind, c.shown), Failure(c.kind, WSAEINVAL)}))
        << Describe(controller.messages());
    EXPECT_EQ(TraceRecorder::Lines(), std::vector<std::string>{c.shown});
  }
  EXPECT_EQ(http.ConnectionCount(), 0);
  EXPECT_EQ(user.ConnectionCount(), 0);
  EXPECT_EQ(own.ConnectionCount(), 0);
  wire::SetOwnWebHost(nullptr);
}

TEST_F(ExchangeTest, FtpSucceedsOnlyOnAGreeting) {
  struct Case {
    const char* address;
    std::string greeting;
    bool ok;
  } cases[] = {
      {"127.33.2.1", "220 ready\r\n", true},
      {"127.33.2.2", "220-Welcome\r\n220-more\r\n220 ready\r\n", true},
      {"127.33.2.3", "421 too many users\r\n", false},
  };
  for (const Case& c : cases) {
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 21, FtpScript(c.greeting)), 0);
    controller.Clear();
    Exchange(ServiceKind::Ftp, c.address);
    if (c.ok)
      EXPECT_EQ(controller.messages(), Success(ServiceKind::Ftp, c.address))
          << Describe(controller.messages());
    else
      EXPECT_EQ(controller.messages(), (V{Host(1, ServiceKind::Ftp, c.address), Progress(1),
                                          Progress(2), Result(ServiceKind::Ftp, 0)}))
          << Describe(controller.messages());
    ASSERT_TRUE(server.WaitForFinished(1));
    EXPECT_EQ(server.Received(0), "") << "nothing is sent to an FTP server";
  }
}

TEST_F(ExchangeTest, EchoAndDaytimeReadOneReply) {
  LoopbackServer echo, daytime, binaryDaytime;
  ASSERT_EQ(echo.Start("127.33.3.1", 7, EchoScript()), 0);
  ASSERT_EQ(daytime.Start("127.33.3.2", 13, DaytimeScript()), 0);
  ASSERT_EQ(binaryDaytime.Start("127.33.3.3", 13, {Send(std::string("\0\0\xff\x01", 4)), Hold()}), 0);

  Exchange(ServiceKind::Echo, "127.33.3.1");
  EXPECT_EQ(controller.For(ServiceKind::Echo), Success(ServiceKind::Echo, "127.33.3.1"))
      << Describe(controller.messages());
  ASSERT_TRUE(echo.WaitForFinished(1));
  EXPECT_EQ(echo.Received(0), kProbe);

  for (const char* host : {"127.33.3.2", "127.33.3.3"}) {
    controller.Clear();
    Exchange(ServiceKind::TimeServer, host);
    EXPECT_EQ(controller.messages(), Success(ServiceKind::TimeServer, host))
        << Describe(controller.messages());
  }
}

TEST_F(ExchangeTest, DiscardAndUserPortSucceedWithoutAReply) {
  LoopbackServer discard, user;
  ASSERT_EQ(discard.Start("127.33.4.1", 9, DiscardScript()), 0);
  ASSERT_EQ(user.Start("127.33.4.2", 4321, {Hold()}), 0);
  Exchange(ServiceKind::Discard, "127.33.4.1");
  EXPECT_EQ(controller.messages(), Success(ServiceKind::Discard, "127.33.4.1", false))
      << Describe(controller.messages());
  controller.Clear();
  Exchange(ServiceKind::UserPort, "127.33.4.2:4321");
  EXPECT_EQ(controller.messages(), Success(ServiceKind::UserPort, "127.33.4.2:4321", false))
      << Describe(controller.messages());
  ASSERT_TRUE(discard.WaitForFinished(1));
  ASSERT_TRUE(user.WaitForFinished(1));
  EXPECT_EQ(discard.Received(0), kProbe);
  EXPECT_EQ(user.Received(0), kProbe);
}

TEST_F(ExchangeTest, UserPortTextWithoutColonOnlyAnnouncesAndReleases) {
  Request(ServiceKind::UserPort, "127.33.4.3");
  ASSERT_TRUE(WaitIdle(ServiceKind::UserPort));
  // The release follows the announcement on the worker, so it has been posted.
  MessageRecorder::PumpUntil([&] { return !controller.messages().empty(); });
  EXPECT_EQ(controller.messages(), (V{Host(1, ServiceKind::UserPort, "127.33.4.3")}))
      << Describe(controller.messages());
}

TEST_F(ExchangeTest, FailuresBeforeAndAtConnect) {
  struct Case {
    ServiceKind kind;
    const char* host;
    int error;
  } cases[] = {
      {ServiceKind::Echo, "127.33.5.1", WSAECONNREFUSED},           // nobody listens
      {ServiceKind::Http, "127.33.5.1/x", WSAECONNREFUSED},
      {ServiceKind::Ftp, "127.33.5.1", WSAECONNREFUSED},
      {ServiceKind::Discard, "", WSAEINVAL},                         // empty host
      {ServiceKind::UserPort, "127.33.5.1:0", WSAEADDRNOTAVAIL},     // no usable port
      {ServiceKind::UserPort, "127.33.5.1:http", WSAEADDRNOTAVAIL},
      {ServiceKind::TimeServer, "127.33.5.1", WSAECONNREFUSED},
  };
  for (const Case& c : cases) {
    controller.Clear();
    Exchange(c.kind, c.host);
    const V got = controller.For(c.kind, false);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), Failure(c.kind, c.error)) << c.host << "\n" << Describe(got);
    EXPECT_EQ(got.front(), Host(1, c.kind, c.host));
  }
}

// A server that never answers, one that closes at once and one that resets:
// each exchange ends with a failure, the service is released, and the next
// request connects again.
TEST_F(ExchangeTest, SilentClosingAndResettingServersEndTheExchange) {
  TimeScale fast(0.01);  // the 30 s limit becomes 300 ms
  struct Case {
    ServiceKind kind;
    const char* address;
    unsigned short port;
    Script script;
    std::vector<int> errors;  // any of these
  } cases[] = {
      {ServiceKind::Echo, "127.33.6.1", 7, {Hold()}, {WSAETIMEDOUT}},
      {ServiceKind::Http, "127.33.6.2", 80, {ReceiveUntil("\n\n"), Hold()}, {WSAETIMEDOUT}},
      {ServiceKind::Ftp, "127.33.6.3", 21, {Hold()}, {WSAETIMEDOUT}},
      {ServiceKind::Http, "127.33.6.4", 80, {CloseNow()}, {WSAECONNABORTED, WSAECONNRESET}},
      {ServiceKind::TimeServer, "127.33.6.5", 13, {Receive(), CloseNow()},
       {WSAECONNABORTED, WSAECONNRESET}},
      {ServiceKind::Echo, "127.33.6.6", 7, {Receive(), Reset()}, {WSAECONNRESET, WSAECONNABORTED}},
      {ServiceKind::Ftp, "127.33.6.7", 21, {Reset()}, {WSAECONNRESET, WSAECONNABORTED}},
  };
  for (const Case& c : cases) {
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, c.port, c.script), 0);
    for (int round = 1; round <= 2; ++round) {
      controller.Clear();
      Exchange(c.kind, c.address);
      const V got = controller.For(c.kind, false);
      ASSERT_FALSE(got.empty());
      bool expected = false;
      for (int e : c.errors) expected |= got.back() == Failure(c.kind, e);
      EXPECT_TRUE(expected) << c.address << " round " << round << "\n" << Describe(got);
      ASSERT_TRUE(server.WaitForConnections(round)) << c.address;
    }
  }
}

// Names are looked up off the worker, under the exchange's time limit: a
// resolver that never answers fails the exchange at the limit with 10060
// and releases the service, which runs again; meanwhile other services look
// up their names and finish; a name that cannot be resolved fails with
// 10022 before anything is sent.
TEST_F(ExchangeTest, NameLookupsAreBoundByTheExchangeLimit) {
  TimeScale fast(0.01);  // the 30 s limit becomes 300 ms
  ResolverStandIn resolver;
  ResolverStandIn::Map("echo.test", "127.33.9.1");
  ResolverStandIn::Map("ftp.test", "127.33.9.2");
  LoopbackServer echo, ftp;
  ASSERT_EQ(echo.Start("127.33.9.1", 7, EchoScript()), 0);
  ASSERT_EQ(ftp.Start("127.33.9.2", 21, FtpScript()), 0);

  for (int round = 1; round <= 2; ++round) {
    controller.Clear();
    TraceRecorder::Clear();
    Request(ServiceKind::Http, "stuck.test/page");
    Exchange(ServiceKind::Echo, "echo.test");
    EXPECT_EQ(controller.For(ServiceKind::Echo), Success(ServiceKind::Echo, "echo.test"))
        << Describe(controller.messages());
    ASSERT_TRUE(controller.WaitForResults(ServiceKind::Http, 1));
    ASSERT_TRUE(WaitIdle(ServiceKind::Http));
    EXPECT_EQ(controller.For(ServiceKind::Http, false),
              (V{Host(1, ServiceKind::Http, "stuck.test/page"), Failure(ServiceKind::Http, WSAETIMEDOUT)}))
        << "round " << round << "\n" << Describe(controller.messages());
    EXPECT_EQ(TraceRecorder::Lines().front(), "stuck.test");
  }

  controller.Clear();
  Exchange(ServiceKind::Ftp, "ftp.test");
  EXPECT_EQ(controller.messages(), Success(ServiceKind::Ftp, "ftp.test")) << Describe(controller.messages());
  controller.Clear();
  Exchange(ServiceKind::Ftp, "nowhere.test");
  EXPECT_EQ(controller.messages(), (V{Host(1, ServiceKind::Ftp, "nowhere.test"),
                                      Failure(ServiceKind::Ftp, WSAEINVAL)}))
      << Describe(controller.messages());
  EXPECT_EQ(ftp.ConnectionCount(), 1);
}

TEST_F(ExchangeTest, OddRepliesAreReadOnceAndTracedSafely) {
  const std::string big(200000, 'b');
  struct Case {
    const char* address;
    Script script;
    std::string tracePrefix;  // the traced reply starts with this
    size_t traceMax;
  } cases[] = {
      {"127.33.7.1", {ReceiveUntil("\n\n"), Send("HTTP/1.0 200 OK\r\n" + big)}, "HTTP/1.0 200 OK", 65535},
      {"127.33.7.2", {ReceiveUntil("\n\n"), Send(std::string("HTTP/1.0 200\r\n\0hidden\xff", 23))},
       "HTTP/1.0 200\r\n", 14},
      {"127.33.7.3", {ReceiveUntil("\n\n"), SendBytewise("HTTP/1.0 200 OK\r\n", 5)}, "H", 17},
      {"127.33.7.4", {ReceiveUntil("\n\n"), Send(kReply + kReply)}, kReply, 2 * kReply.size()},
      {"127.33.7.5", {ReceiveUntil("\n\n"), SendForever("xyz")}, "xyz", 65535},
  };
  for (const Case& c : cases) {
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 80, c.script), 0);
    controller.Clear();
    TraceRecorder::Clear();
    Exchange(ServiceKind::Http, c.address);
    EXPECT_EQ(controller.messages(), Success(ServiceKind::Http, c.address))
        << Describe(controller.messages());
    const auto lines = TraceRecorder::Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rfind(c.tracePrefix, 0), 0u) << c.address;
    EXPECT_LE(lines[2].size(), c.traceMax) << c.address;
    EXPECT_EQ(lines[2].find('\0'), std::string::npos);
  }
}

TEST_F(ExchangeTest, VeryLongHostTextIsCutTo127Characters) {
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.8.1", 80, HttpScript(kReply)), 0);
  const std::string prefix = "127.33.8.1/";
  const std::string request = prefix + std::string(400, 'p');
  Exchange(ServiceKind::Http, request.c_str());
  const std::string kept = request.substr(0, 127);
  EXPECT_EQ(controller.messages(), Success(ServiceKind::Http, kept))
      << Describe(controller.messages());
  ASSERT_TRUE(server.WaitForFinished(1));
  EXPECT_EQ(server.Received(0), "GET /" + std::string(127 - prefix.size(), 'p') + " " + kTail);
}

}  // namespace
