// Holds the instrument lock for the length of one automation call: takes it
// when built (if the session is open) and releases, on every way out, exactly
// what it took, after ending the session's call.
#pragma once

#include "CVisaSession.h"

namespace zew::session {

class CLockGuard {
public:
    explicit CLockGuard(CVisaSession& session) : session_(session), locked_(session.Lock()) {}
    ~CLockGuard() {
        session_.EndCall();
        if (locked_) session_.Unlock();
    }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CVisaSession& session_;
    bool locked_;
};

}  // namespace zew::session
