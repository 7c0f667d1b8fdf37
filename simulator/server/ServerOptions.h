// Command-line options of zew-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zewsim {

struct ServerOptions {
    static constexpr int kDefaultMaxConnections = 8;
    static constexpr int kMaxConnectionsLimit = 32;
    static constexpr std::uint16_t kDefaultPort = 5025;

    std::string bind = "127.0.0.1";
    std::uint16_t port = kDefaultPort;
    std::string model = "ZEW4400";
    std::string serial = "0";
    std::string version = "1.00.00";
    double dut = 0.050;
    bool trace = false;
    unsigned replyDelayMs = 0;
    static constexpr unsigned kMaxReplyDelayMs = 10000;
    int maxConnections = kDefaultMaxConnections;
    bool allowRemote = false;
    std::string portFile;
};

struct OptionsOutcome {
    std::optional<ServerOptions> options;  // set when the server should run
    bool help = false;                     // --help: print the usage, exit 0
    std::string error;                     // otherwise: what was wrong
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after '=' ("--port 0", "--port=0").
OptionsOutcome ParseServerOptions(const std::vector<std::string>& args);

std::string ServerUsage();

}  // namespace zewsim
