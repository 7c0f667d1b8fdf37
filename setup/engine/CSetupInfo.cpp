#include "CSetupInfo.h"

#include <windows.h>

#include "CIniFile.h"
#include "CRegistry.h"
#include "FileList.h"
#include "ProgramPath.h"
#include "Texts.h"

namespace zew::setup {
namespace {

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string ProgramFolder() {
    const std::string program = ProgramPath();
    std::size_t slash = program.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
}

std::string SystemUpper(const std::string& text) {
    std::string out = text;
    if (!out.empty()) CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

}  // namespace

CSetupInfo::CSetupInfo() {
    sourceFolder_ = ProgramFolder();

    char folder[256] = {};
    UINT length = GetWindowsDirectoryA(folder, 255);
    windowsFolder_ = WithBackslash(std::string(folder, length < 255 ? length : 0));
    length = GetSystemDirectoryA(folder, 255);
    systemFolder_ = WithBackslash(std::string(folder, length < 255 ? length : 0));

    const char* const kPrefix = "Software\\Microsoft";
    {
        CRegistry key(HKEY_LOCAL_MACHINE, kPrefix, "Windows\\CurrentVersion");
        key.Read("CommonFilesDir", sharedFolder_, "");
        sharedFolder_ += "\\Orvanta Shared\\";
    }
    {
        CRegistry key(HKEY_LOCAL_MACHINE, kPrefix, "Windows\\CurrentVersion");
        key.Read("ProgramFilesDir", makerFolder_, "");
        makerFolder_ += "\\Orvanta\\";
    }

    CIniFile list(ListPath());
    list.SetSection("SetupHead");
    list.Read("Vendor", header_.vendor, "");
    list.Read("Product", header_.product, "");
    list.Read("Copyright", header_.copyright, "");
    list.Read("Visa", header_.visa, "");
    list.Read("HelpFile", header_.helpFile, "");
    list.Read("ReadMeFile", header_.readMeFile, "");
    list.Read("AppKey", header_.appKey, "");
    list.Read("AppFolder", header_.appFolder, "");

    {
        CRegistry key(HKEY_LOCAL_MACHINE, kPrefix, "Windows\\CurrentVersion\\App Paths\\" + header_.appKey);
        std::string path;
        key.Read("Path", path, "");
        header_.appKey = WithBackslash(path);
    }
    if (!header_.appFolder.empty()) header_.appFolder = WithBackslash(makerFolder_ + header_.appFolder);
    valid_ = !header_.vendor.empty();
}

bool CSetupInfo::ReadFileList(IInstallReport& report) {
    files_.clear();
    CIniFile list(ListPath());
    list.SetSection("SetupList");
    // Read with room beyond the longest accepted value, so that a longer one
    // is refused rather than cut.
    auto read = [&list](const std::string& key) {
        std::string value;
        list.Read(key, value, "", 1024);
        return value;
    };
    TargetFolders folders{header_.appKey, header_.appFolder, sharedFolder_, systemFolder_, windowsFolder_};
    FileListResult result = ParseFileList(read, folders, SystemUpper);
    for (ListEntry& entry : result.entries)
        files_.push_back(std::make_unique<CSetupFile>(
            CSetupFile{std::move(entry.name), sourceFolder_, std::move(entry.destination), entry.registerIt}));
    if (!result.ok()) {
        report.ListError(result.error);
        return false;
    }
    return true;
}

InstallOutcome CSetupInfo::Install(IInstallReport& report) {
    if (!ReadFileList(report)) {
        report.Done(false);
        return InstallOutcome::kListInvalid;
    }
    report.Begin(static_cast<int>(files_.size()));
    CreateFolders();
    bool copied = CopyFiles(report);
    bool registered = RegisterFiles(report);
    // The verdict shown follows the registration alone; a file that was not
    // copied only changes the outcome.
    report.Done(registered);
    if (!registered) return InstallOutcome::kRegisterFailed;
    return copied ? InstallOutcome::kSuccess : InstallOutcome::kCopyFailed;
}

void CSetupInfo::CreateFolders() const {
    // One level each; an existing folder is no error, and a folder that cannot
    // be made shows in the copy results.
    for (const std::string* folder : {&sharedFolder_, &makerFolder_, &header_.appKey, &header_.appFolder})
        if (!folder->empty()) CreateDirectoryA(folder->c_str(), nullptr);
}

bool CSetupInfo::CopyFiles(IInstallReport& report) const {
    bool installed = true;
    for (const auto& file : files_) {
        // The installation call takes writable strings.
        std::string name = file->name, source = file->sourceFolder, destination = file->destinationFolder;
        std::string current = destination;
        char tempFile[1024] = {};
        UINT tempLength = sizeof tempFile;
        DWORD flags = VerInstallFileA(0, name.data(), name.data(), source.data(), destination.data(), current.data(),
                                      tempFile, &tempLength);
        report.FileCopied(flags, file->DestinationPath());
        installed = installed && CopySucceeded(flags);
    }
    return installed;
}

bool CSetupInfo::RegisterFiles(IInstallReport& report) const {
    using RegisterServer = HRESULT(STDAPICALLTYPE*)();
    for (const auto& file : files_) {
        if (!file->registerIt) continue;
        std::string path = file->DestinationPath();
        // The library's own folder serves its dependencies; the program's
        // folder and the current folder never do.
        UniqueModule library(
            LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32));
        if (!library) {
            report.FileRegistered(kLoadFailed, path);
            return false;
        }
        FARPROC proc = GetProcAddress(library.get(), "DllRegisterServer");
        if (!proc) {
            report.FileRegistered(kRegisterExportMissing, path);
            return false;
        }
        auto registerServer = reinterpret_cast<RegisterServer>(reinterpret_cast<void (*)()>(proc));
        if (registerServer() != S_OK) {
            report.FileRegistered(kRegisterCallFailed, path);
            return false;
        }
        report.FileRegistered(kRegistered, path);
    }
    return true;
}

}  // namespace zew::setup
