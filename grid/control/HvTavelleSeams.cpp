// What the layout, its bands and regions and the UI elements ask of the
// grid control that shows them.
#include "HvTavelle.h"

#include "EventEnableMask.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "LayoutRootElement.h"
#include "ToolTipTool.h"

namespace {

IDispatch* DispatchOf(IUnknown* object)
{
    IDispatch* dispatch = nullptr;
    if (object)
        object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    return dispatch;
}

// A band's IDispatch for an event, released by the holder.
class BandDispatch {
public:
    explicit BandDispatch(GridBandSeam* band)
    {
        if (auto* object = dynamic_cast<HvBand*>(band))
            dispatch_ = DispatchOf(static_cast<IHvBand*>(object));
    }
    ~BandDispatch()
    {
        if (dispatch_)
            dispatch_->Release();
    }
    BandDispatch(const BandDispatch&) = delete;
    BandDispatch& operator=(const BandDispatch&) = delete;
    IDispatch* get() const { return dispatch_; }

private:
    IDispatch* dispatch_ = nullptr;
};

} // namespace

bool HvTavelle::IsAlive()
{
    return !tearingDown_ && IsValidObjectPointer(this);
}

bool HvTavelle::TestState(LONG code)
{
    return gate_ && gate_->IsEventFiring(code);
}

bool HvTavelle::CanFireEvents()
{
    return ::CanFireEvents(this);
}

bool HvTavelle::HasBindHost()
{
    return CControlBase::GetBindHost() != nullptr;
}

IDispatch* HvTavelle::GridDispatch()
{
    IDispatch* extended = nullptr;
    if (ControlSite() && SUCCEEDED(ControlSite()->GetExtendedControl(&extended)) && extended)
        return extended;
    return DispatchOf(static_cast<IHvTavelleControl*>(this));
}

void HvTavelle::NotifyAttachedInterface()
{
    if (ControlSite())
        ControlSite()->OnControlInfoChanged();
}

std::wstring HvTavelle::DialogString(int id)
{
    const int index = id - 6000;
    return (index >= 0 && index < 11) ? dialogStrings_[index] : std::wstring();
}

void HvTavelle::GetDialogString(LONG id, CDualString& text)
{
    text.AssignWide(DialogString(static_cast<int>(id)).c_str());
}

void HvTavelle::HideToolTip()
{
    if (toolTipTool_)
        toolTipTool_->TrackActivate(FALSE);
}

HWND HvTavelle::EditorOwnerWindow()
{
    return HvLayout::GetCaptionedAncestor(m_window);
}

bool HvTavelle::FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    return gate_ && gate_->Fire_BeforeColPosChanged(action, columns);
}

void HvTavelle::FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    if (gate_)
        gate_->Fire_AfterColPosChanged(action, columns);
}

bool HvTavelle::FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    return gate_ && gate_->Fire_BeforeGroupPosChanged(action, groups);
}

void HvTavelle::FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    if (gate_)
        gate_->Fire_AfterGroupPosChanged(action, groups);
}

bool HvTavelle::FireBeforeRowsDeleted(IHvSelectedRows* rows, bool* displayPrompt)
{
    bool prompt = displayPrompt ? *displayPrompt : true;
    const bool cancelled = gate_ && gate_->Fire_BeforeRowsDeleted(rows, prompt);
    if (displayPrompt)
        *displayPrompt = prompt;
    return cancelled;
}

void HvTavelle::FireAfterRowsDeleted()
{
    if (gate_)
        gate_->Fire_AfterRowsDeleted();
}

bool HvTavelle::FireBeforeSortChange(GridBandSeam* band, IHvSortedCols* proposal)
{
    BandDispatch dispatch(band);
    return gate_ && gate_->Fire_BeforeSortChange(dispatch.get(), proposal);
}

bool HvTavelle::HearsSortChange()
{
    constexpr DISPID kBeforeSortChange = 1046;
    return gate_ && gate_->IsEventAllowed(kBeforeSortChange) && EventPoint().Count() > 0;
}

void HvTavelle::FireAfterSortChange(GridBandSeam* band)
{
    BandDispatch dispatch(band);
    if (gate_)
        gate_->Fire_AfterSortChange(dispatch.get());
}

bool HvTavelle::FireBeforeColRegionRemoved(IDispatch* region)
{
    return gate_ && gate_->Fire_BeforeColRegionRemoved(region);
}

bool HvTavelle::FireBeforeRowRegionRemoved(IDispatch* region)
{
    return gate_ && gate_->Fire_BeforeRowRegionRemoved(region);
}

bool HvTavelle::FireBeforeColRegionSize(IDispatch* region1, IDispatch* region2)
{
    return gate_ && gate_->Fire_BeforeColRegionSize(region1, region2);
}

bool HvTavelle::FireBeforeRowRegionSize(IDispatch* region1, IDispatch* region2)
{
    return gate_ && gate_->Fire_BeforeRowRegionSize(region1, region2);
}

bool HvTavelle::IsCurrentLayout(UIElementLayoutSeam* layout)
{
    if (!layout_ || !layout)
        return false;
    LayoutRootElementSeam* root = layout_->RootUIElement();
    return root && dynamic_cast<UIElementLayoutSeam*>(root) == layout;
}
