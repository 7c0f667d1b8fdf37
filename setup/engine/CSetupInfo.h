// The install context: the header of SETUP.LST, the five target folders, and
// the file list read at the start of an install run.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CSetupFile.h"
#include "IInstallReport.h"

namespace zew::setup {

struct SetupHeader {
    std::string vendor;
    std::string product;
    std::string copyright;
    std::string visa;
    std::string helpFile;
    std::string readMeFile;
    std::string appKey;     // after loading: the resolved AppKey folder
    std::string appFolder;  // after loading: the resolved AppFolder folder
};

enum class InstallOutcome : int {
    kSuccess = 0,
    kRegisterFailed = 1,
    kListInvalid = 2,
    kCopyFailed = 5,  // every marked file registered, but a file was not installed
};

class CSetupInfo {
public:
    // Loads the folders and the header; never fails (an unusable list shows
    // up as valid() == false).
    CSetupInfo();

    const std::string& sourceFolder() const { return sourceFolder_; }
    const std::string& windowsFolder() const { return windowsFolder_; }
    const std::string& systemFolder() const { return systemFolder_; }
    const std::string& sharedFolder() const { return sharedFolder_; }
    const std::string& makerFolder() const { return makerFolder_; }
    const SetupHeader& header() const { return header_; }
    bool valid() const { return valid_; }
    std::string ListPath() const { return sourceFolder_ + "SETUP.LST"; }

    // Reads section SetupList into the file list. On a failing entry reports
    // it, keeps the entries before it and returns false.
    bool ReadFileList(IInstallReport& report);
    const std::vector<std::unique_ptr<CSetupFile>>& files() const { return files_; }

    // The whole run: list, folders, copy pass, register pass. A list error
    // stops it before any folder is made or file copied. The report's verdict
    // (Done) follows the register pass alone; the outcome also tells a file
    // that was not installed (kCopyFailed), unless a registration failed.
    InstallOutcome Install(IInstallReport& report);

    // Each pass reports every file it handles. Copying attempts every file
    // whatever the results and returns whether each was installed or a newer
    // copy kept (CopySucceeded); registering stops at the first failure.
    bool CopyFiles(IInstallReport& report) const;
    bool RegisterFiles(IInstallReport& report) const;

private:
    void CreateFolders() const;

    std::string sourceFolder_;
    std::string windowsFolder_;
    std::string systemFolder_;
    std::string sharedFolder_;
    std::string makerFolder_;
    SetupHeader header_;
    std::vector<std::unique_ptr<CSetupFile>> files_;
    bool valid_ = false;
};

}  // namespace zew::setup
