#include "CResourceManager.h"

#include <mutex>

#include "CTrace.h"
#include "TraceFormat.h"
#include "VisaLibrary.h"

namespace zew::session {
namespace {

// Objects may be created and destroyed in several apartments at once.
std::mutex g_mutex;
long g_driverObjects = 0;
long g_openCount = 0;
ViSession g_handle = 0;
ViVersion g_specVersion = 0;

ViStatus OpenResourceManager() {
    if (g_openCount > 0) {
        ++g_openCount;
        return VI_SUCCESS;
    }
    ViSession handle = 0;
    const ViStatus status = Visa()->OpenDefaultRM(&handle);
    if (CTrace::On()) CTrace::Write("", "resource manager open status=" + StatusName(status));
    if (status < VI_SUCCESS) return status;
    g_handle = handle;
    // A library that cannot tell its version counts as telling none, not as
    // the one a previous resource manager gave.
    ViVersion version = 0;
    g_specVersion = Visa()->GetAttribute(g_handle, VI_ATTR_RSRC_SPEC_VERSION, &version) >= VI_SUCCESS ? version : 0;
    g_openCount = 1;
    return status;
}

void CloseResourceManager() {
    // Only a resource manager that did open is closed.
    if (g_openCount <= 0) return;
    if (--g_openCount == 0) {
        const ViStatus status = Visa()->Close(g_handle);
        if (CTrace::On()) CTrace::Write("", "resource manager close status=" + StatusName(status));
        g_handle = 0;
    }
}

}  // namespace

void CResourceManager::AddDriverObject() {
    CTrace::Configure();
    std::lock_guard lock(g_mutex);
    if (g_driverObjects == 0 && IsVisaAvailable()) OpenResourceManager();
    ++g_driverObjects;
}

void CResourceManager::RemoveDriverObject() {
    std::lock_guard lock(g_mutex);
    if (--g_driverObjects == 0 && IsVisaAvailable()) CloseResourceManager();
}

ViSession CResourceManager::Handle() {
    std::lock_guard lock(g_mutex);
    return g_handle;
}

ViVersion CResourceManager::SpecVersion() {
    std::lock_guard lock(g_mutex);
    return g_specVersion;
}

}  // namespace zew::session
