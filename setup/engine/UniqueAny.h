// One owner for every kind of handle the installer holds: a registry key, a
// library, a GDI object, a file. `Close` runs once when the owner lets go.
#pragma once

#include <windows.h>

#include <utility>

namespace zew::setup {

template <class T, auto Close>
class UniqueAny {
public:
    UniqueAny() = default;
    explicit UniqueAny(T value) : value_(value) {}
    UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, T{})) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, T{}));
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { reset(); }

    void reset(T value = T{}) {
        if (value_ != T{}) Close(value_);
        value_ = value;
    }
    T get() const { return value_; }
    T* put() {
        reset();
        return &value_;
    }
    explicit operator bool() const { return value_ != T{}; }

private:
    T value_ = T{};
};

using UniqueHkey = UniqueAny<HKEY, &RegCloseKey>;
using UniqueModule = UniqueAny<HMODULE, &FreeLibrary>;
using UniqueFont = UniqueAny<HFONT, &DeleteObject>;
using UniqueBrush = UniqueAny<HBRUSH, &DeleteObject>;
using UniqueHandle = UniqueAny<HANDLE, &CloseHandle>;

// CreateFile's failure value is INVALID_HANDLE_VALUE, not null.
inline UniqueHandle FileHandle(HANDLE file) {
    return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace zew::setup
