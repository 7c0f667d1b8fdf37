// The fixed storage behind a collection: up to 100 counted references in the
// order they were added. Adding past the capacity is refused.
#pragma once

#include <array>
#include <utility>

#include "../com/ComPtr.h"

namespace zew::objects {

template <class T>
class CObjectArray {
public:
    static constexpr int kCapacity = 100;

    // Appends the object, keeping a reference of its own. False, and nothing
    // kept, when the array is full or the object is null.
    [[nodiscard]] bool Add(com::ComPtr<T> object) {
        if (count_ >= kCapacity || !object) return false;
        items_[static_cast<std::size_t>(count_++)] = std::move(object);
        return true;
    }

    // Releases every object; references that others hold stay valid.
    void RemoveAll() {
        // Released from a local copy: an object going away may not reach a
        // half-emptied array.
        std::array<com::ComPtr<T>, kCapacity> released;
        std::swap(released, items_);
        count_ = 0;
    }

    // The object at position, without a reference; nullptr outside 0 to count - 1.
    T* GetAt(int position) const {
        return position >= 0 && position < count_ ? items_[static_cast<std::size_t>(position)].get() : nullptr;
    }

    int GetCount() const { return count_; }

private:
    std::array<com::ComPtr<T>, kCapacity> items_;
    int count_ = 0;
};

}  // namespace zew::objects
