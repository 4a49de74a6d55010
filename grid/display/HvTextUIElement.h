// HvTextUIElement: the text of a caption, header, cell or button, asked of
// its owner and drawn with the owner's format, alignment and pressed look.
#pragma once

#include "HvCellChildUIElement.h"

class HvTextUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvTextUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                 HvUIElementOwner* owner, LONG context);

    bool TextDoesNotFit() const { return (flags_ & 1) != 0; }

    bool WantsMouseHover() override { return TextDoesNotFit(); }
    void OnMouseLeave() override { flags_ &= ~1; }
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT point) override;
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvTextUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner,
                    LONG context);

    BYTE flags_ = 0;
};
