// HvAddNewRowButtonUIElement: one band's button in the add-new box. The band
// owns its text and hears its press; a click adds a row to the band.
#pragma once

#include "HvButtonUIElementBase.h"

class HvAddNewBox;
class HvBand;

class HvAddNewRowButtonUIElement final : public HvButtonUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvAddNewRowButtonUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                            HvBand* band);

    // Keeps a reference to band.
    void SetBand(HvBand* band);
    HvBand* Band() const { return band_; }

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetBorderStyle() override;
    CAutomationObject* GetBand() override;
    bool WantsMouseHover() override { return true; }
    // Resting on the button shows the band's AddButtonToolTipText in the
    // control's tip; leaving hides it.
    void OnMouseHover(POINT point) override;
    void OnMouseLeave() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvAddNewRowButtonUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvBand* band);
    ~HvAddNewRowButtonUIElement() override;

    HvAddNewBox* Box();

    HvBand* band_ = nullptr; // one reference
};
