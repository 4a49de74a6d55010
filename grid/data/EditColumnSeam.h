// EditColumnSeam: what the editors read of a cell's column: its resolved
// style and the settings that shape the EDIT window, the parsing of typed
// text, value-list look-ups and completion, and the input mask.
#pragma once

#include <windows.h>
#include <oleauto.h>

class HvValueList;
class InputMask;

class EditColumnSeam {
public:
    // The resolved Constants_Style.
    virtual LONG Style() = 0;
    // Constants_DataType (an OLE DB type).
    virtual LONG DataType() = 0;
    // The variant type a value of the DataType takes; VT_EMPTY when none.
    virtual VARTYPE ValueType() = 0;
    virtual LONG FieldLen() = 0;
    // Constants_Case: 0 unchanged, 1 lower, 2 upper.
    virtual LONG Case() = 0;
    virtual bool AutoEdit() = 0;
    // AutoSizeEdit is on: the EDIT window starts and grows by the text.
    virtual bool AutoSizeEdit() = 0;
    // The resolved CellMultiLine.
    virtual bool IsMultiLine() = 0;
    virtual bool VertScrollBar() = 0;
    // VT_NULL or VT_BSTR: what an empty text stores.
    virtual VARTYPE EmptyValueType() = 0;
    // The typed text as the value to store; E_FAIL for a text that is not
    // in the list of a validating list style.
    virtual HRESULT ParseEditText(BSTR text, VARIANT* value) = 0;
    // The display text of the value-list item for value.
    virtual bool LookupValueListItem(const VARIANT& value, BSTR* text) = 0;
    // Completion from the value list's data values while typing.
    virtual bool CompleteFromValueList(BSTR* text) = 0;
    // Not referenced; null when the column has none.
    virtual HvValueList* ValueList() = 0;
    // The column's input mask, null when it has none.
    virtual InputMask* Mask() = 0;
    // Constants_MaskMode the stored value takes.
    virtual LONG MaskDataMode() = 0;

protected:
    ~EditColumnSeam() = default;
};
