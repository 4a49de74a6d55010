// ColumnEditFace: the column's settings as the cell editor reads them.
#include "ColumnEditFace.h"

#include "HvColumn.h"
#include "ValueConversion.h"

LONG ColumnEditFace::Style() { return column_->ResolveStyle(); }

LONG ColumnEditFace::DataType() { return column_->Settings().dataType; }

// Typed text becomes a value of the column's type; a variant or an empty
// type takes the text as it is.
VARTYPE ColumnEditFace::ValueType()
{
    const VARTYPE type = ClientTypeOf(static_cast<DBTYPE>(DataType()));
    return type == VT_VARIANT || type == VT_UI4 ? VARTYPE{VT_EMPTY} : type;
}

LONG ColumnEditFace::FieldLen()
{
    long length = 0;
    return SUCCEEDED(column_->get_FieldLen(&length)) ? length : column_->Settings().fieldLen;
}

LONG ColumnEditFace::Case() { return column_->Settings().caseClipMode & 0x0F; }

bool ColumnEditFace::AutoEdit() { return (column_->Settings().flags & HvColumn::FlagAutoEdit) != 0; }

bool ColumnEditFace::AutoSizeEdit() { return (column_->Settings().autoSizeEditActivation & 0x0F) == 1; }

bool ColumnEditFace::IsMultiLine() { return column_->ResolvedCellMultiLine(); }

bool ColumnEditFace::VertScrollBar() { return (column_->Settings().flags & HvColumn::FlagVertScrollBar) != 0; }

VARTYPE ColumnEditFace::EmptyValueType() { return column_->GetEmptyValueType(); }

HRESULT ColumnEditFace::ParseEditText(BSTR text, VARIANT* value) { return column_->ParseEditText(text, value); }

bool ColumnEditFace::LookupValueListItem(const VARIANT& value, BSTR* text)
{
    return column_->LookupValueListItem(value, text);
}

bool ColumnEditFace::CompleteFromValueList(BSTR* text) { return column_->CompleteFromValueList(text); }

HvValueList* ColumnEditFace::ValueList() { return column_->ValueList(); }

InputMask* ColumnEditFace::Mask() { return &column_->Mask(); }

LONG ColumnEditFace::MaskDataMode() { return column_->MaskDataMode(); }
