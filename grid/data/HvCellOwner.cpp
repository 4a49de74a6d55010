// HvCell as the owner of its element's parts: the value text, its state and
// its default alignment, the check box's state, and a press on its drop-down
// button.
#include "HvCell.h"

#include "CellEditor.h"
#include "CellHostSeam.h"
#include "DualString.h"
#include "OwnedElementSeam.h"

#include <string>

namespace {

constexpr LONG StateChecked = 32;
constexpr LONG StateIndeterminate = 64;

} // namespace

LONG HvCell::GetState(OwnedElementSeam* element)
{
    if (element && element->OwnerContext() == ContextCheckBox) {
        // "0" unchecked, "1" or "-1" checked, anything else neither.
        std::wstring text;
        if (!IsActive() || !grid_->ShownText(this, &text))
            return 0;
        if (text == L"0")
            return 0;
        if (text == L"1" || text == L"-1")
            return StateChecked;
        return StateChecked | StateIndeterminate;
    }
    return ResolvedActivation() == hvActivationDisabled ? LONG{StateDisabled} : LONG{0};
}


bool HvCell::GetText(OwnedElementSeam*, CDualString& text)
{
    BSTR value = nullptr;
    if (FAILED(GetText(nullptr, &value)) || !value) {
        text.Empty();
        return false;
    }
    text.AssignWide(value);
    const bool any = SysStringLen(value) > 0;
    SysFreeString(value);
    return any;
}

UINT HvCell::GetDefaultHAlign(OwnedElementSeam*, const AppearanceData*)
{
    return DefaultHorizontalAlignment() == 3 ? 64 : 16;
}

bool HvCell::OnMouseDown(OwnedElementSeam* element)
{
    if (!IsActive() || !element || element->OwnerContext() != ContextDropDownButton)
        return false;
    return grid_->PressCellPart(this, CellPart::DropDownButton);
}
