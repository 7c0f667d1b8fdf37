// Owner of one COM interface reference.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace zew::com {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr other) noexcept { std::swap(p_, other.p_); return *this; }

    // Adds a reference of its own to p.
    static ComPtr Retain(T* p) {
        if (p) p->AddRef();
        return Attach(p);
    }
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) { ComPtr result; result.p_ = p; return result; }
    T* Detach() { return std::exchange(p_, nullptr); }

    void reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases what is held and hands out the slot.
    T** put() { reset(); return &p_; }
    void** put_void() { return reinterpret_cast<void**>(put()); }

private:
    T* p_ = nullptr;
};

}  // namespace zew::com
