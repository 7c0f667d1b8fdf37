// Owner of one VARIANT, cleared when it goes.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace zew::com {

class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    VARIANT* operator->() { return &v_; }
    const VARIANT* operator->() const { return &v_; }
    // Clears the old content and hands out the slot, for out parameters.
    VARIANT* put() { VariantClear(&v_); return &v_; }

private:
    VARIANT v_;
};

}  // namespace zew::com
