// ControlSelectionTargets: the grid's rows, cells, columns and groups as the
// selection strategies see them (SelectableTarget). One target stands for
// one object for as long as the object lives, so that the strategies can
// compare targets by address; a target whose object died (known by the
// object's liveness serial, not its address) answers as an inert item until
// the table lets it go at a quiet moment.
#pragma once

#include "LiveObjectRegistry.h"
#include "SelectableTarget.h"

#include <memory>
#include <unordered_map>
#include <vector>

class HvSelectableItem;
class HvTavelle;
class ControlSelectionTargets;

class ItemTarget final : public SelectableTarget {
public:
    ItemTarget(ControlSelectionTargets& table, HvSelectableItem* item);
    ItemTarget(const ItemTarget&) = delete;
    ItemTarget& operator=(const ItemTarget&) = delete;

    // The object, or null once it died.
    HvSelectableItem* Item() const;
    bool Alive() const { return live_.Alive(); }
    bool IsLive() override;

    ULONG AddRefTarget() override;
    ULONG ReleaseTarget() override;
    LONG GetKind() override { return kind_; }
    const void* GetBand() override;
    SelectableTarget* GetRow() override;
    void GetGroupColumns(std::vector<SelectableTarget*>& out) override;
    bool IsSelected() override;
    void SetSelected(bool selected) override;
    bool IsSelectedThroughColumns() override;
    void SetSavedMark(bool saved) override;
    bool IsTabStop() override;
    bool ActivateByKey(bool byTab) override;
    bool ActivateOnClick(bool drag, bool byTab) override;
    void EnterEditMode() override;
    bool CanDragMove() override;
    void BeginHeaderDrag() override;
    void OnHeaderClick() override;
    LONG SelectionLimit() override;

private:
    ControlSelectionTargets& table_;
    HvSelectableItem* item_;  // not referenced: liveness by live_
    LiveRef live_;
    LONG kind_;
};

class ControlSelectionTargets {
public:
    explicit ControlSelectionTargets(HvTavelle& control) : control_(control) {}
    ControlSelectionTargets(const ControlSelectionTargets&) = delete;
    ControlSelectionTargets& operator=(const ControlSelectionTargets&) = delete;

    // The target of a live row, cell, column or group; null for none.
    ItemTarget* For(HvSelectableItem* item);
    // The object behind a target of this table, or null when it died.
    static HvSelectableItem* ItemOf(SelectableTarget* target);
    // Lets the targets of dead objects go; only where no strategy is
    // following the mouse and no selection is being built.
    void Prune();
    size_t Size() const { return targets_.size() + retired_.size(); }

    HvTavelle& Control() { return control_; }

private:
    HvTavelle& control_;
    std::unordered_map<HvSelectableItem*, std::unique_ptr<ItemTarget>> targets_;
    // Targets of dead objects whose address a new object took.
    std::vector<std::unique_ptr<ItemTarget>> retired_;
};
