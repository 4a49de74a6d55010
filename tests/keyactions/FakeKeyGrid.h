// A fake grid for the key action tests: bands of named columns, a tree of
// named rows, cells made on demand, Extended/Single/None strategies, a row
// scroll region shown page by page, and a log of what the performer asked
// for. Activation and selection fire their events into the log and can be
// cancelled or redirected, as a container's handlers would.
#pragma once

#include "KeyActionHost.h"
#include "KeyActionPerformer.h"
#include "KeyboardHost.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace keytest {

enum class SelectType { None, Single, Extended };
enum class ViewStyle { None, SingleBand, MultiBand, MultiBandHorizontal };

class FakeKeyGrid;

struct GridColumn {
    std::string name;
    int band = 0;
    bool hidden = false;
    bool tabStop = true;
    bool disabled = false;
    int region = 0;   // exclusive column scroll region, 0 for none
};

struct GridBand {
    int parent = -1;
    bool hidden = false;
    std::vector<GridColumn*> columns;
};

struct GridRow : KeyRowQuery {
    FakeKeyGrid* grid = nullptr;
    std::string name;
    int band = 0;
    GridRow* parent = nullptr;
    std::vector<GridRow*> children;
    bool expanded = false;
    bool hidden = false;
    bool disabled = false;

    bool HasPrevSibling() override;
    bool HasPrevSiblingSpanningBands() override;
    bool HasNextSibling() override;
    bool HasNextSiblingSpanningBands() override;
    bool IsExpanded() override { return expanded; }
    bool IsExpandable() override;
    bool HasParentRow() override { return parent != nullptr; }
};

struct GridCell : KeyCellQuery {
    FakeKeyGrid* grid = nullptr;
    GridRow* row = nullptr;
    GridColumn* column = nullptr;
    bool disabled = false;
    bool editing = false;
    bool dropDown = false;
    bool dropDownShowing = false;
    bool checkBox = false;
    std::string text;

    std::string Name() const { return row->name + "." + column->name; }
    bool HasCellBefore() override;
    bool HasCellAfter() override;
    bool IsInEditMode() override { return editing; }
    bool HasDropDown() override { return dropDown; }
    bool IsDropDownShowing() override { return dropDownShowing; }
    bool IsCheckBox() override { return checkBox; }
};

class FakeKeyGrid final : public KeyActionHost, public KeyboardHost
{
public:
    FakeKeyGrid();

    // Building.
    int AddBand(int parent, const std::vector<std::string>& columns);
    GridRow* AddRow(const std::string& name, int band, GridRow* parent = nullptr);
    GridRow* Row(const std::string& name);
    GridColumn* Column(const std::string& name);
    GridCell* Cell(const std::string& rowName, const std::string& columnName);
    GridBand& Band(int index) { return m_bands[static_cast<std::size_t>(index)]; }
    // The standard tree: band 0 (A B C D, C no tab stop) with child bands 1
    // (X Y) and 2 (Z); rows r1 (expanded: r1a r1b in band 1, r1z in band
    // 2), r2 (collapsed: r2a), r3 (expanded: r3a r3b), r4.
    static std::unique_ptr<FakeKeyGrid> Standard();

    // Pressing a key as the keyboard handler does: the grid key state, the
    // key action map, then the performer (Tab passes Shift as released).
    struct Press {
        std::uint32_t action = 0;
        bool handled = false;
    };
    Press PressKey(std::uint16_t key, bool shift, bool ctrl, bool alt = false);
    bool Perform(std::int32_t action, bool shift = false, bool ctrl = false);
    KeyActionPerformer& Performer() { return m_performer; }
    // A host handle of a fake row, and back.
    KeyRow* Handle(GridRow* row) { return Give(row); }
    GridRow* RowOf(KeyRow* row) { return R(row); }

    // What happened, one entry per call or event; cleared on request.
    std::string Log() const;
    void ClearLog() { m_log.clear(); }

    // Fixture state.
    void SetActive(GridRow* row, GridCell* cell = nullptr);
    GridRow* activeRow = nullptr;
    GridCell* activeCell = nullptr;
    ViewStyle viewStyle = ViewStyle::MultiBand;
    SelectType cellSelect = SelectType::Extended;
    SelectType rowSelect = SelectType::Extended;
    std::set<std::string> selected;
    // The pivot: the object the strategies selected last, or the one made
    // pivot by an activation.
    std::string pivot;
    bool pivotIsCell = false;
    int pivotBand = -1;
    // The container's handlers.
    bool cancelRowActivate = false;
    bool cancelCellActivate = false;
    bool cancelSelectChange = false;
    GridRow* redirectRowActivate = nullptr;   // the handler activates this row instead
    // The row scroll region: pages of visible rows, the current page.
    std::vector<std::vector<GridRow*>> pages;
    std::size_t page = 0;
    int activeColRegion = 0;
    KeyCtrlOverride ctrlOverride = KeyCtrlOverride::None;
    int endedActions = 0;

    // KeyActionHost.
    void EndKeyAction() override;
    KeyRow* ActiveRow() override { return Give(activeRow); }
    KeyCell* ActiveCell() override { return Give(activeCell); }
    void RequestActiveRow(KeyRow* row) override;
    void RequestActiveCell(KeyCell* cell) override;
    void SetSelectionPivotRow(KeyRow* row, bool keep) override;
    void SetSelectionPivotCell(KeyCell* cell, bool keep) override;
    void UpdateGridWindow() override { Note("Update"); }
    bool HasViewStyle() override { return viewStyle != ViewStyle::None; }
    bool LaysBandsSideBySide() override { return viewStyle == ViewStyle::MultiBandHorizontal; }
    KeyRow* GridFirstRow() override;
    KeyRow* GridLastRow() override;
    KeyRow* ViewLastRow() override;
    KeyRow* LastShownDescendant(KeyRow* row) override;
    bool ShowsChildren(KeyRow* row) override { return Shows(R(row)); }
    KeyRow* FirstChild(KeyRow* row) override;
    bool HasSibling(KeyRow* row, KeySibling which, bool spanBands) override;
    KeyRow* Sibling(KeyRow* row, KeySibling which, bool spanBands) override;
    KeyRow* Parent(KeyRow* row) override { return Give(R(row)->parent); }
    KeyRow* RelatedRow(KeyRow* row, bool forward, bool spanBands) override;
    bool IsEffectivelyHidden(KeyRow* row) override;
    bool IsRowDisabled(KeyRow* row) override { return R(row)->disabled; }
    KeyColumn* ColumnOf(KeyCell* cell) override;
    KeyCell* CellOf(KeyRow* row, KeyColumn* column) override;
    KeyColumn* StepHeaders(KeyRow* row, KeyColumn* from, KeyHeaderStep step) override;
    KeyColumn* FindHeaderAfter(KeyRow* row, bool inActiveRegion) override;
    KeyColumn* FindHeaderBefore(KeyRow* row) override;
    bool IsCellDisabled(KeyCell* cell) override;
    bool AcceptsCell(KeyCell* cell, bool shift, bool ctrl) override;
    bool AcceptsRow(KeyRow* row, bool shift, bool ctrl) override;
    bool CellStepMaySpanBands(bool shiftOrCtrl) override;
    void SetCtrlOverride(KeyCtrlOverride how) override { ctrlOverride = how; }
    void SelectRow(KeyRow* row, bool shift) override;
    void SelectCell(KeyCell* cell, bool shift, bool byTab) override;
    void ToggleEditMode(KeyCell* cell) override;
    bool EnterEditMode(KeyCell* cell, bool dropDown) override;
    void ExitEditMode(KeyCell* cell) override;
    void ToggleDropDown(KeyCell* cell) override;
    void OpenDropDown(KeyCell* cell) override;
    void CloseDropDown(KeyCell* cell) override;
    void ToggleCheckBox(KeyCell* cell) override;
    void CancelCellUpdate(KeyCell* cell) override { Note("CancelUpdate(" + C(cell)->Name() + ")"); }
    void CancelRowUpdate(KeyRow* row) override { Note("CancelUpdate(" + R(row)->name + ")"); }
    void SetExpanded(KeyRow* row, bool expanded) override;
    void DeleteSelectedRows() override { Note("DeleteSelectedRows"); }
    void ActivateNextScrollRegion() override { Note("NextRegion"); }
    void ActivatePrevScrollRegion() override { Note("PrevRegion"); }
    KeyRow* VisibleRowOfBand(KeyRow* bandRow, bool last) override;
    void ScrollActiveRowRegionPage(bool down) override;

    // KeyboardHost.
    InputDispatcher* GetInputDispatcher() override { return nullptr; }
    HWND GetGridWindow() override { return nullptr; }
    KeyCellQuery* GetActiveCell() override { return activeCell; }
    KeyRowQuery* GetActiveRow() override { return activeRow; }
    int GetTabNavigation() override { return 0; }
    HWND GetEditWindow() override { return nullptr; }
    void PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled) override;

    // Relations the key state reads too.
    std::vector<GridRow*> SiblingsOf(GridRow* row, bool spanBands);
    std::vector<GridColumn*> ShownColumns(int band, int region);
    bool Shows(GridRow* row);

private:
    KeyRow* Give(GridRow* row);
    KeyCell* Give(GridCell* cell);
    KeyColumn* Give(GridColumn* column);
    GridRow* R(KeyRow* row);
    GridCell* C(KeyCell* cell);
    GridColumn* Col(KeyColumn* column);
    void Note(const std::string& entry) { m_log.push_back(entry); }
    bool Activate(GridRow* row, GridCell* cell);
    void Select(GridRow* row, GridCell* cell, bool shift, const std::string& call);

    std::vector<GridBand> m_bands;
    std::vector<std::unique_ptr<GridColumn>> m_columns;
    std::vector<std::unique_ptr<GridRow>> m_rows;
    std::map<std::pair<GridRow*, GridColumn*>, std::unique_ptr<GridCell>> m_cells;
    std::vector<GridRow*> m_roots;
    std::vector<std::string> m_log;
    KeyActionPerformer m_performer;
};

} // namespace keytest
