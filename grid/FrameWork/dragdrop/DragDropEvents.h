// The OLE drag events of a control: dispatch identifiers and descriptors.
#pragma once

#include "EventDescriptor.h"

namespace DragDropDispid {
constexpr DISPID OLEStartDrag = 1550;
constexpr DISPID OLEGiveFeedback = 1551;
constexpr DISPID OLESetData = 1552;
constexpr DISPID OLECompleteDrag = 1553;
constexpr DISPID OLEDragOver = 1554;
constexpr DISPID OLEDragDrop = 1555;
} // namespace DragDropDispid

// Objects travel as VT_BYREF | VT_DISPATCH, Button and Shift as
// VT_BYREF | VT_I2, X and Y as VT_BYREF | VT_R4.
namespace DragDropEventDescriptors {
extern const EventDescriptor OLEStartDrag;
extern const EventDescriptor OLEGiveFeedback;
extern const EventDescriptor OLESetData;
extern const EventDescriptor OLECompleteDrag;
extern const EventDescriptor OLEDragOver;
extern const EventDescriptor OLEDragDrop;
} // namespace DragDropEventDescriptors
