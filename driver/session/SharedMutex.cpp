#include "SharedMutex.h"

#include <sddl.h>

namespace zew::session {
namespace {

constexpr DWORD kWaitAndRelease = SYNCHRONIZE | MUTEX_MODIFY_STATE;

// Everyone (WD): synchronise and modify state, nothing more.
constexpr wchar_t kEveryoneMayWaitAndRelease[] = L"D:(A;;0x00100001;;;WD)";

}  // namespace

handles::UniqueHandle OpenOrCreateSharedMutex(const wchar_t* name) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const bool described = ConvertStringSecurityDescriptorToSecurityDescriptorW(
        kEveryoneMayWaitAndRelease, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, described ? descriptor : nullptr, FALSE};
    HANDLE mutex = CreateMutexExW(&attributes, name, 0, kWaitAndRelease);
    const DWORD error = GetLastError();
    if (described) LocalFree(descriptor);
    SetLastError(error);
    return handles::UniqueHandle(mutex);
}

}  // namespace zew::session
