// Serves one instrument to TCP clients, one command line at a time.
//
// Incoming bytes are split at line feeds; each line goes to
// Instrument::Process and its reply, if any, is written back to the client
// that sent the line. Up to `maxConnections` clients are served at once, all
// from one thread, so their lines interleave line by line on the one
// instrument; a client beyond the limit is accepted and closed at once.
// A line of more than 4096 bytes is not buffered: it counts as one command
// error and is dropped up to its line feed.
#pragma once

#include "Socket.h"
#include "zewsim/Instrument.h"

#include <atomic>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zewsim {

class LineServer {
public:
    struct Settings {
        std::string bind = "127.0.0.1";
        std::uint16_t port = 0;
        int maxConnections = 8;
        std::ostream* trace = nullptr;  // every line received and sent, when set
    };

    LineServer(Instrument& instrument, Settings settings);

    // Binds and listens; false with `error` set on failure.
    bool Open(std::string& error);
    std::uint16_t Port() const { return port_; }

    // Serves until `stop` is true (looked at every 100 ms), then closes
    // every connection and the listening socket.
    void Run(const std::atomic<bool>& stop);

private:
    struct Connection {
        net::Socket socket;
        int id = 0;
        std::string pending;     // bytes after the last line feed
        bool discarding = false; // inside an over-long line
    };

    void AcceptClient();
    // False when the connection has ended.
    bool Serve(Connection& connection);
    bool HandleLine(Connection& connection, std::string_view line);
    void Trace(int id, char direction, std::string_view text);

    Instrument& instrument_;
    Settings settings_;
    net::Socket listener_;
    std::uint16_t port_ = 0;
    std::vector<Connection> connections_;
    int nextId_ = 1;
};

}  // namespace zewsim
