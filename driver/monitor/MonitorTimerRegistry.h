// The table that leads a monitor timer's id back to its driver object: the
// timer callback receives only the id. It holds at most kCapacity entries in
// the order they were added and does not grow. Objects of several apartments
// may share one table, so every operation takes its lock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace zew::monitor {

class MonitorTimerRegistry {
public:
    static constexpr std::size_t kCapacity = 32;

    // The one table of the process.
    static MonitorTimerRegistry& Process();

    // Adds (object, timerId) after the last entry. Refused (false, nothing
    // written) when the table is full, for a null object and for timer id 0,
    // which no live timer has.
    bool Add(void* object, std::uintptr_t timerId);
    // Removes the first entry with timerId; the later entries move down one
    // place. False, and nothing changes, when no entry has the id.
    bool RemoveById(std::uintptr_t timerId);
    // The object of the first entry with timerId, or nullptr.
    void* FindById(std::uintptr_t timerId) const;
    std::size_t Count() const;

private:
    struct Entry {
        void* object;
        std::uintptr_t timerId;
    };

    mutable std::mutex mutex_;
    std::array<Entry, kCapacity> entries_{};
    std::size_t count_ = 0;
};

}  // namespace zew::monitor
