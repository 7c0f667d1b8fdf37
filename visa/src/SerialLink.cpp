// A session that reaches whatever is on a Windows serial port: the port takes
// the session's serial attributes (baud rate, data bits, parity, stop bits,
// flow control, time-out) whenever one is set, and lines pass both ways.
#include "Link.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include <zewhandles/WindowsHandles.h>

#include "Attributes.h"

namespace zewvisa {
namespace {

constexpr DWORD kSliceMs = 50;
// Empty reads in a row that returned at once, taken as a hang-up.
constexpr int kHungUpAfter = 3;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

BYTE Parity(std::uint32_t visa) {
    switch (visa) {
        case 1: return ODDPARITY;
        case 2: return EVENPARITY;
        case 3: return MARKPARITY;
        case VI_ASRL_PAR_SPACE: return SPACEPARITY;
        default: return NOPARITY;
    }
}

BYTE StopBits(std::uint32_t visa) {
    switch (visa) {
        case VI_ASRL_STOP_ONE5: return ONE5STOPBITS;
        case VI_ASRL_STOP_TWO: return TWOSTOPBITS;
        default: return ONESTOPBIT;
    }
}

// Reads wait for a slice at most (the stand-in keeps the session's deadline);
// a write may take the session's whole time-out.
class SerialLink final : public Link {
public:
    explicit SerialLink(HANDLE port) : port_(port) {}

    ViStatus Apply(const Attributes& attributes) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(port_.get(), &dcb)) return VI_ERROR_IO;
        dcb.fBinary = TRUE;
        dcb.BaudRate = attributes.Value(VI_ATTR_ASRL_BAUD);
        dcb.ByteSize = static_cast<BYTE>(attributes.Value(VI_ATTR_ASRL_DATA_BITS));
        dcb.Parity = Parity(attributes.Value(VI_ATTR_ASRL_PARITY));
        dcb.fParity = dcb.Parity != NOPARITY;
        dcb.StopBits = StopBits(attributes.Value(VI_ATTR_ASRL_STOP_BITS));
        const std::uint32_t flow = attributes.Value(VI_ATTR_ASRL_FLOW_CNTRL);
        const bool xonXoff = (flow & VI_ASRL_FLOW_XON_XOFF) != 0;
        const bool rtsCts = (flow & 2) != 0;
        const bool dtrDsr = (flow & 4) != 0;
        dcb.fOutX = dcb.fInX = xonXoff;
        dcb.XonChar = kXon;
        dcb.XoffChar = kXoff;
        dcb.fOutxCtsFlow = rtsCts;
        dcb.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
        dcb.fOutxDsrFlow = dtrDsr;
        dcb.fDtrControl = dtrDsr ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
        if (!SetCommState(port_.get(), &dcb)) return VI_ERROR_NSUP_ATTR_STATE;
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = kSliceMs;
        timeouts.WriteTotalTimeoutConstant = std::max<DWORD>(attributes.Timeout(), 1);
        return SetCommTimeouts(port_.get(), &timeouts) ? VI_SUCCESS : VI_ERROR_NSUP_ATTR_STATE;
    }

    ViStatus SendLine(const std::string& line, InputQueue&, SteadyTime) override {
        const std::string bytes = line + "\n";
        DWORD written = 0;
        if (!WriteFile(port_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size())
            return VI_ERROR_IO;
        return VI_SUCCESS;
    }

    // A read without a byte returns after its slice. One that returns none
    // on a port whose state can no longer be read, or returns none at once
    // again and again, reads a port that has hung up (a pseudo-terminal whose
    // other end closed).
    void Wait(SteadyTime deadline) override {
        const auto started = std::chrono::steady_clock::now();
        if (deadline <= started) return;
        char buffer[256];
        DWORD n = 0;
        if (!ReadFile(port_.get(), buffer, sizeof buffer, &n, nullptr)) {
            received_.Lose();
            return;
        }
        received_.Add(buffer, n);
        if (n > 0) {
            emptyAtOnce_ = 0;
            return;
        }
        DWORD errors = 0;
        COMSTAT state{};
        const bool atOnce = std::chrono::steady_clock::now() - started < std::chrono::milliseconds(kSliceMs / 2);
        emptyAtOnce_ = atOnce ? emptyAtOnce_ + 1 : 0;
        if (!ClearCommError(port_.get(), &errors, &state) || emptyAtOnce_ >= kHungUpAfter) received_.Lose();
    }

    ViStatus Drain(InputQueue& input) override { return received_.Drain(input, VI_ERROR_IO); }

    // A serial line carries no serial poll: ask for the status byte instead.
    ViStatus StatusByte(ViUInt16& stb) override {
        InputQueue unused;
        if (SendLine("*STB?", unused, {}) != VI_SUCCESS) return VI_ERROR_IO;
        std::string reply;
        for (int slices = 0; slices < 40 && reply.find('\n') == std::string::npos; ++slices) {
            char buffer[64];
            DWORD n = 0;
            if (!ReadFile(port_.get(), buffer, sizeof buffer, &n, nullptr)) return VI_ERROR_IO;
            reply.append(buffer, n);
        }
        if (reply.find('\n') == std::string::npos) return VI_ERROR_TMO;
        stb = static_cast<ViUInt16>(std::atoi(reply.c_str()) & 0xFF);
        return VI_SUCCESS;
    }

private:
    zew::handles::UniqueHandle port_;
    ReceivedBytes received_;
    int emptyAtOnce_ = 0;
};

}  // namespace

std::unique_ptr<Link> OpenSerialPort(unsigned number, const Attributes& attributes) {
    if (number < 1 || number > 255) return nullptr;
    const std::string path = "\\\\.\\COM" + std::to_string(number);
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) return nullptr;
    auto link = std::make_unique<SerialLink>(port);
    if (link->Apply(attributes) != VI_SUCCESS) return nullptr;
    return link;
}

}  // namespace zewvisa
