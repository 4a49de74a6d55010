// Fixtures of the layout tests: stand-alone layouts, a recorder of the
// layout's notices and small readers of late-bound values.
#pragma once

#include "Model2Support.h"

#include "HvLayout.h"

#include <string>

// A stand-alone layout held by one reference.
class LayoutRef {
public:
    LayoutRef();
    ~LayoutRef();
    LayoutRef(const LayoutRef&) = delete;
    LayoutRef& operator=(const LayoutRef&) = delete;
    HvLayout* operator->() const { return layout_; }
    HvLayout& operator*() const { return *layout_; }
    HvLayout* Get() const { return layout_; }
    IDispatch* Dispatch() const { return static_cast<IHvLayout*>(layout_); }
    IHvLayout* Interface() const { return static_cast<IHvLayout*>(layout_); }

private:
    HvLayout* layout_ = nullptr;
};

long GetLong(IDispatch* object, const wchar_t* name);
double GetDouble(IDispatch* object, const wchar_t* name);
std::wstring GetText(IDispatch* object, const wchar_t* name);
// The bytes of a layout saved to a new stream with the categories.
std::vector<BYTE> SavedFrame(HvLayout& layout, LONG categories = -1);

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kBadObject = static_cast<HRESULT>(0x800AA220);
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x800A9C66);
constexpr HRESULT kNoRowset = static_cast<HRESULT>(0x800A9C47);
