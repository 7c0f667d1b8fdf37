// Small helpers for tests that drive the stand-in VISA32.DLL.
#pragma once

#include <cstddef>
#include <string>

#include <zewvisa/VisaControl.h>
#include <zewvisa/VisaTypes.h>

namespace zewtest {

std::string Trace(const char* resource);
std::string WireLog(const char* resource);
// How often what occurs in text (a log), counting overlaps.
size_t Occurrences(const std::string& text, const std::string& what);
// The answer of the resource's simulated instrument to a line, out of band.
std::string InstrumentLine(const char* resource, const char* line);

// A resource-manager session, closed (with all its sessions) at the end of scope.
class ResourceManager {
public:
    ResourceManager();
    ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;
    ViSession get() const { return rm_; }
    // Opens and sets the line-feed termination character; 0 on failure.
    ViSession OpenWithTermChar(const char* resource);

private:
    ViSession rm_ = 0;
};

ViStatus WriteText(ViSession vi, const std::string& text);
// One read of up to 1024 bytes; status in *status.
std::string ReadText(ViSession vi, ViStatus* status = nullptr);
// A query: writes line plus line feed, returns the reply.
std::string Query(ViSession vi, const std::string& line);

}  // namespace zewtest
