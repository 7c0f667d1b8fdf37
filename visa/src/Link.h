// The way from a session to its instrument: an embedded simulated instrument
// in this process, a TCP connection, or a serial port.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include <zewvisa/VisaTypes.h>

#include "InputQueue.h"
#include "InputSource.h"
#include "SharedInstrument.h"


namespace zewvisa {

class Attributes;

class Link : public InputSource {
public:
    // Hands one complete command line (without its line feed) to the instrument.
    // A reply that the instrument has at once goes to input, readable from readyAt.
    virtual ViStatus SendLine(const std::string& line, InputQueue& input, SteadyTime readyAt) = 0;
    virtual ViStatus StatusByte(ViUInt16& stb) = 0;
    // The session's attributes changed; a link to a real port applies them.
    virtual ViStatus Apply(const Attributes&) { return VI_SUCCESS; }
};

// Bytes that a link's wait received, kept until the session drains them: the
// waiting thread and the draining one meet under its lock.
class ReceivedBytes {
public:
    void Add(const char* bytes, std::size_t count) {
        std::lock_guard<std::mutex> lock(mutex_);
        bytes_.append(bytes, count);
    }
    void Lose() {
        std::lock_guard<std::mutex> lock(mutex_);
        lost_ = true;
    }
    // Moves what arrived to input; lostStatus once the link is lost.
    ViStatus Drain(InputQueue& input, ViStatus lostStatus) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!bytes_.empty()) {
            input.Push(std::move(bytes_), false, std::chrono::steady_clock::now());
            bytes_.clear();
        }
        return lost_ ? lostStatus : VI_SUCCESS;
    }

private:
    std::mutex mutex_;
    std::string bytes_;
    bool lost_ = false;
};

class EmbeddedLink final : public Link {
public:
    explicit EmbeddedLink(std::shared_ptr<SharedInstrument> instrument) : instrument_(std::move(instrument)) {}
    ViStatus SendLine(const std::string& line, InputQueue& input, SteadyTime readyAt) override;
    void Wait(SteadyTime deadline) override;
    ViStatus Drain(InputQueue&) override { return VI_SUCCESS; }
    ViStatus StatusByte(ViUInt16& stb) override;

private:
    std::shared_ptr<SharedInstrument> instrument_;
};

// Connects to host:port; nothing on failure.
std::unique_ptr<Link> ConnectTcp(const std::string& host, unsigned port, unsigned timeoutMs);

// Opens COM<number> with the session's attributes; nothing on failure.
std::unique_ptr<Link> OpenSerialPort(unsigned number, const Attributes& attributes);

}  // namespace zewvisa
