#include "CInstrumentLock.h"

namespace zew::session {

std::shared_ptr<CInstrumentLock> CInstrumentLock::OpenOrCreate() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kName);
    if (!mutex) return nullptr;
    return std::shared_ptr<CInstrumentLock>(new CInstrumentLock(mutex));
}

bool CInstrumentLock::Acquire() {
    const DWORD result = WaitForSingleObject(mutex_.get(), INFINITE);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

bool CInstrumentLock::Release() { return ReleaseMutex(mutex_.get()) != FALSE; }

}  // namespace zew::session
