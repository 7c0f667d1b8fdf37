#include "CInstrumentLock.h"

#include "CTrace.h"
#include "SharedMutex.h"

namespace zew::session {

std::shared_ptr<CInstrumentLock> CInstrumentLock::OpenOrCreate() {
    handles::UniqueHandle mutex = OpenOrCreateSharedMutex(kName);
    if (!mutex) return nullptr;
    return std::shared_ptr<CInstrumentLock>(new CInstrumentLock(mutex.release()));
}

bool CInstrumentLock::Acquire() {
    const DWORD result = WaitForSingleObject(mutex_.get(), INFINITE);
    const bool taken = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (taken) CTrace::Hold();
    return taken;
}

bool CInstrumentLock::Release() {
    if (!ReleaseMutex(mutex_.get())) return false;
    CTrace::Release();   // the lines of the call, now that nobody waits for them
    return true;
}

}  // namespace zew::session
