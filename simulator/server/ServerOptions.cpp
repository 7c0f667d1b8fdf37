#include "ServerOptions.h"

#include "Socket.h"
#include "zewsim/Instrument.h"

#include <charconv>
#include <cmath>

namespace zewsim {

namespace {

constexpr std::size_t kMaxIdentityText = 20;

bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    return !text.empty() && ec == std::errc{} && ptr == end && value <= max;
}

bool ParseDouble(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return !text.empty() && ec == std::errc{} && ptr == end && std::isfinite(value);
}

// Identity text travels inside the comma-separated "*IDN?" reply, which the
// driver reads up to the first blank.
bool IsIdentityText(const std::string& text) {
    if (text.empty() || text.size() > kMaxIdentityText) return false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == ',') return false;
    }
    return true;
}

}  // namespace

std::string ServerUsage() {
    return "usage: zew-sim [options]\n"
           "  --port N             TCP port, 0 picks a free one (default 5025)\n"
           "  --bind ADDR          IPv4 address to listen on (default 127.0.0.1)\n"
           "  --allow-remote       allow --bind with an address that is not loopback\n"
           "  --port-file PATH     write the port number there once listening\n"
           "  --max-connections N  clients served at once, 1 to 32 (default 8)\n"
           "  --model NAME         model in the identity, ZEW4400 or ZEW4410 (default ZEW4400)\n"
           "  --serial TEXT        serial number in the identity (default 0)\n"
           "  --version TEXT       firmware version in the identity (default 1.00.00)\n"
           "  --dut OHMS           resistance of the simulated device under test, 0 to 1000 (default 0.050)\n"
           "  --trace              print every line received and sent\n"
           "  --reply-delay MS     hold each reply back MS milliseconds, 0 to 10000 (default 0)\n"
           "  --help               print this text\n";
}

OptionsOutcome ParseServerOptions(const std::vector<std::string>& args) {
    OptionsOutcome outcome;
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto flag = [&](bool& target) {
            if (inlineValue) {
                outcome.error = name + " takes no value";
                return false;
            }
            target = true;
            return true;
        };
        auto value = [&](std::string& target) {
            if (inlineValue) {
                target = *inlineValue;
                return true;
            }
            if (i + 1 >= args.size()) {
                outcome.error = name + " needs a value";
                return false;
            }
            target = args[++i];
            return true;
        };

        std::string text;
        if (name == "--help" || name == "-h") {
            outcome.help = true;
            return outcome;
        } else if (name == "--trace") {
            if (!flag(options.trace)) return outcome;
        } else if (name == "--allow-remote") {
            if (!flag(options.allowRemote)) return outcome;
        } else if (name == "--port") {
            unsigned long port = 0;
            if (!value(text)) return outcome;
            if (!ParseUnsigned(text, 65535, port)) {
                outcome.error = "--port wants a number from 0 to 65535, not '" + text + "'";
                return outcome;
            }
            options.port = static_cast<std::uint16_t>(port);
        } else if (name == "--max-connections") {
            unsigned long count = 0;
            if (!value(text)) return outcome;
            if (!ParseUnsigned(text, ServerOptions::kMaxConnectionsLimit, count) || count == 0) {
                outcome.error = "--max-connections wants a number from 1 to 32, not '" + text + "'";
                return outcome;
            }
            options.maxConnections = static_cast<int>(count);
        } else if (name == "--reply-delay") {
            unsigned long ms = 0;
            if (!value(text)) return outcome;
            if (!ParseUnsigned(text, ServerOptions::kMaxReplyDelayMs, ms)) {
                outcome.error = "--reply-delay wants milliseconds from 0 to 10000, not '" + text + "'";
                return outcome;
            }
            options.replyDelayMs = static_cast<unsigned>(ms);
        } else if (name == "--dut") {
            if (!value(text)) return outcome;
            if (!ParseDouble(text, options.dut) || options.dut < 0 || options.dut > Instrument::kMaxDutResistance) {
                outcome.error = "--dut wants ohms from 0 to 1000, not '" + text + "'";
                return outcome;
            }
        } else if (name == "--model" || name == "--serial" || name == "--version") {
            if (!value(text)) return outcome;
            if (!IsIdentityText(text)) {
                outcome.error = name + " wants 1 to 20 printable characters without blanks or commas";
                return outcome;
            }
            (name == "--model" ? options.model : name == "--serial" ? options.serial : options.version) = text;
        } else if (name == "--bind") {
            if (!value(options.bind)) return outcome;
        } else if (name == "--port-file") {
            if (!value(options.portFile)) return outcome;
            if (options.portFile.empty()) {
                outcome.error = "--port-file needs a path";
                return outcome;
            }
        } else {
            outcome.error = "unknown option '" + args[i] + "'";
            return outcome;
        }
    }

    std::uint32_t address = 0;
    if (!net::ParseIPv4(options.bind, address)) {
        outcome.error = "--bind wants an IPv4 address, not '" + options.bind + "'";
        return outcome;
    }
    if (!net::IsLoopback(address) && !options.allowRemote) {
        outcome.error = "--bind " + options.bind + " is not a loopback address; add --allow-remote to serve other hosts";
        return outcome;
    }
    outcome.options = options;
    return outcome;
}

}  // namespace zewsim
