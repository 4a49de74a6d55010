// SelectExtendedOperation: SelectType Extended. A press selects the item
// alone, Ctrl toggles it and keeps the rest, Shift selects the range from
// the pivot, Shift+Ctrl adds the range to the selection saved at the press;
// a drag extends the range as the mouse moves. The bands' limits on
// selected rows and cells are kept ("Too Many Items").
#pragma once

#include "SelectOperation.h"

class SelectExtendedOperation final : public SelectOperationEx
{
public:
    // Answers of the object-model selection.
    static constexpr HRESULT TooManyItems = static_cast<HRESULT>(0x800A9C5E);
    static constexpr HRESULT OtherBand = static_cast<HRESULT>(0x800A9C6E);

    using SelectOperationEx::SelectOperationEx;
    ~SelectExtendedOperation() override;

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    void BeginMouseSelect(SelectableTarget* item, bool drag, bool shift, bool byTab) override;
    HRESULT SetObjectSelected(SelectableTarget* item, bool fireEvents) override;
    bool AcceptsKeyTarget(SelectableTarget* item, bool shift, bool ctrl) override;
    bool AllowsStepAcrossBands(bool shiftOrCtrl) override { return !shiftOrCtrl; }
    void ReleaseDragEnd() override;

    SelectableTarget* DragEnd() const { return dragEnd_; }
    bool SelectMode() const { return selectMode_; }

protected:
    std::unique_ptr<SelectionSet> MakeSelection(SelectableTarget* item, const SelectionSet& current,
                                                bool keep) override;

private:
    bool CtrlInEffect();
    bool MatchesPivot(SelectableTarget* item);
    bool LimitReached(SelectableTarget* item);
    void SetDragEnd(SelectableTarget* item);
    void DropSaved();
    void SaveSelection(LONG kind);
    // Decides the state of a press with the mouse; false when the press
    // stops there.
    bool PressState(SelectableTarget* item, bool shift, bool ctrl);
    void PressSelect(SelectableTarget* item, bool drag, bool shift, bool ctrl, bool byTab);
    // The selection from the pivot to item (null when the band's limit was
    // reported or there was no memory); rangeLists receives the plain range.
    std::unique_ptr<SelectionSet> RangeSelection(SelectableTarget* item, const SelectionSet& current, bool ctrl,
                                                 SelectionSet* rangeLists);
    LRESULT Extend(SelectableTarget* item);
    void ReleaseOnSelected(int x, int y);

    SelectableTarget* dragEnd_ = nullptr;     // referenced
    SelectableTarget* dragEndRow_ = nullptr;  // a cell's row, referenced
    std::unique_ptr<SelectionSet> saved_;     // the selection at a Ctrl press
    bool selectMode_ = true;
    bool ctrlMode_ = false;
};
