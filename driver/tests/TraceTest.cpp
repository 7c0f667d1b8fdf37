// The I/O trace as a test engineer switches it on: by the environment or the
// registry, into a file or the debugger output, from several processes at
// once, and rolled over at its limit; and what it never does: write into a
// file it did not make, let client text break a line, or hold anyone up.
// Each case runs zew-process-client in a process of its own, since the
// setting is read once per process.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ProcessClientRun.h"
#include "session/TraceFormat.h"

namespace zewtest {
namespace {

const std::wstring kKey = L"Software\\Orvanta\\Zew4400";

std::vector<std::string> Lines(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char chunk[4096];
        DWORD n = 0;
        while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0) text.append(chunk, n);
        CloseHandle(file);
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// date time.ms pid tid resource event...
const std::regex kLine(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (\d+) \d+ \S+ \S.*)");

const std::string kHeader = "# Zew4400 I/O trace: date time process thread resource event";

// Lines of a file begin with the trace's header; lines of the debugger
// output have none.
void ExpectWellFormed(const std::vector<std::string>& lines, bool file = true) {
    std::size_t first = 0;
    if (file) {
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], kHeader);
        first = 1;
    }
    for (std::size_t i = first; i < lines.size(); ++i) EXPECT_TRUE(std::regex_match(lines[i], kLine)) << lines[i];
}

std::string Bytes(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0) text.append(chunk, n);
    CloseHandle(file);
    return text;
}

void Put(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The mutex the writers of a trace file share, as the driver names it.
std::wstring FileMutexName(std::wstring path) {
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.pop_back();
    const std::string name = zew::session::TraceFileMutexName(utf8);
    return std::wstring(name.begin(), name.end());
}

// Whether the events appear in this order, each in some line after the last.
void ExpectInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& events) {
    std::size_t at = 0;
    for (const std::string& event : events) {
        while (at < lines.size() && lines[at].find(event) == std::string::npos) ++at;
        ASSERT_LT(at, lines.size()) << "missing, or out of order: " << event;
        ++at;
    }
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& event) {
    std::size_t n = 0;
    for (const std::string& line : lines) n += line.find(event) != std::string::npos;
    return n;
}

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"zew-trace-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey.c_str(), L"TraceFile");
    }
    void TearDown() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey.c_str(), L"TraceFile");
        for (const wchar_t* name : {L"a.log", L"a.log.1", L"b.log", L"b.log.1"}) DeleteFileW((folder_ + name).c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring File(const wchar_t* name) const { return folder_ + name; }

    std::wstring folder_;
};

TEST_F(TraceTest, AFileShowsTheSessionInOrderAndEachFailureOnce) {
    ASSERT_EQ(RunClient(L"session", {{L"ZEW4400_TRACE", File(L"a.log")}}), 0u);
    const auto lines = Lines(File(L"a.log"));
    ExpectWellFormed(lines);
    ExpectInOrder(lines, {
        " - library ",
        " - resource manager open status=VI_SUCCESS",
        " GPIB0::1 open status=VI_SUCCESS type=1",
        " GPIB0::1 attribute 3FFF0018=10 status=VI_SUCCESS",
        " GPIB0::1 -> *IDN?\\n",
        " GPIB0::1 <- ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\\n status=VI_SUCCESS_TERM_CHAR ms=",
        " GPIB0::1 -> BUZZERVOL?\\n",
        " - refused IZew4400.put_BuzzerVolume hr=0x80070057",
        " GPIB0::1 -> START\\n",
        " GPIB0::1 -> BUZZERVOL?\\n",
        " GPIB0::1 <-  status=VI_ERROR_TMO ms=",
        " GPIB0::1 fail IZew4400.get_BuzzerVolume msg=1231 hr=0x800A04CF status=VI_ERROR_TMO "
        "Error reading from instrument in device GPIB0::1.",
        " GPIB0::1 close status=VI_SUCCESS",
        " - resource manager close status=VI_SUCCESS",
    });
    EXPECT_EQ(Count(lines, " fail "), 1u);
}

// The debugger output, read as a debug-output viewer does.
TEST_F(TraceTest, DebugSendsTheSameLinesToTheDebuggerOutput) {
    HANDLE bufferReady = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
    HANDLE dataReady = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER");
    ASSERT_TRUE(bufferReady && dataReady && mapping);
    auto* buffer = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4096));
    ASSERT_TRUE(buffer);
    std::atomic<bool> stop{false};
    std::string received;
    std::thread reader([&] {
        SetEvent(bufferReady);
        while (!stop) {
            if (WaitForSingleObject(dataReady, 100) != WAIT_OBJECT_0) continue;
            received += std::string(buffer + sizeof(DWORD), strnlen(buffer + sizeof(DWORD), 4096 - sizeof(DWORD)));
            SetEvent(bufferReady);
        }
    });
    const DWORD code = RunClient(L"session", {{L"ZEW4400_TRACE", L"debug"}});
    stop = true;
    reader.join();
    UnmapViewOfFile(buffer);
    for (HANDLE h : {bufferReady, dataReady, mapping}) CloseHandle(h);
    ASSERT_EQ(code, 0u);
    std::vector<std::string> lines;
    std::istringstream text(received);
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    ExpectWellFormed(lines, false);
    ExpectInOrder(lines, {" GPIB0::1 -> *IDN?\\n", " GPIB0::1 fail IZew4400.get_BuzzerVolume msg=1231 hr=0x800A04CF"});
}

TEST_F(TraceTest, TheRegistrySwitchesItOnAndTheEnvironmentWins) {
    const std::wstring b = File(L"b.log");
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey.c_str(), L"TraceFile", REG_SZ, b.c_str(),
                              static_cast<DWORD>((b.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ASSERT_EQ(RunClient(L"queries 1", {}), 0u);
    const std::size_t fromRegistry = Lines(b).size();
    EXPECT_EQ(Count(Lines(b), " -> BUZZERVOL?\\n"), 1u);
    ASSERT_EQ(RunClient(L"queries 1", {{L"ZEW4400_TRACE", File(L"a.log")}}), 0u);
    EXPECT_EQ(Count(Lines(File(L"a.log")), " -> BUZZERVOL?\\n"), 1u);
    EXPECT_EQ(Lines(b).size(), fromRegistry);
}

// Two processes write into one file, past its limit: no line is broken, both
// appear, and one old file is kept.
TEST_F(TraceTest, ProcessesShareOneFileAndRollItOverAtItsLimit) {
    const std::vector<std::pair<std::wstring, std::wstring>> env = {{L"ZEW4400_TRACE", File(L"a.log")},
                                                                    {L"ZEW4400_TRACE_LIMIT", L"20000"}};
    const PROCESS_INFORMATION first = StartClient(L"queries 150", env);
    const PROCESS_INFORMATION second = StartClient(L"queries 150", env);
    ASSERT_EQ(FinishClient(first), 0u);
    ASSERT_EQ(FinishClient(second), 0u);
    const auto current = Lines(File(L"a.log"));
    const auto old = Lines(File(L"a.log.1"));
    ASSERT_FALSE(old.empty()) << "no rollover";
    ExpectWellFormed(current);
    ExpectWellFormed(old);
    std::set<std::string> processes;
    for (const auto* lines : {&current, &old}) {
        for (const std::string& line : *lines) {
            std::smatch m;
            if (std::regex_match(line, m, kLine)) processes.insert(m[1]);
        }
    }
    EXPECT_EQ(processes.size(), 2u);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(File(L"a.log.1").c_str(), GetFileExInfoStandard, &data));
    EXPECT_LT(data.nFileSizeLow, 20000u + 4096u) << "the old file grew far past the limit";
}

TEST_F(TraceTest, FilesItDidNotMakeAreLeftAlone) {
    // Another program's file, well past the limit: not appended to, not
    // renamed, and tracing stays off.
    std::string foreign;
    for (int i = 0; i < 2000; ++i) foreign += "another program's line " + std::to_string(i) + "\r\n";
    Put(File(L"a.log"), foreign);
    ASSERT_EQ(RunClient(L"queries 3", {{L"ZEW4400_TRACE", File(L"a.log")}, {L"ZEW4400_TRACE_LIMIT", L"1000"}}), 0u);
    ASSERT_EQ(RunClient(L"queries 3", {{L"ZEW4400_TRACE", File(L"a.log")}}), 0u);
    EXPECT_EQ(Bytes(File(L"a.log")), foreign);
    EXPECT_FALSE(Exists(File(L"a.log.1")));

    // A trace file of ours is appended to; at its limit it becomes .1 only
    // where no other program's file is in the way.
    Put(File(L"b.log"), kHeader + "\n2026-12-07 08:00:00.000 1 1 - earlier line\n");
    Put(File(L"b.log.1"), foreign);
    const ClientEnvironment env{{L"ZEW4400_TRACE", File(L"b.log")}, {L"ZEW4400_TRACE_LIMIT", L"2000"}};
    ASSERT_EQ(RunClient(L"queries 40", env), 0u);
    const auto lines = Lines(File(L"b.log"));
    ExpectWellFormed(lines);
    EXPECT_EQ(Count(lines, " - earlier line"), 1u);
    EXPECT_EQ(Count(lines, " -> BUZZERVOL?\\n"), 40u);
    EXPECT_EQ(Bytes(File(L"b.log.1")), foreign);

    // With an older trace file as .1, the rollover replaces it.
    Put(File(L"b.log.1"), kHeader + "\n");
    ASSERT_EQ(RunClient(L"queries 1", env), 0u);
    EXPECT_EQ(Count(Lines(File(L"b.log.1")), " -> BUZZERVOL?\\n"), 40u);
    ExpectWellFormed(Lines(File(L"b.log")));
}

TEST_F(TraceTest, ClientTextCannotBreakALine) {
    ASSERT_EQ(RunClient(L"forge", {{L"ZEW4400_TRACE", File(L"a.log")}}), 0u);
    const auto lines = Lines(File(L"a.log"));
    ExpectWellFormed(lines);
    for (const std::string& line : lines) EXPECT_NE(line.rfind("FORGED", 0), 0u) << line;
    // The resource name (open and failure lines), the comment and the line,
    // each with its line feeds escaped.
    EXPECT_GE(Count(lines, "\\nFORGED"), 3u);
}

// Another process keeps the trace file's mutex: a traced call does not wait
// for it, nor does another process's untraced call wait for the lines of the
// first. The lines that could not be written are counted once the file is
// free again.
TEST_F(TraceTest, ABusyFileHoldsNobodyUp) {
    ASSERT_EQ(RunClient(L"queries 1", {{L"ZEW4400_TRACE", File(L"a.log")}}), 0u);
    HANDLE busy = CreateMutexW(nullptr, TRUE, FileMutexName(File(L"a.log")).c_str());
    ASSERT_NE(busy, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"ZewTraceTestGoReady");
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, L"ZewTraceTestGo");
    const PROCESS_INFORMATION traced =
        StartClient(L"queries 5 --timed --then-wait ZewTraceTestGo", {{L"ZEW4400_TRACE", File(L"a.log")}});
    const PROCESS_INFORMATION untraced = StartClient(L"queries 30 --timed", {});
    EXPECT_EQ(FinishClient(untraced), 0u) << "an untraced call waited 1 s or more";
    EXPECT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0) << "the traced client never got through its calls";
    CloseHandle(ready);
    ReleaseMutex(busy);
    CloseHandle(busy);
    SetEvent(go);
    EXPECT_EQ(FinishClient(traced), 0u) << "a traced call waited 1 s or more";
    CloseHandle(go);
    const auto lines = Lines(File(L"a.log"));
    ExpectWellFormed(lines);
    ExpectInOrder(lines, {" - trace dropped=", " GPIB0::1 -> BUZZERVOL?\\n", " GPIB0::1 close"});

}

}  // namespace
}  // namespace zewtest
