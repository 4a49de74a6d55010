// The eight stock events of an ActiveX control: their dispatch identifiers,
// their bit indices in a stock-event sink and the descriptors they are fired
// with.
#pragma once

#include "EventDescriptor.h"

namespace StockDispid {
constexpr DISPID Click = -600;
constexpr DISPID DblClick = -601;
constexpr DISPID KeyDown = -602;
constexpr DISPID KeyPress = -603;
constexpr DISPID KeyUp = -604;
constexpr DISPID MouseDown = -605;
constexpr DISPID MouseMove = -606;
constexpr DISPID MouseUp = -607;
} // namespace StockDispid

// The bit index of a stock event in a sink's enable bits and counters
// (Click 0, DblClick 1, MouseDown 2, MouseMove 3, MouseUp 4, KeyDown 5,
// KeyPress 6, KeyUp 7); -1 for any other DISPID.
int StockEventIndex(DISPID dispid);
// 1 shifted left by the bit index; 0 for a DISPID without one.
DWORD StockEventBit(DISPID dispid);

// Descriptors of the stock events. Key codes travel either as an
// HvReturnShort object (VT_DISPATCH) or as a reference to a 16-bit integer.
namespace StockEventDescriptors {
extern const EventDescriptor Click;
extern const EventDescriptor DblClick;
extern const EventDescriptor MouseDown;
extern const EventDescriptor MouseMove;
extern const EventDescriptor MouseUp;
extern const EventDescriptor KeyDownObject;
extern const EventDescriptor KeyPressObject;
extern const EventDescriptor KeyUpObject;
extern const EventDescriptor KeyDownByRef;
extern const EventDescriptor KeyPressByRef;
extern const EventDescriptor KeyUpByRef;
} // namespace StockEventDescriptors
