// Failures armed by a test: the next call of an operation (after skipping a
// given number of calls) returns a chosen status and does nothing else.
#pragma once

#include <map>
#include <optional>

#include <zewvisa/VisaControl.h>

namespace zewvisa {

class FaultPlan {
public:
    void Arm(ZvOperation op, ViUInt32 skip, ViStatus status) { armed_[op] = Fault{skip, status}; }
    void Clear() { armed_.clear(); }

    // Counts one call of op; returns the status to fail it with, if armed for this call.
    std::optional<ViStatus> Check(ZvOperation op) {
        auto it = armed_.find(op);
        if (it == armed_.end()) return std::nullopt;
        if (it->second.skip > 0) {
            --it->second.skip;
            return std::nullopt;
        }
        const ViStatus status = it->second.status;
        armed_.erase(it);
        return status;
    }

private:
    struct Fault {
        ViUInt32 skip;
        ViStatus status;
    };
    std::map<ZvOperation, Fault> armed_;
};

}  // namespace zewvisa
