#include "TestRun.h"

#include "StatusRegisters.h"
#include "zewsim/Instrument.h"

#include <algorithm>

namespace zewsim {

void TestRun::Start(std::vector<TestSegment> segments, bool judgeMax,
                    std::optional<double> passHold, double now) {
    Advance(now);
    if (segments.empty()) return;
    segments_ = std::move(segments);
    judgeMax_ = judgeMax;
    passHold_ = passHold;
    verdict_ = Verdict::None;
    failLatched_ = false;
    BeginSegment(0, now);
}

void TestRun::Advance(double now) {
    while (true) {
        switch (phase_) {
        case Phase::Ramping: {
            const double end = segmentStart_ + kRampSeconds;
            if (now < end) return;
            phase_ = Phase::Measuring;
            if (CannotDrive()) {
                Finish(Verdict::Fail, fail::kContact, end);
            } else if (!Segment().timed) {
                if (const std::uint16_t bits = Judge()) Finish(Verdict::Fail, bits, end);
            }
            break;
        }
        case Phase::Measuring: {
            if (!Segment().timed) return;
            const double end = segmentStart_ + std::max(Segment().duration, kRampSeconds);
            if (now < end) return;
            if (const std::uint16_t bits = Judge()) {
                Finish(Verdict::Fail, bits, end);
            } else if (index_ + 1 >= segments_.size()) {
                Finish(Verdict::Pass, 0, end);
            } else {
                frozen_ = LiveReading(end);
                frozen_.current = 0.0;  // output off between steps
                frozen_.voltage = 0.0;
                if (Segment().interval) {
                    phase_ = Phase::Interval;
                    intervalStart_ = end;
                } else {
                    phase_ = Phase::Holding;
                }
            }
            break;
        }
        case Phase::Interval: {
            const double end = intervalStart_ + Segment().interval.value_or(0.0);
            if (now < end) return;
            BeginSegment(index_ + 1, end);
            break;
        }
        case Phase::Idle:
            if (verdict_ == Verdict::Pass && passHold_ && now >= passTime_ + *passHold_) {
                verdict_ = Verdict::None;  // the timed pass hold is over: ready
            }
            return;
        case Phase::Holding:
            return;
        }
    }
}

void TestRun::Continue(double now) {
    Advance(now);
    if (phase_ == Phase::Holding) BeginSegment(index_ + 1, now);
}

void TestRun::Stop(double now) {
    Advance(now);
    if (phase_ == Phase::Ramping || phase_ == Phase::Measuring) frozen_ = LiveReading(now);
    phase_ = Phase::Idle;
    if (!failLatched_) verdict_ = Verdict::None;
}

void TestRun::SetDevice(double dutOhms, double leadOhms, double now) {
    Advance(now);
    dut_ = dutOhms;
    lead_ = leadOhms;
    if (phase_ == Phase::Ramping || phase_ == Phase::Measuring) {
        maxResistance_ = std::max(maxResistance_, MeasuredResistance());
    }
    if (phase_ != Phase::Measuring) return;
    if (CannotDrive()) {
        Finish(Verdict::Fail, fail::kContact, now);
    } else if (!Segment().timed) {
        if (const std::uint16_t bits = Judge()) Finish(Verdict::Fail, bits, now);
    }
}

void TestRun::ClearVerdict() {
    verdict_ = Verdict::None;
    failLatched_ = false;
}

std::uint16_t TestRun::DeviceStatus() const {
    std::uint16_t bits = 0;
    if (phase_ != Phase::Idle) bits |= dsr::kTestOn;
    if (phase_ == Phase::Ramping) bits |= dsr::kRamping;
    if (verdict_ == Verdict::Fail) bits |= dsr::kFail;
    if (verdict_ == Verdict::Pass) bits |= dsr::kPass | dsr::kPassHold;
    return bits;
}

std::uint16_t TestRun::TakeFailBits() {
    const std::uint16_t bits = newFailBits_;
    newFailBits_ = 0;
    return bits;
}

Reading TestRun::ReadingAt(double now) const {
    if (phase_ == Phase::Ramping || phase_ == Phase::Measuring) return LiveReading(now);
    return frozen_;
}

double TestRun::TimeValue(double now) const {
    if (segments_.empty()) return 0.0;
    const double elapsed = ReadingAt(now).elapsed;
    if (Segment().timerShown) return std::max(0.0, Segment().duration - elapsed);
    return elapsed;
}

void TestRun::BeginSegment(std::size_t index, double at) {
    index_ = index;
    segmentStart_ = at;
    phase_ = Phase::Ramping;
    maxResistance_ = MeasuredResistance();
    if (Segment().conditions.contactCheck && CannotDrive()) Finish(Verdict::Fail, fail::kContact, at);
}

void TestRun::Finish(Verdict verdict, std::uint16_t failBits, double at) {
    frozen_ = LiveReading(at);
    phase_ = Phase::Idle;
    verdict_ = verdict;
    failLatched_ = verdict == Verdict::Fail && Segment().conditions.failMode;
    newFailBits_ |= failBits;
    passTime_ = at;
}

std::uint16_t TestRun::Judge() const {
    const TestConditions& c = Segment().conditions;
    const double value = judgeMax_ ? maxResistance_ : MeasuredResistance();
    if (value > c.upper) return fail::kUpper;
    if (c.lowerOn && value < c.lower) return fail::kLower;
    return 0;
}

// A micro-volt of slack keeps a device that needs exactly the ceiling (30 A
// into 0.2 ohm) drivable despite the rounding of the product.
bool TestRun::CannotDrive() const {
    constexpr double kSlackVolts = 1e-6;
    return Segment().conditions.current * (dut_ + lead_) > Instrument::kMaxOutputVoltage + kSlackVolts;
}

double TestRun::MeasuredResistance() const {
    return Segment().conditions.offset ? dut_ : dut_ + lead_;
}

Reading TestRun::LiveReading(double at) const {
    Reading r;
    r.elapsed = std::max(0.0, at - segmentStart_);
    double share = 1.0;
    if (phase_ == Phase::Ramping) share = std::clamp(r.elapsed / kRampSeconds, 0.0, 1.0);
    const double loop = dut_ + lead_;
    r.current = Segment().conditions.current * share;
    if (r.current * loop > Instrument::kMaxOutputVoltage) r.current = Instrument::kMaxOutputVoltage / loop;
    r.voltage = std::min(r.current * loop, Instrument::kMaxOutputVoltage);
    r.resistance = MeasuredResistance();
    r.resistanceMax = maxResistance_;
    return r;
}

}  // namespace zewsim
