// SheetObject: the application's objects on the servers' dispatch base,
// with Run, which turns every failure of a member's body into an automation
// error. Each object shares the session, which ends with the last object.
#pragma once

#include "Arguments.h"

#include <DispatchObject.h>

#include "../SheetError.h"
#include "../SpreadsheetSession.h"

#include <HvSpreadsheet.h>

#include <memory>
#include <new>

namespace hv::sheet::server {

using Session = std::shared_ptr<SpreadsheetSession>;

inline HRESULT RaiseError(HRESULT hr, REFIID iid, const std::wstring& description)
{
    return comserver::RaiseError(hr, iid, L"HvSpreadsheet", description);
}

template <class Interface>
class SheetObject : public comserver::DispatchObject<Interface> {
protected:
    explicit SheetObject(Session session) : session_(std::move(session)) {}

    // Runs a member's body: S_OK when it returns, an automation error when
    // it throws.
    template <class Body>
    HRESULT Run(Body&& body) noexcept
    {
        try {
            body();
            return S_OK;
        } catch (const Failure& f) {
            return RaiseError(f.hr, __uuidof(Interface), f.text);
        } catch (const SheetError& e) {
            return RaiseError(kSheetFailure, __uuidof(Interface), e.Text());
        } catch (const std::bad_alloc&) {
            return RaiseError(E_OUTOFMEMORY, __uuidof(Interface), L"There is not enough memory.");
        } catch (...) {
            return RaiseError(E_UNEXPECTED, __uuidof(Interface), L"The operation failed.");
        }
    }
    // Runs a body that fills an out-pointer, which must not be null.
    template <class Out, class Body>
    HRESULT Get(Out* out, Body&& body) noexcept
    {
        if (!out)
            return E_POINTER;
        if constexpr (std::is_same_v<Out, VARIANT>)
            VariantInit(out);
        else
            *out = Out{};
        return Run([&] { body(*out); });
    }

    Session session_;
};

// Hands a new object out as IDispatch (the caller owns the reference).
template <class T, class... Args>
IDispatch* NewObject(Args&&... args)
{
    T* object = new T(std::forward<Args>(args)...);
    return static_cast<IDispatch*>(static_cast<typename T::InterfaceType*>(object));
}

} // namespace hv::sheet::server
