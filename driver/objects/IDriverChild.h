// How the driver object's children follow its connection. A child keeps its
// own copy of the driver's session, which never opens or closes anything, and
// a pointer back to the driver that holds no reference.
#pragma once

#include "../session/CVisaSession.h"

namespace zew::objects {

class CZew4400;

class IDriverChild {
public:
    // The driver has connected: copy its session and remember the driver.
    virtual void AttachToDriver(const session::CVisaSession& session, CZew4400* driver) = 0;
    // The driver has disconnected: let go of the session copy without closing it.
    virtual void DetachFromDriver() = 0;
    // The driver object is being destroyed: let go of the session copy and of
    // the driver, so that a child a client still holds reaches neither. Its
    // instrument calls then fail as those of a disconnected object do.
    virtual void ForgetDriver() = 0;

protected:
    ~IDriverChild() = default;
};

// The state every child shares, with the usual way of following the driver:
// the driver pointer is kept through a disconnect (it still gives the model's
// limits) and dropped only when the driver goes.
class DriverChild : public IDriverChild {
public:
    void AttachToDriver(const session::CVisaSession& session, CZew4400* driver) override {
        session_.CopyFrom(session);
        driver_ = driver;
    }
    void DetachFromDriver() override { session_.Detach(false); }
    void ForgetDriver() override {
        session_.Detach(false);
        driver_ = nullptr;
    }

protected:
    ~DriverChild() = default;

    session::CVisaSession session_;
    CZew4400* driver_ = nullptr;
};

}  // namespace zew::objects
