// An instrument failure on its way from the session to the automation method
// that reports it.
#pragma once

#include <windows.h>

#include <zewvisa/VisaTypes.h>

namespace zew::session {

class CVisaSession;

struct CVisaException {
    ViStatus status;            // the failing status; VI_ERROR_INV_OBJECT when no session was open
    UINT messageId;             // id in the message table
    const CVisaSession* session;  // whose resource name the message names
};

}  // namespace zew::session
