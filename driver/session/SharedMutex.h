// A named mutex that every process of the machine can wait for and release,
// whoever made it first: an elevated sequencer, a service, another user.
#pragma once

#include <zewhandles/WindowsHandles.h>

namespace zew::session {

// Opens the mutex asking only for what waiting and releasing need
// (SYNCHRONIZE | MUTEX_MODIFY_STATE), or creates it unowned with a security
// descriptor that grants those rights to everyone. Empty when the system gives
// no handle (GetLastError tells why).
handles::UniqueHandle OpenOrCreateSharedMutex(const wchar_t* name);

}  // namespace zew::session
