// The grid control's window: its class, the hooks around its creation and
// destruction, painting, the layout rebuild, the tool tip and the focus test.
#include "HvTavelle.h"

#include "ControlEditor.h"
#include "DibCopy.h"
#include "EventEnableMask.h"
#include "GdiScope.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRowScrollRegions.h"
#include "InputDispatcher.h"
#include "LayoutRootElement.h"
#include "Module.h"
#include "OleDragDrop.h"
#include "ToolTipTool.h"
#include "ToolTipWindow.h"

namespace {

constexpr wchar_t kControlProperty[] = L"TV_Win";
constexpr wchar_t kChildProperty[] = L"HvTavelleProp";

} // namespace

BOOL HvTavelle::RegisterClassData()
{
    const ControlObjectInfo& record = ControlInfo();
    const HINSTANCE instance = ModuleInstance();
    WNDCLASSW existing{};
    if (::GetClassInfoW(instance, record.windowClassName, &existing))
        return TRUE;
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &CControlEmbedding::ControlWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = record.windowClassName;
    return RegisterClassW(&windowClass) != 0;
}

BOOL HvTavelle::BeforeCreateWindow(DWORD* style, DWORD*, wchar_t*)
{
    if (style)
        *style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL HvTavelle::AfterCreateWindow()
{
    SetPropW(m_window, kControlProperty, static_cast<HANDLE>(static_cast<CControlBase*>(this)));
    if (!IsDesignMode() && layout_ && !layout_->IsEnabled())
        EnableWindow(m_window, FALSE);
    return TRUE;
}

void HvTavelle::BeforeDestroyWindow()
{
    // What is being typed is kept, then the editor windows go with the grid's.
    LeaveEditMode(true);
    editor_->DestroyWindows();
    if (HvRow* row = GetActiveRow(); row && updateMode_ != 2) {
        ControlHold hold(this);
        row->Update();
    }
    toolTipTool_.reset();
    toolTip_.reset();
    DisarmAutoScroll();
    dragDrop_->RegisterDropTarget(false);
    if (m_window)
        RemovePropW(m_window, kControlProperty);
    UnbindRows(true);
}

HvGridUIElement* HvTavelle::GetRootElement(bool create)
{
    if (!layout_)
        return nullptr;
    LayoutRootElementSeam* root = create ? layout_->GetRootUIElement(true, false) : layout_->RootUIElement();
    return root ? LayoutRootElement::GridElement(root) : nullptr;
}

void HvTavelle::PaintRoot(HDC dc, const RECT& bounds, const RECT& clip)
{
    HvGridUIElement* root = GetRootElement(true);
    if (!root)
        return;
    viewFlags_ |= ViewPainting;
    root->Paint(dc, bounds, clip);
    viewFlags_ &= static_cast<BYTE>(~ViewPainting);
}

HRESULT HvTavelle::OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL*, HDC target, BOOL)
{
    if (!dc || !bounds)
        return S_OK;
    const int technology = GetDeviceCaps(dc, TECHNOLOGY);
    if (technology == DT_RASPRINTER || technology == DT_METAFILE)
        return DrawOffScreen(aspect, dc, bounds, target);
    if (!(viewFlags_ & ViewRedraw))
        return S_OK;
    if (!(viewFlags_ & ViewLayoutBuilt)) {
        if (IsDesignMode() && dispatcher_)
            dispatcher_->InstallMouseHook();
        if (dataSource_ && m_window)
            SendMessageW(m_window, MsgBuildLayout, 0, 0);
        if (!m_window && !IsDesignMode())
            return S_OK;
    }
    const bool firstPaint = (viewFlags_ & ViewFirstPaintPending) != 0;
    if (firstPaint) {
        viewFlags_ &= static_cast<BYTE>(~ViewFirstPaintPending);
        if (layout_)
            layout_->MarkColScrollRegionsDirty();
    }
    const RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    RECT clip = area;
    if (m_window)
        GetClipBox(dc, &clip);
    PaintRoot(dc, area, clip);
    if (firstPaint && layout_ && layout_->RowScrollRegions())
        layout_->RowScrollRegions()->MarkRegionsDirty();
    return S_OK;
}

// Printers and metafiles get a picture of the control drawn on screen
// terms, scaled into their bounds.
HRESULT HvTavelle::DrawOffScreen(DWORD aspect, HDC dc, const RECTL* bounds, HDC target)
{
    const SIZE size = ExtentPixels();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateBitmap(size.cx, size.cy, static_cast<UINT>(GetDeviceCaps(screen, PLANES)),
                                  static_cast<UINT>(GetDeviceCaps(screen, BITSPIXEL)), nullptr);
    ReleaseDC(nullptr, screen);
    HRESULT hr = S_OK;
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        const RECTL inner = {0, 0, size.cx, size.cy};
        hr = OnDraw(aspect, memory, &inner, nullptr, target, FALSE);
        const RECT outer = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        DrawBitmapAsDIB(dc, memory, outer, TRUE);
        SelectObject(memory, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    return hr;
}

void HvTavelle::RebuildLayout(bool synchronous)
{
    activeRowRegion_ = nullptr;
    activeColRegion_ = nullptr;
    if (!layout_)
        return;
    layout_->DiscardViewStyleObject();
    layout_->DirtyRootUIElement(true, true);
    if (viewFlags_ & ViewLayoutBuilt) {
        ClearSelection(0, false);
        ClearSelection(1, false);
        if (synchronous)
            viewFlags_ &= static_cast<BYTE>(~ViewLayoutBuilt);
    }
    if (m_window) {
        if (synchronous)
            SendMessageW(m_window, MsgBuildLayout, 0, 0);
        else
            RefreshAfterRebuild();
        layout_->MarkRowScrollRegionsDirty();
        layout_->MarkColScrollRegionsDirty();
        layout_->DirtyRootUIElement(true, true);
    } else if (!synchronous) {
        RefreshAfterRebuild();
    }
}

void HvTavelle::RefreshAfterRebuild()
{
    if (rootBinding_ && layout_ && layout_->Bands())
        layout_->Bands()->UpdateAllBands();
    if (!m_window && !IsDesignMode())
        return;
    if (layout_)
        layout_->MarkColScrollRegionsDirty();
    NotifyAttachedInterface();
}

ToolTipTool* HvTavelle::GetControlToolTip()
{
    if (IsDesignMode() || !m_window || !IsWindow(m_window))
        return nullptr;
    if (!toolTip_)
        toolTip_ = std::make_unique<ToolTipWindow>(this);
    if (!toolTipTool_)
        toolTipTool_ = toolTip_->AddTool(m_window, reinterpret_cast<UINT_PTR>(m_window),
                                         TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE, L" ", nullptr);
    return toolTipTool_.get();
}

bool HvTavelle::IsFocusInControl()
{
    HWND focus = GetFocus();
    if (!focus)
        return false;
    if (GetPropW(focus, kChildProperty))
        return true;
    const HWND desktop = GetDesktopWindow();
    for (HWND window = focus; window && window != desktop; window = GetParent(window))
        if (window == m_window)
            return true;
    return false;
}
