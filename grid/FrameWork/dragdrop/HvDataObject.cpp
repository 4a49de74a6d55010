// The data object of the OLE drag events.
#include "HvDataObject.h"

#include "ClipboardFormats.h"
#include "DataSource.h"
#include "DragDropErrors.h"
#include "DroppedData.h"
#include "HvDataObjectFiles.h"
#include "PictureFormats.h"

#include <wrl/client.h>

#include <new>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

bool IsMissingArgument(const VARIANT& value)
{
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

// A VARIANT owned by the scope unless handed on.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&value_); }
    ~ScopedVariant() { VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* operator->() { return &value_; }
    VARIANT* Get() { return &value_; }
    // Moves the value out; the scope is left empty.
    void MoveTo(VARIANT* target)
    {
        *target = value_;
        VariantInit(&value_);
    }

private:
    VARIANT value_;
};

} // namespace

HRESULT VariantFromShort(VARIANT* value, SHORT number)
{
    if (!value)
        return E_INVALIDARG;
    VariantClear(value);
    value->vt = VT_I2;
    value->iVal = number;
    return S_OK;
}

HvDataObject* HvDataObject::CreateForSource(CDataSource& source, OleDragDrop* dragDrop, int objectType)
{
    auto* made = new (std::nothrow) HvDataObject(dragDrop, objectType);
    if (!made)
        return nullptr;
    made->source_ = &source;
    source.AddRef();
    made->files_ = &source.Files();
    made->files_->AddRef();
    return made;
}

HvDataObject* HvDataObject::CreateForTarget(IDataObject* dropped, OleDragDrop* dragDrop, int objectType)
{
    if (!dropped)
        return nullptr;
    auto* made = new (std::nothrow) HvDataObject(dragDrop, objectType);
    if (!made)
        return nullptr;
    made->dropped_ = dropped;
    dropped->AddRef();
    return made;
}

HvDataObject::HvDataObject(OleDragDrop* dragDrop, int objectType)
    : CDualObject(nullptr, objectType), dragDrop_(dragDrop)
{
}

HvDataObject::~HvDataObject()
{
    Detach();
}

void HvDataObject::Detach()
{
    if (dropped_)
        std::exchange(dropped_, nullptr)->Release();
    if (source_)
        std::exchange(source_, nullptr)->Release();
    if (files_)
        std::exchange(files_, nullptr)->Release();
}

HRESULT HvDataObject::WrongSide()
{
    return RaiseDragDropError(dragDrop_, DragDropError::InvalidObjectUse);
}

STDMETHODIMP HvDataObject::Clear()
{
    try {
        if (!source_)
            return WrongSide();
        const HRESULT hr = source_->Formats().Clear();
        if (FAILED(hr))
            return hr;
        return files_ ? files_->Clear() : S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP HvDataObject::GetData(SHORT format, VARIANT* data)
{
    try {
        if (!data)
            return E_INVALIDARG;
        if (!dropped_)
            return WrongSide();
        return ReadDroppedData(dropped_, ScriptToClipboardFormat(format), data, dragDrop_);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP HvDataObject::GetFormat(SHORT format, VARIANT_BOOL* available)
{
    try {
        if (!available)
            return E_INVALIDARG;
        *available = VARIANT_FALSE;
        const CLIPFORMAT clipboardFormat = ScriptToClipboardFormat(format);
        if (source_) {
            if (source_->Formats().Find(clipboardFormat))
                *available = VARIANT_TRUE;
            return S_OK;
        }
        if (!dropped_)
            return WrongSide();
        FORMATETC request = {};
        if (BuildFormatEtc(clipboardFormat, &request) && dropped_->QueryGetData(&request) == S_OK)
            *available = VARIANT_TRUE;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HvDataObject::ConvertForFormat(const VARIANT& given, bool formatGiven, CLIPFORMAT* format, VARIANT* stored)
{
    ScopedVariant value;
    HRESULT hr = VariantCopyInd(value.Get(), const_cast<VARIANT*>(&given));
    if (FAILED(hr))
        return hr;
    if ((value->vt == VT_DISPATCH || value->vt == VT_UNKNOWN) && value->punkVal) {
        ComPtr<IPicture> picture;
        if (SUCCEEDED(value->punkVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf())))) {
            hr = CheckPictureFormat(picture.Get(), *format, format, dragDrop_);
            if (FAILED(hr))
                return hr;
        }
        // A picture, or another object under a format of its own, travels as
        // the object itself; other objects are taken by their value below.
        if (picture || (formatGiven && !FindIntrinsicFormat(*format))) {
            if (value->vt == VT_UNKNOWN) {
                IDispatch* dispatch = nullptr;
                if (FAILED(value->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
                    return RaiseDragDropError(dragDrop_, DragDropError::FormatMismatch);
                VariantClear(value.Get());
                value->vt = VT_DISPATCH;
                value->pdispVal = dispatch;
            }
            value.MoveTo(stored);
            return S_OK;
        }
    }
    if (!formatGiven)
        *format = CF_TEXT;
    if (IsPictureFormat(*format))
        return RaiseDragDropError(dragDrop_, DragDropError::FormatMismatch);
    if (FindIntrinsicFormat(*format)) {
        hr = VariantChangeType(stored, value.Get(), 0, VT_BSTR);
        if (hr == DISP_E_TYPEMISMATCH)
            return RaiseDragDropError(dragDrop_, DragDropError::FormatMismatch);
        return hr;
    }
    if (value->vt != (VT_ARRAY | VT_UI1))
        return RaiseDragDropError(dragDrop_, DragDropError::ByteArrayRequired);
    value.MoveTo(stored);
    return S_OK;
}

STDMETHODIMP HvDataObject::SetData(VARIANT data, VARIANT format)
{
    try {
        if (!source_)
            return WrongSide();
        const bool dataMissing = IsMissingArgument(data);
        const bool formatMissing = IsMissingArgument(format);
        if (dataMissing && formatMissing)
            return RaiseDragDropError(dragDrop_, DragDropError::ArgumentExpected);

        CLIPFORMAT clipboardFormat = 0;
        if (!formatMissing) {
            ScopedVariant number;
            HRESULT hr = VariantChangeType(number.Get(), &format, 0, VT_I2);
            if (FAILED(hr))
                return hr;
            clipboardFormat = ScriptToClipboardFormat(number->iVal);
            if (IsUnnamedRegisteredFormat(clipboardFormat))
                return RaiseDragDropError(dragDrop_, DragDropError::FormatMismatch);
        }
        const bool formatGiven = clipboardFormat != 0;
        if (clipboardFormat == CF_HDROP && !dataMissing)
            return RaiseDragDropError(dragDrop_, DragDropError::InvalidProcedureCall);

        ScopedVariant stored;
        if (dataMissing) {
            stored->vt = VT_ERROR;
            stored->scode = DISP_E_PARAMNOTFOUND;
        } else {
            const HRESULT hr = ConvertForFormat(data, formatGiven, &clipboardFormat, stored.Get());
            if (FAILED(hr))
                return hr;
        }
        DataFormatEntry* entry = nullptr;
        const HRESULT hr = source_->Formats().Prepare(clipboardFormat, &entry);
        if (FAILED(hr))
            return hr;
        BuildFormatEtc(clipboardFormat, &entry->formatEtc);
        stored.MoveTo(&entry->data);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP HvDataObject::get_Files(IHvDataObjectFiles** files)
{
    try {
        if (!files)
            return E_INVALIDARG;
        *files = nullptr;
        if (!source_ && !dropped_)
            return WrongSide();
        if (!files_) {
            HvDataObjectFiles* made = HvDataObjectFiles::Create();
            if (!made)
                return E_OUTOFMEMORY;
            const HRESULT hr = LoadDroppedFiles(dropped_, *made, dragDrop_);
            if (FAILED(hr)) {
                made->Release();
                return hr;
            }
            files_ = made;
        }
        files_->AddRef();
        *files = files_;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
