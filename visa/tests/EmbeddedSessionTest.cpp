// A session to an instrument simulated in the same process: how written bytes
// become lines, when replies arrive, and how reads end.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "EmbeddedSession.h"
#include "LineAssembler.h"
#include "ReplyTiming.h"
#include "VisaRead.h"

using namespace zewvisa;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

const SteadyTime t0 = SteadyTime{} + std::chrono::hours(1);

std::shared_ptr<SharedInstrument> Tester() {
    zewsim::InstrumentConfig config;
    config.serial = "SIM";
    return std::make_shared<SharedInstrument>(config, std::make_shared<zewsim::VirtualClock>());
}

}  // namespace

TEST(LineAssemblerTest, CutsAtLineFeedsAtTheEndOfAMessageAndAtTheLongestLine) {
    LineAssembler lines;
    EXPECT_EQ(lines.Add("*RST\nCURR"), std::vector<std::string>{"*RST"});
    EXPECT_EQ(lines.Add("ENT 5\n\n"), (std::vector<std::string>{"CURRENT 5", ""}));
    EXPECT_FALSE(lines.EndMessage());
    lines.Add("STOP");
    EXPECT_EQ(lines.EndMessage(), "STOP");

    const auto cut = lines.Add(std::string(LineAssembler::kMaxLine + 3, 'x'));
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].size(), LineAssembler::kMaxLine);
    EXPECT_EQ(lines.EndMessage(), "xxx");
}

TEST(ReplyTimingTest, SerialLinkCarriesTenBitsACharacterEachWayOneThingAtATime) {
    EXPECT_EQ(ReplyTiming::OnTheWire(48, 19200), microseconds(25000));

    ReplyTiming serial = ReplyTiming::Serial(19200);
    const SteadyTime arrived = serial.LineArrives(t0, 6);   // "*IDN?\n"
    EXPECT_EQ(arrived, t0 + microseconds(3125));
    EXPECT_EQ(serial.ReplyArrives(arrived, 48), arrived + microseconds(25000));
    // A second line written at once queues behind the first, its reply behind the first reply.
    const SteadyTime second = serial.LineArrives(t0, 6);
    EXPECT_EQ(second, t0 + microseconds(6250));
    EXPECT_EQ(serial.ReplyArrives(second, 2), arrived + microseconds(25000 + 1041));

    ReplyTiming fixed = ReplyTiming::Fixed(milliseconds(40));
    EXPECT_EQ(fixed.ReplyArrives(fixed.LineArrives(t0, 100), 100), t0 + milliseconds(40));
    ReplyTiming instant = ReplyTiming::Instant();
    EXPECT_EQ(instant.ReplyArrives(instant.LineArrives(t0, 100), 100), t0);
}

// What a link delivers while a read waits is drained into the input; a lost
// link ends the read with its status and what had arrived.
TEST(ReadInputTest, WaitsForALinksBytesAndEndsOnALostLink) {
    struct Arrivals final : InputSource {
        std::vector<std::string> parts;
        bool lost = false;
        ViStatus Drain(InputQueue& input) override {
            for (auto& part : parts) input.Push(part, false, std::chrono::steady_clock::now());
            parts.clear();
            return lost ? VI_ERROR_CONN_LOST : VI_SUCCESS;
        }
        void Wait(SteadyTime) override { parts.push_back(waits++ == 0 ? "12," : "34\nXY"); }
        int waits = 0;
    } link;
    std::mutex mutex;
    InputQueue input;
    const auto later = std::chrono::steady_clock::now() + std::chrono::seconds(10);

    auto reply = ReadInput(mutex, input, link, 100, '\n', later);
    EXPECT_EQ(reply.data, "12,34\n");
    EXPECT_EQ(reply.status, VI_SUCCESS_TERM_CHAR);
    EXPECT_EQ(link.waits, 2);

    link.lost = true;
    reply = ReadInput(mutex, input, link, 100, '\n', later);
    EXPECT_EQ(reply.data, "XY");
    EXPECT_EQ(reply.status, VI_ERROR_CONN_LOST);

    link.lost = false;
    reply = ReadInput(mutex, input, link, 100, '\n', std::chrono::steady_clock::now());
    EXPECT_EQ(reply.status, VI_ERROR_TMO);
}

TEST(EmbeddedSessionTest, AReplyNotYetArrivedIsWaitedForAndSessionsShareTheTester) {
    const auto tester = Tester();
    EmbeddedSession slow(tester, ReplyTiming::Fixed(milliseconds(300)));
    EmbeddedSession other(tester, ReplyTiming::Instant());
    other.Write("FREQUENCY 60\n");

    slow.Write("FREQUENCY?\n");
    EXPECT_EQ(slow.Read(100, '\n', std::chrono::steady_clock::now()).status, VI_ERROR_TMO);
    const auto reply = slow.Read(100, '\n', std::chrono::steady_clock::now() + std::chrono::seconds(10));
    EXPECT_EQ(reply.status, VI_SUCCESS_TERM_CHAR);
    EXPECT_EQ(reply.data, "60\n");
}
