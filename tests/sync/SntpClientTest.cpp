#include "sync/SntpAttempt.h"
#include "sync/SntpClient.h"
#include "tests/fixtures/HandleCount.h"
#include "tests/fixtures/LocalSntpServer.h"
#include "tests/fixtures/SyncTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

const NtpTimestamp kRequestTime(0xE7000000u, 0x40000000u);
// 2023-02-25 14:05:09.500 UTC.
const NtpTimestamp kServerTime(0xE7A49415u, 0x80000000u);

int g_lookups = 0;
bool CountingLookup(const char* host, in_addr* address) {
    ++g_lookups;
    return SntpSocket::LookUpHost(host, address);
}
bool FailingLookup(const char*, in_addr*) {
    return false;
}

SntpClient FixedClockClient(SntpSocket::HostLookup lookup = SntpSocket::LookUpHost) {
    return SntpClient([] { return kRequestTime; }, lookup);
}

class SntpClientTest : public ::testing::Test {
protected:
    LocalSntpServer server;
};

} // namespace

TEST_F(SntpClientTest, NormalReplyGivesTheTransmitTime) {
    server.ReplyWithTime(kServerTime);
    NtpTimestamp received;
    ASSERT_TRUE(FixedClockClient().Query(L"127.0.0.1", server.Port(), received));
    EXPECT_EQ(received.Seconds(), kServerTime.Seconds());
    EXPECT_EQ(received.Fraction(), kServerTime.Fraction());

    ASSERT_EQ(server.RequestCount(), 1);
    const std::vector<std::uint8_t> request = server.LastRequest();
    ASSERT_EQ(request.size(), 48u);
    EXPECT_EQ(request[0], 0x1B);
    EXPECT_EQ(NtpTimestamp::FromWire(request.data() + 40).Seconds(), kRequestTime.Seconds());
    EXPECT_EQ(NtpTimestamp::FromWire(request.data() + 40).Fraction(), kRequestTime.Fraction());
}

TEST_F(SntpClientTest, RequestIsStampedWithTheSystemClockByDefault) {
    server.ReplyWithTime(kServerTime);
    const std::uint32_t before = NtpTimestamp::Now().Seconds();
    NtpTimestamp received;
    ASSERT_TRUE(SntpClient().Query(L"127.0.0.1", server.Port(), received));
    const std::uint32_t stamped =
        NtpTimestamp::FromWire(server.LastRequest().data() + 40).Seconds();
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, NtpTimestamp::Now().Seconds());
}

TEST_F(SntpClientTest, SilentServerFailsAfterFiveSecondsWithOneRequestAndNoSocketLeft) {
    server.StaySilent();
    const DWORD socketsBefore = CountOpenSockets();

    const auto start = std::chrono::steady_clock::now();
    NtpTimestamp received;
    EXPECT_FALSE(FixedClockClient().Query(L"127.0.0.1", server.Port(), received));
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(CountOpenSockets(), socketsBefore);
    EXPECT_GE(waited, std::chrono::milliseconds(4900));
    EXPECT_LT(waited, std::chrono::milliseconds(8000));
    EXPECT_EQ(server.RequestCount(), 1);
}

TEST_F(SntpClientTest, ReplyThatDoesNotVouchForItsTimeIsNoAnswer) {
    const DWORD socketsBefore = CountOpenSockets();
    std::vector<std::uint8_t> shortReply = MakeSntpReply(kServerTime);
    shortReply.resize(43); // keeps most of the transmit time
    int asked = 0;
    for (const std::vector<std::uint8_t>& reply : {shortReply, MakeKissOfDeath("RATE")}) {
        server.SetReply(reply);
        NtpTimestamp received;
        EXPECT_FALSE(FixedClockClient().Query(L"127.0.0.1", server.Port(), received)) << asked;
        EXPECT_EQ(server.RequestCount(), ++asked);
    }
    EXPECT_EQ(CountOpenSockets(), socketsBefore);
}

TEST_F(SntpClientTest, ReplyWithAuthenticatorIsRead) {
    std::vector<std::uint8_t> reply = MakeSntpReply(kServerTime);
    reply.resize(68, 0xEE);
    server.SetReply(reply);
    NtpTimestamp received;
    ASSERT_TRUE(FixedClockClient().Query(L"127.0.0.1", server.Port(), received));
    EXPECT_EQ(received.Seconds(), kServerTime.Seconds());
}

TEST_F(SntpClientTest, DatagramLongerThanTheBufferIsAReceiveError) {
    std::vector<std::uint8_t> reply = MakeSntpReply(kServerTime);
    reply.resize(69, 0xEE);
    server.SetReply(reply);
    NtpTimestamp received;
    EXPECT_FALSE(FixedClockClient().Query(L"127.0.0.1", server.Port(), received));
}

TEST_F(SntpClientTest, DottedAddressIsUsedWithoutANameLookup) {
    server.ReplyWithTime(kServerTime);
    g_lookups = 0;
    NtpTimestamp received;
    ASSERT_TRUE(FixedClockClient(CountingLookup).Query(L"127.0.0.1", server.Port(), received));
    EXPECT_EQ(g_lookups, 0);
    ASSERT_TRUE(FixedClockClient(CountingLookup).Query(L"localhost", server.Port(), received));
    EXPECT_EQ(g_lookups, 1);
    EXPECT_EQ(server.RequestCount(), 2);
}

TEST_F(SntpClientTest, UnresolvableHostFailsBeforeAnythingIsSent) {
    server.ReplyWithTime(kServerTime);
    NtpTimestamp received;
    EXPECT_FALSE(FixedClockClient(FailingLookup).Query(L"time.invalid", server.Port(), received));
    EXPECT_EQ(server.RequestCount(), 0);
}

TEST(SntpHostLookup, UnknownNameDoesNotResolve) {
    WinsockSession winsock;
    in_addr address{};
    EXPECT_FALSE(SntpSocket::LookUpHost("no-such-host.invalid", &address));
    EXPECT_TRUE(SntpSocket::LookUpHost("localhost", &address));
}

TEST(SntpSocket, OpenSocketIsAProcessHandleUntilClosedOnce) {
    WinsockSession winsock;
    SntpSocket socket;
    const DWORD before = CountOpenHandles();
    ASSERT_TRUE(socket.Create());
    EXPECT_EQ(CountOpenHandles(), before + 1);
    socket.Close();
    socket.Close();
    EXPECT_EQ(socket.Handle(), INVALID_SOCKET);
    EXPECT_EQ(CountOpenHandles(), before);
}

class QuerySntpTest : public ::testing::Test {
protected:
    TimeSources SourcesAnsweringAt(int entry) { return answering.Sources(entry, 0, server.Port()); }

    OneAnsweringEntry answering;
    LocalSntpServer server;
    RecordingSink sink;
};

TEST_F(QuerySntpTest, AttemptAsksListEntryAttemptModSix) {
    server.ReplyWithTime(kServerTime);
    for (int attempt : {1, 3, 5, 7})
        EXPECT_EQ(QuerySntp(SourcesAnsweringAt(attempt % 6), attempt, sink), S_OK) << attempt;
    EXPECT_EQ(server.RequestCount(), 4);
}

TEST_F(QuerySntpTest, AcceptedTimeIsHandedOverInUtc) {
    server.ReplyWithTime(kServerTime);
    ASSERT_EQ(QuerySntp(SourcesAnsweringAt(1), 1, sink), S_OK);
    ASSERT_TRUE(sink.stored.has_value());
    EXPECT_EQ(sink.stored->wYear, 2023);
    EXPECT_EQ(sink.stored->wMonth, 2);
    EXPECT_EQ(sink.stored->wDay, 25);
    EXPECT_EQ(sink.stored->wHour, 14);
    EXPECT_EQ(sink.stored->wMinute, 5);
    EXPECT_EQ(sink.stored->wSecond, 9);
    EXPECT_EQ(sink.stored->wMilliseconds, 500);
}

TEST_F(QuerySntpTest, ReplyWithoutTransmitTimeReadsAs1900AndIsRejected) {
    server.ReplyWithTime(NtpTimestamp());
    EXPECT_EQ(QuerySntp(SourcesAnsweringAt(1), 1, sink), E_FAIL);
    EXPECT_FALSE(sink.stored.has_value());
}

TEST_F(QuerySntpTest, TimesBefore2011AreRejectedWhateverTheVersion) {
    server.ReplyWithTime(NtpTimestamp(0xD0C8ED00u - 1, 0xFFDF3B63u)); // 2010-12-31 23:59:59.999
    EXPECT_EQ(QuerySntp(SourcesAnsweringAt(3), 3, sink), E_FAIL);
    EXPECT_FALSE(sink.stored.has_value());

    // Version 1, an odd precision and a reference of four letters do not matter.
    std::vector<std::uint8_t> odd = MakeSntpReply(NtpTimestamp(0xD0C8ED00u, 0));
    odd[0] = 0x0C;
    odd[3] = 0x7F;
    memcpy(odd.data() + 12, "RATE", 4);
    server.SetReply(odd);
    EXPECT_EQ(QuerySntp(SourcesAnsweringAt(3), 3, sink), S_OK);
    ASSERT_TRUE(sink.stored.has_value());
    EXPECT_EQ(sink.stored->wYear, 2011);
}

TEST_F(QuerySntpTest, RefusedTimeFailsTheAttempt) {
    class RefusingSink : public IServerTimeSink {
    public:
        HRESULT SetServerTime(const SYSTEMTIME&) override { return E_INVALIDARG; }
    } refusing;
    server.ReplyWithTime(kServerTime);
    EXPECT_EQ(QuerySntp(SourcesAnsweringAt(1), 1, refusing), E_FAIL);
}
