// Where the install run sends its results: the progress dialog's log, or the
// unattended run's log file or standard output.
#pragma once

#include <cstdint>
#include <string>

namespace zew::setup {

class IInstallReport {
public:
    virtual ~IInstallReport() = default;

    // A list entry that cannot be installed, as "File03 : Dest". The run then
    // stops before anything is copied.
    virtual void ListError(const std::string& text) = 0;
    // The number of files about to be copied.
    virtual void Begin(int fileCount) = 0;
    // `flags` as the version-aware installation returns them.
    virtual void FileCopied(std::uint32_t flags, const std::string& path) = 0;
    // A registration result code (Texts.h).
    virtual void FileRegistered(int code, const std::string& path) = 0;
    virtual void Done(bool success) = 0;
};

}  // namespace zew::setup
