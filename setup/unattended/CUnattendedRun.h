// The install without windows ("Setup.exe /S"): the same context, list, copy
// and register passes, with each result written as a line to a log file
// (appended) or to the standard output of the console that started it.
#pragma once

#include <string>

#include "../engine/CommandLine.h"
#include "../engine/IInstallReport.h"
#include "../engine/UniqueAny.h"

namespace zew::setup {

class CSetupApp;

class CUnattendedRun : public IInstallReport {
public:
    CUnattendedRun(CSetupApp& app, const SetupOptions& options);

    // Runs the whole install and returns the program's exit code.
    int Run();

    void ListError(const std::string& text) override;
    void Begin(int) override {}
    void FileCopied(std::uint32_t flags, const std::string& path) override;
    void FileRegistered(int code, const std::string& path) override;
    void Done(bool success) override;

private:
    bool OpenOutput();
    void WriteLine(const std::string& line);

    CSetupApp& app_;
    SetupOptions options_;
    UniqueHandle logFile_;
    HANDLE output_ = nullptr;  // the log file or the standard output (not owned)
};

}  // namespace zew::setup
