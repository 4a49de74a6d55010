// The grid control's side of selection: the selection as the strategies see
// it, the events around a change, pivots, the items under the mouse and the
// selection-drag timer.
#include "ControlSelectionHost.h"

#include "EventEnableMask.h"
#include "GridGroupSeam.h"
#include "HvBand.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"
#include "HvTavelle.h"
#include "InputDispatcher.h"
#include "InputState.h"
#include "SelectNoneOperation.h"
#include "ScrollRegionItem.h"
#include "SelectionPointLookup.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr LONG kGenericErrorCode = 16389;
constexpr int kTooManyText = 6005;
constexpr int kTooManyCaption = 6004;

IDispatch* DispatchOf(HvSelected* selected)
{
    IDispatch* dispatch = nullptr;
    if (selected)
        selected->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    return dispatch;
}

const void* RegionIdentity(ScrollRegionItem* region)
{
    return region ? static_cast<const void*>(dynamic_cast<CAutomationObject*>(region)) : nullptr;
}

// The children of an element, each referenced while the holder lives.
class Children {
public:
    explicit Children(HvUIElement* element) : items_(element ? element->ChildSnapshot() : std::vector<HvUIElement*>{})
    {
    }
    ~Children()
    {
        for (HvUIElement* child : items_)
            child->Release();
    }
    Children(const Children&) = delete;
    Children& operator=(const Children&) = delete;
    const std::vector<HvUIElement*>& Items() const { return items_; }

private:
    std::vector<HvUIElement*> items_;
};

// Calls visit on every element of the tree below element whose type is type
// (not looking below those), in tree order. The elements stay alive while
// the tree stands: the caller does not keep them.
template <class Visit>
void VisitElements(HvUIElement* element, ULONG type, Visit&& visit)
{
    Children children(element);
    for (HvUIElement* child : children.Items()) {
        if (child->Type() == type)
            visit(child);
        else if (!child->HasNoChildElements())
            VisitElements(child, type, visit);
    }
}

// Of several elements along an axis, the one holding the position, else the
// nearest: a mouse selection may run beyond the data area.
template <class Span>
HvUIElement* Nearest(const std::vector<HvUIElement*>& elements, long position, Span span)
{
    HvUIElement* best = nullptr;
    long bestDistance = 0;
    for (HvUIElement* element : elements) {
        const auto [low, high] = span(element->GetRect());
        const long distance = position < low ? low - position : (position >= high ? position - high + 1 : 0);
        if (!best || distance < bestDistance) {
            best = element;
            bestDistance = distance;
        }
    }
    return best;
}

HvSelectableItem* SelectableOf(CAutomationObject* object)
{
    if (auto* header = dynamic_cast<HvHeader*>(object))
        return dynamic_cast<HvSelectableItem*>(header->Owner());
    return dynamic_cast<HvSelectableItem*>(object);
}

} // namespace

ControlSelectionHost::ControlSelectionHost(HvTavelle& control) : control_(control), targets_(control), drag_(*this)
{
}

ControlSelectionHost::~ControlSelectionHost()
{
    ReleaseRangeHolds();
}

void ControlSelectionHost::ReleaseRangeHolds()
{
    std::vector<CAutomationObject*> holds;
    holds.swap(rangeHolds_);
    for (CAutomationObject* object : holds)
        object->Release();
}

ControlSelectOperation& ControlSelectionHost::HeaderOperation()
{
    if (!headerOperation_)
        headerOperation_ = std::make_unique<ControlSelectOperation>(*this);
    return *headerOperation_;
}

void ControlSelectionHost::Retire(std::unique_ptr<SelectOperation> operation)
{
    if (!operation)
        return;
    operation->EndMouseSelect();
    retired_.push_back(std::move(operation));
}

void ControlSelectionHost::Quiesce()
{
    InputDispatcher* dispatcher = control_.Dispatcher();
    if (dispatcher && dispatcher->HasCapture())
        return;
    retired_.clear();
    ReleaseRangeHolds();
    targets_.Prune();
}

HvSelected* ControlSelectionHost::MakeSelected(const SelectionSet& set, bool readOnly)
{
    HvSelected* selected = HvSelected::Create(&control_, readOnly);
    HvLayout* layout = control_.Layout();
    if (!selected || !layout)
        return selected;
    auto fill = [&](auto* list, const SelectionSet::List& items, auto add) {
        if (!list)
            return list;
        for (SelectableTarget* target : items)
            if (HvSelectableItem* item = ControlSelectionTargets::ItemOf(target))
                add(list, item);
        return list;
    };
    if (!set.rows.empty()) {
        HvSelectedRows* rows = fill(HvSelectedRows::Create(layout, readOnly), set.rows,
                                    [](HvSelectedRows* list, HvSelectableItem* item) { list->SelectRow(item, false); });
        selected->SetRows(rows);
        if (rows)
            rows->Release();
    }
    if (!set.cells.empty()) {
        HvSelectedCells* cells = fill(HvSelectedCells::Create(layout, readOnly), set.cells,
                                      [](HvSelectedCells* list, HvSelectableItem* item) { list->SelectCell(item, false); });
        selected->SetCells(cells);
        if (cells)
            cells->Release();
    }
    if (!set.columns.empty()) {
        HvSelectedCols* columns = fill(HvSelectedCols::Create(layout, readOnly), set.columns,
                                       [](HvSelectedCols* list, HvSelectableItem* item) { list->SelectColumn(item, false); });
        selected->SetColumns(columns);
        if (columns)
            columns->Release();
    }
    return selected;
}

InputDispatcher* ControlSelectionHost::SelectionDispatcher()
{
    return control_.Dispatcher();
}

bool ControlSelectionHost::CanFireSelectEvents(SelectableTarget*)
{
    HvLayout* layout = control_.Layout();
    return layout && control_.Gate() && layout->CanFireEvents(false);
}

bool ControlSelectionHost::FireBeforeSelectChange(LONG kind, const SelectionSet& wouldBe)
{
    EventEnableMask* gate = control_.Gate();
    if (!gate)
        return false;
    HvSelected* proposal = MakeSelected(wouldBe, true);
    if (!proposal)
        return true;
    IDispatch* dispatch = DispatchOf(proposal);
    const bool cancelled = gate->Fire_BeforeSelectChange(kind, dispatch);
    if (dispatch)
        dispatch->Release();
    CAutomationObject::Deactivate(proposal);
    proposal->Release();
    return cancelled;
}

void ControlSelectionHost::FireAfterSelectChange(LONG kind)
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_AfterSelectChange(kind);
}

void ControlSelectionHost::RebuildCurrent()
{
    current_ = SelectionSet{};
    HvSelected* selected = control_.GetSelectedObject(false);
    if (!selected || selected->IsReadOnly())
        return;
    auto take = [this](auto* list, SelectionSet::List& out) {
        if (!list)
            return;
        for (HvSelectableItem* item : list->SelectedItems())
            if (ItemTarget* target = targets_.For(item))
                out.push_back(target);
    };
    take(selected->Rows(), current_.rows);
    take(selected->Cells(), current_.cells);
    take(selected->Columns(), current_.columns);
}

const SelectionSet& ControlSelectionHost::CurrentSelection()
{
    RebuildCurrent();
    return current_;
}

void ControlSelectionHost::ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers)
{
    control_.ClearSelectionsForKind(kind, keepSameKind, clearOthers);
}

void ControlSelectionHost::AdoptSelection(const SelectionSet& selection)
{
    HvSelected* made = MakeSelected(selection, false);
    if (!made)
        return;
    control_.AdoptSelection(made);
    made->Release();
}

void ControlSelectionHost::ApplySelection(const SelectionSet& selection, bool, const SelectionSet* rangeLists)
{
    // The marks follow the lists: what leaves is unmarked, what the new
    // selection holds is marked. With range lists (a Ctrl drag) the range's
    // own items were marked already by the strategy, by its select mode.
    const SelectionSet& current = CurrentSelection();
    for (LONG kind : {SelectableTarget::Row, SelectableTarget::Cell, SelectableTarget::Column}) {
        const SelectionSet::List& now = current.Of(kind);
        const SelectionSet::List& next = selection.Of(kind);
        const std::unordered_set<SelectableTarget*> incoming(next.begin(), next.end());
        for (SelectableTarget* item : now)
            if (!incoming.count(item))
                item->SetSelected(false);
        if (!rangeLists || kind == SelectableTarget::Column)
            for (SelectableTarget* item : next)
                item->SetSelected(true);
    }
    AdoptSelection(selection);
}

void ControlSelectionHost::AddSelectedQuietly(SelectableTarget* target, bool clearFirst)
{
    HvSelectableItem* item = ControlSelectionTargets::ItemOf(target);
    HvSelected* selected = item ? control_.GetSelectedObject(true) : nullptr;
    if (!selected)
        return;
    if (target->GetKind() == SelectableTarget::Group) {
        if (auto* group = dynamic_cast<GridGroupSeam*>(item))
            selected->AddGroup(group, clearFirst);
        return;
    }
    selected->AddItem(item, target->GetKind(), clearFirst);
}

SelectableTarget* ControlSelectionHost::GetSelectionPivot(SelectableTarget* item)
{
    HvSelectableItem* own = ControlSelectionTargets::ItemOf(item);
    return own ? targets_.For(control_.GetSelectionPivot(own)) : nullptr;
}

void ControlSelectionHost::SetSelectionPivot(SelectableTarget* item, bool keepExisting)
{
    if (HvSelectableItem* own = ControlSelectionTargets::ItemOf(item))
        control_.SetSelectionPivot(own, keepExisting);
}

namespace {

// A selection set's list as the range helpers fill it.
class SetListTarget final : public SelectionListTarget {
public:
    SetListTarget(ControlSelectionTargets& targets, SelectionSet::List& out, std::vector<CAutomationObject*>& holds)
        : targets_(targets), out_(out), holds_(holds)
    {
    }
    LONG Count() override { return static_cast<LONG>(out_.size()); }
    HRESULT Add(HvSelectableItem* item, bool) override
    {
        ItemTarget* target = targets_.For(item);
        if (!target)
            return S_OK;
        CAutomationObject* object = item->KeyedItem() ? item->KeyedItem()->GetItemObject() : nullptr;
        if (object) {
            // Listed first: a failed growth leaves no reference behind.
            holds_.push_back(object);
            object->AddRef();
        }
        out_.push_back(target);
        return S_OK;
    }

private:
    ControlSelectionTargets& targets_;
    SelectionSet::List& out_;
    std::vector<CAutomationObject*>& holds_;
};

} // namespace

HRESULT ControlSelectionHost::FillRange(SelectableTarget* pivot, SelectableTarget* target, LONG alreadyCounted,
                                        SelectionSet::List& out)
{
    out.clear();
    HvSelectableItem* from = ControlSelectionTargets::ItemOf(pivot);
    HvSelectableItem* to = ControlSelectionTargets::ItemOf(target);
    if (!from || !to)
        return E_FAIL;
    // The previous range's objects were taken by the selection by now.
    ReleaseRangeHolds();
    SetListTarget list(targets_, out, rangeHolds_);
    switch (target->GetKind()) {
    case SelectableTarget::Row:
        return SelectRowsToTarget(from, to, list, true, alreadyCounted, false);
    case SelectableTarget::Cell:
        return SelectCellsToTarget(from, to, list, true, alreadyCounted);
    default: {
        std::vector<HvSelectableItem*> columns;
        const HRESULT hr = SelectColumnsToTarget(from, to, columns, false);
        for (HvSelectableItem* column : columns)
            list.Add(column, false);
        return hr;
    }
    }
}

SelectableTarget* ControlSelectionHost::SelectableItemAtPoint(int x, int y, SelectableTarget* current)
{
    HvSelectableItem* own = ControlSelectionTargets::ItemOf(current);
    if (!own)
        return current;
    SelectionPointLookup lookup(*this);
    HvSelectableItem* found = lookup.SelectableItemAtPoint(MAKELPARAM(x, y), own);
    if (found && current->GetKind() == SelectableTarget::Cell)
        control_.MapCellThroughHandler(&found);
    ItemTarget* target = found ? targets_.For(found) : nullptr;
    return target ? target : current;
}

void ControlSelectionHost::ArmAutoScroll(int x, int y, bool excludeRows)
{
    control_.ArmAutoScroll(x, y, excludeRows);
}

void ControlSelectionHost::DisarmAutoScroll()
{
    control_.DisarmAutoScroll();
}

void ControlSelectionHost::StartSelectionDragTimer()
{
    control_.ResetSelectionDrag();
    drag_.StartSelectionDragTimer();
}

void ControlSelectionHost::KillSelectionDragTimer()
{
    if (HWND window = control_.ControlWindow())
        KillTimer(window, SelectionDragSupport::TimerId);
}

bool ControlSelectionHost::SelectionDragCancelled()
{
    return control_.SelectionDragCancelled();
}

bool ControlSelectionHost::SelectionDragPending()
{
    return control_.SelectionDragPending();
}

void ControlSelectionHost::BeginVisibleRowsSelectionUpdate()
{
    drag_.BeginVisibleRowsSelectionUpdate();
}

void ControlSelectionHost::EndVisibleRowsSelectionUpdate()
{
    drag_.EndVisibleRowsSelectionUpdate();
}

void ControlSelectionHost::EndDeferredSelectedLook()
{
    if (HvGridUIElement* root = control_.GetRootElement(false))
        root->Invalidate(false, false);
}

void ControlSelectionHost::ReportTooManyItems()
{
    control_.ReportMessage(kGenericErrorCode, control_.DialogString(kTooManyText).c_str(),
                           control_.DialogString(kTooManyCaption).c_str());
}

HRESULT ControlSelectionHost::RaiseSelectError(SelectableTarget* item, HRESULT code, UINT stringId)
{
    HvSelectableItem* own = ControlSelectionTargets::ItemOf(item);
    HvKeyedItem* keyed = own ? own->KeyedItem() : nullptr;
    return keyed ? keyed->GetItemObject()->Exception(code, static_cast<WORD>(stringId)) : code;
}

POINT ControlSelectionHost::CursorPos()
{
    return control_.MessageCursorPos();
}

bool ControlSelectionHost::IsShiftDown()
{
    return CurrentInputState().shift;
}

bool ControlSelectionHost::IsCtrlDown()
{
    return CurrentInputState().ctrl;
}

bool ControlSelectionHost::IsPrimaryButtonDown()
{
    return CurrentInputState().primaryButton;
}

HWND ControlSelectionHost::GetGridWindow()
{
    return control_.ControlWindow();
}

// --- the selection rules of the range helpers ---

bool ControlSelectionHost::IsHiddenOrDisabled(HvSelectableItem* item)
{
    return control_.IsItemHiddenOrDisabled(item);
}

bool ControlSelectionHost::IsMarkedSelected(HvSelectableItem* item)
{
    return item && item->IsSelected();
}

bool ControlSelectionHost::IsSelectionPivot(HvSelectableItem* item)
{
    return control_.IsSelectionPivot(item);
}

LONG ControlSelectionHost::MaxSelectedRows(HvSelectableItem* row)
{
    ItemTarget* target = targets_.For(row);
    return target ? target->SelectionLimit() : 0;
}

LONG ControlSelectionHost::MaxSelectedCells(HvSelectableItem* row)
{
    HvBand* band = row ? dynamic_cast<HvBand*>(row->OwnerBand()) : nullptr;
    return band ? band->ResolveSetting(0x42e) : 0;
}

// --- the elements under a point ---

bool ControlSelectionHost::CellElementAt(POINT point, CellElementHit& hit)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    CAutomationObject* cell = nullptr;
    HvUIElement* element = root ? root->CellFromPoint(point, &cell) : nullptr;
    if (!element || !cell)
        return false;
    hit.item = dynamic_cast<HvSelectableItem*>(cell);
    hit.rowRegion = element->ResolveRowScrollRegion();
    hit.colRegion = element->ResolveColScrollRegion();
    return hit.item != nullptr;
}

const void* ControlSelectionHost::ActiveRowRegion()
{
    return RegionIdentity(control_.GetActiveRowScrollRegion());
}

const void* ControlSelectionHost::ActiveColRegion()
{
    return RegionIdentity(control_.GetActiveColScrollRegion(false));
}

HvSelectableItem* ControlSelectionHost::RowAt(int y)
{
    const void* rowRegion = ActiveRowRegion();
    std::vector<HvUIElement*> rows;
    VisitElements(control_.GetRootElement(false), UIElementType::Row, [&](HvUIElement* element) {
        if (element->ResolveRowScrollRegion() == rowRegion)
            rows.push_back(element);
    });
    HvUIElement* row = Nearest(rows, y, [](const RECT& r) { return std::pair<long, long>(r.top, r.bottom); });
    return row ? SelectableOf(row->ResolveRow()) : nullptr;
}

const void* ControlSelectionHost::HeaderAt(int x)
{
    const void* colRegion = ActiveColRegion();
    std::vector<HvUIElement*> headers;
    VisitElements(control_.GetRootElement(false), UIElementType::Header, [&](HvUIElement* element) {
        if (element->ResolveColScrollRegion() == colRegion)
            headers.push_back(element);
    });
    return Nearest(headers, x, [](const RECT& r) { return std::pair<long, long>(r.left, r.right); });
}

HvSelectableItem* ControlSelectionHost::ColumnInRowAt(const void*, HvSelectableItem* row, POINT point)
{
    const void* rowRegion = ActiveRowRegion();
    const void* colRegion = ActiveColRegion();
    CAutomationObject* rowObject = row ? row->KeyedItem()->GetItemObject() : nullptr;
    std::vector<HvUIElement*> cells;
    VisitElements(control_.GetRootElement(false), UIElementType::Row, [&](HvUIElement* element) {
        if (element->ResolveRow() != rowObject || element->ResolveRowScrollRegion() != rowRegion ||
            element->ResolveColScrollRegion() != colRegion)
            return;
        VisitElements(element, UIElementType::Cell, [&](HvUIElement* cell) { cells.push_back(cell); });
    });
    HvUIElement* cell = Nearest(cells, point.x, [](const RECT& r) { return std::pair<long, long>(r.left, r.right); });
    HvSelectableItem* item = cell ? SelectableOf(cell->GetContextObject()) : nullptr;
    return item ? control_.ColumnOfCell(item) : nullptr;
}

HvSelectableItem* ControlSelectionHost::ColumnInHeaderAt(const void*, HvSelectableItem* current, POINT point)
{
    const void* colRegion = ActiveColRegion();
    const void* band = current ? current->OwnerBand() : nullptr;
    std::vector<HvUIElement*> headers;
    VisitElements(control_.GetRootElement(false), UIElementType::Header, [&](HvUIElement* element) {
        HvSelectableItem* item = SelectableOf(element->GetContextObject());
        if (element->ResolveColScrollRegion() == colRegion && item && item->OwnerBand() == band &&
            HvTavelle::SelectableKind(item) == SelectableTarget::Column)
            headers.push_back(element);
    });
    HvUIElement* header =
        Nearest(headers, point.x, [](const RECT& r) { return std::pair<long, long>(r.left, r.right); });
    return header ? SelectableOf(header->GetContextObject()) : nullptr;
}

int ControlSelectionHost::ItemKind(HvSelectableItem* item)
{
    return static_cast<int>(HvTavelle::SelectableKind(item));
}
