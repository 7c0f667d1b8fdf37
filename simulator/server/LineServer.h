// Serves one instrument to TCP clients, one command line at a time.
//
// Incoming bytes are split at line feeds; each line goes to
// Instrument::Process and its reply, if any, is written back to the client
// that sent the line. Up to `maxConnections` clients are served at once, all
// from one thread, so their lines interleave line by line on the one
// instrument; a client beyond the limit is accepted and closed at once.
// A line of more than 4096 bytes is not buffered: it counts as one command
// error and is dropped up to its line feed.
//
// With a reply delay each reply is held back that long after its line came
// in, while the other clients' lines go on being read: an exchange stays open
// long enough for another client's line to fall inside it, which the trace
// then shows (every line received and reply sent, in the order they happen).
#pragma once

#include "Socket.h"
#include "zewsim/Instrument.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
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
        std::chrono::milliseconds replyDelay{0};
    };

    LineServer(Instrument& instrument, Settings settings);

    // Binds and listens; false with `error` set on failure.
    bool Open(std::string& error);
    std::uint16_t Port() const { return port_; }

    // Serves until `stop` is true (looked at every 100 ms), then closes
    // every connection and the listening socket.
    void Run(const std::atomic<bool>& stop);

private:
    using TimePoint = std::chrono::steady_clock::time_point;

    struct HeldReply {
        TimePoint due;
        std::string text;
    };

    struct Connection {
        net::Socket socket;
        int id = 0;
        std::string pending;     // bytes after the last line feed
        bool discarding = false; // inside an over-long line
        std::deque<HeldReply> held;  // replies waiting out the reply delay, oldest first
    };

    void AcceptClient();
    // False when the connection has ended.
    bool Serve(Connection& connection);
    bool HandleLine(Connection& connection, std::string_view line);
    bool SendReply(Connection& connection, const std::string& reply);
    // Sends every held reply that is due; false when the connection has ended.
    bool SendDueReplies(Connection& connection, TimePoint now);
    // How long the next wait for input may last.
    int WaitMilliseconds(TimePoint now) const;
    void Trace(int id, char direction, std::string_view text);

    Instrument& instrument_;
    Settings settings_;
    net::Socket listener_;
    std::uint16_t port_ = 0;
    std::vector<Connection> connections_;
    int nextId_ = 1;
};

}  // namespace zewsim
