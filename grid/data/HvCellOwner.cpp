// HvCell as the owner of its element's text: the value text, its state and
// its default alignment.
#include "HvCell.h"

#include "DualString.h"

LONG HvCell::GetState(OwnedElementSeam*)
{
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
