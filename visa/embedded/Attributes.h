// The attributes of one instrument session: which exist for its interface,
// their width, whether they can be written, and which values are accepted.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include <zewvisa/VisaTypes.h>

#include "ResourceName.h"

namespace zewvisa {

class Attributes {
public:
    Attributes(const ResourceName& resource, std::uint32_t specVersion);

    // VI_SUCCESS, VI_ERROR_NSUP_ATTR, VI_ERROR_ATTR_READONLY or VI_ERROR_NSUP_ATTR_STATE.
    ViStatus Set(ViAttr attribute, ViAttrState value);

    // The attribute takes this value and keeps it: a port that runs with
    // fixed settings refuses any other (VI_ERROR_NSUP_ATTR_STATE).
    void Fix(ViAttr attribute, std::uint32_t value);

    // Writes the value with the attribute's own width (1, 2 or 4 bytes, or a
    // zero-terminated string of at most 256 bytes) to out.
    ViStatus Get(ViAttr attribute, void* out) const;

    std::uint32_t Value(ViAttr attribute) const;
    std::uint32_t Timeout() const { return Value(VI_ATTR_TMO_VALUE); }
    bool TermCharEnabled() const { return Value(VI_ATTR_TERMCHAR_EN) != 0; }
    char TermChar() const { return static_cast<char>(Value(VI_ATTR_TERMCHAR)); }

private:
    std::map<ViAttr, std::uint32_t> values_;
    std::map<ViAttr, std::string> texts_;
    std::set<ViAttr> fixed_;
    ResourceKind kind_;
};

}  // namespace zewvisa
