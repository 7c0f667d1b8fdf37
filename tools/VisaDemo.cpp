// Runs a short test on a ZEW4400 through VISA: identity, test conditions,
// START, then the monitored values until the instrument gives its verdict.
//   zew-visa-demo [resource]        (default GPIB0::1::INSTR)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <zewvisa/VisaTypes.h>

namespace {

class Instrument {
public:
    explicit Instrument(const char* resource) : resource_(resource) {}
    ~Instrument() {
        if (vi_) viClose(vi_);
        if (rm_) viClose(rm_);
    }

    bool Open() {
        ViStatus st = viOpenDefaultRM(&rm_);
        if (st >= 0) st = viOpen(rm_, resource_, 0, 10000, &vi_);
        if (st >= 0) st = viSetAttribute(vi_, VI_ATTR_TMO_VALUE, 10000);
        if (st >= 0) st = viSetAttribute(vi_, VI_ATTR_TERMCHAR, '\n');
        if (st >= 0) st = viSetAttribute(vi_, VI_ATTR_TERMCHAR_EN, VI_TRUE);
        return Check(st, "open");
    }

    bool Send(const std::string& line) {
        const std::string bytes = line + "\n";
        ViUInt32 written = 0;
        return Check(viWrite(vi_, reinterpret_cast<const ViByte*>(bytes.data()),
                             static_cast<ViUInt32>(bytes.size()), &written), line.c_str());
    }

    std::string Query(const std::string& line) {
        if (!Send(line)) return {};
        ViByte buffer[256];
        ViUInt32 count = 0;
        if (!Check(viRead(vi_, buffer, sizeof buffer - 1, &count), line.c_str())) return {};
        std::string reply(reinterpret_cast<char*>(buffer), count);
        while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
        return reply;
    }

private:
    bool Check(ViStatus status, const char* what) {
        if (status >= 0) return true;
        std::printf("  %s on %s failed: VISA status 0x%08lX\n", what, resource_,
                    static_cast<unsigned long>(static_cast<ViUInt32>(status)));
        return false;
    }

    const char* resource_;
    ViSession rm_ = 0;
    ViSession vi_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const char* resource = argc > 1 ? argv[1] : "GPIB0::1::INSTR";
    std::printf("ZEW4400 through VISA32.DLL, resource %s\n", resource);
    Instrument zew(resource);
    if (!zew.Open()) return 1;

    std::printf("  identity: %s\n", zew.Query("*IDN?").c_str());
    for (const char* line : {"CURRENT  10.000", "FREQUENCY 50", "UPPER  0.100", "LOWER 0.001,0", "TIMER 2.0,1",
                             "OFFSET 0", "CONTACTCHECK 0", "FAILMODE 0", "MOMENTARY 0", "START"}) {
        std::printf("  > %s\n", line);
        if (!zew.Send(line)) return 1;
    }
    std::printf("  %-6s %10s %10s %10s %10s %8s\n", "status", "voltage", "current", "R max", "R", "time");
    for (int poll = 0; poll < 60; ++poll) {
        const std::string mon = zew.Query("MON?");
        if (mon.empty()) return 1;
        int status = 0;
        double v = 0, i = 0, rmax = 0, r = 0, t = 0;
        if (std::sscanf(mon.c_str(), "%d,%lf,%lf,%lf,%lf,%lf", &status, &v, &i, &rmax, &r, &t) != 6) {
            std::printf("  unexpected MON? reply: %s\n", mon.c_str());
            return 1;
        }
        std::printf("  %-6d %10.4f %10.4f %10.4f %10.4f %8.2f\n", status, v, i, rmax, r, t);
        if (status != 8 && status != 12) {
            std::printf("  verdict: %s (fail register %s)\n", status == 1 ? "PASS" : status == 2 ? "FAIL" : "stopped",
                        zew.Query("FAIL?").c_str());
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    std::printf("  the test did not end\n");
    return 1;
}
