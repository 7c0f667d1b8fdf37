// The VISA library "VISA32.DLL", bound by ordinal and loaded on first use.
#pragma once

#include <zewvisa/VisaTypes.h>

namespace zew::session {

struct VisaFunctions {
    ViStatus(ZV_FUNC* OpenDefaultRM)(ViPSession);
    ViStatus(ZV_FUNC* Open)(ViSession, ViConstRsrc, ViAccessMode, ViUInt32, ViPSession);
    ViStatus(ZV_FUNC* Close)(ViObject);
    ViStatus(ZV_FUNC* GetAttribute)(ViObject, ViAttr, void*);
    ViStatus(ZV_FUNC* SetAttribute)(ViObject, ViAttr, ViAttrState);
    ViStatus(ZV_FUNC* Read)(ViSession, ViPBuf, ViUInt32, ViPUInt32);
    ViStatus(ZV_FUNC* Write)(ViSession, ViConstBuf, ViUInt32, ViPUInt32);
    ViStatus(ZV_FUNC* ReadSTB)(ViSession, ViPUInt16);
    ViStatus(ZV_FUNC* Clear)(ViSession);
    ViStatus(ZV_FUNC* AssertTrigger)(ViSession, ViUInt16);
    ViStatus(ZV_FUNC* SetBuf)(ViSession, ViUInt16, ViUInt32);
    ViStatus(ZV_FUNC* Flush)(ViSession, ViUInt16);
    ViStatus(ZV_FUNC* GpibControlREN)(ViSession, ViUInt16);
};

// Whether the library loaded with every function; tried once per process.
bool IsVisaAvailable();

// The bound functions, or nullptr when the library is not available.
const VisaFunctions* Visa();

}  // namespace zew::session
