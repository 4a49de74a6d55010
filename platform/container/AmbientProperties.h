// AmbientProperties: the ambient properties that a container offers its
// controls through the site's IDispatch: UserMode, LocaleID, Font,
// MessageReflect and ScaleUnits to begin with. Each value can be changed,
// removed, or made to fail with a chosen result.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>

namespace hv::container {

class CallLog;

class AmbientProperties {
public:
    // UserMode TRUE, LocaleID the user's default, MessageReflect TRUE,
    // ScaleUnits "Twip", Font a stock font made on the first read.
    AmbientProperties();
    ~AmbientProperties();
    AmbientProperties(const AmbientProperties&) = delete;
    AmbientProperties& operator=(const AmbientProperties&) = delete;

    // Sets a value (copied); replaces a failure set for the same DISPID.
    void Set(DISPID dispid, const VARIANT& value);
    void SetBool(DISPID dispid, bool value);
    void SetLong(DISPID dispid, LONG value);
    void SetString(DISPID dispid, const wchar_t* value);
    // The container no longer knows the property (DISP_E_MEMBERNOTFOUND).
    void Remove(DISPID dispid);
    // Every read of the property fails with result.
    void SetFailure(DISPID dispid, HRESULT result);
    void ClearFailure(DISPID dispid);

    // The container's own look at a value it holds (not logged, not
    // counted as a read): false when it holds none or the property fails.
    bool Peek(DISPID dispid, VARTYPE type, VARIANT* value) const;

    // How often the control read the property.
    int ReadCount(DISPID dispid) const;

    // The bodies of the site's IDispatch. Reads are logged as
    // "Ambient(<dispid>)".
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* dispids) const;
    HRESULT Invoke(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result);

    void SetLog(CallLog* log) { log_ = log; }

private:
    HRESULT MakeDefaultFont(VARIANT& value);

    std::map<DISPID, VARIANT> values_;
    std::map<DISPID, HRESULT> failures_;
    std::map<DISPID, int> reads_;
    CallLog* log_ = nullptr;   // not owned
};

} // namespace hv::container
