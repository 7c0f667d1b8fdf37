// The instrument's system settings: pass hold time, buzzer volume, contrast,
// the comment, and clearing registers and alarms. Nothing is kept here.
#include "CZew4400.h"

#include <new>
#include <string>

#include "../parsers/QuotedText.h"
#include "../parsers/Replies.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"

namespace zew::objects {

using session::Exchange;

namespace {

constexpr double kPassHoldMin = 0.2;
constexpr double kPassHoldMax = 10.0;
constexpr short kLevelMax = 10;

}  // namespace

STDMETHODIMP CZew4400::get_PassHoldTime(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return Exchange(session_, [&] {
        // A reply without a number leaves the value as it was.
        if (const auto time = parsers::ParsePassHold(session_.Query(L"PASSHOLD?"))) *pVal = *time;
    });
}

// 0 holds the pass judgement without a time limit.
STDMETHODIMP CZew4400::put_PassHoldTime(double newVal) {
    if (newVal != 0.0 && !(newVal >= kPassHoldMin && newVal <= kPassHoldMax)) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] {
        if (newVal == 0.0) {
            session_.WriteCommand(L"PASSHOLD HOLD");
        } else {
            session_.SetReal(L"PASSHOLD ", newVal, 3, L"");
        }
    });
}

HRESULT CZew4400::GetSetting(const wchar_t* command, short* pVal, const std::source_location& where) {
    if (!pVal) return session::Refused(E_POINTER, where);
    return Exchange(session_, [&] { *pVal = static_cast<short>(session_.QueryInt(command)); }, where);
}

HRESULT CZew4400::PutSetting(const wchar_t* command, short value, const std::source_location& where) {
    if (value < 0 || value > kLevelMax) return session::Refused(E_INVALIDARG, where);
    return Exchange(session_, [&] { session_.SetInt(command, value); }, where);
}

STDMETHODIMP CZew4400::get_BuzzerVolume(short* pVal) { return GetSetting(L"BUZZERVOL", pVal); }
STDMETHODIMP CZew4400::put_BuzzerVolume(short newVal) { return PutSetting(L"BUZZERVOL", newVal); }
STDMETHODIMP CZew4400::get_Contrast(short* pVal) { return GetSetting(L"CONTRAST", pVal); }
STDMETHODIMP CZew4400::put_Contrast(short newVal) { return PutSetting(L"CONTRAST", newVal); }

STDMETHODIMP CZew4400::get_Comment(BSTR* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return Exchange(session_, [&] {
        *pVal = com::Bstr(session::FromAnsi(parsers::JoinCommentReply(session_.Query(L"COMMENT?")))).Detach();
    });
}

// Characters 1 to 20, 21 to 40 and 41 to 60 become the instrument's three
// fields; the rest is dropped. A field whose characters, as sent, would end
// the quoted field or the line is refused before anything goes out.
STDMETHODIMP CZew4400::put_Comment(BSTR newVal) {
    const std::wstring_view text = com::View(newVal);
    std::wstring line = L"COMMENT ";
    try {
        const auto fields =
            parsers::SplitComment(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::wstring_view field(reinterpret_cast<const wchar_t*>(fields[i].data()), fields[i].size());
            if (!parsers::FitsInQuotes(session::ToAnsi(field))) return session::Refused(E_INVALIDARG);
            if (i > 0) line += L',';
            line += L'"';
            line += field;
            line += L'"';
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return Exchange(session_, [&] { session_.WriteCommand(line); });
}

STDMETHODIMP CZew4400::ClearRegs() {
    return Exchange(session_, [&] { session_.WriteCommand(L"*CLS"); });
}

STDMETHODIMP CZew4400::AlarmClear() {
    return Exchange(session_, [&] { session_.WriteCommand(L"CLR"); });
}

}  // namespace zew::objects
