// One owner for every kind of handle the driver and the VISA library hold: a
// kernel object, a registry key, a library, a device context, a GDI object, a
// metafile, global memory, a socket. `Close` runs once when the owner lets go
// of a value other than `Empty`, the kind's "no handle" (null for most,
// INVALID_SOCKET for a socket).
#pragma once

#include <utility>

namespace zew::handles {

template <class T, auto Close, T Empty = T{}>
class UniqueAny {
public:
    UniqueAny() = default;
    explicit UniqueAny(T value) : value_(value) {}
    UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, Empty)) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, Empty));
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { reset(); }

    void reset(T value = Empty) {
        if (value_ != Empty) Close(value_);
        value_ = value;
    }
    // Gives the handle up without closing it.
    [[nodiscard]] T release() { return std::exchange(value_, Empty); }
    T get() const { return value_; }
    T* put() {
        reset();
        return &value_;
    }
    explicit operator bool() const { return value_ != Empty; }

private:
    T value_ = Empty;
};

}  // namespace zew::handles
