// A test, or a program run of several tests, evolving on the clock.
//
// A run is a list of segments. Each segment ramps its current linearly from
// 0 to the set current in the first 0.2 s, then measures. A timed segment is
// judged when its duration has elapsed (counted from its START); an untimed
// one is judged as soon as measuring begins and ends there only on a fail,
// otherwise it measures until STOP. After a passing segment that is not the
// last, the run waits the segment's interval and starts the next one, or
// holds until Continue() when the interval is HOLD. The first fail ends the
// run; a passing last segment ends it with PASS.
//
// The output drives the device and the test leads in series and puts at most
// Instrument::kMaxOutputVoltage across them: the current is the set current
// (proportional during the ramp) as far as that voltage allows. A segment
// whose set current needs more fails as an open circuit (FAIL contact bit)
// when measuring begins, or at once when the device changes while it
// measures; with contact check on it fails as it begins, before the ramp.
// The measured resistance is the device's, plus the leads' unless OFFSET is
// on. The maximum resistance is the running maximum within a segment; in
// max-hold mode the judgement uses it.
//
// A PASS shows for the pass hold time, or until cleared when the hold is
// untimed. A FAIL shows until cleared; with fail mode on it is latched: STOP
// leaves it, only ClearVerdict() ends it.
//
// State changes lazily: every member taking `now` first applies all
// transitions due up to that time, each at its own exact time.
#pragma once

#include "TestConditions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zewsim {

struct Reading {
    double voltage = 0.0;
    double current = 0.0;
    double resistance = 0.0;
    double resistanceMax = 0.0;
    double elapsed = 0.0;
};

struct TestSegment {
    TestConditions conditions;
    double duration = 0.0;          // seconds to the judgement of a timed segment
    bool timed = false;
    bool timerShown = false;        // the TIME value is the time left, not the time elapsed
    std::optional<double> interval; // wait after a pass before the next segment; nothing = HOLD
};

enum class Verdict { None, Pass, Fail };

class TestRun {
public:
    static constexpr double kRampSeconds = 0.2;

    TestRun() = default;

    // Starts the segments at `now`. `passHold` is how long the pass hold
    // lasts after a PASS (nothing: until the verdict is cleared).
    void Start(std::vector<TestSegment> segments, bool judgeMax, std::optional<double> passHold,
               double now);
    void Advance(double now);
    void Continue(double now);  // leaves a HOLD for the next segment
    void Stop(double now);      // ends the run without a verdict; a latched FAIL stays
    void SetDevice(double dutOhms, double leadOhms, double now);
    void ClearVerdict();        // also ends a latched FAIL

    bool Active() const { return phase_ != Phase::Idle; }
    bool Holding() const { return phase_ == Phase::Holding; }
    bool FailLatched() const { return failLatched_; }
    Verdict GetVerdict() const { return verdict_; }

    // Device status register bits (PASS, FAIL, ramping, TEST ON, pass hold),
    // as of the last Advance.
    std::uint16_t DeviceStatus() const;

    // FAIL register bits of the fails judged since the last call.
    std::uint16_t TakeFailBits();

    // The present reading; the last one while no test is on.
    Reading ReadingAt(double now) const;

    // Time left while the segment's timer is shown, else time elapsed; 0
    // before the first test.
    double TimeValue(double now) const;

private:
    enum class Phase { Idle, Ramping, Measuring, Interval, Holding };

    void BeginSegment(std::size_t index, double at);
    void Finish(Verdict verdict, std::uint16_t failBits, double at);
    std::uint16_t Judge() const;
    bool CannotDrive() const;            // the set current needs more than the output's voltage
    double MeasuredResistance() const;
    Reading LiveReading(double at) const;
    const TestSegment& Segment() const { return segments_[index_]; }

    Phase phase_ = Phase::Idle;
    std::vector<TestSegment> segments_;
    std::size_t index_ = 0;
    double segmentStart_ = 0.0;
    double intervalStart_ = 0.0;
    double dut_ = 0.0;
    double lead_ = 0.0;
    double maxResistance_ = 0.0;
    bool judgeMax_ = false;
    Verdict verdict_ = Verdict::None;
    bool failLatched_ = false;
    std::optional<double> passHold_;
    double passTime_ = 0.0;
    std::uint16_t newFailBits_ = 0;
    Reading frozen_;
};

}  // namespace zewsim
