// RowAutoPreview: a row's auto-preview, the text shown across the bottom of
// the row under its cells: the row's Description, else the value of the
// band's AutoPreviewField column. It is shown while the band's
// AutoPreviewEnabled is on, the row's AutoPreviewHidden is off and there is
// text; its height is the text wrapped across the row, at most the band's
// AutoPreviewMaxLines lines. It owns the preview's text element.
#pragma once

#include "HvUIElementOwner.h"

#include <string>

class HvBand;
class HvRow;

class RowAutoPreview final : public HvUIElementOwner {
public:
    explicit RowAutoPreview(HvRow& row) : row_(row) {}
    RowAutoPreview(const RowAutoPreview&) = delete;
    RowAutoPreview& operator=(const RowAutoPreview&) = delete;

    // The text, empty when the preview is not shown.
    std::wstring Text();
    // Pixels; 0 when the preview is not shown.
    long Height();

    // HvUIElementOwner
    LayoutRegionsSeam* GetShowingLayout() override;
    UIElementSeam* GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create) override;
    bool GetText(OwnedElementSeam* element, CDualString& text) override;
    bool IsMultiLine(OwnedElementSeam*) override { return true; }
    UINT GetTextFormat(OwnedElementSeam*) override { return DT_EDITCONTROL | DT_NOPREFIX | DT_WORDBREAK; }

private:
    HvBand* Band();

    HvRow& row_;
};
