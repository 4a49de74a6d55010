// The SelectType strategies, bound to the grid that shows their layout.
#include "ControlSelectStrategy.h"

#include "ControlSelectionHost.h"
#include "HvSelectableItem.h"
#include "HvTavelle.h"
#include "SelectExtendedOperation.h"
#include "SelectNoneOperation.h"
#include "SelectSingleOperation.h"
#include "SelectionErrors.h"

namespace {

constexpr int kNone = 1;
constexpr int kSingle = 2;
constexpr int kExtended = 3;

HvTavelle* GridOf(HvSelectableItem* item)
{
    return item ? dynamic_cast<HvTavelle*>(item->GridControl()) : nullptr;
}

} // namespace

std::unique_ptr<OverrideStrategy> ControlSelectStrategy::Make(OverrideStrategyKind kind, int value)
{
    if (kind == OverrideStrategyKind::CellClickAction || value < kNone || value > kExtended)
        return nullptr;
    return std::make_unique<ControlSelectStrategy>(value);
}

SelectOperation* ControlSelectStrategy::OperationFor(OverrideStrategy* strategy, HvSelectableItem* item)
{
    auto* own = dynamic_cast<ControlSelectStrategy*>(strategy);
    return own ? own->Bind(item) : nullptr;
}

ControlSelectStrategy::ControlSelectStrategy(int value) : value_(value) {}

ControlSelectStrategy::~ControlSelectStrategy()
{
    Unbind();
}

void ControlSelectStrategy::Unbind()
{
    if (!operation_)
        return;
    if (controlLive_.Alive())
        control_->Selection().Retire(std::move(operation_));
    operation_.reset();
    control_ = nullptr;
    controlLive_.Reset();
}

SelectOperation* ControlSelectStrategy::Bind(HvSelectableItem* item)
{
    HvTavelle* grid = GridOf(item);
    if (!grid)
        return nullptr;
    if (operation_ && grid == control_ && controlLive_.Alive())
        return operation_.get();
    Unbind();
    ControlSelectionHost& host = grid->Selection();
    switch (value_) {
    case kNone: operation_ = std::make_unique<SelectNoneOperation>(host); break;
    case kSingle: operation_ = std::make_unique<SelectSingleOperation>(host); break;
    default: operation_ = std::make_unique<SelectExtendedOperation>(host); break;
    }
    control_ = grid;
    controlLive_ = LiveRef(grid);
    return operation_.get();
}

SelectableTarget* ControlSelectStrategy::TargetOf(HvSelectableItem* item)
{
    return control_ ? control_->Selection().Targets().For(item) : nullptr;
}

void ControlSelectStrategy::BeginSelect(HvSelectableItem* item, bool drag, bool shiftAllowed, bool byTab)
{
    SelectOperation* operation = Bind(item);
    if (SelectableTarget* target = operation ? TargetOf(item) : nullptr)
        operation->BeginMouseSelect(target, drag, shiftAllowed, byTab);
}

HRESULT ControlSelectStrategy::SetObjectSelected(HvSelectableItem* item, bool fireEvents)
{
    SelectOperation* operation = Bind(item);
    if (!operation) {
        HvKeyedItem* keyed = item ? item->KeyedItem() : nullptr;
        return keyed ? keyed->GetItemObject()->Exception(SelectionError::NoGrid, SelectionError::NoGridString)
                     : SelectionError::NoGrid;
    }
    SelectableTarget* target = TargetOf(item);
    return target ? operation->SetObjectSelected(target, fireEvents) : E_FAIL;
}

void ControlSelectStrategy::Reset()
{
    if (operation_ && controlLive_.Alive())
        operation_->ReleaseDragEnd();
}
