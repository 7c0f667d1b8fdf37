#include "TypeLibrary.h"

#include <oleauto.h>

#include <mutex>

#include "ComPtr.h"
#include "Module.h"

namespace zew::com {
namespace {

std::mutex g_mutex;
ITypeLib* g_typeLib = nullptr;

}  // namespace

HRESULT LoadModuleTypeLib(ITypeLib** typeLib, std::wstring* path) {
    *typeLib = nullptr;
    std::wstring file = ModulePath();
    if (file.empty()) return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = LoadTypeLibEx(file.c_str(), REGKIND_NONE, typeLib);
    if (FAILED(hr)) {
        const auto dot = file.find_last_of(L'.');
        const auto slash = file.find_last_of(L"\\/");
        if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) file.erase(dot);
        file += L".tlb";
        hr = LoadTypeLibEx(file.c_str(), REGKIND_NONE, typeLib);
    }
    if (SUCCEEDED(hr) && path) *path = file;
    return hr;
}

HRESULT GetModuleTypeInfo(REFGUID guid, ITypeInfo** typeInfo) {
    *typeInfo = nullptr;
    std::lock_guard lock(g_mutex);
    if (!g_typeLib) {
        const HRESULT hr = LoadModuleTypeLib(&g_typeLib);
        if (FAILED(hr)) return hr;
    }
    return g_typeLib->GetTypeInfoOfGuid(guid, typeInfo);
}

void ReleaseModuleTypeLib() {
    std::lock_guard lock(g_mutex);
    if (g_typeLib) {
        g_typeLib->Release();
        g_typeLib = nullptr;
    }
}

}  // namespace zew::com
