// ColumnCellFace: a column's answers to its cells.
#include "ColumnCellFace.h"

#include "CellDropDownHost.h"
#include "ColumnInfo.h"
#include "HvBand.h"
#include "HvColumn.h"

ColumnCellFace::ColumnCellFace(HvColumn* column, CellDropDownHost* dropDowns) : column_(column), dropDowns_(dropDowns)
{
    column_->AddRef();
}

ColumnCellFace::~ColumnCellFace()
{
    column_->Release();
}

ColumnInfo* ColumnCellFace::Info() const
{
    return dynamic_cast<ColumnInfo*>(column_->SourceInfo());
}

IHvColumn* ColumnCellFace::ColumnInterface()
{
    return static_cast<IHvColumn*>(column_);
}

bool ColumnCellFace::IsBound()
{
    return column_->IsBound() && Info() != nullptr;
}

LONG ColumnCellFace::DataIndex()
{
    ColumnInfo* info = Info();
    return info ? static_cast<LONG>(info->GetOrdinal()) : -1;
}

bool ColumnCellFace::IsChapter()
{
    ColumnInfo* info = Info();
    return info && info->IsChapter();
}

// The value of a chapter cell is the first row of the chapter, in the
// column's child band.
HRESULT ColumnCellFace::ChildRows(CellRowHost* row, IUnknown** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    auto* band = dynamic_cast<HvBand*>(column_->GetChildBand());
    IHvRow* parent = row ? row->RowInterface() : nullptr;
    if (!band || !parent)
        return E_FAIL;
    VARIANT which;
    VariantInit(&which);
    which.vt = VT_DISPATCH;
    which.pdispVal = static_cast<IHvBand*>(band);
    IHvRow* child = nullptr;
    const HRESULT hr = parent->GetChild(hvChildRowFirst, &which, &child);
    if (FAILED(hr))
        return hr;
    *out = child;
    return child ? S_OK : E_FAIL;
}

VARTYPE ColumnCellFace::VariantTypeOf(LONG dataType)
{
    switch (dataType) {
    case DBTYPE_I2: case DBTYPE_I4: case DBTYPE_R4: case DBTYPE_R8: case DBTYPE_CY: case DBTYPE_DATE:
    case DBTYPE_BSTR: case DBTYPE_BOOL: case DBTYPE_DECIMAL: case DBTYPE_I1: case DBTYPE_UI1: case DBTYPE_UI2:
    case DBTYPE_UI4: case DBTYPE_I8: case DBTYPE_UI8:
        return static_cast<VARTYPE>(dataType);
    case DBTYPE_STR: case DBTYPE_WSTR: case DBTYPE_GUID:
        return VT_BSTR;
    case DBTYPE_NUMERIC:
        return VT_DECIMAL;
    case DBTYPE_DBDATE: case DBTYPE_DBTIME: case DBTYPE_DBTIMESTAMP:
        return VT_DATE;
    default:
        return VT_EMPTY;
    }
}

VARTYPE ColumnCellFace::ValueType()
{
    return VariantTypeOf(column_->DataType());
}

const CDualString* ColumnCellFace::Key()
{
    return column_->GetKey();
}

LONG ColumnCellFace::Extent()
{
    return column_->GetVisibleExtent();
}

LONG ColumnCellFace::Level()
{
    return column_->GetEffectiveLevel();
}

LONG ColumnCellFace::TabStop()
{
    return column_->Settings().tabStop & 0x0F;
}

LONG ColumnCellFace::ResolveStyle()
{
    return column_->ResolveStyle();
}

bool ColumnCellFace::HasValueList()
{
    return column_->ValueList() != nullptr;
}

bool ColumnCellFace::IsDropDownShowing(HvCell* cell)
{
    return dropDowns_ && dropDowns_->IsDropDownShowing(cell);
}

HRESULT ColumnCellFace::DropDown(HvCell* cell)
{
    return dropDowns_ ? dropDowns_->DropDown(cell) : S_FALSE;
}

HRESULT ColumnCellFace::CloseDropDown(HvCell* cell)
{
    return dropDowns_ ? dropDowns_->CloseDropDown(cell) : S_FALSE;
}

HRESULT ColumnCellFace::ApplyMaskModeToValue(VARIANT* value, LONG mode)
{
    InputMask& mask = column_->Mask();
    if (value && mask.IsMaskEngineReady())
        mask.ApplyMaskModeToValue(value, mode);
    return S_OK;
}
