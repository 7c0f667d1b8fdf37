// The frame of every automation method that talks to the instrument: the
// lock guard around the exchanges, and a raised failure reported as an
// automation error once the lock is released, and traced once, with the
// method it failed in.
#pragma once

#include <windows.h>

#include <new>
#include <source_location>
#include <type_traits>

#include "CLockGuard.h"
#include "CTrace.h"
#include "CVisaException.h"
#include "CVisaSession.h"

namespace zew::session {

// Trace lines of a failed call and of a refused argument.
void TraceFailure(const std::source_location& where, const CVisaException& failure, HRESULT hr);
void TraceOutOfMemory(const std::source_location& where);
void TraceRefused(const std::source_location& where, HRESULT hr);

// The exchanges return nothing (the call then returns S_OK) or the HRESULT
// of the call, such as S_FALSE for a reply that was not recognised.
template <class Exchanges>
HRESULT Exchange(CVisaSession& session, Exchanges&& exchanges,
                 const std::source_location& where = std::source_location::current()) {
    try {
        CLockGuard guard(session);
        if constexpr (std::is_void_v<std::invoke_result_t<Exchanges>>) {
            exchanges();
            return S_OK;
        } else {
            return exchanges();
        }
    } catch (const CVisaException& e) {
        const HRESULT hr = e.session->ReportError(e.messageId, L"");
        if (CTrace::On()) TraceFailure(where, e, hr);
        return hr;
    } catch (const std::bad_alloc&) {
        if (CTrace::On()) TraceOutOfMemory(where);
        return E_OUTOFMEMORY;
    }
}

// A client's argument refused before any exchange (E_INVALIDARG, E_POINTER).
inline HRESULT Refused(HRESULT hr, const std::source_location& where = std::source_location::current()) {
    if (CTrace::On()) TraceRefused(where, hr);
    return hr;
}

}  // namespace zew::session
