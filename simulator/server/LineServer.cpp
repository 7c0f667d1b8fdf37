#include "LineServer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zewsim {

namespace {

constexpr int kPollMilliseconds = 100;
constexpr int kBacklog = 8;
constexpr std::size_t kReceiveChunk = 4096;
// Longest line buffered, line feed excluded; far above any valid line, which
// may still carry blanks around its text.
constexpr std::size_t kMaxLineBytes = 4096;

// Printable form of a line for the trace.
std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (u < 0x20 || u >= 0x7F) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", u);
            out += hex.data();
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

LineServer::LineServer(Instrument& instrument, Settings settings)
    : instrument_(instrument), settings_(std::move(settings)) {}

bool LineServer::Open(std::string& error) {
    listener_ = net::Socket::Listen(settings_.bind, settings_.port, kBacklog, error);
    if (!listener_.Valid()) return false;
    port_ = listener_.LocalPort();
    return true;
}

void LineServer::Run(const std::atomic<bool>& stop) {
    while (!stop.load()) {
        std::vector<const net::Socket*> sockets{&listener_};
        for (const Connection& c : connections_) sockets.push_back(&c.socket);
        const std::vector<std::size_t> ready =
            net::Socket::WaitReadable(sockets, WaitMilliseconds(std::chrono::steady_clock::now()));

        // Connections first (indices shift once clients are added or removed).
        std::vector<bool> ended(connections_.size(), false);
        bool listenerReady = false;
        for (std::size_t index : ready) {
            if (index == 0) {
                listenerReady = true;
            } else {
                ended[index - 1] = !Serve(connections_[index - 1]);
            }
        }
        const TimePoint now = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            if (!ended[i]) ended[i] = !SendDueReplies(connections_[i], now);
        }
        for (std::size_t i = connections_.size(); i-- > 0;) {
            if (ended[i]) {
                Trace(connections_[i].id, '-', "closed");
                connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (listenerReady) AcceptClient();
    }
    connections_.clear();
    listener_.Close();
}

void LineServer::AcceptClient() {
    net::Socket client = listener_.Accept();
    if (!client.Valid()) return;
    const int id = nextId_++;
    if (static_cast<int>(connections_.size()) >= settings_.maxConnections) {
        Trace(id, '-', "refused: too many connections");
        return;  // closed as `client` goes
    }
    Trace(id, '-', "connected");
    connections_.push_back(Connection{std::move(client), id, {}, false, {}});
}

bool LineServer::Serve(Connection& connection) {
    std::array<char, kReceiveChunk> buffer{};
    const long received = connection.socket.Receive(buffer.data(), buffer.size());
    if (received <= 0) return false;
    connection.pending.append(buffer.data(), static_cast<std::size_t>(received));

    std::size_t start = 0;
    while (true) {
        const std::size_t end = connection.pending.find('\n', start);
        if (end == std::string::npos) break;
        const std::string_view line(connection.pending.data() + start, end - start);
        start = end + 1;
        if (connection.discarding) {
            connection.discarding = false;  // the tail of an over-long line
            continue;
        }
        if (!HandleLine(connection, line)) return false;
    }
    connection.pending.erase(0, start);

    // A line that outgrows the buffer is a command error, reported once; the
    // rest of it, up to its line feed, is dropped.
    if (connection.pending.size() > kMaxLineBytes) {
        if (!connection.discarding) {
            Trace(connection.id, '<', std::string_view(connection.pending).substr(0, kMaxLineBytes));
            Trace(connection.id, '-', "line too long: dropped up to its line feed");
            // Any line above the instrument's limit is refused as a command error.
            instrument_.Process(std::string(Instrument::kMaxLineLength + 1, 'X'));
            connection.discarding = true;
        }
        connection.pending.clear();
    }
    return true;
}

bool LineServer::HandleLine(Connection& connection, std::string_view line) {
    Trace(connection.id, '<', line);
    const std::optional<std::string> reply = instrument_.Process(line);
    if (!reply) return true;
    if (settings_.replyDelay.count() > 0) {
        connection.held.push_back({std::chrono::steady_clock::now() + settings_.replyDelay, *reply});
        return true;
    }
    return SendReply(connection, *reply);
}

bool LineServer::SendReply(Connection& connection, const std::string& reply) {
    Trace(connection.id, '>', reply);
    return connection.socket.SendAll(reply);
}

bool LineServer::SendDueReplies(Connection& connection, TimePoint now) {
    while (!connection.held.empty() && connection.held.front().due <= now) {
        const HeldReply reply = std::move(connection.held.front());
        connection.held.pop_front();
        if (!SendReply(connection, reply.text)) return false;
    }
    return true;
}

int LineServer::WaitMilliseconds(TimePoint now) const {
    int wait = kPollMilliseconds;
    for (const Connection& c : connections_) {
        if (c.held.empty()) continue;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(c.held.front().due - now).count();
        wait = std::min(wait, static_cast<int>(std::max<decltype(left)>(left, 0)));
    }
    return wait;
}

void LineServer::Trace(int id, char direction, std::string_view text) {
    if (settings_.trace == nullptr) return;
    std::ostream& out = *settings_.trace;
    out << '[' << id << "] ";
    if (direction == '-') {
        out << text;
    } else {
        out << direction << ' ' << Escape(text);
    }
    out << std::endl;  // flushed at once for whoever watches
}

}  // namespace zewsim
