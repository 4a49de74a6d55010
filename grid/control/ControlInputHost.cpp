// The grid control's side of its input parts.
#include "ControlInputHost.h"

#include "ControlEditor.h"
#include "ControlKeyActionHost.h"
#include "EditColumnSeam.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvRow.h"
#include "EventEnableMask.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "InputMask.h"
#include "ToolTipWindow.h"

#include <algorithm>

namespace {

ControlInputHost::KeyActionPerformer g_performer = nullptr;

} // namespace

ControlInputHost::KeyActionPerformer ControlInputHost::SetKeyActionPerformer(KeyActionPerformer performer)
{
    KeyActionPerformer previous = g_performer;
    g_performer = performer;
    return previous;
}

CControlBase* ControlInputHost::InputControl()
{
    return &control_;
}

HWND ControlInputHost::GetGridWindow()
{
    return control_.ControlWindow();
}

bool ControlInputHost::ActiveCellHasMaskEngine()
{
    HvCell* cell = control_.GetActiveCell();
    EditColumnSeam* column = cell ? control_.Editor().ColumnOf(cell) : nullptr;
    InputMask* mask = column ? column->Mask() : nullptr;
    return mask && mask->IsMaskEngineReady();
}

HWND ControlInputHost::GetDropDownCalendar()
{
    return control_.Editor().Editor().Calendar().Handle();
}

bool ControlInputHost::IsPointInGridArea(int x, int y)
{
    HWND window = control_.ControlWindow();
    RECT client = {};
    if (!window || !GetClientRect(window, &client))
        return false;
    const POINT point = {x, y};
    return PtInRect(&client, point) != FALSE;
}

InputDispatcher* ControlInputHost::GetInputDispatcher()
{
    return control_.Dispatcher();
}

class ControlInputHost::CellQuery final : public KeyCellQuery {
public:
    explicit CellQuery(HvCell* cell) : cell_(cell), live_(cell) {}
    HvCell* Object() const { return live_.Alive() ? cell_ : nullptr; }

    bool HasCellBefore() override { return Neighbour(false) != nullptr; }
    bool HasCellAfter() override { return Neighbour(true) != nullptr; }
    bool IsInEditMode() override { return Object() && cell_->IsInEditMode(); }
    bool HasDropDown() override
    {
        const LONG style = Style();
        return style == kStyleCalendar || style == kStyleDropDown || style == kStyleDropDownList ||
               style == kStyleDropDownValidate;
    }
    bool IsDropDownShowing() override
    {
        VARIANT_BOOL shown = VARIANT_FALSE;
        return Object() && SUCCEEDED(cell_->get_DroppedDown(&shown)) && shown != VARIANT_FALSE;
    }
    bool IsCheckBox() override { return Style() == kStyleCheckBox; }

private:
    static constexpr LONG kStyleCheckBox = 3, kStyleDropDown = 4, kStyleDropDownList = 5,
                          kStyleDropDownValidate = 6, kStyleCalendar = 8;

    LONG Style()
    {
        auto* column = Object() ? dynamic_cast<HvColumn*>(Control().ColumnOfCell(cell_)) : nullptr;
        return column ? column->ResolveStyle() : 0;
    }
    HvTavelle& Control() { return *dynamic_cast<HvTavelle*>(cell_->GridControl()); }
    // The shown column after (or before) the cell's in its band's order.
    HvSelectableItem* Neighbour(bool after)
    {
        if (!Object() || !dynamic_cast<HvTavelle*>(cell_->GridControl()))
            return nullptr;
        HvSelectableItem* column = Control().ColumnOfCell(cell_);
        auto* band = dynamic_cast<HvBand*>(cell_->OwnerBand());
        const std::vector<HvSelectableItem*> columns = ControlKeyActionHost::ShownColumns(band);
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] == column)
                return after ? (i + 1 < columns.size() ? columns[i + 1] : nullptr) : (i > 0 ? columns[i - 1] : nullptr);
        return nullptr;
    }

    HvCell* cell_;
    LiveRef live_;
};

class ControlInputHost::RowQuery final : public KeyRowQuery {
public:
    explicit RowQuery(HvRow* row) : row_(row), live_(row) {}
    HvRow* Object() const { return live_.Alive() ? row_ : nullptr; }

    bool HasPrevSibling() override { return Object() && row_->HasPrevSiblingCached(true); }
    bool HasPrevSiblingSpanningBands() override { return Object() && row_->HasPrevSiblingSpanningBandsCached(true); }
    bool HasNextSibling() override { return Object() && row_->HasNextSiblingCached(true); }
    bool HasNextSiblingSpanningBands() override { return Object() && row_->HasNextSiblingSpanningBandsCached(true); }
    bool IsExpanded() override { return Object() && row_->IsExpanded() && row_->CanShowChildRows(); }
    bool IsExpandable() override { return Object() && row_->CanShowChildRows(); }
    bool HasParentRow() override { return Object() && row_->GetParentRow(); }

private:
    HvRow* row_;
    LiveRef live_;
};

template <class TQuery, class TObject>
TQuery* ControlInputHost::QueryFor(std::vector<std::unique_ptr<TQuery>>& queries, TObject* object)
{
    // The queries of dead objects go: their addresses may come back.
    queries.erase(std::remove_if(queries.begin(), queries.end(), [](const auto& q) { return !q->Object(); }),
                  queries.end());
    if (!object)
        return nullptr;
    for (const auto& query : queries)
        if (query->Object() == object)
            return query.get();
    queries.push_back(std::make_unique<TQuery>(object));
    return queries.back().get();
}

ControlInputHost::ControlInputHost(HvTavelle& control) : control_(control) {}

ControlInputHost::~ControlInputHost() = default;

KeyCellQuery* ControlInputHost::GetActiveCell()
{
    return QueryFor(cellQueries_, control_.GetActiveCell());
}

KeyRowQuery* ControlInputHost::GetActiveRow()
{
    return QueryFor(rowQueries_, control_.GetActiveRow());
}

int ControlInputHost::GetTabNavigation()
{
    return control_.Layout() ? control_.Layout()->TabNavigation() : 0;
}

HWND ControlInputHost::GetEditWindow()
{
    return control_.Layout() ? control_.Layout()->EditWindow() : nullptr;
}

void ControlInputHost::PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled)
{
    if (g_performer)
        g_performer(control_, action, shift, ctrl, handled);
}

bool ControlInputHost::IsDesignMode()
{
    return control_.IsDesignMode();
}

bool ControlInputHost::HasPainted()
{
    return !(control_.ViewFlags() & HvTavelle::ViewFirstPaintPending);
}

HvUIElement* ControlInputHost::GetRootUIElement()
{
    return control_.GetRootElement(false);
}

EventEnableMask& ControlInputHost::EventGate()
{
    return *control_.Gate();
}

bool ControlInputHost::RequestTipHover()
{
    if (!control_.GetControlToolTip() || !control_.Layout())
        return false;
    return control_.TipWindow() &&
           control_.TipWindow()->TrackMouseEvent(TME_HOVER, static_cast<DWORD>(control_.Layout()->TipDelay()));
}

