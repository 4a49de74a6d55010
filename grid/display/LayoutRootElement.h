// LayoutRootElement: the layout's root UI element as the layout holds it.
// It owns the grid element and answers, over the layout, everything the
// element tree asks of its layout. InstallDisplayLayoutParts puts its maker
// into the layout's table of parts.
#pragma once

#include "GridElementSeam.h"
#include "LayoutPartsSeam.h"
#include "UIElementLayoutSeam.h"

class HvGridUIElement;
class HvLayout;
class HvTVDraw;

class LayoutRootElement final : public LayoutRootElementSeam,
                                public UIElementLayoutSeam,
                                public GridElementLayoutSeam {
public:
    // Finds the control that shows a layout; installed by the control.
    using ControlLookup = UIElementControlSeam* (*)(HvLayout& layout);
    static void SetControlLookup(ControlLookup lookup);

    // Null when the element cannot be made.
    static std::unique_ptr<LayoutRootElementSeam> Make(HvLayout& layout);
    // The grid element behind a layout's root, or null.
    static HvGridUIElement* GridElement(LayoutRootElementSeam* root);

    ~LayoutRootElement() override;
    HvGridUIElement* Element() const { return element_; }

    // LayoutRootElementSeam
    RECT Rect() override;
    void SetRect(const RECT& rect) override;
    void MarkChanged(int how) override;
    void VerifyChildElements() override;
    void RedrawAddNewBox() override;
    IHvUIElement* AddNewBoxElement() override;

    // UIElementLayoutSeam
    bool IsLayoutActive() override;
    IDispatch* LayoutDispatch() override;
    UIElementControlSeam* GetControl() override;
    HvUIElement* GetRootUIElement() override;
    void FitToClientRect() override;
    HvTVDraw* GetDrawObject() override;
    IHvTVDrawFilter* GetDrawFilter() override;
    HWND GetEditWindow() override;
    HWND GetActiveCellEditWindow() override;
    bool GetFormRect(RECT& rect) override;
    bool GetContainerRect(RECT& rect) override;
    HvLayout* ModelLayout() override { return &layout_; }

    // GridElementLayoutSeam
    long ResolveBorderStyle() override;
    long ResolveCaptionBorderStyle() override;
    long CaptionHeight() override;
    bool IsAddNewBoxVisible() override;
    long AddNewBoxExtent() override;
    bool AlphaBlendEnabled() override;
    bool TakeRelayoutRequest() override;
    // Busy while the layout sorts a band's rows.
    bool IsBusy() override;
    bool IsDesignMode() override;
    void ResolveGridAppearance(AppearanceData& data, std::uint32_t mask) override;
    void ResolveCaptionAppearance(AppearanceData& data, std::uint32_t mask) override;
    bool PlaceCaptionPicture(RECT& rect, RECT& pictureRect, const AppearanceData& data) override;
    HvUIElementOwner* CaptionOwner() override;
    void UpdateScrollBars() override;
    void RepositionActiveEditWindow() override;

private:
    explicit LayoutRootElement(HvLayout& layout);

    HvLayout& layout_;
    HvGridUIElement* element_ = nullptr; // owned
    HvTVDraw* draw_ = nullptr;           // owned, made while a filter is set
    bool relayout_ = true;
};

// Installs the display's makers where none is installed yet.
void InstallDisplayLayoutParts();
