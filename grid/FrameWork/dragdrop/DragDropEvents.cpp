// Descriptors of the OLE drag events.
#include "DragDropEvents.h"

namespace {

constexpr VARTYPE kObject = VT_BYREF | VT_DISPATCH;
constexpr VARTYPE kShort = VT_BYREF | VT_I2;
constexpr VARTYPE kSingle = VT_BYREF | VT_R4;

constexpr VARTYPE kTwoObjects[] = {kObject, kObject};
constexpr VARTYPE kOneObject[] = {kObject};
constexpr VARTYPE kDragOver[] = {kObject, kObject, kShort, kShort, kSingle, kSingle, kObject};
constexpr VARTYPE kDragDrop[] = {kObject, kObject, kShort, kShort, kSingle, kSingle};

} // namespace

namespace DragDropEventDescriptors {
const EventDescriptor OLEStartDrag = {DragDropDispid::OLEStartDrag, 2, kTwoObjects};
const EventDescriptor OLEGiveFeedback = {DragDropDispid::OLEGiveFeedback, 2, kTwoObjects};
const EventDescriptor OLESetData = {DragDropDispid::OLESetData, 2, kTwoObjects};
const EventDescriptor OLECompleteDrag = {DragDropDispid::OLECompleteDrag, 1, kOneObject};
const EventDescriptor OLEDragOver = {DragDropDispid::OLEDragOver, 7, kDragOver};
const EventDescriptor OLEDragDrop = {DragDropDispid::OLEDragDrop, 6, kDragDrop};
} // namespace DragDropEventDescriptors
