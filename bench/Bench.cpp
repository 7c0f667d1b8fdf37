// zew-bench: what one exchange costs at each layer, on the instrument embedded
// in the stand-in VISA32.DLL and on a zew-sim over TCP, and what a driver
// object costs to create and to keep connecting.
//   zew-bench [--port N] [--cycles N] [--json PATH]
// --port names a zew-sim on 127.0.0.1 for the TCP rows (skipped without it).
// Every figure is a median over interleaved rounds, so that a change of the
// machine's load touches every row alike; compare ratios, not microseconds.
#include <windows.h>
#include <winsock2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DriverTestSupport.h"
#include "com/Variant.h"
#include "zewvisa/VisaControl.h"
#include "zewvisa/VisaTypes.h"

namespace {

using zewtest::Bstr;
using zewtest::ComPtr;
using zewtest::CreateDriver;

constexpr int kRounds = 7;
constexpr char kQuery[] = "*IDN?\n";

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// Bytes in use in every heap of the process: what objects hold, to the byte.
long long HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    long long bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        }
        HeapUnlock(heap);
    }
    return bytes;
}

long long CommittedBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return static_cast<long long>(counters.PrivateUsage);
}

// A measured row: microseconds per call of `step`, median over the rounds.
struct Row {
    std::string name;
    int iterations;
    std::function<bool()> step;
    std::vector<double> samples;
    bool failed = false;
    double Median() const {
        if (samples.empty()) return 0;
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

void MeasureInterleaved(std::vector<Row>& rows) {
    for (int round = 0; round < kRounds; ++round) {
        for (Row& row : rows) {
            if (row.failed) continue;
            const double start = Now();
            for (int i = 0; i < row.iterations; ++i) {
                if (!row.step()) {
                    std::fprintf(stderr, "zew-bench: %s failed\n", row.name.c_str());
                    row.failed = true;
                    break;
                }
            }
            if (!row.failed) row.samples.push_back((Now() - start) * 1e6 / row.iterations);
        }
    }
}

bool Connect(IZew4400* driver, const wchar_t* device) {
    Bstr name(device);
    return driver && driver->Connect(name.get()) == S_OK;
}

// A VISA session with the line-feed termination a line protocol needs.
struct RawSession {
    ViSession rm = 0, vi = 0;
    explicit RawSession(const char* resource) {
        if (viOpenDefaultRM(&rm) < 0 || viOpen(rm, const_cast<ViRsrc>(resource), 0, 2000, &vi) < 0) return;
        viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    }
    ~RawSession() {
        if (vi) viClose(vi);
        if (rm) viClose(rm);
    }
    bool Exchange() const {
        char reply[256];
        ViUInt32 n = 0;
        return viWrite(vi, reinterpret_cast<ViBuf>(const_cast<char*>(kQuery)), sizeof kQuery - 1, &n) >= 0 &&
               viRead(vi, reinterpret_cast<ViPBuf>(reply), sizeof reply, &n) >= 0;
    }
};

struct WinsockPeer {
    SOCKET s = INVALID_SOCKET;
    explicit WinsockPeer(unsigned port) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            closesocket(s);
            s = INVALID_SOCKET;
            return;
        }
        const BOOL noDelay = TRUE;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    }
    ~WinsockPeer() {
        if (s != INVALID_SOCKET) closesocket(s);
    }
    bool Exchange() const {
        if (send(s, kQuery, sizeof kQuery - 1, 0) != static_cast<int>(sizeof kQuery - 1)) return false;
        char reply[256];
        for (;;) {
            const int n = recv(s, reply, sizeof reply, 0);
            if (n <= 0) return false;
            if (std::memchr(reply, '\n', static_cast<size_t>(n))) return true;
        }
    }
};

// SetString and GetString through IDispatch, as a script host calls them.
struct LateBound {
    ComPtr<IDispatch> dispatch;
    DISPID setString = 0, getString = 0;
    explicit LateBound(IZew4400* driver) {
        if (!driver || FAILED(driver->QueryInterface(IID_IDispatch, dispatch.put_void()))) return;
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetString"), const_cast<LPOLESTR>(L"GetString")};
        dispatch->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &setString);
        dispatch->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &getString);
    }
    bool Exchange() const {
        zew::com::Variant argument;
        argument.get()->vt = VT_BSTR;
        argument.get()->bstrVal = SysAllocString(L"*IDN?");
        DISPPARAMS withArgument{argument.get(), nullptr, 1, 0};
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        zew::com::Variant result;
        return dispatch->Invoke(setString, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &withArgument, nullptr,
                                nullptr, nullptr) == S_OK &&
               dispatch->Invoke(getString, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                                result.get(), nullptr, nullptr) == S_OK;
    }
};

bool EarlyBound(IZew4400* driver) {
    Bstr query(L"*IDN?"), reply;
    return driver->SetString(query.get()) == S_OK && driver->GetString(reply.put()) == S_OK;
}

struct Figures {
    std::vector<std::pair<std::string, double>> values;
    void Add(const std::string& name, double value) { values.emplace_back(name, value); }
};

// Exchange rows for one resource: raw VISA, the driver by vtable and by IDispatch.
void MeasureExchanges(const char* label, const char* resource, const wchar_t* device, int iterations,
                      Figures& figures, std::vector<Row>& extra) {
    RawSession raw(resource);
    ComPtr<IZew4400> driver = CreateDriver();
    if (!raw.vi || !Connect(driver.get(), device)) {
        std::fprintf(stderr, "zew-bench: %s: cannot open %s\n", label, resource);
        return;
    }
    LateBound late(driver.get());
    // The instrument lock alone: one wait and one release of the named mutex.
    HANDLE lock = CreateMutexExW(nullptr, L"OrvantaInstrDrv", 0, SYNCHRONIZE | MUTEX_MODIFY_STATE);
    std::vector<Row> rows{{std::string(label) + " named mutex wait + release", iterations, [lock] {
                               return WaitForSingleObject(lock, INFINITE) == WAIT_OBJECT_0 && ReleaseMutex(lock);
                           }, {}}};
    for (Row& row : extra) rows.push_back(std::move(row));
    rows.push_back({std::string(label) + " raw VISA", iterations, [&] { return raw.Exchange(); }, {}});
    rows.push_back({std::string(label) + " driver, vtable", iterations, [&] { return EarlyBound(driver.get()); }, {}});
    rows.push_back({std::string(label) + " driver, IDispatch", iterations, [&] { return late.Exchange(); }, {}});
    MeasureInterleaved(rows);
    const std::size_t n = rows.size();
    for (const Row& row : rows) {
        std::printf("  %-34s %10.1f us%s\n", row.name.c_str(), row.Median(), row.failed ? "  (failed)" : "");
        figures.Add(row.name + " us", row.Median());
    }
    const double floor = rows[n - 3].Median() + 2 * rows[0].Median();  // SetString and GetString each lock
    std::printf("  %-34s %10.2f\n", "driver vtable / (raw + lock)", rows[n - 2].Median() / floor);
    std::printf("  %-34s %10.2f\n", "driver IDispatch / (raw + lock)", rows[n - 1].Median() / floor);
    figures.Add(std::string(label) + " vtable ratio", rows[n - 2].Median() / floor);
    figures.Add(std::string(label) + " IDispatch ratio", rows[n - 1].Median() / floor);
    if (n == 5) {
        std::printf("  %-34s %10.2f\n", "raw VISA / Winsock", rows[2].Median() / rows[1].Median());
        figures.Add(std::string(label) + " stand-in ratio", rows[2].Median() / rows[1].Median());
    }
    driver->Disconnect();
    CloseHandle(lock);
}

void WriteJson(const char* path, const Figures& figures) {
    FILE* out = std::fopen(path, "w");
    if (!out) {
        std::fprintf(stderr, "zew-bench: cannot write %s\n", path);
        return;
    }
    std::fprintf(out, "{\n");
    for (std::size_t i = 0; i < figures.values.size(); ++i) {
        std::fprintf(out, "  \"%s\": %.6g%s\n", figures.values[i].first.c_str(), figures.values[i].second,
                     i + 1 < figures.values.size() ? "," : "");
    }
    std::fprintf(out, "}\n");
    std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
    unsigned port = 0;
    long cycles = 20000;
    const char* json = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--port")) port = static_cast<unsigned>(std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--cycles")) cycles = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--json")) json = argv[i + 1];
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Figures figures;

    std::printf("per exchange of \"*IDN?\" (median of %d interleaved rounds)\n", kRounds);
    std::vector<Row> none;
    MeasureExchanges("embedded:", "GPIB0::1::INSTR", L"dev1", 1000, figures, none);
    if (port != 0) {
        ZvConfigure(("[GPIB0::9]\ntcp = 127.0.0.1:" + std::to_string(port) + "\n").c_str());
        auto peer = std::make_shared<WinsockPeer>(port);
        std::vector<Row> winsock{{"tcp: bare Winsock", 200, [peer] { return peer->Exchange(); }, {}}};
        MeasureExchanges("tcp:", "GPIB0::9::INSTR", L"dev9", 200, figures, winsock);
    }

    // A driver object with its whole child tree: time to create and release,
    // and the memory it holds while alive.
    {
        constexpr int kHeld = 200;
        std::vector<Row> create{{"create + release a driver object", 200, [] { return static_cast<bool>(CreateDriver()); }, {}}};
        MeasureInterleaved(create);
        std::vector<ComPtr<IZew4400>> held;
        held.reserve(kHeld);
        const long long before = HeapBytesInUse();
        for (int i = 0; i < kHeld; ++i) held.push_back(CreateDriver());
        const double bytes = static_cast<double>(HeapBytesInUse() - before) / kHeld;
        std::printf("driver object with its children\n");
        std::printf("  %-34s %10.1f us\n", create[0].name.c_str(), create[0].Median());
        std::printf("  %-34s %10.0f bytes\n", "heap bytes held per object", bytes);
        figures.Add("create us", create[0].Median());
        figures.Add("object bytes", bytes);
    }

    // Growth over create-Connect-Disconnect-Release cycles after a warm-up.
    {
        auto cycle = [] {
            ComPtr<IZew4400> driver = CreateDriver();
            const bool ok = Connect(driver.get(), L"dev1");
            if (driver) driver->Disconnect();
            return ok;
        };
        // The stand-in's call trace is bounded (it keeps its newest 256 KiB)
        // but fills up meanwhile: it is emptied at both readings so that what
        // remains is the growth of everything else.
        for (int i = 0; i < 1000; ++i) cycle();
        ZvClearLogs(nullptr);
        const long long heapBefore = HeapBytesInUse(), committedBefore = CommittedBytes();
        bool ok = true;
        for (long i = 0; i < cycles && ok; ++i) ok = cycle();
        ZvClearLogs(nullptr);
        const double growth = static_cast<double>(HeapBytesInUse() - heapBefore);
        const double committed = static_cast<double>(CommittedBytes() - committedBefore);
        std::printf("create, Connect, Disconnect, release: %ld cycles after 1000 to warm up%s\n", cycles,
                    ok ? "" : " (a cycle failed)");
        std::printf("  %-34s %10.0f bytes (%.2f per cycle)\n", "heap bytes in use, growth", growth,
                    cycles ? growth / static_cast<double>(cycles) : 0.0);
        std::printf("  %-34s %10.0f bytes\n", "committed memory, growth", committed);
        figures.Add("cycles", static_cast<double>(cycles));
        figures.Add("heap growth bytes", growth);
        figures.Add("committed growth bytes", committed);
    }
    // Connect again on a connected object, as a line that reconnects per
    // product does: the previous session must be closed, not leaked.
    {
        ComPtr<IZew4400> driver = CreateDriver();
        bool ok = Connect(driver.get(), L"dev1");
        for (int i = 0; i < 1000 && ok; ++i) ok = Connect(driver.get(), L"dev1");
        ViUInt32 openBefore = 0, openAfter = 0;
        ZvOpenSessionCount(&openBefore);
        ZvClearLogs(nullptr);
        const long long before = HeapBytesInUse();
        const long reconnects = cycles / 4;
        for (long i = 0; i < reconnects && ok; ++i) ok = Connect(driver.get(), L"dev1");
        ZvClearLogs(nullptr);
        const double growth = static_cast<double>(HeapBytesInUse() - before);
        ZvOpenSessionCount(&openAfter);
        std::printf("Connect again without Disconnect: %ld calls%s\n", reconnects, ok ? "" : " (a call failed)");
        std::printf("  %-34s %10.0f bytes (%.2f per call)\n", "heap bytes in use, growth", growth,
                    reconnects ? growth / static_cast<double>(reconnects) : 0.0);
        std::printf("  %-34s %10ld\n", "VISA sessions left open", static_cast<long>(openAfter) - static_cast<long>(openBefore));
        figures.Add("reconnect heap growth bytes", growth);
        figures.Add("reconnect sessions leaked", static_cast<double>(openAfter) - static_cast<double>(openBefore));
        if (driver) driver->Disconnect();
    }
    if (json) WriteJson(json, figures);
    CoUninitialize();
    return 0;
}
