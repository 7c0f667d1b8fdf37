// The frame of every automation method that talks to the instrument: the
// lock guard around the exchanges, and a raised failure reported as an
// automation error once the lock is released.
#pragma once

#include <windows.h>

#include <new>

#include "CLockGuard.h"
#include "CVisaException.h"
#include "CVisaSession.h"

namespace zew::session {

template <class Exchanges>
HRESULT Exchange(CVisaSession& session, Exchanges&& exchanges) {
    try {
        CLockGuard guard(session);
        exchanges();
        return S_OK;
    } catch (const CVisaException& e) {
        return e.session->ReportError(e.messageId, L"");
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace zew::session
