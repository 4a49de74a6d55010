// Stand-ins for the layout, the control and an element's owner, with the
// answers the element tests set and a record of what the elements asked.
#pragma once

#include "AppearanceData.h"
#include "DualString.h"
#include "GridElementSeam.h"
#include "HvUIElementOwner.h"
#include "UIElementLayoutSeam.h"

#include <string>

class ElementsControl final : public UIElementControlSeam {
public:
    HWND GetGridWindow() override { return window; }
    bool IsPainting() override { return false; }
    bool CanFireEvents() override { return true; }
    bool IsCurrentLayout(UIElementLayoutSeam*) override { return current; }
    bool IsInEditMode() override { return false; }
    bool IsDroppedDown() override { return false; }
    HvUIElement* GetActiveCellElement() override { return nullptr; }

    HWND window = nullptr;
    bool current = true;
};

class ElementsLayout final : public UIElementLayoutSeam, public GridElementLayoutSeam {
public:
    // UIElementLayoutSeam
    bool IsLayoutActive() override { return true; }
    IDispatch* LayoutDispatch() override { return nullptr; }
    UIElementControlSeam* GetControl() override { return &control; }
    HvUIElement* GetRootUIElement() override { return root; }
    void FitToClientRect() override {}
    HvTVDraw* GetDrawObject() override { return nullptr; }
    IHvTVDrawFilter* GetDrawFilter() override { return nullptr; }
    HWND GetEditWindow() override { return editWindow; }
    HWND GetActiveCellEditWindow() override { return dropDownWindow; }
    bool GetFormRect(RECT&) override { return false; }
    bool GetContainerRect(RECT&) override { return false; }

    // GridElementLayoutSeam
    long ResolveBorderStyle() override { return borderStyle; }
    long ResolveCaptionBorderStyle() override { return captionBorderStyle; }
    long CaptionHeight() override { return captionHeight; }
    bool IsAddNewBoxVisible() override { return boxExtent > 0; }
    long AddNewBoxExtent() override { return boxExtent; }
    bool AlphaBlendEnabled() override { return false; }
    bool TakeRelayoutRequest() override
    {
        const bool asked = relayout;
        relayout = false;
        return asked;
    }
    bool IsBusy() override { return busy; }
    bool IsDesignMode() override { return designMode; }
    void ResolveGridAppearance(AppearanceData& data, std::uint32_t mask) override
    {
        std::uint32_t resolved = 0;
        AppearanceData::ResolveAppearance(data, gridAppearance, mask, &resolved);
    }
    void ResolveCaptionAppearance(AppearanceData& data, std::uint32_t mask) override
    {
        std::uint32_t resolved = 0;
        AppearanceData::ResolveAppearance(data, captionAppearance, mask, &resolved);
    }
    bool PlaceCaptionPicture(RECT& rect, RECT& pictureRect, const AppearanceData&) override
    {
        // The picture takes a square at the left.
        pictureRect = RECT{rect.left, rect.top, rect.left + (rect.bottom - rect.top), rect.bottom};
        rect.left = pictureRect.right;
        return true;
    }
    HvUIElementOwner* CaptionOwner() override { return captionOwner; }
    void UpdateScrollBars() override { ++scrollBarUpdates; }
    void RepositionActiveEditWindow() override { ++editRepositions; }

    ElementsControl control;
    HvUIElement* root = nullptr; // not owned
    HWND editWindow = nullptr;
    HWND dropDownWindow = nullptr;
    long borderStyle = 1;
    long captionBorderStyle = 1;
    long captionHeight = 0;
    long boxExtent = 0;
    bool relayout = false;
    bool busy = false;
    bool designMode = false;
    AppearanceData gridAppearance;
    AppearanceData captionAppearance;
    HvUIElementOwner* captionOwner = nullptr;
    int scrollBarUpdates = 0;
    int editRepositions = 0;
};

// An owner that answers a fixed text, state and alignment.
class TextOwner final : public HvUIElementOwner {
public:
    LayoutRegionsSeam* GetShowingLayout() override { return nullptr; }
    UIElementSeam* GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int) override { return nullptr; }
    LONG GetState(OwnedElementSeam*) override { return state; }
    bool OnMouseDown(OwnedElementSeam*) override
    {
        ++downs;
        return handlesDown;
    }
    bool GetText(OwnedElementSeam*, CDualString& out) override
    {
        out.AssignWide(text.c_str());
        return !text.empty();
    }
    UINT GetTextFormat(OwnedElementSeam*) override { return DT_EDITCONTROL | DT_SINGLELINE; }
    UINT GetDefaultHAlign(OwnedElementSeam*, const AppearanceData*) override { return defaultAlign; }
    void AdjustTextRect(OwnedElementSeam*, RECT* rect) override { OffsetRect(rect, pressedOffset, pressedOffset); }

    std::wstring text = L"WWW";
    LONG state = 0;
    UINT defaultAlign = 16;
    int pressedOffset = 0;
    bool handlesDown = false;
    int downs = 0;
};
