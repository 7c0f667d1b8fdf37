#include "Attributes.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace zewvisa {
namespace {

enum Kinds : unsigned { kGpib = 1, kVxi = 2, kSerial = 4, kTcp = 8, kAll = 15 };

enum class Check { ReadOnly, Any, Boolean, Byte, IoProt, Baud, DataBits, Parity, StopBits, Flow };

struct AttributeInfo {
    ViAttr id;
    unsigned width;   // bytes; 0 for a string
    unsigned kinds;
    Check check;
};

constexpr AttributeInfo kAttributes[] = {
    {VI_ATTR_RSRC_NAME, 0, kAll, Check::ReadOnly},
    {VI_ATTR_RSRC_MANF_NAME, 0, kAll, Check::ReadOnly},
    {VI_ATTR_RSRC_MANF_ID, 2, kAll, Check::ReadOnly},
    {VI_ATTR_RSRC_IMPL_VERSION, 4, kAll, Check::ReadOnly},
    {VI_ATTR_RSRC_SPEC_VERSION, 4, kAll, Check::ReadOnly},
    {VI_ATTR_INTF_TYPE, 2, kAll, Check::ReadOnly},
    {VI_ATTR_INTF_NUM, 2, kAll, Check::ReadOnly},
    {VI_ATTR_TMO_VALUE, 4, kAll, Check::Any},
    {VI_ATTR_TERMCHAR, 1, kAll, Check::Byte},
    {VI_ATTR_TERMCHAR_EN, 2, kAll, Check::Boolean},
    {VI_ATTR_SEND_END_EN, 2, kAll, Check::Boolean},
    {VI_ATTR_IO_PROT, 2, kGpib | kVxi | kSerial | kTcp, Check::IoProt},
    {VI_ATTR_GPIB_PRIMARY_ADDR, 2, kGpib, Check::ReadOnly},
    {VI_ATTR_GPIB_SECONDARY_ADDR, 2, kGpib, Check::ReadOnly},
    {VI_ATTR_GPIB_READDR_EN, 2, kGpib, Check::Boolean},
    {VI_ATTR_ASRL_BAUD, 4, kSerial, Check::Baud},
    {VI_ATTR_ASRL_DATA_BITS, 2, kSerial, Check::DataBits},
    {VI_ATTR_ASRL_PARITY, 2, kSerial, Check::Parity},
    {VI_ATTR_ASRL_STOP_BITS, 2, kSerial, Check::StopBits},
    {VI_ATTR_ASRL_FLOW_CNTRL, 2, kSerial, Check::Flow},
    {VI_ATTR_TCPIP_ADDR, 0, kTcp, Check::ReadOnly},
    {VI_ATTR_TCPIP_PORT, 2, kTcp, Check::ReadOnly},
};

unsigned KindBit(ResourceKind kind) {
    switch (kind) {
    case ResourceKind::Gpib: return kGpib;
    case ResourceKind::Vxi: return kVxi;
    case ResourceKind::Serial: return kSerial;
    case ResourceKind::TcpSocket: return kTcp;
    }
    return 0;
}

const AttributeInfo* Find(ViAttr id, ResourceKind kind) {
    for (const AttributeInfo& a : kAttributes) {
        if (a.id == id) return (a.kinds & KindBit(kind)) ? &a : nullptr;
    }
    return nullptr;
}

bool OneOf(ViAttrState v, std::initializer_list<ViAttrState> allowed) {
    return std::find(allowed.begin(), allowed.end(), v) != allowed.end();
}

bool Accepts(Check check, ViAttrState v) {
    switch (check) {
    case Check::ReadOnly: return false;
    case Check::Any: return v <= 0xFFFFFFFFu;
    case Check::Boolean: return v <= 1;
    case Check::Byte: return v <= 0xFF;
    case Check::IoProt: return OneOf(v, {1, 2, 3, 4});
    case Check::Baud:
        return OneOf(v, {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 128000, 256000});
    case Check::DataBits: return v >= 5 && v <= 8;
    case Check::Parity: return v <= 4;
    case Check::StopBits: return OneOf(v, {VI_ASRL_STOP_ONE, VI_ASRL_STOP_ONE5, VI_ASRL_STOP_TWO});
    case Check::Flow: return v <= 7;
    }
    return false;
}

}  // namespace

Attributes::Attributes(const ResourceName& r, std::uint32_t specVersion) : kind_(r.kind) {
    values_ = {
        {VI_ATTR_RSRC_MANF_ID, 0x3FFF},
        {VI_ATTR_RSRC_IMPL_VERSION, 0x00100000},
        {VI_ATTR_RSRC_SPEC_VERSION, specVersion},
        {VI_ATTR_INTF_TYPE, r.InterfaceType()},
        {VI_ATTR_INTF_NUM, r.board},
        {VI_ATTR_TMO_VALUE, 2000},
        {VI_ATTR_TERMCHAR, '\n'},
        {VI_ATTR_TERMCHAR_EN, 0},
        {VI_ATTR_SEND_END_EN, 1},
        {VI_ATTR_IO_PROT, VI_PROT_NORMAL},
        {VI_ATTR_GPIB_PRIMARY_ADDR, r.address},
        {VI_ATTR_GPIB_SECONDARY_ADDR, r.secondary < 0 ? VI_NO_SEC_ADDR : static_cast<unsigned>(r.secondary)},
        {VI_ATTR_GPIB_READDR_EN, 1},
        {VI_ATTR_ASRL_BAUD, 9600},
        {VI_ATTR_ASRL_DATA_BITS, 8},
        {VI_ATTR_ASRL_PARITY, VI_ASRL_PAR_NONE},
        {VI_ATTR_ASRL_STOP_BITS, VI_ASRL_STOP_ONE},
        {VI_ATTR_ASRL_FLOW_CNTRL, VI_ASRL_FLOW_NONE},
        {VI_ATTR_TCPIP_PORT, r.port},
    };
    texts_ = {
        {VI_ATTR_RSRC_NAME, r.Canonical()},
        {VI_ATTR_RSRC_MANF_NAME, "ZEW4400 project stand-in VISA"},
        {VI_ATTR_TCPIP_ADDR, r.host},
    };
}

ViStatus Attributes::Set(ViAttr attribute, ViAttrState value) {
    const AttributeInfo* info = Find(attribute, kind_);
    if (!info) return VI_ERROR_NSUP_ATTR;
    if (info->check == Check::ReadOnly) return VI_ERROR_ATTR_READONLY;
    if (!Accepts(info->check, value)) return VI_ERROR_NSUP_ATTR_STATE;
    if (fixed_.count(attribute) && value != values_[attribute]) return VI_ERROR_NSUP_ATTR_STATE;
    values_[attribute] = static_cast<std::uint32_t>(value);
    return VI_SUCCESS;
}

void Attributes::Fix(ViAttr attribute, std::uint32_t value) {
    values_[attribute] = value;
    fixed_.insert(attribute);
}

ViStatus Attributes::Get(ViAttr attribute, void* out) const {
    const AttributeInfo* info = Find(attribute, kind_);
    if (!info) return VI_ERROR_NSUP_ATTR;
    if (!out) return VI_ERROR_USER_BUF;
    if (info->width == 0) {
        const std::string& text = texts_.at(attribute);
        const std::size_t n = std::min<std::size_t>(text.size(), 255);
        std::memcpy(out, text.data(), n);
        static_cast<char*>(out)[n] = '\0';
        return VI_SUCCESS;
    }
    const std::uint32_t v = Value(attribute);
    if (info->width == 1) {
        const std::uint8_t b = static_cast<std::uint8_t>(v);
        std::memcpy(out, &b, 1);
    } else if (info->width == 2) {
        const std::uint16_t w = static_cast<std::uint16_t>(v);
        std::memcpy(out, &w, 2);
    } else {
        std::memcpy(out, &v, 4);
    }
    return VI_SUCCESS;
}

std::uint32_t Attributes::Value(ViAttr attribute) const {
    auto it = values_.find(attribute);
    return it == values_.end() ? 0 : it->second;
}

}  // namespace zewvisa
