#include "Socket.h"

#include <charconv>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zewsim::net {

namespace {

#ifdef _WIN32
using Native = SOCKET;
constexpr Native kNativeInvalid = INVALID_SOCKET;
void CloseNative(Native s) { closesocket(s); }
std::string LastError() { return "socket error " + std::to_string(WSAGetLastError()); }
#else
using Native = int;
constexpr Native kNativeInvalid = -1;
void CloseNative(Native s) { ::close(s); }
std::string LastError() { return "socket error " + std::to_string(errno); }
#endif

Native ToNative(std::intptr_t handle) { return static_cast<Native>(handle); }

sockaddr_in MakeAddress(std::uint32_t address, std::uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(address);
    return sa;
}

}  // namespace

SocketLibrary::SocketLibrary() {
#ifdef _WIN32
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
#else
    ok_ = true;
#endif
}

SocketLibrary::~SocketLibrary() {
#ifdef _WIN32
    if (ok_) WSACleanup();
#endif
}

Socket::~Socket() { Close(); }

Socket::Socket(Socket&& other) noexcept : handle_(other.handle_) { other.handle_ = kInvalid; }

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = kInvalid;
    }
    return *this;
}

void Socket::Close() {
    if (Valid()) CloseNative(ToNative(handle_));
    handle_ = kInvalid;
}

// A new TCP socket and the IPv4 address it is for; nothing (and error set) on failure.
Socket Socket::OpenStream(std::string_view address, std::uint32_t& ip, std::string& error) {
    if (!ParseIPv4(address, ip)) {
        error = "not an IPv4 address: " + std::string(address);
        return {};
    }
    const Native s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNativeInvalid) {
        error = LastError();
        return {};
    }
    return Socket(static_cast<std::intptr_t>(s));
}

Socket Socket::Listen(std::string_view address, std::uint16_t port, int backlog, std::string& error) {
    std::uint32_t ip = 0;
    Socket result = OpenStream(address, ip, error);
    if (!result.Valid()) return {};
    const Native s = ToNative(result.handle_);
#ifndef _WIN32
    const int yes = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
    const sockaddr_in sa = MakeAddress(ip, port);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s, backlog) != 0) {
        error = "cannot listen on " + std::string(address) + ":" + std::to_string(port) + " (" + LastError() + ")";
        return {};
    }
    return result;
}

Socket Socket::Connect(std::string_view address, std::uint16_t port, std::string& error) {
    std::uint32_t ip = 0;
    Socket result = OpenStream(address, ip, error);
    if (!result.Valid()) return {};
    const Native s = ToNative(result.handle_);
    const sockaddr_in sa = MakeAddress(ip, port);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        error = "cannot connect (" + LastError() + ")";
        return {};
    }
    return result;
}

std::uint16_t Socket::LocalPort() const {
    sockaddr_in sa{};
#ifdef _WIN32
    int length = sizeof sa;
#else
    socklen_t length = sizeof sa;
#endif
    if (::getsockname(ToNative(handle_), reinterpret_cast<sockaddr*>(&sa), &length) != 0) return 0;
    return ntohs(sa.sin_port);
}

Socket Socket::Accept() const {
    const Native s = ::accept(ToNative(handle_), nullptr, nullptr);
    if (s == kNativeInvalid) return {};
    return Socket(static_cast<std::intptr_t>(s));
}

long Socket::Receive(char* buffer, std::size_t size) const {
#ifdef _WIN32
    const int n = ::recv(ToNative(handle_), buffer, static_cast<int>(size), 0);
#else
    const ssize_t n = ::recv(ToNative(handle_), buffer, size, 0);
#endif
    return n < 0 ? -1 : static_cast<long>(n);
}

bool Socket::SendAll(std::string_view data) const {
    while (!data.empty()) {
#ifdef _WIN32
        const int n = ::send(ToNative(handle_), data.data(), static_cast<int>(data.size()), 0);
#else
        const ssize_t n = ::send(ToNative(handle_), data.data(), data.size(), MSG_NOSIGNAL);
#endif
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::vector<std::size_t> Socket::WaitReadable(const std::vector<const Socket*>& sockets, int timeoutMs) {
    std::vector<std::size_t> ready;
#ifdef _WIN32
    fd_set set;
    FD_ZERO(&set);
    std::size_t added = 0;
    for (const Socket* s : sockets) {
        if (added == FD_SETSIZE) break;
        FD_SET(ToNative(s->handle_), &set);
        ++added;
    }
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (::select(0, &set, nullptr, nullptr, &tv) <= 0) return ready;
    for (std::size_t i = 0; i < added; ++i) {
        if (FD_ISSET(ToNative(sockets[i]->handle_), &set)) ready.push_back(i);
    }
#else
    std::vector<pollfd> fds;
    fds.reserve(sockets.size());
    for (const Socket* s : sockets) fds.push_back(pollfd{ToNative(s->handle_), POLLIN, 0});
    if (::poll(fds.data(), fds.size(), timeoutMs) <= 0) return ready;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents != 0) ready.push_back(i);
    }
#endif
    return ready;
}

bool ParseIPv4(std::string_view text, std::uint32_t& address) {
    if (text == "localhost") text = "127.0.0.1";
    std::uint32_t result = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') return false;
            text.remove_prefix(1);
        }
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
        const std::size_t digits = static_cast<std::size_t>(ptr - text.data());
        if (ec != std::errc{} || digits == 0 || digits > 3 || value > 255) return false;
        text.remove_prefix(digits);
        result = (result << 8) | value;
    }
    if (!text.empty()) return false;
    address = result;
    return true;
}

bool IsLoopback(std::uint32_t address) { return (address >> 24) == 127; }

}  // namespace zewsim::net
