// A session that reaches a zew-sim (or any line-based instrument) over TCP.
#include "Link.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>

#include <zewhandles/WindowsHandles.h>

namespace zewvisa {
namespace {

using Socket = zew::handles::UniqueSocket;

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

bool Readable(SOCKET s, long waitMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{waitMs / 1000, (waitMs % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) > 0;
}

// A reader waits for a reply blocked in recv, as a plain Winsock client
// would, rather than polling: the socket's receive time-out bounds each wait
// to a slice, so the stand-in still sees its deadline. What a wait receives is
// kept until Drain hands it to the session's input.
class TcpLink final : public Link {
public:
    explicit TcpLink(SOCKET s) : socket_(s) { SetReceiveTimeout(kSliceMs); }

    ViStatus SendLine(const std::string& line, InputQueue&, SteadyTime) override {
        const std::string bytes = line + "\n";
        size_t sent = 0;
        while (sent < bytes.size()) {
            const int n = send(socket_.get(), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (n <= 0) return VI_ERROR_IO;
            sent += static_cast<size_t>(n);
        }
        return VI_SUCCESS;
    }

    void Wait(SteadyTime deadline) override {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        const long slice = static_cast<long>(std::min<long long>(left.count(), kSliceMs));
        if (slice != timeoutMs_) SetReceiveTimeout(slice);
        char buffer[4096];
        const int n = recv(socket_.get(), buffer, sizeof buffer, 0);
        if (n > 0) {
            received_.Add(buffer, static_cast<size_t>(n));
        } else if (n == 0 || WSAGetLastError() != WSAETIMEDOUT) {
            received_.Lose();
        }
    }

    ViStatus Drain(InputQueue& input) override { return received_.Drain(input, VI_ERROR_CONN_LOST); }

    // A serial poll cannot cross a line protocol: ask for the status byte instead.
    ViStatus StatusByte(ViUInt16& stb) override {
        InputQueue unused;
        if (SendLine("*STB?", unused, {}) != VI_SUCCESS) return VI_ERROR_IO;
        std::string reply;
        char c;
        while (reply.size() < 64 && Readable(socket_.get(), 2000) && recv(socket_.get(), &c, 1, 0) == 1) {
            if (c == '\n') {
                stb = static_cast<ViUInt16>(std::atoi(reply.c_str()) & 0xFF);
                return VI_SUCCESS;
            }
            reply.push_back(c);
        }
        return VI_ERROR_IO;
    }

private:
    static constexpr long kSliceMs = 50;

    void SetReceiveTimeout(long ms) {
        const DWORD value = static_cast<DWORD>(ms);
        setsockopt(socket_.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&value), sizeof value);
        timeoutMs_ = ms;
    }

    Socket socket_;
    long timeoutMs_ = 0;
    ReceivedBytes received_;
};

}  // namespace

std::unique_ptr<Link> ConnectTcp(const std::string& host, unsigned port, unsigned timeoutMs) {
    if (!StartWinsock()) return nullptr;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return nullptr;
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);

    Socket s(socket(found->ai_family, found->ai_socktype, found->ai_protocol));
    if (!s) return nullptr;
    u_long nonBlocking = 1;
    ioctlsocket(s.get(), FIONBIO, &nonBlocking);
    connect(s.get(), found->ai_addr, static_cast<int>(found->ai_addrlen));
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_SET(s.get(), &writable);
    FD_ZERO(&failed);
    FD_SET(s.get(), &failed);
    const long ms = static_cast<long>(timeoutMs == 0 ? 2000u : std::min(timeoutMs, 10000u));
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &tv) <= 0 || FD_ISSET(s.get(), &failed)) return nullptr;
    nonBlocking = 0;
    ioctlsocket(s.get(), FIONBIO, &nonBlocking);
    const BOOL noDelay = TRUE;
    setsockopt(s.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);

    return std::make_unique<TcpLink>(s.release());
}

}  // namespace zewvisa
