// The way from a session to its instrument: an embedded simulated instrument
// in this process, a TCP connection, or a serial port.
#pragma once

#include <memory>
#include <string>

#include <zewsim/Instrument.h>
#include <zewvisa/VisaTypes.h>

#include "InputQueue.h"


namespace zewvisa {

class Attributes;

class Link {
public:
    virtual ~Link() = default;
    // Hands one complete command line (without its line feed) to the instrument.
    // A reply that the instrument has at once goes to input, readable from readyAt.
    virtual ViStatus SendLine(const std::string& line, InputQueue& input, SteadyTime readyAt) = 0;
    // Blocks until bytes may be waiting or until the deadline; takes no locks.
    virtual void Wait(SteadyTime deadline) = 0;
    // Moves whatever has arrived to input without blocking.
    virtual ViStatus Drain(InputQueue& input) = 0;
    virtual ViStatus StatusByte(ViUInt16& stb) = 0;
    // The session's attributes changed; a link to a real port applies them.
    virtual ViStatus Apply(const Attributes&) { return VI_SUCCESS; }
};

class EmbeddedLink final : public Link {
public:
    explicit EmbeddedLink(std::shared_ptr<zewsim::Instrument> instrument) : instrument_(std::move(instrument)) {}
    ViStatus SendLine(const std::string& line, InputQueue& input, SteadyTime readyAt) override;
    void Wait(SteadyTime deadline) override;
    ViStatus Drain(InputQueue&) override { return VI_SUCCESS; }
    ViStatus StatusByte(ViUInt16& stb) override;

private:
    std::shared_ptr<zewsim::Instrument> instrument_;
};

// Connects to host:port; nothing on failure.
std::unique_ptr<Link> ConnectTcp(const std::string& host, unsigned port, unsigned timeoutMs);

// Opens COM<number> with the session's attributes; nothing on failure.
std::unique_ptr<Link> OpenSerialPort(unsigned number, const Attributes& attributes);

}  // namespace zewvisa
