#include "Exchange.h"

#include <cstdio>
#include <string>

#include "CodePage.h"
#include "TraceFormat.h"

namespace zew::session {
namespace {

std::string Hresult(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

void TraceFailure(const std::source_location& where, const CVisaException& failure, HRESULT hr) {
    const std::string head = "fail " + MethodAt(where) + " msg=" + std::to_string(failure.messageId) +
                             " hr=" + Hresult(hr) + " status=" + StatusName(failure.status) + " ";
    // The description names the resource, which is the client's text.
    CTrace::Write(*failure.session->GetResourceName(),
                  head + EscapeBytes(ToUtf8(failure.session->Describe(failure.messageId))));
}

void TraceOutOfMemory(const std::source_location& where) {
    CTrace::Write("", "fail " + MethodAt(where) + " hr=" + Hresult(E_OUTOFMEMORY) + " out of memory");
}

void TraceRefused(const std::source_location& where, HRESULT hr) {
    CTrace::Write("", "refused " + MethodAt(where) + " hr=" + Hresult(hr));
}

}  // namespace zew::session
