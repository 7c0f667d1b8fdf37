#include "Module.h"

#include <atomic>

namespace zew::com {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<LONG> g_locks{0};

}  // namespace

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }
HINSTANCE ModuleInstance() { return g_instance; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void LockModule() { ++g_locks; }
void UnlockModule() { --g_locks; }
LONG ModuleLockCount() { return g_locks.load(); }

}  // namespace zew::com
