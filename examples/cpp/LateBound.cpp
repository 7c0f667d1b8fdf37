// Runs a test on a ZEW4400 through IDispatch alone (late binding), the way a
// script host does: the driver is created by its ProgID and every member is
// called by name through GetIDsOfNames and Invoke. No SDK header is needed.
// The same steps as EarlyBound.cpp; every failed call is reported with the
// driver's description and ends the program with exit status 1.
//
//   LateBound.exe [DEVICE]      (default "SIM": the tester simulated inside the driver)
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ComSupport.h"

using namespace zew_example;

namespace {

// The texts of an EXCEPINFO, freed on every way out.
struct ExceptionInfo : EXCEPINFO {
    ExceptionInfo() : EXCEPINFO() {}
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() {
        SysFreeString(bstrSource);
        SysFreeString(bstrDescription);
        SysFreeString(bstrHelpFile);
    }
};

// An automation object whose members are called by name.
class AutoObject {
public:
    // Creates an object by its ProgID, such as "Zew4400.Zew4400".
    static AutoObject Create(const wchar_t* progId) {
        CLSID clsid;
        Check(CLSIDFromProgID(progId, &clsid), "finding the ProgID");
        AutoObject object;
        Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.dispatch_.put_void()),
              "creating the object");
        return object;
    }
    // The object a property returned, such as driver.Get(L"Memories").
    explicit AutoObject(const Variant& value) {
        if (V_VT(value.get()) != VT_DISPATCH || !V_DISPATCH(value.get()))
            throw ComError("expecting an object", DISP_E_TYPEMISMATCH, L"not an object");
        Check(V_DISPATCH(value.get())->QueryInterface(IID_IDispatch, dispatch_.put_void()), "QueryInterface");
    }

    template <class... Args>
    Variant Get(const wchar_t* name, const Args&... args) {
        return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {args.get()...});
    }
    void Put(const wchar_t* name, const Variant& value) { Invoke(name, DISPATCH_PROPERTYPUT, {value.get()}); }
    template <class... Args>
    Variant Call(const wchar_t* name, const Args&... args) {
        return Invoke(name, DISPATCH_METHOD, {args.get()...});
    }

private:
    AutoObject() = default;

    Variant Invoke(const wchar_t* name, WORD flags, std::vector<const VARIANT*> args) {
        const std::string what(name, name + std::wcslen(name));
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        Check(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), what.c_str());

        // Invoke takes the arguments last first; a put names its value.
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        Variant result;
        ExceptionInfo exception;
        UINT argError = 0;
        const HRESULT hr =
            dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(), &exception, &argError);
        if (hr == DISP_E_EXCEPTION) {
            // The member failed: its HRESULT and description come in EXCEPINFO.
            if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
            const HRESULT memberHr = exception.scode ? exception.scode : MAKE_HRESULT(1, FACILITY_CONTROL, exception.wCode);
            throw ComError(what, memberHr, exception.bstrDescription ? exception.bstrDescription : DescribeError(memberHr));
        }
        Check(hr, what.c_str());
        return result;
    }

    ComPtr<IDispatch> dispatch_;
};

// (Some SDKs declare VariantChangeType's source without const.)
double ToDouble(const Variant& value) {
    Variant converted;
    Check(VariantChangeType(converted.put(), const_cast<VARIANT*>(value.get()), 0, VT_R8), "converting to a number");
    return V_R8(converted.get());
}

std::wstring ToText(const Variant& value) {
    Variant converted;
    Check(VariantChangeType(converted.put(), const_cast<VARIANT*>(value.get()), 0, VT_BSTR), "converting to text");
    const BSTR text = V_BSTR(converted.get());
    return std::wstring(text ? text : L"", SysStringLen(text));
}

// The instrument's state, the first field of its "MON?" reply: 12 and 8
// while a test runs, 1 passed, 2 failed.
long DeviceStatus(AutoObject& driver) {
    driver.Call(L"SetString", Variant(L"MON?"));
    return std::wcstol(ToText(driver.Call(L"GetString")).c_str(), nullptr, 10);
}

bool Testing(long status) { return status == 8 || status == 12; }

const char* VerdictText(long status) { return status == 1 ? "PASS" : status == 2 ? "FAIL" : "none"; }

int Run(const wchar_t* device) {
    ComApartment com;
    AutoObject driver = AutoObject::Create(L"Zew4400.Zew4400");

    driver.Call(L"Connect", Variant(device));
    std::printf("Vendor:  %ls\nModel:   %ls\nVersion: %X\n", ToText(driver.Get(L"Vendor")).c_str(),
                ToText(driver.Get(L"LegalModelName")).c_str(),
                static_cast<unsigned>(ToDouble(driver.Get(L"Version"))));

    // The test conditions are kept by the driver object and sent by Start.
    driver.Put(L"Current", Variant(10.0));
    driver.Put(L"Frequency", Variant(60L));
    driver.Put(L"LimitUpper", Variant(0.1));
    driver.Put(L"ExecTime", Variant(2.0));
    // The tester shows a PASS only for its pass hold time; 0 holds it until
    // the next Start, so the polling loop cannot miss it.
    driver.Put(L"PassHoldTime", Variant(0.0));
    std::printf("Test:    10 A, 60 Hz, upper limit 0.1 ohm, 2 s\n");
    driver.Call(L"Start");

    long status = 0;
    for (const ULONGLONG deadline = GetTickCount64() + 30000; GetTickCount64() < deadline; Sleep(400)) {
        const long now = DeviceStatus(driver);
        std::printf("  status %2ld: R = %.4f ohm, I = %.2f A, U = %.3f V, elapsed %.2f s, remaining %.2f s\n", now,
                    ToDouble(driver.Get(L"MonResistance")), ToDouble(driver.Get(L"MonCurrent")),
                    ToDouble(driver.Get(L"MonVoltage")), ToDouble(driver.Get(L"MonTimeElapsed")),
                    ToDouble(driver.Get(L"MonTimeRemaining")));
        if (!Testing(now)) {
            status = now;
            break;
        }
    }
    std::printf("Verdict: %s\n", VerdictText(status));
    if (status == 0) return 1;

    // The same conditions kept in panel memory 12 and found again by name.
    AutoObject memories(driver.Get(L"Memories"));
    AutoObject memory(memories.Get(L"Item", Variant(12L)));
    memory.Put(L"Name", Variant(L"PUMP-HOUSING"));
    memory.Put(L"Current", Variant(10.0));
    memory.Put(L"Frequency", Variant(60L));
    memory.Put(L"LimitUpper", Variant(0.1));
    memory.Put(L"ExecTime", Variant(2.0));
    memory.Call(L"Save");
    AutoObject found(memories.Get(L"Item", Variant(L"PUMP-HOUSING")));
    std::printf("Memory:  \"PUMP-HOUSING\" is memory %ld\n", static_cast<long>(ToDouble(found.Get(L"Index"))));
    driver.Call(L"Disconnect");

    // A call that fails: the HRESULT and the driver's description of it.
    try {
        driver.Call(L"GetString");
    } catch (const ComError& e) {
        std::printf("Error:   GetString after Disconnect: 0x%08lX %ls\n", static_cast<unsigned long>(e.hr()),
                    e.description().c_str());
        return 0;
    }
    std::printf("GetString after Disconnect did not fail\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? Widen(argv[1]).c_str() : L"SIM");
    } catch (const ComError& e) {
        std::printf("%s failed: 0x%08lX %ls\n", e.what(), static_cast<unsigned long>(e.hr()), e.description().c_str());
        return 1;
    }
}
