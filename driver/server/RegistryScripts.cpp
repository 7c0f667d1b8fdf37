#include "RegistryScripts.h"

namespace zew::server {

using com::RegistryEntry;
using com::RegistryScript;

namespace {

const wchar_t* const kZew4400Keys[] = {
    L"Zew4400.Zew4400.1",
    L"Zew4400.Zew4400",
    L"CLSID\\%CLSID%",
};

const RegistryEntry kZew4400Entries[] = {
    {L"Zew4400.Zew4400.1", nullptr, L"Zew4400 Class"},
    {L"Zew4400.Zew4400.1\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.Zew4400", nullptr, L"Zew4400 Class"},
    {L"Zew4400.Zew4400\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.Zew4400\\CurVer", nullptr, L"Zew4400.Zew4400.1"},
    {L"CLSID\\%CLSID%", nullptr, L"Orvanta ZEW4400 Driver V1.52"},
    {L"CLSID\\%CLSID%\\ProgID", nullptr, L"Zew4400.Zew4400.1"},
    {L"CLSID\\%CLSID%\\VersionIndependentProgID", nullptr, L"Zew4400.Zew4400"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\Control", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\Insertable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\%CLSID%\\ToolboxBitmap32", nullptr, L"%MODULE%, 101"},
    {L"CLSID\\%CLSID%\\MiscStatus", nullptr, L"0"},
    {L"CLSID\\%CLSID%\\MiscStatus\\1", nullptr, L"132497"},
    {L"CLSID\\%CLSID%\\TypeLib", nullptr, L"%LIBID%"},
    {L"CLSID\\%CLSID%\\Version", nullptr, L"1.0"},
};

// The child objects' classes: a CLSID key each, without a ProgID.
const wchar_t* const kChildKeys[] = {
    L"CLSID\\%CLSID%",
};

const RegistryEntry kRegisterEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Register Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kMemoriesEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Memories Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kMemoryEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Memory Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kProgramsEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Programs Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kProgramEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Program Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kStepsEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Steps Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const RegistryEntry kStepEntries[] = {
    {L"CLSID\\%CLSID%", nullptr, L"Step Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

// The property pages: a ProgID each, and their CLSID keys.
const wchar_t* const kPropPageGeneralKeys[] = {
    L"Zew4400.PropPageGeneral.1",
    L"Zew4400.PropPageGeneral",
    L"CLSID\\%CLSID%",
};

const RegistryEntry kPropPageGeneralEntries[] = {
    {L"Zew4400.PropPageGeneral.1", nullptr, L"PropPageGeneral Class"},
    {L"Zew4400.PropPageGeneral.1\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.PropPageGeneral", nullptr, L"PropPageGeneral Class"},
    {L"Zew4400.PropPageGeneral\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.PropPageGeneral\\CurVer", nullptr, L"Zew4400.PropPageGeneral.1"},
    {L"CLSID\\%CLSID%", nullptr, L"PropPageGeneral Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

const wchar_t* const kPropPageAutoKeys[] = {
    L"Zew4400.PropPageAuto.1",
    L"Zew4400.PropPageAuto",
    L"CLSID\\%CLSID%",
};

const RegistryEntry kPropPageAutoEntries[] = {
    {L"Zew4400.PropPageAuto.1", nullptr, L"PropPageAuto Class"},
    {L"Zew4400.PropPageAuto.1\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.PropPageAuto", nullptr, L"PropPageAuto Class"},
    {L"Zew4400.PropPageAuto\\CLSID", nullptr, L"%CLSID%"},
    {L"Zew4400.PropPageAuto\\CurVer", nullptr, L"Zew4400.PropPageAuto.1"},
    {L"CLSID\\%CLSID%", nullptr, L"PropPageAuto Class"},
    {L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};

}  // namespace

const RegistryScript kZew4400Script{kZew4400Keys, kZew4400Entries};
const RegistryScript kRegisterScript{kChildKeys, kRegisterEntries};
const RegistryScript kMemoriesScript{kChildKeys, kMemoriesEntries};
const RegistryScript kMemoryScript{kChildKeys, kMemoryEntries};
const RegistryScript kProgramsScript{kChildKeys, kProgramsEntries};
const RegistryScript kProgramScript{kChildKeys, kProgramEntries};
const RegistryScript kStepsScript{kChildKeys, kStepsEntries};
const RegistryScript kStepScript{kChildKeys, kStepEntries};
const RegistryScript kPropPageGeneralScript{kPropPageGeneralKeys, kPropPageGeneralEntries};
const RegistryScript kPropPageAutoScript{kPropPageAutoKeys, kPropPageAutoEntries};

}  // namespace zew::server
