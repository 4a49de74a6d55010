// Late-bound calls.
#include "LateObject.h"

#include <utility>
#include <vector>

namespace hv::automation {

namespace {

std::wstring Described(EXCEPINFO& e)
{
    if (e.pfnDeferredFillIn)
        e.pfnDeferredFillIn(&e);
    std::wstring text = e.bstrDescription ? e.bstrDescription : L"";
    SysFreeString(e.bstrSource);
    SysFreeString(e.bstrDescription);
    SysFreeString(e.bstrHelpFile);
    return text;
}

} // namespace

LateObject::LateObject(IDispatch* object, bool adopt) : object_(object)
{
    if (object_ && !adopt)
        object_->AddRef();
}

LateObject& LateObject::operator=(LateObject other) noexcept
{
    std::swap(object_, other.object_);
    return *this;
}

void LateObject::Reset()
{
    if (IDispatch* object = std::exchange(object_, nullptr))
        object->Release();
}

LateObject LateObject::Create(const wchar_t* progId)
{
    CLSID clsid = {};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        throw AutomationError(hr, std::wstring(L"No class is registered as \"") + progId + L"\".");
    IDispatch* object = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(hr))
        throw AutomationError(hr, std::wstring(L"\"") + progId + L"\" could not be created.");
    return LateObject(object, true);
}

LateArg LateObject::Invoke(const wchar_t* name, WORD flags, std::initializer_list<LateArg> args,
                           const LateArg* value) const
{
    if (!object_)
        throw AutomationError(E_POINTER, L"The object is not set.");
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw AutomationError(hr, std::wstring(L"The object has no member \"") + name + L"\".");
    // DISPPARAMS hold the arguments last first; a put's value comes first.
    std::vector<VARIANT> given;
    given.reserve(args.size() + 1);
    if (value)
        given.push_back(value->Get());
    for (auto it = args.end(); it != args.begin();)
        given.push_back((--it)->Get());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {given.data(), value ? &putId : nullptr, static_cast<UINT>(given.size()), value ? 1u : 0u};
    LateArg result;
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, value ? nullptr : result.Put(),
                         &exception, &argumentError);
    if (hr == DISP_E_EXCEPTION) {
        const HRESULT code = exception.scode ? exception.scode : E_FAIL;
        throw AutomationError(code, Described(exception));
    }
    if (FAILED(hr))
        throw AutomationError(hr, std::wstring(L"The call of \"") + name + L"\" failed.");
    return result;
}

LateObject LateObject::Object(const wchar_t* name, std::initializer_list<LateArg> args) const
{
    LateArg result = Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, nullptr);
    const VARIANT& v = result.Get();
    if (V_VT(&v) != VT_DISPATCH)
        throw AutomationError(DISP_E_TYPEMISMATCH, std::wstring(L"\"") + name + L"\" holds no object.");
    return LateObject(V_DISPATCH(&v), false);
}

LateArg LateObject::Value(const wchar_t* name, std::initializer_list<LateArg> args) const
{
    return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, nullptr);
}

void LateObject::Put(const wchar_t* name, const LateArg& value, std::initializer_list<LateArg> args) const
{
    Invoke(name, DISPATCH_PROPERTYPUT, args, &value);
}

LateArg LateObject::Call(const wchar_t* name, std::initializer_list<LateArg> args) const
{
    return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
}

} // namespace hv::automation
