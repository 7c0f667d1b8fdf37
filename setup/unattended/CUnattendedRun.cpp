#include "CUnattendedRun.h"

#include "../app/CSetupApp.h"
#include "../app/Resource.h"
#include "../engine/Texts.h"
#include "../engine/VisaCheck.h"

namespace zew::setup {
namespace {

std::string Narrow(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

CUnattendedRun::CUnattendedRun(CSetupApp& app, const SetupOptions& options) : app_(app), options_(options) {}

bool CUnattendedRun::OpenOutput() {
    if (!options_.logPath.empty()) {
        logFile_ = FileHandle(CreateFileW(options_.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        output_ = logFile_.get();
        if (logFile_) return true;
    }
    output_ = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output_ == nullptr || output_ == INVALID_HANDLE_VALUE) {
        // A program without a console of its own writes to the one that
        // started it, if any.
        if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            logFile_ = FileHandle(
                CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
            output_ = logFile_.get();
        }
    }
    if (options_.logPath.empty()) return true;
    WriteLine("Cannot open the log file " + Narrow(options_.logPath));
    return false;
}

void CUnattendedRun::WriteLine(const std::string& line) {
    if (output_ == nullptr || output_ == INVALID_HANDLE_VALUE) return;
    std::string bytes = line + "\r\n";
    DWORD written = 0;
    WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int CUnattendedRun::Run() {
    if (!OpenOutput()) return kExitNotInstalled;
    if (!options_.badArgument.empty()) {
        WriteLine("Unknown argument: " + Narrow(options_.badArgument));
        return kExitNotInstalled;
    }
    CSetupInfo& info = app_.info();
    if (!info.valid()) {
        WriteLine(app_.LoadText(IDS_INVALID_LIST));
        Done(false);
        return kExitListInvalid;
    }
    if (!info.header().visa.empty() && !VisaLibraryPresent()) {
        WriteLine(app_.LoadText(IDS_NO_VISA));
        Done(false);
        return kExitNoVisa;
    }
    return static_cast<int>(info.Install(*this));
}

void CUnattendedRun::ListError(const std::string& text) { WriteLine(text); }

void CUnattendedRun::FileCopied(std::uint32_t flags, const std::string& path) {
    WriteLine(LogLine(path, CopyResultText(flags)));
}

void CUnattendedRun::FileRegistered(int code, const std::string& path) {
    WriteLine(LogLine(path, RegisterResultText(code)));
}

void CUnattendedRun::Done(bool success) {
    WriteLine("");
    WriteLine(app_.LoadText(success ? IDS_SETUP_COMPLETE : IDS_SETUP_ABORTED));
}

}  // namespace zew::setup
