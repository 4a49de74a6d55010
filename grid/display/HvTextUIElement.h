// HvTextUIElement: the text of a caption, header, cell or button, asked of
// its owner and drawn with the owner's format, alignment and pressed look.
#pragma once

#include "HvCellChildUIElement.h"

#include <string>

class CDualString;

class HvTextUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvTextUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                 HvUIElementOwner* owner, LONG context);

    bool TextDoesNotFit() const { return (flags_ & 1) != 0; }
    // The owner's text (UTF-8) as UTF-16.
    static std::wstring Widen(const CDualString& text);
    // DT_LEFT, DT_CENTER or DT_RIGHT: the appearance's TextAlign, else the
    // owner's default.
    UINT HorizontalPlacement(const AppearanceData& data);

    bool WantsMouseHover() override { return TextDoesNotFit(); }
    // A cell's text that does not fit shows whole in the control's tip
    // while the pointer rests on it.
    void OnMouseEnter() override;
    void OnMouseHover(POINT point) override;
    void OnMouseLeave() override;
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT point) override;
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvTextUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner,
                    LONG context);

    BYTE flags_ = 0;
};
