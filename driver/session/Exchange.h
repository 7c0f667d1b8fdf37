// The frame of every automation method that talks to the instrument: the
// lock guard around the exchanges, and a raised failure reported as an
// automation error once the lock is released.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

#include "CLockGuard.h"
#include "CVisaException.h"
#include "CVisaSession.h"

namespace zew::session {

// The exchanges return nothing (the call then returns S_OK) or the HRESULT
// of the call, such as S_FALSE for a reply that was not recognised.
template <class Exchanges>
HRESULT Exchange(CVisaSession& session, Exchanges&& exchanges) {
    try {
        CLockGuard guard(session);
        if constexpr (std::is_void_v<std::invoke_result_t<Exchanges>>) {
            exchanges();
            return S_OK;
        } else {
            return exchanges();
        }
    } catch (const CVisaException& e) {
        return e.session->ReportError(e.messageId, L"");
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace zew::session
