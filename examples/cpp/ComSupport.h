// Small helpers shared by the C++ examples of the ZEW4400 driver: owners of
// COM references, BSTRs and VARIANTs, the COM apartment of the thread, and
// an exception that carries a failed call's HRESULT and error description.
// Only Windows SDK headers are used; any C++17 compiler (MinGW-w64 g++,
// clang, MSVC) builds it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace zew_example {

// Owner of one interface reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr other) noexcept { std::swap(p_, other.p_); return *this; }

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

// Owner of one BSTR (a null BSTR reads as the empty string).
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : s_(SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }

    BSTR get() const { return s_; }
    const wchar_t* c_str() const { return s_ ? s_ : L""; }
    BSTR* put() { SysFreeString(std::exchange(s_, nullptr)); return &s_; }

private:
    BSTR s_ = nullptr;
};

// Owner of one VARIANT.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(long value) : Variant() { V_VT(&v_) = VT_I4; V_I4(&v_) = value; }
    explicit Variant(double value) : Variant() { V_VT(&v_) = VT_R8; V_R8(&v_) = value; }
    explicit Variant(const wchar_t* text) : Variant() { V_VT(&v_) = VT_BSTR; V_BSTR(&v_) = SysAllocString(text); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    // Clears what is held and hands out the VARIANT for an out parameter.
    VARIANT* put() { VariantClear(&v_); return &v_; }

private:
    VARIANT v_;
};

// A failed COM call: what was being done, its HRESULT and the description.
class ComError : public std::runtime_error {
public:
    ComError(const std::string& what, HRESULT hr, std::wstring description)
        : std::runtime_error(what), hr_(hr), description_(std::move(description)) {}
    HRESULT hr() const { return hr_; }
    const std::wstring& description() const { return description_; }

private:
    HRESULT hr_;
    std::wstring description_;
};

// The description of a failure: the error information the failing object
// left on this thread, or else the system's text for the HRESULT.
inline std::wstring DescribeError(HRESULT hr) {
    std::wstring text;
    IErrorInfo* raw = nullptr;
    if (GetErrorInfo(0, &raw) == S_OK) {
        ComPtr<IErrorInfo> info;
        *info.put() = raw;
        Bstr description;
        if (SUCCEEDED(info->GetDescription(description.put()))) text = description.c_str();
    }
    if (text.empty()) {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        if (length) text.assign(buffer, length);
        LocalFree(buffer);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    }
    return text;
}

// Throws a ComError for a failed HRESULT; returns a success (S_OK, S_FALSE).
inline HRESULT Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw ComError(what, hr, DescribeError(hr));
    return hr;
}

// A command-line argument (in the system's code page) as UTF-16.
inline std::wstring Widen(const char* text) {
    std::wstring result(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), L'\0');
    if (!result.empty()) MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), static_cast<int>(result.size()));
    if (!result.empty()) result.pop_back();   // the terminating null
    return result;
}

// COM on this thread for the lifetime of the object, in a single-threaded
// apartment: the driver's objects and its events expect one.
class ComApartment {
public:
    ComApartment() { Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "initializing COM"); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { CoUninitialize(); }
};

}  // namespace zew_example
