#include "Registrar.h"

#include <oleauto.h>

#include "ComPtr.h"
#include "TypeLibrary.h"
#include <zewhandles/WindowsHandles.h>

namespace zew::com {
namespace {

std::wstring Substitute(std::wstring text, const Substitutions& substitutions) {
    for (const auto& [placeholder, replacement] : substitutions) {
        for (std::size_t pos = text.find(placeholder); pos != std::wstring::npos;
             pos = text.find(placeholder, pos + replacement.size())) {
            text.replace(pos, placeholder.size(), replacement);
        }
    }
    return text;
}

HRESULT DeleteOwnedKeys(const RegistryScript& script, const Substitutions& substitutions) {
    for (const wchar_t* key : script.ownedKeys) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, Substitute(key, substitutions).c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT WriteEntry(const RegistryEntry& entry, const Substitutions& substitutions) {
    handles::UniqueHkey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, Substitute(entry.key, substitutions).c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    if (entry.value) {
        const std::wstring value = Substitute(entry.value, substitutions);
        status = RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    return HRESULT_FROM_WIN32(status);
}

}  // namespace

std::wstring GuidString(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT RegisterScript(const RegistryScript& script, const Substitutions& substitutions) {
    HRESULT hr = DeleteOwnedKeys(script, substitutions);
    for (const RegistryEntry& entry : script.entries) {
        if (FAILED(hr)) break;
        hr = WriteEntry(entry, substitutions);
    }
    return hr;
}

HRESULT UnregisterScript(const RegistryScript& script, const Substitutions& substitutions) {
    return DeleteOwnedKeys(script, substitutions);
}

HRESULT RegisterModuleTypeLib() {
    ComPtr<ITypeLib> typeLib;
    std::wstring path;
    HRESULT hr = LoadModuleTypeLib(typeLib.put(), &path);
    if (FAILED(hr)) return hr;
    std::wstring helpDir = path.substr(0, path.find_last_of(L"\\/") + 1);
    if (helpDir.size() > 3 && (helpDir.back() == L'\\' || helpDir.back() == L'/')) helpDir.pop_back();
    return RegisterTypeLib(typeLib.get(), path.data(), helpDir.data());
}

HRESULT UnregisterModuleTypeLib() {
    ComPtr<ITypeLib> typeLib;
    HRESULT hr = LoadModuleTypeLib(typeLib.put());
    if (FAILED(hr)) return hr;
    TLIBATTR* attr = nullptr;
    hr = typeLib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    const TLIBATTR lib = *attr;
    typeLib->ReleaseTLibAttr(attr);

    using UnRegisterTypeLibFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
    HMODULE oleaut = GetModuleHandleW(L"oleaut32.dll");
    if (!oleaut) return S_OK;
    const auto unregister =
        reinterpret_cast<UnRegisterTypeLibFn>(reinterpret_cast<void*>(GetProcAddress(oleaut, "UnRegisterTypeLib")));
    if (!unregister) return S_OK;
    return unregister(lib.guid, lib.wMajorVerNum, lib.wMinorVerNum, lib.lcid, lib.syskind);
}

}  // namespace zew::com
