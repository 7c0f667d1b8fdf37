#include "CommandLine.h"

namespace zew::setup {
namespace {

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return text;
}

}  // namespace

SetupOptions ParseArguments(const std::vector<std::wstring>& args) {
    SetupOptions options;
    for (const std::wstring& arg : args) {
        std::wstring word = Upper(arg);
        if (!word.empty() && word[0] == L'-') word[0] = L'/';
        if (word == L"/S") {
            options.unattended = true;
        } else if (word.rfind(L"/LOG=", 0) == 0 && arg.size() > 5) {
            options.logPath = arg.substr(5);
        } else if (options.badArgument.empty()) {
            options.badArgument = arg;
        }
    }
    return options;
}

}  // namespace zew::setup
