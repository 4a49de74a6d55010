// ColumnEditFace: the column's settings as the cell editor reads them.
#include "ColumnEditFace.h"

#include "HvColumn.h"

LONG ColumnEditFace::Style() { return column_->ResolveStyle(); }

LONG ColumnEditFace::DataType() { return column_->Settings().dataType; }

LONG ColumnEditFace::FieldLen() { return column_->Settings().fieldLen; }

LONG ColumnEditFace::Case() { return column_->Settings().caseClipMode & 0x0F; }

bool ColumnEditFace::AutoEdit() { return (column_->Settings().flags & HvColumn::FlagAutoEdit) != 0; }

bool ColumnEditFace::IsMultiLine() { return column_->ResolveCellMultiLine(bandMultiLine_); }

bool ColumnEditFace::VertScrollBar() { return (column_->Settings().flags & HvColumn::FlagVertScrollBar) != 0; }

VARTYPE ColumnEditFace::EmptyValueType() { return column_->GetEmptyValueType(); }

HRESULT ColumnEditFace::ParseEditText(BSTR text, VARIANT* value) { return column_->ParseEditText(text, value); }

bool ColumnEditFace::LookupValueListItem(const VARIANT& value, BSTR* text)
{
    return column_->LookupValueListItem(value, text);
}

bool ColumnEditFace::CompleteFromValueList(BSTR* text) { return column_->CompleteFromValueList(text); }

HvValueList* ColumnEditFace::ValueList() { return column_->ValueList(); }

LONG ColumnEditFace::MaskDataMode() { return column_->Settings().dataDisplayMode & 0x0F; }
