// The machine-wide instrument lock: a named mutex shared by every driver
// object in every process, held for the length of one automation call.
#pragma once

#include <memory>

#include <zewhandles/WindowsHandles.h>

namespace zew::session {

class CInstrumentLock {
public:
    static constexpr const wchar_t* kName = L"OrvantaInstrDrv";

    // Opens the lock, creating it unowned when it does not exist yet, shared
    // by every process whoever made it (SharedMutex.h); nullptr when the
    // system gives no handle.
    static std::shared_ptr<CInstrumentLock> OpenOrCreate();

    // Waits without time-out. A lock abandoned by a dead holder is taken like
    // a free one. The thread's trace lines wait until it lets go.
    bool Acquire();
    // False, and no effect, when the calling thread does not hold the lock.
    // Then writes the trace lines of the time it held it.
    bool Release();

private:
    explicit CInstrumentLock(HANDLE mutex) : mutex_(mutex) {}
    handles::UniqueHandle mutex_;
};

}  // namespace zew::session
