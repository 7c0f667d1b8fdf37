#include "DriverTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace zewtest {
namespace {

// Every test thread of these programs is an apartment thread, as a client's is.
class ApartmentEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ApartmentEnvironment);

}  // namespace

HRESULT Connect(IZew4400* driver, const wchar_t* device) {
    Bstr name(device);
    return driver->Connect(name.get());
}

ComPtr<IRegister> RegisterOf(IZew4400* driver) {
    ComPtr<IRegister> child;
    driver->get_Register(child.put());
    return child;
}

ComPtr<IMemories> MemoriesOf(IZew4400* driver) {
    ComPtr<IMemories> child;
    driver->get_Memories(child.put());
    return child;
}

VARIANT Number(VARTYPE vt, long n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    if (vt == VT_R8) v.dblVal = n;
    else if (vt == VT_I2) v.iVal = static_cast<SHORT>(n);
    else v.lVal = n;
    return v;
}

VARIANT Name(const Bstr& name) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = name.get();
    return v;
}

ComPtr<IMemory> MemoryOf(IZew4400* driver, short n) {
    ComPtr<IMemory> memory;
    if (ComPtr<IMemories> memories = MemoriesOf(driver)) memories->get_Item(Number(VT_I2, n), memory.put());
    return memory;
}

ComPtr<IProgram> ProgramOf(IZew4400* driver, short n) {
    ComPtr<IPrograms> programs;
    ComPtr<IProgram> program;
    if (driver->get_Programs(programs.put()) == S_OK) programs->get_Item(Number(VT_I2, n), program.put());
    return program;
}

ComPtr<IStep> StepOf(IProgram* program, long n) {
    ComPtr<ISteps> steps;
    ComPtr<IStep> step;
    if (program->get_Steps(steps.put()) == S_OK) steps->get_Item(n, step.put());
    return step;
}

long StepCount(IProgram* program) {
    ComPtr<ISteps> steps;
    long count = -1;
    if (program->get_Steps(steps.put()) == S_OK) steps->get_Count(&count);
    return count;
}

std::wstring ErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info) return L"";
    Bstr description;
    info->GetDescription(description.put());
    return std::wstring(description.view());
}

std::wstring Message(const wchar_t* text, const wchar_t* device) {
    std::wstring message(text);
    message.replace(message.find(L"%s"), 2, device);
    return message;
}

bool InstrumentLockIsFree(DWORD patienceMs) {
    DWORD waited = WAIT_FAILED;
    std::thread other([&] {
        HANDLE lock = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, "OrvantaInstrDrv");
        waited = lock ? WaitForSingleObject(lock, patienceMs) : WAIT_FAILED;
        if (waited == WAIT_OBJECT_0) ReleaseMutex(lock);
        if (lock) CloseHandle(lock);
    });
    other.join();
    return waited == WAIT_OBJECT_0;
}

}  // namespace zewtest
