// HvButtonUIElementBase: the press of a push button and its raised and
// sunken borders.
#include "HvButtonUIElementBase.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvUIElementOwner.h"
#include "UIElementLayoutSeam.h"

namespace {

constexpr long PressedBit = 16;
constexpr OLE_COLOR SysButtonFace = 0x8000000F;
constexpr OLE_COLOR SysButtonText = 0x80000012;

} // namespace

ButtonCapture& ButtonCaptureHooks()
{
    static ButtonCapture hooks;
    return hooks;
}

HvButtonUIElementBase::HvButtonUIElementBase(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                             ULONG type, HvUIElementOwner* owner, LONG context,
                                             HvButtonSink* pressHandler)
    : HvCellChildUIElement(layout, parent, rect, type, owner, context), pressHandler_(pressHandler)
{
}

HvButtonUIElementBase::~HvButtonUIElementBase()
{
    if (pressed_)
        EndPress();
}

bool HvButtonUIElementBase::BeginPress()
{
    if (!pressHandler_ || !pressHandler_->CanPress(this))
        return false;
    inside_ = true;
    UIElementControlSeam* control = GetControl();
    if (pressed_ || !control || !control->IsCurrentLayout(GetLayout()))
        return false;
    const ButtonCapture& hooks = ButtonCaptureHooks();
    sinkId_ = hooks.registerSink ? hooks.registerSink(control, this) : 0;
    pressed_ = true;
    Invalidate(false, false);
    return true;
}

void HvButtonUIElementBase::EndPress()
{
    if (sinkId_) {
        const ButtonCapture& hooks = ButtonCaptureHooks();
        UIElementControlSeam* control = GetControl();
        if (hooks.unregisterSink && control)
            hooks.unregisterSink(control, sinkId_);
        sinkId_ = 0;
    }
    pressed_ = false;
    inside_ = false;
}

void HvButtonUIElementBase::OnPointerMove(POINT point)
{
    if (!pressed_)
        return;
    const bool inside = PointInElement(point);
    if (inside == inside_)
        return;
    inside_ = inside;
    if (pressHandler_) {
        if (inside)
            pressHandler_->CanPress(this);
        else
            pressHandler_->OnCancel(this);
    }
    Invalidate(false, false);
}

void HvButtonUIElementBase::OnButtonUp()
{
    if (!pressed_)
        return;
    const bool inside = inside_;
    EndPress();
    Invalidate(false, false);
    if (!pressHandler_)
        return;
    if (inside)
        pressHandler_->OnClick(this);
    else
        pressHandler_->OnCancel(this);
}

void HvButtonUIElementBase::OnCancel()
{
    if (!pressed_)
        return;
    ReleaseCapture();
    EndPress();
    if (pressHandler_)
        pressHandler_->OnCancel(this);
    Invalidate(false, false);
}

long HvButtonUIElementBase::GetDrawState()
{
    long state = OwnerState();
    if (pressed_ && inside_)
        state |= PressedBit;
    return state;
}

void HvButtonUIElementBase::OnMouseEnter()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressEnter(this);
}

void HvButtonUIElementBase::OnMouseLeave()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressLeave(this);
}

bool HvButtonUIElementBase::OnMouseDown(POINT, UINT)
{
    HvUIElementOwner* owner = Owner();
    return owner && owner->OnMouseDown(this);
}

void HvButtonUIElementBase::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (own.BackColor() == UnsetColor)
        own.SetBackColor(SysButtonFace);
    if (own.ForeColor() == UnsetColor)
        own.SetForeColor(SysButtonText);
}

void HvButtonUIElementBase::DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    RECT part;
    RECT rect = GetRect();
    if (!IntersectRect(&part, &rect, &area))
        return;
    if (GetDrawState() & PressedBit) {
        context.DrawBorder(rect, 6, 0, BorderSide::All); // inset
        return;
    }
    RECT highlight = rect;
    context.DrawBorder(highlight, 5, GetSysColor(COLOR_BTNHIGHLIGHT), BorderSide::Left | BorderSide::Top);
    RECT raised = rect;
    context.DrawBorder(raised, 7, 0, BorderSide::Right | BorderSide::Bottom);
}
