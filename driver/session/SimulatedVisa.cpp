#include "SimulatedVisa.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <Attributes.h>
#include <EmbeddedSession.h>
#include <VisaRead.h>

#include "../parsers/SimulatedName.h"

namespace zew::session {
namespace {

using zewvisa::EmbeddedSession;
using zewvisa::ReplyTiming;
using zewvisa::SharedInstrument;

constexpr unsigned kSerialBaud = 19200;
constexpr std::uint32_t kSpecVersion = 0x00500800;   // VISA 5.8
// Session numbers of their own, positive as a client's long reads them.
constexpr ViSession kFirstSession = 0x53490001;

// A session reads as one on a serial port that runs with the tester's own
// settings, and refuses others.
struct Session {
    std::shared_ptr<EmbeddedSession> io;
    zewvisa::Attributes attributes{SerialPort(), kSpecVersion};

    static zewvisa::ResourceName SerialPort() {
        zewvisa::ResourceName port;
        port.kind = zewvisa::ResourceKind::Serial;
        return port;
    }
    Session() {
        attributes.Fix(VI_ATTR_ASRL_BAUD, kSerialBaud);
        attributes.Fix(VI_ATTR_ASRL_DATA_BITS, 8);
        attributes.Fix(VI_ATTR_ASRL_PARITY, VI_ASRL_PAR_NONE);
        attributes.Fix(VI_ATTR_ASRL_STOP_BITS, VI_ASRL_STOP_TWO);
        attributes.Fix(VI_ATTR_ASRL_FLOW_CNTRL, VI_ASRL_FLOW_XON_XOFF);
    }
};

// The simulated testers live as long as the process, like a tester on the
// bench: the first one pins the library, which a host may otherwise free
// once no object of it is left (CoFreeUnusedLibraries) and take its memories
// and programs with it.
void KeepLibraryLoaded() {
    static std::once_flag once;
    std::call_once(once, [] {
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&KeepLibraryLoaded), &self);
    });
}

class Testers {
public:
    static Testers& Instance() {
        static Testers testers;
        return testers;
    }

    ViStatus Open(const char* name, ViSession* vi) {
        if (!vi) return VI_ERROR_INV_PARAMETER;
        *vi = VI_NULL;
        const auto device = name ? parsers::ParseSimulatedName(name) : std::nullopt;
        if (!device) return VI_ERROR_RSRC_NFOUND;
        std::lock_guard lock(mutex_);
        std::shared_ptr<SharedInstrument>& tester = testers_[device->model + "::" + device->instance];
        if (!tester) {
            KeepLibraryLoaded();
            zewsim::InstrumentConfig config;
            config.model = device->model;
            config.serial = "SIM";
            tester = std::make_shared<SharedInstrument>(config);
        }
        if (device->dutOhms) tester->SetDutResistance(*device->dutOhms);
        const ReplyTiming timing = device->delayMs ? ReplyTiming::Fixed(std::chrono::milliseconds(*device->delayMs))
                                                   : ReplyTiming::Serial(kSerialBaud);
        auto session = std::make_shared<Session>();
        session->io = std::make_shared<EmbeddedSession>(tester, timing);
        *vi = next_++;
        sessions_[*vi] = std::move(session);
        return VI_SUCCESS;
    }

    ViStatus Close(ViObject vi) {
        std::lock_guard lock(mutex_);
        return sessions_.erase(vi) ? VI_SUCCESS : VI_ERROR_INV_OBJECT;
    }

    // The session, shared so that a read can wait without the registry's lock.
    std::shared_ptr<Session> Find(ViObject vi) {
        std::lock_guard lock(mutex_);
        const auto it = sessions_.find(vi);
        return it == sessions_.end() ? nullptr : it->second;
    }

    std::mutex& Mutex() { return mutex_; }

private:
    std::mutex mutex_;
    std::map<std::string, std::shared_ptr<SharedInstrument>> testers_;
    std::map<ViSession, std::shared_ptr<Session>> sessions_;
    ViSession next_ = kFirstSession;
};

ViStatus ZV_FUNC NoResourceManager(ViPSession) { return VI_ERROR_NSUP_OPER; }

ViStatus ZV_FUNC Open(ViSession, ViConstRsrc name, ViAccessMode, ViUInt32, ViPSession vi) {
    return Testers::Instance().Open(name, vi);
}

ViStatus ZV_FUNC Close(ViObject vi) { return Testers::Instance().Close(vi); }

ViStatus ZV_FUNC GetAttribute(ViObject vi, ViAttr attribute, void* value) {
    const auto s = Testers::Instance().Find(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    std::lock_guard lock(Testers::Instance().Mutex());
    return s->attributes.Get(attribute, value);
}

ViStatus ZV_FUNC SetAttribute(ViObject vi, ViAttr attribute, ViAttrState value) {
    const auto s = Testers::Instance().Find(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    std::lock_guard lock(Testers::Instance().Mutex());
    return s->attributes.Set(attribute, value);
}

ViStatus ZV_FUNC Read(ViSession vi, ViPBuf buffer, ViUInt32 count, ViPUInt32 returned) {
    if (returned) *returned = 0;
    const auto s = Testers::Instance().Find(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    if (!buffer && count > 0) return VI_ERROR_USER_BUF;
    std::optional<char> termChar;
    std::uint32_t timeoutMs = 0;
    {
        std::lock_guard lock(Testers::Instance().Mutex());
        if (s->attributes.TermCharEnabled()) termChar = s->attributes.TermChar();
        timeoutMs = s->attributes.Timeout();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    return zewvisa::DeliverRead(s->io->Read(count, termChar, deadline), buffer, returned);
}

ViStatus ZV_FUNC Write(ViSession vi, ViConstBuf buffer, ViUInt32 count, ViPUInt32 returned) {
    if (returned) *returned = 0;
    const auto s = Testers::Instance().Find(vi);
    if (!s) return VI_ERROR_INV_OBJECT;
    if (!buffer && count > 0) return VI_ERROR_USER_BUF;
    s->io->Write(std::string_view(reinterpret_cast<const char*>(buffer), count));
    if (returned) *returned = count;
    return VI_SUCCESS;
}

}  // namespace

const VisaFunctions& SimulatedVisa() {
    static const VisaFunctions functions{NoResourceManager, Open, Close, GetAttribute, SetAttribute, Read, Write};
    return functions;
}

}  // namespace zew::session
