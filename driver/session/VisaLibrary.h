// The VISA library, loaded on first use. Only the system folder and the
// application's folder are searched (never the current folder or PATH),
// unless the machine names the file to use. The 32-bit driver loads
// "VISA32.DLL" and binds its standard ordinals; the 64-bit driver tries
// "visa64.dll", then "VISA32.DLL", and binds by name, since 64-bit libraries
// have no standard ordinals. Only the functions the driver calls are bound.
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
};

// Whether a library loaded with every function; tried once per process.
bool IsVisaAvailable();

// The bound functions, or nullptr when no library is available.
const VisaFunctions* Visa();

}  // namespace zew::session
