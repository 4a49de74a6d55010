// HvDataObject: the data object that the OLE drag events hand to script. On
// the source side (OLEStartDrag, OLESetData) script fills a data source with
// data in clipboard formats; on the target side (OLEDragOver, OLEDragDrop)
// it reads the dropped IDataObject. An object has exactly one side; the
// members of the other side fail with 425, and so does every member once
// the drag it belonged to is over.
#pragma once

#include "DualObject.h"

#include <Tavelle.h>

class CDataSource;
class HvDataObjectFiles;
class OleDragDrop;

class HvDataObject final : public CDualObject<IHvDataObject> {
public:
    // New objects with one reference, or null when out of memory. dragDrop
    // raises the errors and is not owned (it may die first).
    static HvDataObject* CreateForSource(CDataSource& source, OleDragDrop* dragDrop, int objectType);
    static HvDataObject* CreateForTarget(IDataObject* dropped, OleDragDrop* dragDrop, int objectType);

    // IHvDataObject
    STDMETHODIMP Clear() override;
    STDMETHODIMP GetData(SHORT format, VARIANT* data) override;
    STDMETHODIMP GetFormat(SHORT format, VARIANT_BOOL* available) override;
    STDMETHODIMP SetData(VARIANT data, VARIANT format) override;
    STDMETHODIMP get_Files(IHvDataObjectFiles** files) override;

    // Lets go of the data source or dropped object: the drag is over.
    void Detach();
    CDataSource* Source() const { return source_; }
    IDataObject* Dropped() const { return dropped_; }

private:
    HvDataObject(OleDragDrop* dragDrop, int objectType);
    ~HvDataObject() override;

    HRESULT WrongSide();
    // The stored form of data for *format (which may be set here).
    HRESULT ConvertForFormat(const VARIANT& given, bool formatGiven, CLIPFORMAT* format, VARIANT* stored);

    IDataObject* dropped_ = nullptr;      // referenced
    CDataSource* source_ = nullptr;       // referenced
    HvDataObjectFiles* files_ = nullptr;  // referenced
    OleDragDrop* dragDrop_;               // not owned
};

// Clears value and stores the 16-bit number as VT_I2.
HRESULT VariantFromShort(VARIANT* value, SHORT number);
