// HvLayout: moving a whole layout: Save to a structured-storage file, a
// registry value or a new stream; Load from those or a URL; Clone, CopyFrom
// and Reset, each filtered by property categories.
#include "HvLayout.h"

#include "HvBands.h"
#include "LayoutGridSeam.h"
#include "RegistryKey.h"
#include "StoredStateRead.h"

namespace {

constexpr LONG TypeFile = 0;
constexpr LONG TypeRegistry = 1;
constexpr LONG TypeStream = 2;
constexpr LONG TypeUrl = 3;
constexpr LONG TypeFileUnchecked = 99;

const VARIANT& Deref(const VARIANT& value)
{
    if (value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal)
        return *value.pvarVal;
    return value;
}

bool IsMissing(const VARIANT& value)
{
    const VARIANT& v = Deref(value);
    return v.vt == VT_EMPTY || v.vt == VT_ERROR || v.vt == VT_NULL;
}

// An optional integer argument; fallback when it is missing. False when it
// holds something that is no number.
bool OptionalLong(const VARIANT& argument, LONG fallback, LONG* out)
{
    if (IsMissing(argument)) {
        *out = fallback;
        return true;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&Deref(argument)), 0, VT_I4)))
        return false;
    *out = number.lVal;
    return true;
}

LONG OptionalCategories(const VARIANT& argument)
{
    LONG categories = -1;
    if (!OptionalLong(argument, -1, &categories) || categories == 0)
        categories = -1;
    return categories;
}

bool OptionalBool(const VARIANT& argument)
{
    if (IsMissing(argument))
        return false;
    VARIANT flag;
    VariantInit(&flag);
    if (FAILED(VariantChangeType(&flag, const_cast<VARIANT*>(&Deref(argument)), 0, VT_BOOL)))
        return false;
    return flag.boolVal != VARIANT_FALSE;
}

// The registry value name: the argument's text, else "Layout".
std::wstring ValueNameOf(const VARIANT& argument)
{
    const VARIANT& value = Deref(argument);
    if (value.vt == VT_BSTR && value.bstrVal && SysStringLen(value.bstrVal) > 0)
        return value.bstrVal;
    return L"Layout";
}

HRESULT SeekToStart(IStream* stream)
{
    LARGE_INTEGER zero{};
    return stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

} // namespace

HRESULT HvLayout::ResolveGridContext(const VARIANT& argument, LayoutGridSeam** out)
{
    *out = grid_;
    const VARIANT& value = Deref(argument);
    if (IsMissing(value))
        return S_OK;
    if ((value.vt != VT_DISPATCH && value.vt != VT_UNKNOWN) || !value.punkVal)
        return RaiseError(LayoutError::BadObject, LayoutError::BadObjectString);
    IHvTavelleControl* control = nullptr;
    IUnknown* object = value.punkVal;
    if (SUCCEEDED(object->QueryInterface(IID_IHvTavelleControl, reinterpret_cast<void**>(&control))) && control)
        object = control;
    IHvBase* base = nullptr;
    long pointer = 0;
    HRESULT hr = object->QueryInterface(IID_IHvBase, reinterpret_cast<void**>(&base));
    if (SUCCEEDED(hr) && base) {
        hr = base->_GetObjectPointer(&pointer);
        base->Release();
    }
    if (control)
        control->Release();
    if (FAILED(hr) || pointer == 0)
        return RaiseError(LayoutError::BadObject, LayoutError::BadObjectString);
    LayoutGridSeam* grid = LayoutGridSeam::FromObject(CAutomationObject::FromObjectPointer(pointer));
    if (grid && grid->IsAlive())
        *out = grid;
    return S_OK;
}

HRESULT HvLayout::TestAccess(LayoutGridSeam* grid, bool url)
{
    const bool live = grid && grid->IsAlive();
    const bool bindHost = live && grid->HasBindHost();
    const bool allowed = url ? (live && bindHost) : (live && !bindHost);
    if (!allowed)
        return RaiseError(LayoutError::AccessDenied, LayoutError::AccessDeniedString);
    return S_OK;
}

STDMETHODIMP HvLayout::Save(VARIANT* destination, VARIANT persistenceType, VARIANT categoriesArgument,
                            VARIANT valueName, VARIANT gridArgument)
{
    return Active([&]() -> HRESULT {
        LONG type = 0;
        if (!OptionalLong(persistenceType, TypeFile, &type))
            return Invalid();
        const LONG categories = OptionalCategories(categoriesArgument);
        LayoutGridSeam* grid = nullptr;
        HRESULT hr = ResolveGridContext(gridArgument, &grid);
        if (FAILED(hr))
            return hr;
        if (type < TypeFile || type > TypeStream || !destination)
            return Invalid();
        const VARIANT& target = Deref(*destination);
        if ((type == TypeFile || type == TypeRegistry) && (target.vt != VT_BSTR || !target.bstrVal))
            return Invalid();
        if (type != TypeStream) {
            hr = TestAccess(grid, false);
            if (FAILED(hr))
                return hr;
        }
        IStorage* storage = nullptr;
        IStream* stream = nullptr;
        if (type == TypeFile) {
            const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
            hr = StgCreateDocfile(target.bstrVal, mode, 0, &storage);
            if (SUCCEEDED(hr))
                hr = storage->CreateStream(L"Layout", mode, 0, 0, &stream);
        } else {
            hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        }
        if (SUCCEEDED(hr) && !stream)
            hr = E_FAIL;
        if (SUCCEEDED(hr))
            hr = SaveToStream(stream, categories);
        if (SUCCEEDED(hr) && type == TypeRegistry) {
            HGLOBAL memory = nullptr;
            GetHGlobalFromStream(stream, &memory);
            STATSTG stat{};
            stream->Stat(&stat, STATFLAG_NONAME);
            HKEY root = nullptr;
            const wchar_t* subKey = nullptr;
            RegistryKey key;
            if (!memory) {
                hr = E_FAIL;
            } else if (!ParseRootKeyName(target.bstrVal, root, subKey) ||
                       key.Create(root, subKey, KEY_SET_VALUE | KEY_CREATE_SUB_KEY) != ERROR_SUCCESS) {
                hr = RaiseError(LayoutError::RegistryKey, LayoutError::RegistryKeyString);
            } else {
                const std::wstring name = ValueNameOf(valueName);
                const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(memory));
                LSTATUS status = RegSetValueExW(key.Get(), name.c_str(), 0, REG_BINARY, bytes,
                                                stat.cbSize.LowPart);
                GlobalUnlock(memory);
                hr = status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
            }
        }
        if (SUCCEEDED(hr) && type == TypeStream) {
            SeekToStart(stream);
            VariantClear(destination);
            destination->vt = VT_UNKNOWN;
            destination->punkVal = stream;
            stream->AddRef();
        }
        if (stream)
            stream->Release();
        if (storage)
            storage->Release();
        return hr;
    });
}

HRESULT HvLayout::LoadFrameIntoLayout(IStream* stream, LayoutGridSeam* grid, LONG categories, bool erase)
{
    HvLayout* scratch = nullptr;
    HRESULT hr = Create(nullptr, grid, &scratch);
    if (FAILED(hr))
        return hr;
    // The scratch layout reads for units and fonts only: it is no grid's
    // current layout, so its bands stay its own.
    HRESULT readResult = StoredStateRead::Once([&] { return scratch->LoadFromStream(stream, categories); });
    if (FAILED(readResult)) {
        // Data that cannot be read leaves this layout as it was rather than
        // replacing the selected categories with the scratch's defaults.
        scratch->Detach();
        scratch->PrivateUnknown()->Release();
        return readResult;
    }
    if (erase) {
        state2_ |= State2ResetInProgress;
        ResetAll(categories);
        state2_ &= static_cast<BYTE>(~State2ResetInProgress);
    }
    CopyLayout(*scratch, categories);
    scratch->Detach();
    scratch->PrivateUnknown()->Release();
    RefreshAfterBulkChange(false);
    return readResult;
}

STDMETHODIMP HvLayout::Load(VARIANT* source, VARIANT persistenceType, VARIANT categoriesArgument, VARIANT eraseArgument,
                            VARIANT valueName, VARIANT gridArgument)
{
    return Active([&]() -> HRESULT {
        LONG type = 0;
        if (!OptionalLong(persistenceType, TypeFile, &type))
            return Invalid();
        const LONG categories = OptionalCategories(categoriesArgument);
        const bool erase = OptionalBool(eraseArgument);
        LayoutGridSeam* grid = nullptr;
        HRESULT hr = ResolveGridContext(gridArgument, &grid);
        if (FAILED(hr))
            return hr;
        if (type == TypeFileUnchecked) {
            type = TypeFile;
        } else {
            if (type < TypeFile || type > TypeUrl)
                return Invalid();
            if (type != TypeStream) {
                hr = TestAccess(grid, type == TypeUrl);
                if (FAILED(hr))
                    return hr;
            }
        }
        if (!source)
            return Invalid();
        const VARIANT& from = Deref(*source);
        if (type == TypeStream) {
            if ((from.vt != VT_UNKNOWN && from.vt != VT_DISPATCH) || !from.punkVal)
                return Invalid();
        } else if (from.vt != VT_BSTR || !from.bstrVal) {
            return Invalid();
        }
        if (type == TypeUrl)
            return grid->DownloadLayout(from.bstrVal, categories, erase, this);

        IStorage* storage = nullptr;
        IStream* stream = nullptr;
        if (type == TypeFile) {
            hr = StgOpenStorage(from.bstrVal, nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage);
            if (SUCCEEDED(hr))
                hr = storage->OpenStream(L"Layout", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
        } else if (type == TypeRegistry) {
            HKEY root = nullptr;
            const wchar_t* subKey = nullptr;
            RegistryKey key;
            if (!ParseRootKeyName(from.bstrVal, root, subKey) || key.Open(root, subKey, KEY_READ) != ERROR_SUCCESS)
                return RaiseError(LayoutError::RegistryKey, LayoutError::RegistryKeyString);
            HGLOBAL memory = nullptr;
            const std::wstring name = ValueNameOf(valueName);
            if (key.QueryValueToHGlobal(memory, name.c_str()) == ERROR_SUCCESS && memory) {
                hr = CreateStreamOnHGlobal(memory, TRUE, &stream);
                if (FAILED(hr))
                    GlobalFree(memory);
            }
        } else {
            hr = from.punkVal->QueryInterface(IID_IStream, reinterpret_cast<void**>(&stream));
            if (SUCCEEDED(hr) && stream)
                hr = SeekToStart(stream);
        }
        if (SUCCEEDED(hr) && !stream)
            hr = E_FAIL;
        if (SUCCEEDED(hr))
            hr = LoadFrameIntoLayout(stream, grid, categories, erase);
        if (stream)
            stream->Release();
        if (storage)
            storage->Release();
        return hr;
    });
}

HRESULT HvLayout::CopyLayout(HvLayout& source, LONG categories)
{
    HRESULT hr = CopyAll(source, categories);
    captionHeight_ = 0;
    return hr;
}

void HvLayout::ResetLayout(LONG categories)
{
    state2_ |= State2ResetInProgress;
    ResetAll(categories);
    state2_ &= static_cast<BYTE>(~State2ResetInProgress);
}

STDMETHODIMP HvLayout::Clone(VARIANT categoriesArgument, IHvLayout** out)
{
    return Active([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        // A clone stands alone: it is no grid's layout, and nothing ties it
        // to a grid that may go before it.
        HvLayout* clone = nullptr;
        if (FAILED(Create(nullptr, nullptr, &clone)) || !clone)
            return E_FAIL;
        clone->CopyLayout(*this, OptionalCategories(categoriesArgument));
        *out = clone;
        return S_OK;
    });
}

STDMETHODIMP HvLayout::CopyFrom(IHvLayout* sourceLayout, VARIANT categoriesArgument)
{
    return Active([&]() -> HRESULT {
        HvLayout* source = FromObject(sourceLayout);
        if (!source || !source->IsActive())
            return NotActiveError();
        const bool wasEnabled = IsEnabled();
        CopyLayout(*source, OptionalCategories(categoriesArgument));
        if (wasEnabled != IsEnabled())
            if (HWND window = GetGridWindow())
                EnableWindow(window, IsEnabled());
        RefreshAfterBulkChange(false);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::Reset(VARIANT categoriesArgument, VARIANT fireInitializeLayout)
{
    return Active([&]() -> HRESULT {
        ResetLayout(OptionalCategories(categoriesArgument));
        RefreshAfterBulkChange(OptionalBool(fireInitializeLayout));
        return S_OK;
    });
}

void HvLayout::RefreshAfterBulkChange(bool fireInitializeLayout)
{
    if (!IsCurrentLayout())
        return;
    SetColumnMetricsDirty(false);
    RecalcColumnMetricsIfDirty();
    if (flags_ & (FlagUserFont | FlagAmbientFont))
        ResetBandMetrics();
    else
        BuildFont();
    grid_->RebuildLayout(fireInitializeLayout);
}
