// SelectNoneOperation: SelectType None. A press runs the item's click
// activation and selects nothing; a 4-pixel drag on a header starts a
// header drag. ControlSelectOperation, the control's own, serves header
// presses whose click action is not Select: its release runs the header
// click action (sorting).
#pragma once

#include "SelectOperation.h"

class SelectNoneOperation : public SelectOperation
{
public:
    using SelectOperation::SelectOperation;

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    void BeginMouseSelect(SelectableTarget* item, bool drag, bool shift, bool byTab) override;
    HRESULT SetObjectSelected(SelectableTarget* item, bool fireEvents) override;
};

class ControlSelectOperation final : public SelectNoneOperation
{
public:
    using SelectNoneOperation::SelectNoneOperation;

    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
};
