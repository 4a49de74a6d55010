// HvPictureUIElement: the picture of a caption, header, cell or button,
// drawn clipped to its own rectangle.
#pragma once

#include "HvCellChildUIElement.h"

class HvPictureUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvPictureUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                    HvUIElementOwner* owner, LONG context);

    bool ClipsSelf() override { return true; }
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    void DrawListImage(CDrawContext& context, const VARIANT& picture, const RECT& rect);

    HvPictureUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner,
                       LONG context);
};
