// A small TCP socket wrapper over POSIX sockets and Winsock 2, IPv4 only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zewsim::net {

// Keeps the socket library initialised (Winsock) for its lifetime.
class SocketLibrary {
public:
    SocketLibrary();
    ~SocketLibrary();
    SocketLibrary(const SocketLibrary&) = delete;
    SocketLibrary& operator=(const SocketLibrary&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

class Socket {
public:
    Socket() = default;
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // A socket listening on address:port (port 0 picks a free one). An
    // invalid socket with `error` set on failure.
    static Socket Listen(std::string_view address, std::uint16_t port, int backlog, std::string& error);
    static Socket Connect(std::string_view address, std::uint16_t port, std::string& error);

    bool Valid() const { return handle_ != kInvalid; }
    void Close();
    std::uint16_t LocalPort() const;
    Socket Accept() const;

    // Bytes received, 0 when the peer closed, -1 on an error.
    long Receive(char* buffer, std::size_t size) const;
    bool SendAll(std::string_view data) const;

    // Sockets of `sockets` that are readable (or closed) within `timeoutMs`.
    static std::vector<std::size_t> WaitReadable(const std::vector<const Socket*>& sockets, int timeoutMs);

private:
    static constexpr std::intptr_t kInvalid = -1;
    explicit Socket(std::intptr_t handle) : handle_(handle) {}
    static Socket OpenStream(std::string_view address, std::uint32_t& ip, std::string& error);
    std::intptr_t handle_ = kInvalid;
};

// Dotted IPv4 text ("127.0.0.1"), or "localhost"; the address in host order.
bool ParseIPv4(std::string_view text, std::uint32_t& address);
bool IsLoopback(std::uint32_t address);

}  // namespace zewsim::net
