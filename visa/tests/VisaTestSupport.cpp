#include "VisaTestSupport.h"

#include <vector>

namespace zewtest {
namespace {

std::string GetLog(ViStatus(ZV_FUNC* get)(const char*, char*, ViUInt32, ViPUInt32), const char* resource) {
    ViUInt32 length = 0;
    get(resource, nullptr, 0, &length);
    std::vector<char> buffer(length + 1);
    get(resource, buffer.data(), static_cast<ViUInt32>(buffer.size()), &length);
    return std::string(buffer.data(), length);
}

}  // namespace

std::string Trace(const char* resource) { return GetLog(ZvGetTrace, resource); }
std::string WireLog(const char* resource) { return GetLog(ZvGetWireLog, resource); }

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++count;
    return count;
}

std::string InstrumentLine(const char* resource, const char* line) {
    char reply[256] = {};
    ZvInstrumentLine(resource, line, reply, sizeof reply);
    return reply;
}

ResourceManager::ResourceManager() { viOpenDefaultRM(&rm_); }
ResourceManager::~ResourceManager() {
    if (rm_) viClose(rm_);
}

ViSession ResourceManager::OpenWithTermChar(const char* resource) {
    ViSession vi = 0;
    if (viOpen(rm_, resource, 0, 10000, &vi) < 0) return 0;
    viSetAttribute(vi, VI_ATTR_TERMCHAR, '\n');
    viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    return vi;
}

ViStatus WriteText(ViSession vi, const std::string& text) {
    ViUInt32 written = 0;
    return viWrite(vi, reinterpret_cast<const ViByte*>(text.data()), static_cast<ViUInt32>(text.size()), &written);
}

std::string ReadText(ViSession vi, ViStatus* status) {
    ViByte buffer[1024];
    ViUInt32 count = 0;
    const ViStatus st = viRead(vi, buffer, sizeof buffer, &count);
    if (status) *status = st;
    return std::string(reinterpret_cast<char*>(buffer), count);
}

std::string Query(ViSession vi, const std::string& line) {
    WriteText(vi, line + "\n");
    return ReadText(vi);
}

}  // namespace zewtest
