// The drag source's IDataObject.
#include "DataSource.h"

#include "ClipboardFormats.h"
#include "DataRenderers.h"
#include "DragDropErrors.h"
#include "EnumObject.h"
#include "HvDataObjectFiles.h"
#include "OleDragDrop.h"
#include "PictureFormats.h"

#include <cstring>
#include <new>

namespace {

HRESULT CopyFormatEtc(void* destination, const void* source, ULONG)
{
    const auto* from = static_cast<const FORMATETC*>(source);
    auto* to = static_cast<FORMATETC*>(destination);
    *to = *from;
    if (from->ptd) {
        to->ptd = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(from->ptd->tdSize));
        if (!to->ptd)
            return E_OUTOFMEMORY;
        std::memcpy(to->ptd, from->ptd, from->ptd->tdSize);
    }
    return S_OK;
}

void ResetMedium(STGMEDIUM* medium)
{
    medium->tymed = TYMED_NULL;
    medium->hGlobal = nullptr;
    medium->pUnkForRelease = nullptr;
}

} // namespace

CDataSource* CDataSource::Create(HvDataObjectFiles* files, OleDragDrop* dragDrop)
{
    if (!files)
        return nullptr;
    try {
        return new (std::nothrow) CDataSource(files, dragDrop);
    } catch (...) {
        return nullptr;
    }
}

CDataSource::CDataSource(HvDataObjectFiles* files, OleDragDrop* dragDrop)
    : CUnknownObject(nullptr, static_cast<IDataObject*>(this)), dragDrop_(dragDrop), formats_(dragDrop),
      files_(files)
{
    files_->AddRef();
    files_->Clear();
}

CDataSource::~CDataSource()
{
    files_->Release();
    pair_.Clear();
    formats_.Reset();
}

HRESULT CDataSource::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDataObject)) {
        *out = static_cast<IDataObject*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CUnknownObject::InternalQueryInterface(iid, out);
}

STDMETHODIMP CDataSource::QueryGetData(FORMATETC* format)
{
    if (!format)
        return E_INVALIDARG;
    if (format->lindex != -1)
        return DV_E_LINDEX;
    if (!(format->dwAspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    const DataFormatEntry* entry = formats_.Find(format->cfFormat);
    if (!entry)
        return S_FALSE;
    if (!(format->tymed & entry->formatEtc.tymed))
        return DV_E_TYMED;
    return S_OK;
}

void CDataSource::RenderDeferred(CLIPFORMAT format)
{
    const DataFormatEntry* entry = formats_.Find(format);
    if (!entry)
        return;
    const bool missing = IsMissingData(entry->data) || (format == CF_HDROP && files_->Count() == 0);
    if (missing && OleDragDrop::IsValid(dragDrop_))
        dragDrop_->FireSetData(*this, format);
}

STDMETHODIMP CDataSource::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    try {
        if (!format || !medium)
            return E_INVALIDARG;
        ResetMedium(medium);
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        RenderDeferred(format->cfFormat);
        const DataFormatEntry* entry = formats_.Find(format->cfFormat);
        if (!entry)
            return DV_E_FORMATETC;
        if (IsMissingData(entry->data) && !(entry->format == CF_HDROP && files_->Count() >= 1))
            return RaiseDragDropError(dragDrop_, DragDropError::DataNotSupplied);
        const HRESULT hr = Render(*entry, *format, medium);
        if (FAILED(hr))
            ResetMedium(medium);
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CDataSource::Render(const DataFormatEntry& entry, const FORMATETC& request, STGMEDIUM* medium)
{
    const CLIPFORMAT format = entry.format;
    if (IsTextFormat(format))
        return RenderTextMedium(entry.data, request, medium);
    if (IsPictureFormat(format))
        return RenderPictureMedium(entry.data, pair_, request, medium, dragDrop_);
    if (format == CF_HDROP)
        return RenderFilesMedium(*files_, medium);
    if (SUCCEEDED(RenderBytesMedium(entry.data, request, medium)))
        return S_OK;
    // Not a Byte array: the value travels as an object in a stream.
    FORMATETC asStream = request;
    asStream.tymed = TYMED_ISTREAM;
    return RenderObjectStream(entry.data, asStream, medium);
}

STDMETHODIMP CDataSource::GetDataHere(FORMATETC* format, STGMEDIUM* medium)
{
    try {
        // The caller's medium holds the block to write into: it is kept.
        if (!format || !medium)
            return E_INVALIDARG;
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        if (!(format->tymed & TYMED_HGLOBAL))
            return DV_E_TYMED;
        RenderDeferred(format->cfFormat);
        const DataFormatEntry* entry = formats_.Find(format->cfFormat);
        if (!entry || IsMissingData(entry->data))
            return E_FAIL;
        if (entry->format != CF_TEXT)
            return E_NOTIMPL;
        const HRESULT hr = CheckRenderRequest(&entry->data, format, medium, CF_TEXT, TYMED_HGLOBAL, VT_BSTR);
        if (FAILED(hr))
            return hr;
        return WriteTextToGlobal(entry->data.bstrVal, medium->hGlobal);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CDataSource::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out)
{
    if (!in || !out)
        return E_INVALIDARG;
    *out = *in;
    if (!in->ptd)
        return DATA_S_SAMEFORMATETC;
    out->ptd = nullptr;
    return S_OK;
}

STDMETHODIMP CDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    if (!formats)
        return E_INVALIDARG;
    *formats = nullptr;
    const ULONG count = formats_.Count();
    EnumElementArray elements(count, sizeof(FORMATETC), nullptr);
    if (!elements.Data() && count > 0)
        return E_OUTOFMEMORY;
    for (ULONG i = 0; i < count; ++i)
        *static_cast<FORMATETC*>(elements.At(i)) = formats_.At(i).formatEtc;
    return CEnumObject::Create(IID_IEnumFORMATETC, std::move(elements), CopyFormatEtc, nullptr,
                               reinterpret_cast<void**>(formats));
}

STDMETHODIMP CDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CDataSource::DUnadvise(DWORD)
{
    return E_FAIL;
}

STDMETHODIMP CDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
