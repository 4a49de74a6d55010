// ColumnEditFace: a column's editing face for the cell editor, read from
// the column's settings and resolved style. The band's answer for
// CellMultiLine and the column's input mask are handed in by whoever makes
// the face (the band resolves the one, the column owns the other).
#pragma once

#include "EditColumnSeam.h"

class HvColumn;

class ColumnEditFace final : public EditColumnSeam {
public:
    // column is not referenced and must outlive the face; mask may be null.
    ColumnEditFace(HvColumn* column, bool bandMultiLine, InputMask* mask)
        : column_(column), bandMultiLine_(bandMultiLine), mask_(mask)
    {
    }

    LONG Style() override;
    LONG DataType() override;
    LONG FieldLen() override;
    LONG Case() override;
    bool AutoEdit() override;
    bool IsMultiLine() override;
    bool VertScrollBar() override;
    VARTYPE EmptyValueType() override;
    HRESULT ParseEditText(BSTR text, VARIANT* value) override;
    bool LookupValueListItem(const VARIANT& value, BSTR* text) override;
    bool CompleteFromValueList(BSTR* text) override;
    HvValueList* ValueList() override;
    InputMask* Mask() override { return mask_; }
    LONG MaskDataMode() override;

private:
    HvColumn* column_;  // not referenced
    bool bandMultiLine_;
    InputMask* mask_;   // not owned
};
