// RowSizing: sizing a row by the bottom edge of its selector or its cells:
// how far the edge may move and the row's new height at the end.
#pragma once

struct AdjustmentRange;
class HvUIElement;

// The range of an element inside a Row element (none for a fixed height).
void RowSizingRange(HvUIElement& element, AdjustmentRange& range);
// The row's height grows by change (no-op for 0 or a dead element).
void RowSizingApply(HvUIElement& element, int change);
