// SelectSingleOperation: SelectType Single. A press selects the item alone
// (Ctrl keeps the other kinds), a drag moves the selection to the item under
// the mouse, a second press on the selected cell edits it on release, and a
// press on a selected movable header starts a header drag after 4 pixels.
#pragma once

#include "SelectOperation.h"

class SelectSingleOperation final : public SelectOperationEx
{
public:
    using SelectOperationEx::SelectOperationEx;

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    void BeginMouseSelect(SelectableTarget* item, bool drag, bool shift, bool byTab) override;
    HRESULT SetObjectSelected(SelectableTarget* item, bool fireEvents) override;

private:
    // Moves the selection to item; true when a handler cancelled.
    bool MoveSelectionTo(SelectableTarget* item, bool keep);
};
