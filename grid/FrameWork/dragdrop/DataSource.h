// CDataSource: the IDataObject that a drag from the control offers to drop
// targets. It serves the formats that script listed in OLEStartDrag, asks
// script for data listed without any (OLESetData) when a target wants it,
// and renders each format into an OLE storage medium.
#pragma once

#include "BitmapPalettePair.h"
#include "DataFormatList.h"
#include "UnknownObject.h"

class HvDataObjectFiles;
class OleDragDrop;

class CDataSource final : public IDataObject, public CUnknownObject {
public:
    // A new data source with one reference over files (referenced, and
    // cleared here); dragDrop raises its errors and fires OLESetData (not
    // owned; may die first). Null when out of memory.
    static CDataSource* Create(HvDataObjectFiles* files, OleDragDrop* dragDrop);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    DataFormatList& Formats() { return formats_; }
    HvDataObjectFiles& Files() { return *files_; }
    OleDragDrop* DragDrop() const { return dragDrop_; }
    BitmapPalettePair& Pair() { return pair_; }
    // Set while DoDragDrop runs with this source.
    void SetInDragDrop(bool inside) { inDragDrop_ = inside; }
    bool InDragDrop() const { return inDragDrop_; }

private:
    CDataSource(HvDataObjectFiles* files, OleDragDrop* dragDrop);
    ~CDataSource() override;

    // Asks script for data listed without any, or for the file list.
    void RenderDeferred(CLIPFORMAT format);
    HRESULT Render(const DataFormatEntry& entry, const FORMATETC& request, STGMEDIUM* medium);

    OleDragDrop* dragDrop_;
    DataFormatList formats_;
    BitmapPalettePair pair_;
    HvDataObjectFiles* files_;
    bool inDragDrop_ = false;
};
