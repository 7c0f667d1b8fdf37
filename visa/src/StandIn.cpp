#include "StandIn.h"

#include "BoundedLog.h"
#include "VisaRead.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zewvisa {
namespace {

using Steady = std::chrono::steady_clock;

std::string Hex(ViStatus status) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(static_cast<std::uint32_t>(status)));
    return text;
}

std::string Escape(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out.push_back(static_cast<char>(c));
    }
    return out;
}

// Copies text to a caller's buffer of size bytes, always terminated.
ViStatus CopyOut(const std::string& text, char* buffer, ViUInt32 size, ViUInt32* length) {
    if (length) *length = static_cast<ViUInt32>(text.size());
    if (!buffer || size == 0) return text.empty() ? VI_SUCCESS : VI_SUCCESS_MAX_CNT;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n < text.size() ? VI_SUCCESS_MAX_CNT : VI_SUCCESS;
}

// For the operations that tests cannot make fail: no fault is ever armed for it.
constexpr ZvOperation kNotFaultable = ZvOperation(0);

}  // namespace

double SwitchableClock::Now() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (virtual_) return virtualNow_;
    return std::chrono::duration<double>(Steady::now().time_since_epoch()).count();
}

// Virtual time starts from the present, so instruments never see time go back.
void SwitchableClock::UseVirtual(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (on && !virtual_) {
        virtualNow_ = std::max(virtualNow_, std::chrono::duration<double>(Steady::now().time_since_epoch()).count());
    }
    virtual_ = on;
}

void SwitchableClock::Advance(double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (seconds > 0) virtualNow_ += seconds;
}

StandIn& StandIn::Instance() {
    static StandIn instance;
    return instance;
}

StandIn::StandIn() = default;

std::optional<std::string> StandIn::Canonical(const char* resource) {
    if (!resource) return std::nullopt;
    auto name = ParseResourceName(resource);
    if (!name) return std::nullopt;
    return name->Canonical();
}

// Takes a configuration into use: its problems are reported, its VISA version applies.
void StandIn::ApplyConfigLocked(VisaConfig config, const std::string& source) {
    configLoaded_ = true;
    config_ = std::move(config);
    specVersion_ = config_.specVersion.value_or(kDefaultSpecVersion);
    for (const std::string& problem : config_.problems) {
        const std::string text = "VISA32 stand-in: " + source + ": " + problem + "\n";
        std::fputs(text.c_str(), stderr);
        OutputDebugStringA(text.c_str());
    }
}

void StandIn::LoadConfigLocked() {
    if (configLoaded_) return;
    VisaConfig config;
    const char* path = std::getenv("ZEW_VISA_CONFIG");
    if (path && *path) {
        std::ifstream file(path, std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            config = ParseVisaConfig(text.str());
        } else {
            config.problems.push_back("cannot be read; no configuration applies");
        }
    }
    ApplyConfigLocked(std::move(config), path ? path : "");
}

StandIn::Resource& StandIn::ResourceLocked(const std::string& key) { return resources_[key]; }

std::shared_ptr<SharedInstrument> StandIn::InstrumentLocked(const std::string& key) {
    Resource& r = ResourceLocked(key);
    if (!r.instrument) {
        zewsim::InstrumentConfig cfg;
        if (const ResourceConfig* rc = config_.Find(key)) {
            if (rc->model) cfg.model = *rc->model;
            if (rc->serial) cfg.serial = *rc->serial;
            if (rc->version) cfg.version = *rc->version;
            if (rc->dutResistance) cfg.dutResistance = *rc->dutResistance;
        }
        r.instrument = std::make_shared<SharedInstrument>(cfg, clock_);
    }
    return r.instrument;
}

std::shared_ptr<StandIn::Session> StandIn::SessionLocked(ViSession vi) const {
    auto it = sessions_.find(vi);
    return it == sessions_.end() ? nullptr : it->second;
}

void StandIn::TraceLocked(const std::string& key, const std::string& call, ViStatus status) {
    std::string line = call;
    if (status < 0) line += " => " + Hex(status);
    line += '\n';
    AppendBounded(ResourceLocked(key).trace, line);
}

ViStatus StandIn::OpenDefaultRM(ViSession* rm) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!rm) return VI_ERROR_INV_PARAMETER;
    *rm = VI_NULL;
    LoadConfigLocked();
    if (auto fault = faults_.Check(ZV_OP_OPEN_DEFAULT_RM)) return *fault;
    *rm = nextHandle_++;
    resourceManagers_.insert(*rm);
    return VI_SUCCESS;
}

ViStatus StandIn::Open(ViSession rm, const char* name, ViAccessMode mode, ViUInt32 timeout, ViSession* vi) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!vi) return VI_ERROR_INV_PARAMETER;
    *vi = VI_NULL;
    if (!resourceManagers_.count(rm)) return VI_ERROR_INV_OBJECT;
    auto parsed = name ? ParseResourceName(name) : std::nullopt;
    if (!parsed) return VI_ERROR_INV_RSRC_NAME;
    const std::string key = parsed->Canonical();
    auto traced = [&](ViStatus status) {
        TraceLocked(key, "viOpen " + key, status);
        return status;
    };
    if (auto fault = faults_.Check(ZV_OP_OPEN)) return traced(*fault);
    if (mode > 7) return traced(VI_ERROR_INV_ACC_MODE);

    const ResourceConfig* rc = config_.Find(key);
    if (rc && rc->absent) return traced(VI_ERROR_RSRC_NFOUND);

    auto session = std::make_shared<Session>(rm, *parsed, specVersion_);
    if (parsed->kind == ResourceKind::TcpSocket || (rc && rc->tcpHost)) {
        const std::string host = parsed->kind == ResourceKind::TcpSocket ? parsed->host : *rc->tcpHost;
        const unsigned port = parsed->kind == ResourceKind::TcpSocket ? parsed->port : rc->tcpPort;
        lock.unlock();   // connecting may take a while
        auto link = ConnectTcp(host, port, timeout);
        lock.lock();
        if (!link) return traced(VI_ERROR_RSRC_NFOUND);
        session->link = std::move(link);
    } else if (rc && rc->serialPort) {
        auto link = OpenSerialPort(*rc->serialPort, session->attributes);
        if (!link) return traced(VI_ERROR_RSRC_NFOUND);
        session->link = std::move(link);
    } else {
        session->link = std::make_unique<EmbeddedLink>(InstrumentLocked(key));
    }
    *vi = nextHandle_++;
    sessions_[*vi] = std::move(session);
    return traced(VI_SUCCESS);
}

ViStatus StandIn::Close(ViObject vi) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (resourceManagers_.count(vi)) {
        if (auto fault = faults_.Check(ZV_OP_CLOSE)) return *fault;
        for (auto it = sessions_.begin(); it != sessions_.end();) {
            if (it->second->rm == vi) {
                TraceLocked(it->second->key, "viClose", VI_SUCCESS);
                it = sessions_.erase(it);
            } else {
                ++it;
            }
        }
        resourceManagers_.erase(vi);
        return VI_SUCCESS;
    }
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    if (auto fault = faults_.Check(ZV_OP_CLOSE)) {
        TraceLocked(s->key, "viClose", *fault);
        return *fault;
    }
    TraceLocked(s->key, "viClose", VI_SUCCESS);
    sessions_.erase(vi);
    return VI_SUCCESS;
}

ViStatus StandIn::GetAttribute(ViObject vi, ViAttr attribute, void* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (resourceManagers_.count(vi)) {
        if (auto fault = faults_.Check(ZV_OP_GET_ATTRIBUTE)) return *fault;
        if (!value) return VI_ERROR_USER_BUF;
        const std::uint32_t version = attribute == VI_ATTR_RSRC_SPEC_VERSION   ? specVersion_
                                      : attribute == VI_ATTR_RSRC_IMPL_VERSION ? 0x00100000u
                                                                               : 0u;
        if (!version) return VI_ERROR_NSUP_ATTR;
        std::memcpy(value, &version, sizeof version);
        return VI_SUCCESS;
    }
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    char name[16];
    std::snprintf(name, sizeof name, "%08lX", static_cast<unsigned long>(attribute));
    const auto fault = faults_.Check(ZV_OP_GET_ATTRIBUTE);
    const ViStatus status = fault ? *fault : s->attributes.Get(attribute, value);
    TraceLocked(s->key, std::string("viGetAttribute ") + name, status);
    return status;
}

ViStatus StandIn::SetAttribute(ViObject vi, ViAttr attribute, ViAttrState value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (resourceManagers_.count(vi)) return VI_ERROR_NSUP_ATTR;
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    char call[64];
    std::snprintf(call, sizeof call, "viSetAttribute %08lX %llu", static_cast<unsigned long>(attribute),
                  static_cast<unsigned long long>(value));
    const auto fault = faults_.Check(ZV_OP_SET_ATTRIBUTE);
    ViStatus status = fault ? *fault : s->attributes.Set(attribute, value);
    if (status == VI_SUCCESS) status = s->link->Apply(s->attributes);
    TraceLocked(s->key, call, status);
    return status;
}

ViStatus StandIn::Read(ViSession vi, ViByte* buffer, ViUInt32 count, ViUInt32* returned) {
    if (returned) *returned = 0;
    std::shared_ptr<Session> s;
    Steady::time_point deadline;
    std::optional<char> termChar;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        s = SessionLocked(vi);
        if (!s) return VI_ERROR_INV_OBJECT;
        if (auto fault = faults_.Check(ZV_OP_READ)) {
            TraceLocked(s->key, "viRead", *fault);
            return *fault;
        }
        if (!buffer && count > 0) return VI_ERROR_USER_BUF;
        const std::uint64_t waitMs = std::min<std::uint64_t>({s->attributes.Timeout(), maxWaitMs_, 86400000u});
        deadline = Steady::now() + std::chrono::milliseconds(waitMs);
        if (s->attributes.TermCharEnabled()) termChar = s->attributes.TermChar();
    }
    const ViStatus status = DeliverRead(ReadInput(mutex_, s->input, *s->link, count, termChar, deadline), buffer, returned);
    std::lock_guard<std::mutex> lock(mutex_);
    TraceLocked(s->key, "viRead", status);
    return status;
}

ViStatus StandIn::DeliverLineLocked(Session& s, const std::string& line) {
    Resource& r = ResourceLocked(s.key);
    const auto readyAt = Steady::now() + std::chrono::milliseconds(r.replyDelayMs);
    for (auto it = r.scriptedReplies.begin(); it != r.scriptedReplies.end(); ++it) {
        if (it->first == line) {
            s.input.Push(it->second, true, readyAt);
            r.scriptedReplies.erase(it);
            return VI_SUCCESS;
        }
    }
    return s.link->SendLine(line, s.input, readyAt);
}

ViStatus StandIn::Write(ViSession vi, const ViByte* buffer, ViUInt32 count, ViUInt32* returned) {
    if (returned) *returned = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    if (!buffer && count > 0) return VI_ERROR_USER_BUF;
    const std::string bytes(reinterpret_cast<const char*>(buffer), count);
    if (auto fault = faults_.Check(ZV_OP_WRITE)) {
        TraceLocked(s->key, "viWrite " + Escape(bytes), *fault);
        return *fault;
    }
    AppendBounded(ResourceLocked(s->key).wire, bytes);
    ViStatus status = VI_SUCCESS;
    for (const std::string& line : s->lines.Add(bytes)) {
        if (const ViStatus st = DeliverLineLocked(*s, line); st < 0) status = st;
    }
    // On GPIB and VXI the END that closes a write also ends a command line.
    const bool endsMessage = s->name.kind == ResourceKind::Gpib || s->name.kind == ResourceKind::Vxi;
    if (endsMessage && s->attributes.Value(VI_ATTR_SEND_END_EN)) {
        if (const auto line = s->lines.EndMessage()) {
            if (const ViStatus st = DeliverLineLocked(*s, *line); st < 0) status = st;
        }
    }
    TraceLocked(s->key, "viWrite " + Escape(bytes), status);
    if (status < 0) return VI_ERROR_IO;
    if (returned) *returned = count;
    return VI_SUCCESS;
}

ViStatus StandIn::ReadStb(ViSession vi, ViUInt16* stb) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    ViStatus status;
    if (auto fault = faults_.Check(ZV_OP_READ_STB)) {
        status = *fault;
    } else if (!stb) {
        status = VI_ERROR_USER_BUF;
    } else {
        status = s->link->StatusByte(*stb);
    }
    TraceLocked(s->key, "viReadSTB", status);
    return status;
}

ViStatus StandIn::SimpleOperation(ViSession vi, ZvOperation op, const char* call,
                                  ViStatus (*body)(Session&, ViUInt32), ViUInt32 argument) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    const auto fault = faults_.Check(op);
    const ViStatus status = fault ? *fault : body(*s, argument);
    TraceLocked(s->key, call, status);
    return status;
}

ViStatus StandIn::Clear(ViSession vi) {
    return SimpleOperation(vi, ZV_OP_CLEAR, "viClear", [](Session& s, ViUInt32) {
        s.input.Clear();
        s.lines.Clear();
        return VI_SUCCESS;
    }, 0);
}

ViStatus StandIn::AssertTrigger(ViSession vi, ViUInt16 protocol) {
    return SimpleOperation(vi, kNotFaultable, "viAssertTrigger", [](Session&, ViUInt32 p) {
        return p == VI_TRIG_PROT_DEFAULT ? VI_SUCCESS : VI_ERROR_INV_PROT;
    }, protocol);
}

ViStatus StandIn::SetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size) {
    (void)size;
    return SimpleOperation(vi, kNotFaultable, "viSetBuf", [](Session&, ViUInt32 m) {
        const ViUInt32 valid = VI_READ_BUF | VI_WRITE_BUF | VI_IO_IN_BUF | VI_IO_OUT_BUF;
        return (m != 0 && (m & ~valid) == 0) ? VI_SUCCESS : VI_ERROR_INV_MASK;
    }, mask);
}

ViStatus StandIn::Flush(ViSession vi, ViUInt16 mask) {
    return SimpleOperation(vi, kNotFaultable, "viFlush", [](Session& s, ViUInt32 m) {
        if (m == 0 || m > 0xFF) return VI_ERROR_INV_MASK;
        if (m & (VI_READ_BUF_DISCARD | VI_IO_IN_BUF_DISCARD)) s.input.Clear();
        return VI_SUCCESS;
    }, mask);
}

ViStatus StandIn::GpibControlREN(ViSession vi, ViUInt16 mode) {
    return SimpleOperation(vi, kNotFaultable, "viGpibControlREN", [](Session& s, ViUInt32 m) {
        if (s.name.kind != ResourceKind::Gpib) return VI_ERROR_NSUP_OPER;
        return m <= 6 ? VI_SUCCESS : VI_ERROR_INV_MODE;
    }, mode);
}

// ---- control interface -------------------------------------------------------

ViStatus StandIn::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.Clear();
    resources_.clear();
    maxWaitMs_ = 0xFFFFFFFFu;
    clock_->UseVirtual(false);
    configLoaded_ = false;
    LoadConfigLocked();
    return VI_SUCCESS;
}

ViStatus StandIn::Configure(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    ApplyConfigLocked(ParseVisaConfig(text), "configuration");
    for (auto& [key, r] : resources_) r.instrument.reset();
    return config_.problems.empty() ? VI_SUCCESS : VI_ERROR_INV_SETUP;
}

ViStatus StandIn::FailNext(ZvOperation op, ViUInt32 skip, ViStatus status) {
    if (op < ZV_OP_OPEN_DEFAULT_RM || op > ZV_OP_CLEAR) return VI_ERROR_INV_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.Arm(op, skip, status);
    return VI_SUCCESS;
}

ViStatus StandIn::SetReplyDelay(const char* resource, ViUInt32 ms) {
    auto key = Canonical(resource);
    if (!key) return VI_ERROR_INV_RSRC_NAME;
    std::lock_guard<std::mutex> lock(mutex_);
    ResourceLocked(*key).replyDelayMs = ms;
    return VI_SUCCESS;
}

ViStatus StandIn::SetMaxWait(ViUInt32 ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    maxWaitMs_ = ms;
    return VI_SUCCESS;
}

ViStatus StandIn::QueueReply(const char* resource, const char* line, const char* reply) {
    auto key = Canonical(resource);
    if (!key) return VI_ERROR_INV_RSRC_NAME;
    if (!line || !reply) return VI_ERROR_INV_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    ResourceLocked(*key).scriptedReplies.emplace_back(line, reply);
    return VI_SUCCESS;
}

ViStatus StandIn::Feed(ViSession vi, const char* bytes, ViUInt32 count) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto s = SessionLocked(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    if (!bytes && count > 0) return VI_ERROR_INV_PARAMETER;
    s->input.Push(std::string(bytes ? bytes : "", count), true, Steady::now());
    return VI_SUCCESS;
}

ViStatus StandIn::GetLog(const char* resource, bool wire, char* buffer, ViUInt32 size, ViUInt32* length) {
    auto key = Canonical(resource);
    if (!key) return VI_ERROR_INV_RSRC_NAME;
    std::lock_guard<std::mutex> lock(mutex_);
    const Resource& r = ResourceLocked(*key);
    return CopyOut(wire ? r.wire : r.trace, buffer, size, length);
}

ViStatus StandIn::ClearLogs(const char* resource) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Cleared logs give their memory back.
    auto clear = [](Resource& r) {
        std::string().swap(r.wire);
        std::string().swap(r.trace);
    };
    if (!resource) {
        for (auto& [key, r] : resources_) clear(r);
        return VI_SUCCESS;
    }
    auto key = Canonical(resource);
    if (!key) return VI_ERROR_INV_RSRC_NAME;
    clear(ResourceLocked(*key));
    return VI_SUCCESS;
}

ViStatus StandIn::SetSpecVersion(ViVersion version) {
    std::lock_guard<std::mutex> lock(mutex_);
    LoadConfigLocked();
    specVersion_ = version;
    return VI_SUCCESS;
}

ViStatus StandIn::UseVirtualClock(bool on) {
    clock_->UseVirtual(on);
    return VI_SUCCESS;
}

ViStatus StandIn::AdvanceClock(double seconds) {
    if (!(seconds >= 0)) return VI_ERROR_INV_PARAMETER;
    clock_->Advance(seconds);
    return VI_SUCCESS;
}

ViStatus StandIn::InstrumentLine(const char* resource, const char* line, char* reply, ViUInt32 size) {
    auto key = Canonical(resource);
    if (!key) return VI_ERROR_INV_RSRC_NAME;
    if (!line) return VI_ERROR_INV_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    LoadConfigLocked();
    const ResourceConfig* rc = config_.Find(*key);
    if (rc && (rc->absent || rc->tcpHost)) return VI_ERROR_NSUP_OPER;
    const std::string answer = InstrumentLocked(*key)->Process(line).value_or("");
    return CopyOut(answer, reply, size, nullptr);
}

ViStatus StandIn::OpenSessionCount(ViUInt32* count) {
    if (!count) return VI_ERROR_INV_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    *count = static_cast<ViUInt32>(sessions_.size() + resourceManagers_.size());
    return VI_SUCCESS;
}

}  // namespace zewvisa
