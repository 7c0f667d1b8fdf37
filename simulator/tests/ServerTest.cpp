// The TCP line server and zew-sim's options.
#include "LineServer.h"
#include "ServerOptions.h"
#include "Socket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

namespace zewsim {
namespace {

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library_.Ok());
        LineServer::Settings settings;
        settings.port = 0;
        settings.maxConnections = 2;
        settings.trace = &trace_;
        settings.replyDelay = ReplyDelay();
        server_ = std::make_unique<LineServer>(instrument_, settings);
        std::string error;
        ASSERT_TRUE(server_->Open(error)) << error;
        ASSERT_NE(server_->Port(), 0);
        thread_ = std::thread([this] { server_->Run(stop_); });
    }

    virtual std::chrono::milliseconds ReplyDelay() const { return std::chrono::milliseconds(0); }

    void TearDown() override {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

    net::Socket Connect() {
        std::string error;
        net::Socket socket = net::Socket::Connect("127.0.0.1", server_->Port(), error);
        EXPECT_TRUE(socket.Valid()) << error;
        return socket;
    }

    // Reads until `count` line feeds have arrived or the peer closes.
    static std::string ReadLines(const net::Socket& socket, int count) {
        std::string text;
        char buffer[256];
        while (std::count(text.begin(), text.end(), '\n') < count) {
            const long n = socket.Receive(buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

    net::SocketLibrary library_;
    Instrument instrument_;
    std::ostringstream trace_;
    std::unique_ptr<LineServer> server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(ServerTest, AnswersLinesSplitAndJoinedAnyhow) {
    net::Socket client = Connect();
    ASSERT_TRUE(client.SendAll("*IDN?\n"));
    EXPECT_EQ(ReadLines(client, 1), "ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n");

    // A command without reply, then a query split over two writes, then two
    // queries in one write.
    ASSERT_TRUE(client.SendAll("CURRENT  12.500\r\nCURR"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(client.SendAll("ENT?\nFREQUENCY?\nPRGNAME? 3\n"));
    EXPECT_EQ(ReadLines(client, 3), "12.500\n50\nNONAME-3\r\n");
}

TEST_F(ServerTest, OverLongLineIsOneCommandErrorAndTheConnectionGoesOn) {
    net::Socket client = Connect();
    ASSERT_TRUE(client.SendAll(std::string(20000, 'Q') + "\nERR?\n"));
    EXPECT_EQ(ReadLines(client, 1), "1\n");
}

TEST_F(ServerTest, ServesTwoClientsAndRefusesAThird) {
    net::Socket first = Connect();
    net::Socket second = Connect();
    ASSERT_TRUE(first.SendAll("FUNCTION 3\n"));
    ASSERT_TRUE(first.SendAll("ERR?\n"));
    EXPECT_EQ(ReadLines(first, 1), "0\n");
    ASSERT_TRUE(second.SendAll("FUNCTION?\n"));
    EXPECT_EQ(ReadLines(second, 1), "3\n") << "one instrument behind every connection";

    net::Socket third = Connect();
    third.SendAll("*IDN?\n");
    EXPECT_EQ(ReadLines(third, 1), "") << "closed without a reply";
    stop_ = true;
    thread_.join();
    EXPECT_NE(trace_.str().find("< FUNCTION 3"), std::string::npos) << trace_.str();
}

class DelayedServerTest : public ServerTest {
protected:
    std::chrono::milliseconds ReplyDelay() const override { return std::chrono::milliseconds(1000); }
};

TEST_F(DelayedServerTest, HoldsRepliesBackWhileOtherClientsAreHeard) {
    net::Socket first = Connect();
    net::Socket second = Connect();
    ASSERT_TRUE(first.SendAll("*IDN?\nFREQUENCY?\n"));
    ASSERT_TRUE(second.SendAll("FUNCTION?\n"));
    EXPECT_EQ(ReadLines(first, 2), "ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n50\n") << "in order";
    EXPECT_EQ(ReadLines(second, 1), "0\n");
    stop_ = true;
    thread_.join();

    // The second client's line arrived inside the first client's open exchange.
    const std::string trace = trace_.str();
    const auto firstAsked = trace.find("[1] < *IDN?");
    const auto secondAsked = trace.find("[2] < FUNCTION?");
    const auto firstAnswered = trace.find("[1] > ORVANTA");
    ASSERT_NE(firstAnswered, std::string::npos) << trace;
    EXPECT_LT(firstAsked, secondAsked) << trace;
    EXPECT_LT(secondAsked, firstAnswered) << trace;
}

TEST(ServerOptionsTest, ParsesValuesAndRefusesBadOnes) {
    const OptionsOutcome good = ParseServerOptions(
        {"--port", "0", "--model=ZEW4410", "--dut", "0.25", "--trace", "--max-connections", "3", "--port-file", "p",
         "--reply-delay", "5"});
    ASSERT_TRUE(good.options) << good.error;
    EXPECT_EQ(good.options->port, 0);
    EXPECT_EQ(good.options->model, "ZEW4410");
    EXPECT_DOUBLE_EQ(good.options->dut, 0.25);
    EXPECT_TRUE(good.options->trace);
    EXPECT_EQ(good.options->maxConnections, 3);
    EXPECT_EQ(good.options->replyDelayMs, 5u);
    EXPECT_EQ(good.options->bind, "127.0.0.1");

    EXPECT_TRUE(ParseServerOptions({"--bind", "127.1.2.3"}).options);
    EXPECT_TRUE(ParseServerOptions({"--bind", "0.0.0.0", "--allow-remote"}).options);
    EXPECT_TRUE(ParseServerOptions({"--help"}).help);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--port", "65536"}, {"--port"}, {"--bind", "0.0.0.0"}, {"--bind", "10.0.0.1"},
          {"--bind", "1.2.3"}, {"--max-connections", "0"}, {"--max-connections", "33"}, {"--dut", "-1"},
          {"--dut", "1001"}, {"--model", "ZEW 4400"}, {"--serial", "a,b"}, {"--trace=1"}, {"--frob"},
          {"--reply-delay", "10001"}, {"--reply-delay", "-1"}}) {
        const OptionsOutcome outcome = ParseServerOptions(bad);
        EXPECT_FALSE(outcome.options) << bad[0];
        EXPECT_FALSE(outcome.error.empty()) << bad[0];
    }
}

}  // namespace
}  // namespace zewsim
