// The stand-in band and control of the selection operation tests.
#include "SelectionFixture.h"

#include <algorithm>

namespace {

constexpr int kRows = 5;
constexpr int kColumns = 3;
constexpr int kWidth = 50;
constexpr int kHeight = 20;
const char* const kBand = "band";

void Unmark(SelectionSet::List& list)
{
    for (SelectableTarget* item : list)
        item->SetSelected(false);
    list.clear();
}

} // namespace

bool FakeTarget::IsSelectedThroughColumns()
{
    if (members.empty())
        return false;
    return std::all_of(members.begin(), members.end(), [](SelectableTarget* m) { return m->IsSelected(); });
}

void FakeTarget::SetSelected(bool value)
{
    selected = value;
    for (SelectableTarget* member : members)
        member->SetSelected(value);
}

SelectionFixture::SelectionFixture() : dispatcher(*this)
{
    for (int i = 0; i < kRows; ++i)
        rows.push_back(std::make_unique<FakeTarget>(SelectableTarget::Row, i, kBand));
    for (int j = 0; j < kColumns; ++j)
        columns.push_back(std::make_unique<FakeTarget>(SelectableTarget::Column, j, kBand));
    cells.resize(kRows);
    for (int i = 0; i < kRows; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            cells[i].push_back(std::make_unique<FakeTarget>(SelectableTarget::Cell, i * kColumns + j, kBand));
            cells[i].back()->row = rows[i].get();
        }
    }
    group = std::make_unique<FakeTarget>(SelectableTarget::Group, 0, kBand);
    group->members = {columns[0].get(), columns[1].get()};
}

void SelectionFixture::Press(SelectOperation& operation, FakeTarget* item, int x, int y, bool shiftAllowed)
{
    cursor = POINT{x, y};
    buttonDown = true;
    operation.BeginMouseSelect(item, true, shiftAllowed, false);
}

LRESULT SelectionFixture::Move(int x, int y)
{
    cursor = POINT{x, y};
    WPARAM wParam = MK_LBUTTON | (ctrl ? MK_CONTROL : 0);
    LPARAM lParam = MAKELPARAM(x, y);
    bool handled = false;
    return dispatcher.FilterMessage(WM_MOUSEMOVE, &wParam, &lParam, &handled);
}

LRESULT SelectionFixture::Release(int x, int y)
{
    cursor = POINT{x, y};
    buttonDown = false;
    WPARAM wParam = 0;
    LPARAM lParam = MAKELPARAM(x, y);
    bool handled = false;
    return dispatcher.FilterMessage(WM_LBUTTONUP, &wParam, &lParam, &handled);
}

std::string SelectionFixture::Selected() const
{
    std::string text;
    auto add = [&text](const std::string& name) { text += (text.empty() ? "" : " ") + name; };
    for (const auto& row : rows)
        if (row->selected)
            add("r" + std::to_string(row->index));
    for (const auto& line : cells)
        for (const auto& cell : line)
            if (cell->selected)
                add("c" + std::to_string(cell->index / kColumns) + "." + std::to_string(cell->index % kColumns));
    for (const auto& column : columns)
        if (column->selected)
            add("k" + std::to_string(column->index));
    return text;
}

void SelectionFixture::Select(std::initializer_list<FakeTarget*> items)
{
    for (FakeTarget* item : items) {
        item->selected = true;
        current.Add(item);
    }
}

bool SelectionFixture::FireBeforeSelectChange(LONG kind, const SelectionSet& wouldBe)
{
    events.push_back("before " + std::to_string(kind) + " " + std::to_string(wouldBe.Of(kind).size()));
    return cancelBefore;
}

void SelectionFixture::FireAfterSelectChange(LONG kind)
{
    events.push_back("after " + std::to_string(kind));
}

void SelectionFixture::ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers)
{
    for (LONG other : {SelectableTarget::Row, SelectableTarget::Cell, SelectableTarget::Column}) {
        if (other == kind ? !keepSameKind : clearOthers)
            Unmark(current.Of(other));
    }
}

void SelectionFixture::ApplySelection(const SelectionSet& selection, bool, const SelectionSet*)
{
    for (LONG kind : {SelectableTarget::Row, SelectableTarget::Cell, SelectableTarget::Column}) {
        for (SelectableTarget* item : current.Of(kind))
            item->SetSelected(false);
        for (SelectableTarget* item : selection.Of(kind))
            item->SetSelected(true);
    }
    current = selection;
}

void SelectionFixture::AddSelectedQuietly(SelectableTarget* item, bool clearFirst)
{
    if (clearFirst)
        current.Of(item->GetKind()).clear();
    current.Add(item);
}

void SelectionFixture::SetSelectionPivot(SelectableTarget* item, bool keepExisting)
{
    if (!keepExisting || !pivot)
        pivot = item;
}

HRESULT SelectionFixture::FillRange(SelectableTarget* from, SelectableTarget* to, LONG counted,
                                    SelectionSet::List& out)
{
    auto* first = static_cast<FakeTarget*>(from);
    auto* last = static_cast<FakeTarget*>(to);
    const int low = std::min(first->index, last->index);
    const int high = std::max(first->index, last->index);
    out.clear();
    for (int i = low; i <= high; ++i) {
        switch (to->GetKind()) {
        case SelectableTarget::Row: out.push_back(rows[i].get()); break;
        case SelectableTarget::Cell: out.push_back(cells[i / kColumns][i % kColumns].get()); break;
        default: out.push_back(columns[i].get()); break;
        }
    }
    const LONG limit = to->SelectionLimit();
    if (limit >= 1 && static_cast<LONG>(out.size()) + counted > limit)
        return static_cast<HRESULT>(0x800A9C5E);
    return S_OK;
}

SelectableTarget* SelectionFixture::SelectableItemAtPoint(int x, int y, SelectableTarget* of)
{
    const int row = y / kHeight;
    const int column = x / kWidth;
    if (x < 0 || y < 0 || !of)
        return nullptr;
    switch (of->GetKind()) {
    case SelectableTarget::Row: return row < kRows ? rows[row].get() : nullptr;
    case SelectableTarget::Cell: return row < kRows && column < kColumns ? cells[row][column].get() : nullptr;
    default: return column < kColumns ? columns[column].get() : nullptr;
    }
}

HRESULT SelectionFixture::RaiseSelectError(SelectableTarget*, HRESULT code, UINT stringId)
{
    errorString = stringId;
    return code;
}
