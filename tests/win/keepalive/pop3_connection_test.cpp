#include <gtest/gtest.h>

#include <string>

#include "keepalive/Pop3Connection.h"
#include "support/LoopbackServer.h"
#include "support/ResolverStandIn.h"
#include "support/TestHarness.h"

namespace {

using namespace testing_support;

class Pop3Test : public ::testing::Test {
 protected:
  WinsockSession winsock;
  void SetUp() override { ASSERT_TRUE(winsock.ok()); }
};

TEST_F(Pop3Test, ConnectResultsAndWhatTheServerSees) {
  const std::string longLogin(121, 'l');
  const std::string longPass(121, 'p');
  struct Case {
    const char* address;
    Script script;
    std::string login, password;
    int result;
    bool connected;
    std::string seen;  // after Disconnect
    int lastError;
  } cases[] = {
      {"127.33.30.1", Dialogue({"-ERR busy\r\n", "+OK bye\r\n"}), "joe", "pw", 0, false,
       "QUIT\r\n", WSAEPROTONOSUPPORT},
      {"127.33.30.2", Dialogue({"+OK hi\r\n", "+OK bye\r\n"}), "", "pw", 2, true, "QUIT\r\n", 0},
      {"127.33.30.3", Dialogue({"+OK hi\r\n", "+OK user\r\n", "+OK bye\r\n"}), "joe", "", 1, true,
       "USER joe\r\nQUIT\r\n", 0},
      {"127.33.30.4", Dialogue({"+ok hi\r\n", "+OK user\r\n", "+OK pass\r\n", "+OK bye\r\n"}),
       "joe", "secret", 1, true, "USER joe\r\nPASS secret\r\nQUIT\r\n", 0},
      {"127.33.30.5", Dialogue({"+OK hi\r\n", "+OK user\r\n", "-ERR bad password\r\n", "+OK\r\n"}),
       "joe", "wrong", 0, false, "USER joe\r\nPASS wrong\r\nQUIT\r\n", WSAEPROTONOSUPPORT},
      {"127.33.30.6", Dialogue({"+OK hi\r\n", "+OK bye\r\n"}), longLogin, "pw", 0, false,
       "QUIT\r\n", WSAEMSGSIZE},
      {"127.33.30.7", Dialogue({"+OK hi\r\n", "+OK user\r\n", "+OK bye\r\n"}), "joe", longPass, 0,
       false, "USER joe\r\nQUIT\r\n", WSAEMSGSIZE},
      {"127.33.30.8", Dialogue({"+OK hi\r\n", "+OK bye\r\n"}), "joe\r\nDELE 1", "pw", 0, false,
       "QUIT\r\n", WSAEMSGSIZE},
      // Two replies in one packet: the second answers USER.
      {"127.33.30.9", Dialogue({"+OK hi\r\n+OK user\r\n", "+OK pass\r\n", "+OK bye\r\n"}), "joe",
       "pw", 1, true, "USER joe\r\nPASS pw\r\nQUIT\r\n", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 110, c.script), 0);
    const DWORD start = GetTickCount();
    Pop3Connection pop;
    EXPECT_EQ(pop.Connect(c.address, c.login, c.password), c.result);
    EXPECT_EQ(pop.IsConnected(), c.connected);
    if (c.result == 0) {
      EXPECT_EQ(pop.LastError(), c.lastError);
    }
    pop.Disconnect();
    EXPECT_FALSE(pop.IsConnected());
    ASSERT_TRUE(server.WaitForFinished(1));
    EXPECT_EQ(server.Received(0), c.seen);
    EXPECT_LT(GetTickCount() - start, 1500u) << "a reply was waited for in vain";
  }
}

TEST_F(Pop3Test, StatisticsTable) {
  struct Case {
    const char* address;
    const char* reply;
    bool ok;
    unsigned long mails, size;
  } cases[] = {
      {"127.33.31.1", "+OK 3 4512\r\n", true, 3, 4512},
      {"127.33.31.2", "+OK 3\r\n", false, 0, 0},
      {"127.33.31.3", "+ok 3 4512\r\n", false, 0, 0},
      {"127.33.31.4", "-ERR no mailbox\r\n", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 110,
                           Dialogue({"+OK hi\r\n", "+OK\r\n", "+OK\r\n", c.reply, "+OK bye\r\n"})),
              0);
    Pop3Connection pop;
    ASSERT_EQ(pop.Connect(c.address, "joe", "pw"), 1);
    unsigned long mails = 99, size = 99;
    EXPECT_EQ(pop.Statistics(mails, size), c.ok);
    if (c.ok) {
      EXPECT_EQ(mails, c.mails);
      EXPECT_EQ(size, c.size);
      EXPECT_EQ(pop.MailCount(), c.mails);
    }
    EXPECT_TRUE(pop.Disconnect());
    EXPECT_EQ(pop.MailCount(), 0u);
    ASSERT_TRUE(server.WaitForFinished(1));
    EXPECT_EQ(server.Received(0), "USER joe\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
  }
}

TEST_F(Pop3Test, LongAndEndlessGreetings) {
  LoopbackServer longOne, endless;
  const std::string greeting = "+OK " + std::string(5000, 'g');
  ASSERT_EQ(longOne.Start("127.33.32.1", 110, Dialogue({(greeting + "\r\n").c_str(), "+OK\r\n"})), 0);
  ASSERT_EQ(endless.Start("127.33.32.2", 110, {SendForever("+OK never ending " + std::string(2000, 'x'))}), 0);

  Pop3Connection pop;
  EXPECT_EQ(pop.Connect("127.33.32.1", "", ""), 2);
  EXPECT_TRUE(pop.Disconnect());

  // Every byte arrives quickly, so only the buffer bound can end this.
  Pop3Connection endlessPop;
  EXPECT_EQ(endlessPop.Connect("127.33.32.2", "joe", "pw"), 0);
  EXPECT_EQ(endlessPop.LastError(), WSAEMSGSIZE);
  EXPECT_LE(endlessPop.LastResponse().size(), 64u * 1024u);
  EXPECT_EQ(endlessPop.LastResponse().rfind("+OK never ending", 0), 0u);
}

// The reply wait is measured from the last byte: a greeting that dribbles
// in slower than the whole timeout still arrives; a reply that stops
// half-way fails the timeout after its last byte with 10060.
TEST_F(Pop3Test, ServerThatStopsAnswering) {
  TimeScale scale(0.25);  // 500 ms reply timeout
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.33.1", 110,
                         {SendBytewise("+OK slow greeting\r\n", 40), ReceiveLine(),
                          SendBytewise("+OK par", 20), Hold()}),
            0);
  Pop3Connection pop;
  const DWORD start = GetTickCount();
  EXPECT_EQ(pop.Connect("127.33.33.1", "joe", "pw"), 0);
  EXPECT_GE(GetTickCount() - start, 19u * 40u + 500u);
  EXPECT_EQ(pop.LastError(), WSAETIMEDOUT);
  EXPECT_EQ(pop.LastResponse(), "+OK par");
}

// The whole check has one limit, however the server or the resolver takes
// its time: a greeting trickled one byte at a time (each byte well within
// the reply wait), and a name the resolver never answers, both end at the
// limit with 10060, and the connection is closed.
TEST_F(Pop3Test, TheWholeCheckEndsAtItsLimit) {
  // Reply wait 400 ms, the check's limit 3 s: a server thread stalled by a
  // loaded machine for less than the reply wait still keeps the trickle going.
  TimeScale scale(0.2);
  ResolverStandIn resolver;
  LoopbackServer trickle;
  ASSERT_EQ(trickle.Start("127.33.36.1", 110,
                          {SendBytewise("+OK " + std::string(2000, 't'), 30), Hold()}),
            0);
  for (const char* host : {"127.33.36.1", "stuck.test"}) {
    SCOPED_TRACE(host);
    Pop3Connection pop;
    const DWORD start = GetTickCount();
    EXPECT_EQ(pop.Connect(host, "joe", "pw"), 0);
    const DWORD took = GetTickCount() - start;
    EXPECT_EQ(pop.LastError(), WSAETIMEDOUT);
    EXPECT_GE(took, 2900u);
    EXPECT_LT(took, 6000u) << "the limit did not hold";
    EXPECT_FALSE(pop.IsConnected());
  }
  // The trickle stops once its peer has gone.
  EXPECT_TRUE(trickle.WaitForFinished(1));
}

// A STAT line too long to read: whatever follows it on the wire (here a
// text that looks like a positive answer) is not taken for the answer to
// QUIT, nothing is waited for, and the server sees QUIT and an orderly end.
TEST_F(Pop3Test, AnOverlongStatLineIsNotTakenForTheAnswerToQuit) {
  const std::string line =
      "+OK " + std::string(65535 - 4, 's') + "+OK bye" + std::string(6000, 'y') + "\r\n";
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.37.1", 110,
                         {Send("+OK hi\r\n"), ReceiveLine(), Send("+OK\r\n"), ReceiveLine(),
                          Send("+OK\r\n"), ReceiveLine(), Send(line), Hold()}),
            0);
  Pop3Connection pop;
  ASSERT_EQ(pop.Connect("127.33.37.1", "joe", "pw"), 1);
  unsigned long mails = 0, size = 0;
  EXPECT_FALSE(pop.Statistics(mails, size));
  EXPECT_EQ(pop.LastError(), WSAEMSGSIZE);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(pop.Disconnect());
  EXPECT_LT(GetTickCount() - start, 500u);
  ASSERT_TRUE(server.WaitForFinished(1));
  EXPECT_EQ(server.Received(0), "USER joe\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
  EXPECT_EQ(server.PeerEnding(0), 0) << "reset instead of an orderly close";
}

TEST_F(Pop3Test, UnreachableServers) {
  Pop3Connection pop;
  EXPECT_EQ(pop.Connect("", "joe", "pw"), 0);
  EXPECT_EQ(pop.LastError(), WSAEINVAL);
  EXPECT_EQ(pop.Connect("127.33.34.1", "joe", "pw"), 0);  // nobody listens
  EXPECT_EQ(pop.LastError(), WSAECONNREFUSED);
  EXPECT_FALSE(pop.Disconnect());

  // A server that closes without ending its reply.
  LoopbackServer closing;
  ASSERT_EQ(closing.Start("127.33.34.2", 110, {Send("+OK cut")}), 0);
  EXPECT_EQ(pop.Connect("127.33.34.2", "", ""), 0);
  EXPECT_EQ(pop.LastError(), WSAECONNABORTED);
  EXPECT_EQ(pop.LastResponse(), "+OK cut");
}

TEST_F(Pop3Test, DestructionSendsQuit) {
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.35.1", 110, Dialogue({"+OK hi\r\n", "+OK bye\r\n"})), 0);
  {
    Pop3Connection pop;
    ASSERT_EQ(pop.Connect("127.33.35.1", "", ""), 2);
  }
  ASSERT_TRUE(server.WaitForFinished(1));
  EXPECT_EQ(server.Received(0), "QUIT\r\n");
}

}  // namespace
