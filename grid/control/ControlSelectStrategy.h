// ControlSelectStrategy: a SelectType setting's strategy as the layout's
// parts make it (the maker knows no control). On first use it binds to the
// grid control that shows the item's layout and makes its operation there:
// None, Single or Extended. A layout that no grid shows selects nothing
// ("Rowset has not been initialized"). When the override lets the strategy
// go, its operation stops following the mouse at once and is deleted at
// the control's next quiet moment, since it may be running.
#pragma once

#include "LiveObjectRegistry.h"
#include "OverrideStrategy.h"
#include "SelectStrategy.h"

#include <memory>

class HvTavelle;
class SelectOperation;
class SelectableTarget;

class ControlSelectStrategy final : public SelectStrategy {
public:
    // value: Constants_SelectType (1 None, 2 Single, 3 Extended).
    explicit ControlSelectStrategy(int value);
    ~ControlSelectStrategy() override;
    ControlSelectStrategy(const ControlSelectStrategy&) = delete;
    ControlSelectStrategy& operator=(const ControlSelectStrategy&) = delete;

    // The layout parts' maker: null for values outside 1 to 3.
    static std::unique_ptr<OverrideStrategy> Make(OverrideStrategyKind kind, int value);
    // The operation of a strategy bound to the item's grid, or null.
    static SelectOperation* OperationFor(OverrideStrategy* strategy, HvSelectableItem* item);

    void BeginSelect(HvSelectableItem* item, bool drag, bool shiftAllowed, bool byTab) override;
    HRESULT SetObjectSelected(HvSelectableItem* item, bool fireEvents) override;
    void Reset() override;

    int Value() const { return value_; }

private:
    // The operation on the grid showing the item's layout (made or remade
    // for it), or null without one.
    SelectOperation* Bind(HvSelectableItem* item);
    SelectableTarget* TargetOf(HvSelectableItem* item);
    void Unbind();

    int value_;
    HvTavelle* control_ = nullptr;  // not referenced: liveness by controlLive_
    LiveRef controlLive_;
    std::unique_ptr<SelectOperation> operation_;
};
