#include "MonitorTimerRegistry.h"

#include <algorithm>

namespace zew::monitor {

MonitorTimerRegistry& MonitorTimerRegistry::Process() {
    static MonitorTimerRegistry registry;
    return registry;
}

bool MonitorTimerRegistry::Add(void* object, std::uintptr_t timerId) {
    if (!object || timerId == 0) return false;
    std::lock_guard lock(mutex_);
    if (count_ == entries_.size()) return false;
    entries_[count_++] = {object, timerId};
    return true;
}

bool MonitorTimerRegistry::RemoveById(std::uintptr_t timerId) {
    std::lock_guard lock(mutex_);
    const auto end = entries_.begin() + count_;
    const auto found = std::find_if(entries_.begin(), end, [timerId](const Entry& e) { return e.timerId == timerId; });
    if (found == end) return false;
    std::copy(found + 1, end, found);
    entries_[--count_] = {};
    return true;
}

void* MonitorTimerRegistry::FindById(std::uintptr_t timerId) const {
    std::lock_guard lock(mutex_);
    const auto end = entries_.begin() + count_;
    const auto found = std::find_if(entries_.begin(), end, [timerId](const Entry& e) { return e.timerId == timerId; });
    return found == end ? nullptr : found->object;
}

std::size_t MonitorTimerRegistry::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

}  // namespace zew::monitor
