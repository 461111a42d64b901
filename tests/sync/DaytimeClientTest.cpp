#include "sync/DaytimeAttempt.h"
#include "sync/EventSocket.h"
#include "tests/fixtures/LocalDaytimeServer.h"
#include "tests/fixtures/Loopback.h"
#include "tests/fixtures/SyncTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const char kNistReply[] = "\n60000 23-02-25 14:05:09 00 0 0 812.5 UTC(NIST) *\n";

class QueryDaytimeTest : public ::testing::Test {
protected:
    TimeSources SourcesAnsweringAt(int entry, unsigned short port) {
        return answering.Sources(entry, port, 0);
    }

    HRESULT Ask(int attempt = 0) {
        return QueryDaytime(SourcesAnsweringAt(attempt % 6, server.Port()), winsock, attempt, sink);
    }

    void ExpectStored(int year, int month, int day, int hour, int minute, int second) {
        ASSERT_TRUE(sink.stored.has_value());
        EXPECT_EQ(sink.stored->wYear, year);
        EXPECT_EQ(sink.stored->wMonth, month);
        EXPECT_EQ(sink.stored->wDay, day);
        EXPECT_EQ(sink.stored->wHour, hour);
        EXPECT_EQ(sink.stored->wMinute, minute);
        EXPECT_EQ(sink.stored->wSecond, second);
        EXPECT_EQ(sink.stored->wMilliseconds, 0);
    }

    OneAnsweringEntry answering;
    CWinsockHolder winsock;
    LocalDaytimeServer server;
    RecordingSink sink;
};

} // namespace

TEST_F(QueryDaytimeTest, PublicServerReplyGivesItsUtcTime) {
    server.ReplyWith(kNistReply);
    EXPECT_EQ(Ask(), S_OK);
    ExpectStored(2023, 2, 25, 14, 5, 9);
}

TEST_F(QueryDaytimeTest, RunsOfSpacesReadAsOne) {
    server.ReplyWith("60000    23-02-25   14:05:09     00 0");
    EXPECT_EQ(Ask(), S_OK);
    ExpectStored(2023, 2, 25, 14, 5, 9);
}

TEST_F(QueryDaytimeTest, YearPart10IsRejectedAnd11Accepted) {
    server.ReplyWith("55000 10-12-31 23:59:59 00 0");
    EXPECT_EQ(Ask(), E_FAIL);
    EXPECT_FALSE(sink.stored.has_value());
    server.ReplyWith("55000 11-01-01 00:00:00 00 0");
    EXPECT_EQ(Ask(), S_OK);
    ExpectStored(2011, 1, 1, 0, 0, 0);
}

TEST_F(QueryDaytimeTest, DateWithoutDayFails) {
    server.ReplyWith("60000 23-02 14:05:09 00 0");
    EXPECT_EQ(Ask(), E_FAIL);
    EXPECT_FALSE(sink.stored.has_value());
}

TEST_F(QueryDaytimeTest, ReplyIsCutAfter79Bytes) {
    // The time starts at byte 72, so the cut leaves "14:05:0" of "14:05:09".
    server.ReplyWith(std::string(62, 'x') + " 23-02-25 14:05:09" + std::string(40, ' ') + "tail");
    EXPECT_EQ(Ask(), S_OK);
    ExpectStored(2023, 2, 25, 14, 5, 0);
}

TEST_F(QueryDaytimeTest, OnlyTheFirstPieceOfTheReplyIsRead) {
    server.ReplyInPieces({"60000 23-02-25 14:05:0", "9 00 0 0 812.5 UTC(NIST) *\n"}, 500);
    EXPECT_EQ(Ask(), S_OK);
    ExpectStored(2023, 2, 25, 14, 5, 0);
}

TEST_F(QueryDaytimeTest, ServerClosingWithoutSendingFails) {
    server.CloseWithoutReply();
    EXPECT_EQ(Ask(), E_FAIL);
    EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST_F(QueryDaytimeTest, SilentServerFailsAfterTenSecondsAndTheConnectionIsClosed) {
    server.StaySilent();
    const auto start = Clock::now();
    EXPECT_EQ(Ask(), E_FAIL);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(9900));
    EXPECT_LT(waited, milliseconds(13000));
    EXPECT_EQ(server.ConnectionCount(), 1);
    EXPECT_EQ(server.HeldConnectionsClosedByClient(), 1);
}

TEST_F(QueryDaytimeTest, ClosedPortFailsAtOnce) {
    const ClosedTcpPort closed;
    const auto start = Clock::now();
    EXPECT_EQ(QueryDaytime(SourcesAnsweringAt(0, closed.Port()), winsock, 0, sink), E_FAIL);
    EXPECT_LT(Clock::now() - start, milliseconds(3000));
}

TEST_F(QueryDaytimeTest, UnresolvableHostFails) {
    const wchar_t* const unknown[kTimeServerCount] = {L"no-such-host.invalid"};
    TimeSources sources;
    sources.servers = unknown;
    sources.daytimePort = server.Port();
    EXPECT_EQ(QueryDaytime(sources, winsock, 0, sink), E_FAIL);
    EXPECT_EQ(server.ConnectionCount(), 0);
}

TEST_F(QueryDaytimeTest, AttemptAsksListEntryAttemptModSix) {
    server.ReplyWith(kNistReply);
    for (int attempt : {0, 2, 4, 6})
        EXPECT_EQ(Ask(attempt), S_OK) << attempt;
    EXPECT_EQ(server.ConnectionCount(), 4);
}

TEST(EventSocket, StartsWinsockThroughTheHolderUntilItSucceeds) {
    CWinsockHolder winsock;
    EXPECT_EQ(winsock.Result(), WSAEFAULT);
    EventSocket first(winsock);
    EXPECT_EQ(winsock.Result(), 0);
    EventSocket second(winsock);
    EXPECT_EQ(winsock.Result(), 0);
}

TEST(EventSocket, SecondConnectOnAConnectedSocketIsANoOp) {
    CWinsockHolder winsock;
    LocalDaytimeServer server;
    server.ReplyWith(kNistReply);
    EventSocket socket(winsock);
    ASSERT_TRUE(socket.Connect(L"127.0.0.1", server.Port()));
    EXPECT_TRUE(socket.Connect(L"no-such-host.invalid", 1));
    char buffer[80] = {};
    DWORD size = sizeof buffer;
    ASSERT_TRUE(socket.Receive(buffer, size));
    EXPECT_EQ(size, sizeof kNistReply - 1);
    EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST(EventSocket, ReceiveWithoutConnectionFails) {
    CWinsockHolder winsock;
    EventSocket socket(winsock);
    char buffer[8];
    DWORD size = sizeof buffer;
    EXPECT_FALSE(socket.Receive(buffer, size));
}
