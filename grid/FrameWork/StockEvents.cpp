// Stock event identifiers, bit indices and descriptors.
#include "StockEvents.h"

int StockEventIndex(DISPID dispid)
{
    // Indexed by -600 - dispid: Click, DblClick, KeyDown, KeyPress, KeyUp,
    // MouseDown, MouseMove, MouseUp.
    static constexpr int kIndex[] = {0, 1, 5, 6, 7, 2, 3, 4};
    if (dispid > StockDispid::Click || dispid < StockDispid::MouseUp)
        return -1;
    return kIndex[StockDispid::Click - dispid];
}

DWORD StockEventBit(DISPID dispid)
{
    const int index = StockEventIndex(dispid);
    return index < 0 ? 0 : (1u << index);
}

namespace {
const VARTYPE kMouse[] = {VT_I2, VT_I2, VT_I4, VT_I4};
const VARTYPE kKeyObject[] = {VT_DISPATCH, VT_I2};
const VARTYPE kKeyPressObject[] = {VT_DISPATCH};
const VARTYPE kKeyByRef[] = {VT_I2 | VT_BYREF, VT_I2};
const VARTYPE kKeyPressByRef[] = {VT_I2 | VT_BYREF};
} // namespace

namespace StockEventDescriptors {
const EventDescriptor Click = {StockDispid::Click, 0, nullptr};
const EventDescriptor DblClick = {StockDispid::DblClick, 0, nullptr};
const EventDescriptor MouseDown = {StockDispid::MouseDown, 4, kMouse};
const EventDescriptor MouseMove = {StockDispid::MouseMove, 4, kMouse};
const EventDescriptor MouseUp = {StockDispid::MouseUp, 4, kMouse};
const EventDescriptor KeyDownObject = {StockDispid::KeyDown, 2, kKeyObject};
const EventDescriptor KeyPressObject = {StockDispid::KeyPress, 1, kKeyPressObject};
const EventDescriptor KeyUpObject = {StockDispid::KeyUp, 2, kKeyObject};
const EventDescriptor KeyDownByRef = {StockDispid::KeyDown, 2, kKeyByRef};
const EventDescriptor KeyPressByRef = {StockDispid::KeyPress, 1, kKeyPressByRef};
const EventDescriptor KeyUpByRef = {StockDispid::KeyUp, 2, kKeyByRef};
} // namespace StockEventDescriptors
