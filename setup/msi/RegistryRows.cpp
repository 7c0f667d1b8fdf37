// Prints the registry rows of the driver's classes, from the same class list
// and registry scripts that the driver's DllRegisterServer runs, for the
// Windows Installer packages. Built and run on the build machine.
//   registry-rows ROWS_FILE
// One row a line, tab-separated, in the scripts' order:
//   owned <key>                   a key the class owns, removed whole
//   key <key>                     a key without a value
//   value <key> <name> <data>     a string value; an empty name is the default
// %CLSID% and %LIBID% are substituted; %MODULE% stays for the package to fill.
#include <cstdio>
#include <cstdlib>
#include <string>

// The GUIDs, as widl writes them from the IDL (host/rpc.h stands in for the
// Windows headers it includes).
#include "Zew4400Lib_i.c"
#include "com/RegistryScript.h"
#include "server/ClassList.h"
#include "server/RegistryScripts.h"

namespace {

using zew::com::RegistryEntry;
using zew::com::RegistryScript;

struct ClassRows {
    const GUID* clsid;
    const RegistryScript* script;
};

using namespace zew::server;
#define ZEW_CLASS_ROWS(name, create, script) {&CLSID_##name, &script},
const ClassRows kClasses[] = {ZEW_CLASS_LIST(ZEW_CLASS_ROWS)};
#undef ZEW_CLASS_ROWS

// The registry's spelling of a GUID, as StringFromGUID2 writes it.
std::string GuidText(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(guid.Data1),
                  unsigned(guid.Data2), unsigned(guid.Data3), guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

// The scripts hold printable ASCII only; anything else, or a tab or line
// break that would split a row, stops the build.
std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; *text; ++text) {
        if (*text < 0x20 || *text > 0x7e) {
            std::fprintf(stderr, "registry-rows: a registry script holds a character the rows cannot carry\n");
            std::exit(1);
        }
        narrow += static_cast<char>(*text);
    }
    return narrow;
}

std::string Substitute(const wchar_t* text, const std::string& clsid, const std::string& libid) {
    std::string result = Narrow(text);
    for (const auto& [placeholder, value] : {std::pair<std::string, std::string>{"%CLSID%", clsid}, {"%LIBID%", libid}}) {
        for (auto pos = result.find(placeholder); pos != std::string::npos;
             pos = result.find(placeholder, pos + value.size())) {
            result.replace(pos, placeholder.size(), value);
        }
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !std::freopen(argv[1], "w", stdout)) {
        std::fprintf(stderr, "usage: registry-rows ROWS_FILE (a file it can write)\n");
        return 2;
    }
    const std::string libid = GuidText(LIBID_ZEW4400Lib);
    for (const ClassRows& rows : kClasses) {
        const std::string clsid = GuidText(*rows.clsid);
        for (const wchar_t* key : rows.script->ownedKeys) std::printf("owned\t%s\n", Substitute(key, clsid, libid).c_str());
        for (const RegistryEntry& entry : rows.script->entries) {
            const std::string key = Substitute(entry.key, clsid, libid);
            if (!entry.value) {
                std::printf("key\t%s\n", key.c_str());
            } else {
                std::printf("value\t%s\t%s\t%s\n", key.c_str(), entry.name ? Substitute(entry.name, clsid, libid).c_str() : "",
                            Substitute(entry.value, clsid, libid).c_str());
            }
        }
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
