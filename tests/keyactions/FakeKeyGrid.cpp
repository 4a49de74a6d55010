// The fake grid behind the key action tests.
#include "FakeKeyGrid.h"

#include "KeyboardHandler.h"

#include <algorithm>

namespace keytest {

namespace {

template <typename T>
T* At(const std::vector<T*>& items, std::ptrdiff_t index)
{
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(items.size()))
        return nullptr;
    return items[static_cast<std::size_t>(index)];
}

template <typename T>
std::ptrdiff_t IndexOf(const std::vector<T*>& items, T* item)
{
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : it - items.begin();
}

} // namespace

bool GridRow::HasPrevSibling() { return IndexOf(grid->SiblingsOf(this, false), this) > 0; }
bool GridRow::HasPrevSiblingSpanningBands() { return IndexOf(grid->SiblingsOf(this, true), this) > 0; }
bool GridRow::HasNextSibling() { return At(grid->SiblingsOf(this, false), IndexOf(grid->SiblingsOf(this, false), this) + 1); }
bool GridRow::HasNextSiblingSpanningBands() { return At(grid->SiblingsOf(this, true), IndexOf(grid->SiblingsOf(this, true), this) + 1); }
bool GridRow::IsExpandable() { return !children.empty(); }

bool GridCell::HasCellBefore() { return IndexOf(grid->ShownColumns(column->band, column->region), column) > 0; }
bool GridCell::HasCellAfter()
{
    const auto columns = grid->ShownColumns(column->band, column->region);
    return At(columns, IndexOf(columns, column) + 1) != nullptr;
}

FakeKeyGrid::FakeKeyGrid() : m_performer(*this) {}

int FakeKeyGrid::AddBand(int parent, const std::vector<std::string>& columns)
{
    GridBand band;
    band.parent = parent;
    const int index = static_cast<int>(m_bands.size());
    for (const std::string& name : columns) {
        m_columns.push_back(std::make_unique<GridColumn>());
        m_columns.back()->name = name;
        m_columns.back()->band = index;
        band.columns.push_back(m_columns.back().get());
    }
    m_bands.push_back(band);
    return index;
}

GridRow* FakeKeyGrid::AddRow(const std::string& name, int band, GridRow* parent)
{
    m_rows.push_back(std::make_unique<GridRow>());
    GridRow* row = m_rows.back().get();
    row->grid = this;
    row->name = name;
    row->band = band;
    row->parent = parent;
    (parent ? parent->children : m_roots).push_back(row);
    return row;
}

GridRow* FakeKeyGrid::Row(const std::string& name)
{
    for (const auto& row : m_rows) {
        if (row->name == name)
            return row.get();
    }
    return nullptr;
}

GridColumn* FakeKeyGrid::Column(const std::string& name)
{
    for (const auto& column : m_columns) {
        if (column->name == name)
            return column.get();
    }
    return nullptr;
}

GridCell* FakeKeyGrid::Cell(const std::string& rowName, const std::string& columnName)
{
    return C(CellOf(Give(Row(rowName)), Give(Column(columnName))));
}

std::unique_ptr<FakeKeyGrid> FakeKeyGrid::Standard()
{
    auto grid = std::make_unique<FakeKeyGrid>();
    grid->AddBand(-1, {"A", "B", "C", "D"});
    grid->AddBand(0, {"X", "Y"});
    grid->AddBand(0, {"Z"});
    grid->Column("C")->tabStop = false;
    GridRow* r1 = grid->AddRow("r1", 0);
    grid->AddRow("r1a", 1, r1);
    grid->AddRow("r1b", 1, r1);
    grid->AddRow("r1z", 2, r1);
    GridRow* r2 = grid->AddRow("r2", 0);
    grid->AddRow("r2a", 1, r2);
    GridRow* r3 = grid->AddRow("r3", 0);
    grid->AddRow("r3a", 1, r3);
    grid->AddRow("r3b", 1, r3);
    grid->AddRow("r4", 0);
    r1->expanded = true;
    r3->expanded = true;
    return grid;
}

FakeKeyGrid::Press FakeKeyGrid::PressKey(std::uint16_t key, bool shift, bool ctrl, bool alt)
{
    KeyActionMap map;
    Press press;
    press.action = map.Lookup(key, GetKeyActionState(*this), shift, ctrl, alt);
    if (press.action != 0)
        PerformKeyActionFromKeyboard(press.action, key == VK_TAB ? false : shift, ctrl, press.handled);
    return press;
}

bool FakeKeyGrid::Perform(std::int32_t action, bool shift, bool ctrl)
{
    bool handled = false;
    m_performer.PerformKeyAction(action, shift, ctrl, handled);
    return handled;
}

void FakeKeyGrid::PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled)
{
    m_performer.PerformKeyActionFromKeyboard(static_cast<std::int32_t>(action), shift, ctrl, handled);
}

std::string FakeKeyGrid::Log() const
{
    std::string text;
    for (const std::string& entry : m_log)
        text += (text.empty() ? "" : "; ") + entry;
    return text;
}

void FakeKeyGrid::SetActive(GridRow* row, GridCell* cell)
{
    activeRow = cell ? cell->row : row;
    activeCell = cell;
}

void FakeKeyGrid::EndKeyAction()
{
    ++endedActions;
}

// Handles: the fake's own objects under the host's opaque types.

KeyRow* FakeKeyGrid::Give(GridRow* row) { return reinterpret_cast<KeyRow*>(row); }
KeyCell* FakeKeyGrid::Give(GridCell* cell) { return reinterpret_cast<KeyCell*>(cell); }
KeyColumn* FakeKeyGrid::Give(GridColumn* column) { return reinterpret_cast<KeyColumn*>(column); }
GridRow* FakeKeyGrid::R(KeyRow* row) { return reinterpret_cast<GridRow*>(row); }
GridCell* FakeKeyGrid::C(KeyCell* cell) { return reinterpret_cast<GridCell*>(cell); }
GridColumn* FakeKeyGrid::Col(KeyColumn* column) { return reinterpret_cast<GridColumn*>(column); }

// Activation and selection, with the container's handlers.

bool FakeKeyGrid::Activate(GridRow* row, GridCell* cell)
{
    if (row != activeRow) {
        if (cancelRowActivate) {
            Note("RowActivate(" + row->name + ") cancelled");
            return false;
        }
        GridRow* to = redirectRowActivate ? redirectRowActivate : row;
        Note("RowActivate(" + row->name + ")" + (to != row ? " redirected to " + to->name : ""));
        activeRow = to;
        if (activeCell && activeCell->row != to)
            activeCell = nullptr;
        if (to != row)
            return false;
    }
    if (cell && cell != activeCell) {
        if (cancelCellActivate) {
            Note("CellActivate(" + cell->Name() + ") cancelled");
            return false;
        }
        Note("CellActivate(" + cell->Name() + ")");
        activeCell = cell;
    }
    return true;
}

void FakeKeyGrid::RequestActiveRow(KeyRow* row)
{
    Activate(R(row), nullptr);
}

void FakeKeyGrid::RequestActiveCell(KeyCell* cell)
{
    if (cell) {
        Activate(C(cell)->row, C(cell));
    } else if (activeCell) {
        Note("CellDeactivate(" + activeCell->Name() + ")");
        activeCell = nullptr;
    }
}

void FakeKeyGrid::SetSelectionPivotRow(KeyRow* row, bool keep)
{
    Note("Pivot(" + R(row)->name + (keep ? ",keep" : "") + ")");
    pivot = R(row)->name;
    pivotIsCell = false;
    pivotBand = R(row)->band;
}

void FakeKeyGrid::SetSelectionPivotCell(KeyCell* cell, bool keep)
{
    Note("Pivot(" + C(cell)->Name() + (keep ? ",keep" : "") + ")");
    pivot = C(cell)->Name();
    pivotIsCell = true;
    pivotBand = C(cell)->column->band;
}

void FakeKeyGrid::Select(GridRow* row, GridCell* cell, bool shift, const std::string& call)
{
    std::string entry = call;
    if (shift)
        entry += ",shift";
    if (ctrlOverride == KeyCtrlOverride::Held)
        entry += ",ctrl-held";
    if (ctrlOverride == KeyCtrlOverride::Released)
        entry += ",ctrl-released";
    Note(entry + ")");
    if (cancelSelectChange) {
        Note("SelectChange cancelled");
        return;
    }
    if (!Activate(row, cell))
        return;
    const SelectType type = cell ? cellSelect : rowSelect;
    const std::string name = cell ? cell->Name() : row->name;
    if (type == SelectType::None)
        return;
    if (type == SelectType::Extended && ctrlOverride == KeyCtrlOverride::Held) {
        if (!selected.erase(name))
            selected.insert(name);
    } else {
        if (!shift || type == SelectType::Single)
            selected.clear();
        selected.insert(name);
    }
    if (!shift || pivot.empty()) {
        pivot = name;
        pivotIsCell = cell != nullptr;
        pivotBand = cell ? cell->column->band : row->band;
    }
}

void FakeKeyGrid::SelectRow(KeyRow* row, bool shift)
{
    Select(R(row), nullptr, shift, "SelectRow(" + R(row)->name);
}

void FakeKeyGrid::SelectCell(KeyCell* cell, bool shift, bool byTab)
{
    GridCell* c = C(cell);
    Select(c->row, c, shift, "SelectCell(" + c->Name() + (byTab ? ",tab" : ""));
}

// Rows.

std::vector<GridRow*> FakeKeyGrid::SiblingsOf(GridRow* row, bool spanBands)
{
    const std::vector<GridRow*>& all = row->parent ? row->parent->children : m_roots;
    std::vector<GridRow*> siblings;
    for (GridRow* other : all) {
        if (spanBands || other->band == row->band)
            siblings.push_back(other);
    }
    return siblings;
}

bool FakeKeyGrid::Shows(GridRow* row)
{
    if (!row->expanded)
        return false;
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        if (m_bands[i].parent == row->band && !m_bands[i].hidden)
            return true;
    }
    return false;
}

KeyRow* FakeKeyGrid::GridFirstRow()
{
    return Give(m_roots.empty() ? nullptr : m_roots.front());
}

KeyRow* FakeKeyGrid::GridLastRow()
{
    return Give(m_roots.empty() ? nullptr : m_roots.back());
}

KeyRow* FakeKeyGrid::ViewLastRow()
{
    KeyRow* last = GridLastRow();
    KeyRow* deepest = last ? LastShownDescendant(last) : nullptr;
    return deepest ? deepest : last;
}

KeyRow* FakeKeyGrid::LastShownDescendant(KeyRow* row)
{
    if (viewStyle != ViewStyle::MultiBand && viewStyle != ViewStyle::MultiBandHorizontal)
        return nullptr;
    GridRow* r = R(row);
    while (Shows(r) && !r->children.empty())
        r = r->children.back();
    return r == R(row) ? nullptr : Give(r);
}

KeyRow* FakeKeyGrid::FirstChild(KeyRow* row)
{
    return Give(R(row)->children.empty() ? nullptr : R(row)->children.front());
}

bool FakeKeyGrid::HasSibling(KeyRow* row, KeySibling which, bool spanBands)
{
    return Sibling(row, which, spanBands) != nullptr;
}

KeyRow* FakeKeyGrid::Sibling(KeyRow* row, KeySibling which, bool spanBands)
{
    const std::vector<GridRow*> siblings = SiblingsOf(R(row), spanBands);
    const std::ptrdiff_t index = IndexOf(siblings, R(row));
    switch (which) {
    case KeySibling::First:
        return Give(siblings.front());
    case KeySibling::Last:
        return Give(siblings.back());
    case KeySibling::Next:
        return Give(At(siblings, index + 1));
    case KeySibling::Prev:
        return Give(At(siblings, index - 1));
    }
    return nullptr;
}

// Rows of the row's band (any band when spanning) under the nearest row of
// the parent level, in the direction, that shows such rows.
KeyRow* FakeKeyGrid::RelatedRow(KeyRow* row, bool forward, bool spanBands)
{
    GridRow* r = R(row);
    if (!r->parent)
        return nullptr;
    const std::vector<GridRow*> level = SiblingsOf(r->parent, false);
    const std::ptrdiff_t step = forward ? 1 : -1;
    for (std::ptrdiff_t i = IndexOf(level, r->parent) + step; At(level, i); i += step) {
        GridRow* candidate = At(level, i);
        if (!Shows(candidate))
            continue;
        std::vector<GridRow*> rows;
        for (GridRow* child : candidate->children) {
            if (spanBands || child->band == r->band)
                rows.push_back(child);
        }
        if (!rows.empty())
            return Give(forward ? rows.front() : rows.back());
    }
    return nullptr;
}

bool FakeKeyGrid::IsEffectivelyHidden(KeyRow* row)
{
    for (GridRow* r = R(row); r; r = r->parent) {
        if (r->hidden || m_bands[static_cast<std::size_t>(r->band)].hidden)
            return true;
    }
    return false;
}

// Columns and cells.

std::vector<GridColumn*> FakeKeyGrid::ShownColumns(int band, int region)
{
    std::vector<GridColumn*> shown;
    for (GridColumn* column : m_bands[static_cast<std::size_t>(band)].columns) {
        if (!column->hidden && column->region == region)
            shown.push_back(column);
    }
    return shown;
}

KeyColumn* FakeKeyGrid::ColumnOf(KeyCell* cell)
{
    return Give(C(cell)->column);
}

KeyCell* FakeKeyGrid::CellOf(KeyRow* row, KeyColumn* column)
{
    GridRow* r = R(row);
    GridColumn* col = Col(column);
    if (!r || !col || col->band != r->band)
        return nullptr;
    std::unique_ptr<GridCell>& cell = m_cells[{r, col}];
    if (!cell) {
        cell = std::make_unique<GridCell>();
        cell->grid = this;
        cell->row = r;
        cell->column = col;
    }
    return Give(cell.get());
}

KeyColumn* FakeKeyGrid::StepHeaders(KeyRow* row, KeyColumn* from, KeyHeaderStep step)
{
    const std::vector<GridColumn*> columns = ShownColumns(R(row)->band, from ? Col(from)->region : 0);
    if (columns.empty())
        return nullptr;
    switch (step) {
    case KeyHeaderStep::First:
        return Give(columns.front());
    case KeyHeaderStep::Last:
        return Give(columns.back());
    case KeyHeaderStep::Next:
    case KeyHeaderStep::Prev: {
        const std::ptrdiff_t index = IndexOf(columns, Col(from));
        if (index < 0)
            return nullptr;
        return Give(At(columns, index + (step == KeyHeaderStep::Next ? 1 : -1)));
    }
    }
    return nullptr;
}

KeyColumn* FakeKeyGrid::FindHeaderAfter(KeyRow* row, bool inActiveRegion)
{
    for (GridColumn* column : m_bands[static_cast<std::size_t>(R(row)->band)].columns) {
        if (!column->hidden && (!inActiveRegion || column->region == 0 || column->region == activeColRegion))
            return Give(column);
    }
    return nullptr;
}

KeyColumn* FakeKeyGrid::FindHeaderBefore(KeyRow* row)
{
    const std::vector<GridColumn*>& columns = m_bands[static_cast<std::size_t>(R(row)->band)].columns;
    for (auto it = columns.rbegin(); it != columns.rend(); ++it) {
        if (!(*it)->hidden)
            return Give(*it);
    }
    return nullptr;
}

bool FakeKeyGrid::IsCellDisabled(KeyCell* cell)
{
    return C(cell)->disabled || C(cell)->column->disabled || C(cell)->row->disabled;
}

// The strategies: Extended with Shift or Ctrl keeps to the pivot's kind and
// band.

bool FakeKeyGrid::AcceptsCell(KeyCell* cell, bool shift, bool ctrl)
{
    if (!C(cell)->column->tabStop)
        return false;
    if (cellSelect != SelectType::Extended || !(shift || ctrl) || pivot.empty())
        return true;
    return pivotIsCell && pivotBand == C(cell)->column->band;
}

bool FakeKeyGrid::AcceptsRow(KeyRow* row, bool shift, bool ctrl)
{
    if (rowSelect != SelectType::Extended || !(shift || ctrl) || pivot.empty())
        return true;
    return !pivotIsCell && pivotBand == R(row)->band;
}

bool FakeKeyGrid::CellStepMaySpanBands(bool shiftOrCtrl)
{
    return cellSelect != SelectType::Extended || !shiftOrCtrl;
}

// Cell and row operations.

void FakeKeyGrid::ToggleEditMode(KeyCell* cell)
{
    Note("ToggleEditMode(" + C(cell)->Name() + ")");
    C(cell)->editing = !C(cell)->editing;
}

bool FakeKeyGrid::EnterEditMode(KeyCell* cell, bool dropDown)
{
    Note("EnterEditMode(" + C(cell)->Name() + (dropDown ? ",dropdown" : "") + ")");
    if (C(cell)->editing)
        return false;
    C(cell)->editing = true;
    C(cell)->dropDownShowing = dropDown && C(cell)->dropDown;
    return true;
}

void FakeKeyGrid::ExitEditMode(KeyCell* cell)
{
    Note("ExitEditMode(" + C(cell)->Name() + ")");
    C(cell)->editing = false;
}

void FakeKeyGrid::ToggleDropDown(KeyCell* cell)
{
    Note("ToggleDropDown(" + C(cell)->Name() + ")");
    C(cell)->dropDownShowing = !C(cell)->dropDownShowing;
}

void FakeKeyGrid::OpenDropDown(KeyCell* cell)
{
    Note("OpenDropDown(" + C(cell)->Name() + ")");
    C(cell)->dropDownShowing = true;
}

void FakeKeyGrid::CloseDropDown(KeyCell* cell)
{
    Note("CloseDropDown(" + C(cell)->Name() + ")");
    C(cell)->dropDownShowing = false;
}

void FakeKeyGrid::ToggleCheckBox(KeyCell* cell)
{
    Note("ToggleCheckBox(" + C(cell)->Name() + ")");
}

void FakeKeyGrid::SetExpanded(KeyRow* row, bool expanded)
{
    Note((expanded ? "Expand(" : "Collapse(") + R(row)->name + ")");
    R(row)->expanded = expanded;
}

// The row scroll region.

KeyRow* FakeKeyGrid::VisibleRowOfBand(KeyRow* bandRow, bool last)
{
    if (page >= pages.size())
        return nullptr;
    std::vector<GridRow*> rows;
    for (GridRow* row : pages[page]) {
        if (row->band == R(bandRow)->band)
            rows.push_back(row);
    }
    if (rows.empty())
        return nullptr;
    return Give(last ? rows.back() : rows.front());
}

void FakeKeyGrid::ScrollActiveRowRegionPage(bool down)
{
    Note(down ? "ScrollPageDown" : "ScrollPageUp");
    if (down && page + 1 < pages.size())
        ++page;
    else if (!down && page > 0)
        --page;
}

} // namespace keytest
