// zew-sim: one simulated ZEW4400-family instrument on a TCP port.
#include "LineServer.h"
#include "ServerOptions.h"
#include "Socket.h"
#include "zewsim/Instrument.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::atomic<bool> g_stop{false};

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD) {
    g_stop = true;
    return TRUE;
}
#else
extern "C" void OnSignal(int) { g_stop = true; }
#endif

void InstallStopHandlers() {
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

// Written under a temporary name and renamed, so a reader never sees half a
// number.
bool WritePortFile(const std::string& path, unsigned port) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << port << '\n';
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const zewsim::OptionsOutcome outcome = zewsim::ParseServerOptions(args);
    if (outcome.help) {
        std::cout << zewsim::ServerUsage();
        return 0;
    }
    if (!outcome.options) {
        std::cerr << "zew-sim: " << outcome.error << "\n" << zewsim::ServerUsage();
        return 2;
    }
    const zewsim::ServerOptions& options = *outcome.options;

    zewsim::net::SocketLibrary sockets;
    if (!sockets.Ok()) {
        std::cerr << "zew-sim: the socket library cannot be started\n";
        return 1;
    }

    zewsim::InstrumentConfig config;
    config.model = options.model;
    config.serial = options.serial;
    config.version = options.version;
    config.dutResistance = options.dut;
    zewsim::Instrument instrument(config);

    zewsim::LineServer::Settings settings;
    settings.bind = options.bind;
    settings.port = options.port;
    settings.maxConnections = options.maxConnections;
    settings.trace = options.trace ? &std::cout : nullptr;
    settings.replyDelay = std::chrono::milliseconds(options.replyDelayMs);
    zewsim::LineServer server(instrument, settings);

    InstallStopHandlers();
    std::string error;
    if (!server.Open(error)) {
        std::cerr << "zew-sim: " << error << "\n";
        return 1;
    }
    std::cout << "zew-sim listening on " << options.bind << ':' << server.Port() << std::endl;
    if (!options.portFile.empty() && !WritePortFile(options.portFile, server.Port())) {
        std::cerr << "zew-sim: cannot write the port file " << options.portFile << "\n";
        return 1;
    }

    server.Run(g_stop);

    if (!options.portFile.empty()) {
        std::error_code ec;
        std::filesystem::remove(options.portFile, ec);
    }
    std::cout << "zew-sim stopped" << std::endl;
    return 0;
}
