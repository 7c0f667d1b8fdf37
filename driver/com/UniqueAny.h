// One owner for every kind of handle the driver holds: a kernel object, a
// registry key, a library, a device context, a GDI object, a metafile, global
// memory. `Close` runs once when the owner lets go.
#pragma once

#include <windows.h>

#include <utility>

namespace zew::com {

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
    // Gives the handle up without closing it.
    [[nodiscard]] T release() { return std::exchange(value_, T{}); }
    T get() const { return value_; }
    T* put() {
        reset();
        return &value_;
    }
    explicit operator bool() const { return value_ != T{}; }

private:
    T value_ = T{};
};

namespace detail {
inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }
// A recording metafile DC that was never finished: its recording is thrown away.
inline void DiscardMetafileDc(HDC dc) { DeleteMetaFile(CloseMetaFile(dc)); }
}  // namespace detail

using UniqueHandle = UniqueAny<HANDLE, &CloseHandle>;
using UniqueHkey = UniqueAny<HKEY, &RegCloseKey>;
using UniqueModule = UniqueAny<HMODULE, &FreeLibrary>;
using UniqueBrush = UniqueAny<HBRUSH, &DeleteObject>;
using UniqueFont = UniqueAny<HFONT, &DeleteObject>;
using UniqueScreenDc = UniqueAny<HDC, &detail::ReleaseScreenDc>;
using UniqueMetafileDc = UniqueAny<HDC, &detail::DiscardMetafileDc>;
using UniqueMetafile = UniqueAny<HMETAFILE, &DeleteMetaFile>;
using UniqueGlobal = UniqueAny<HGLOBAL, &GlobalFree>;

}  // namespace zew::com
