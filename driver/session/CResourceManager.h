// Process-wide VISA state shared by all driver objects: the count of live
// driver objects and the resource-manager session, opened with the first
// object and closed with the last.
#pragma once

#include <zewvisa/VisaTypes.h>

namespace zew::session {

class CResourceManager {
public:
    // Counts a new driver object; the first one opens the resource manager.
    static void AddDriverObject();
    // Uncounts a driver object; the last one closes the resource manager.
    static void RemoveDriverObject();

    // 0 while closed.
    static ViSession Handle();
    // VI_ATTR_RSRC_SPEC_VERSION of the resource manager; 0 while never read.
    static ViVersion SpecVersion();
};

}  // namespace zew::session
