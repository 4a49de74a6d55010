// AddNewBoxStaircase: the prompt, buttons and connectors of the add-new box.
#include "AddNewBoxStaircase.h"

#include "DualString.h"
#include "HvAddNewBox.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvLayout.h"

#include <algorithm>

AddNewBoxStaircase AddNewBoxStaircase::Plan(HvLayout& layout, HvAddNewBox& box, const RECT& area)
{
    AddNewBoxStaircase plan;
    const CDualString sample("WWWWy");
    const SIZE line = box.MeasureButtonText(nullptr, sample);
    const long border = HvLayout::BorderWidthFromStyle(box.ResolveButtonBorderStyle(true));
    plan.buttonHeight = line.cy + 3 + 2 * border;

    long left = area.left + Margin;
    long captionHeight = 0;
    const SIZE prompt = box.GetPromptSize();
    if (prompt.cx > 0) {
        captionHeight = prompt.cy;
        plan.hasPrompt = true;
        plan.prompt = {area.left + Margin, area.top + Margin, area.left + Margin + 2 + prompt.cx,
                       area.top + Margin + 2 + prompt.cy};
        if (plan.buttonHeight > prompt.cy)
            OffsetRect(&plan.prompt, 0, plan.buttonHeight - prompt.cy);
        left = plan.prompt.right + Margin;
    }
    long top = area.top + std::max<long>(captionHeight - plan.buttonHeight, 8);
    plan.bottom = plan.hasPrompt ? plan.prompt.bottom : area.top;

    // The last button placed at each level.
    const RECT* lastAt[MaxLevels] = {};
    HvBands* bands = layout.Bands();
    const LONG count = bands ? bands->ItemCount() : 0;
    plan.buttons.reserve(static_cast<size_t>(count));
    for (LONG i = 0; i < count; ++i) {
        auto* band = static_cast<HvBand*>(bands->BandAt(i));
        if (!band || band->IsEffectivelyHidden())
            continue;
        const LONG level = band->GetDepth();
        if (level < 0 || level >= MaxLevels)
            continue;
        CDualString caption;
        band->GetAddButtonText(caption);
        const SIZE text = caption.IsEmpty() ? line : box.MeasureButtonText(band, caption);
        const long width = std::max(text.cx, line.cx) + 2 * border + ButtonPadding;

        Button button;
        button.band = band;
        if (plan.buttons.empty()) {
            button.rect = {left, top, left + width, top + plan.buttonHeight};
        } else {
            if (level > 0 && !lastAt[level - 1])
                continue;
            const long previousBottom = plan.buttons.back().rect.bottom;
            const RECT* parent = level > 0 ? lastAt[level - 1] : nullptr;
            const long x = parent ? parent->right - ButtonPadding + ChildGap : left;
            button.rect = {x, previousBottom + RowStep, x + width, previousBottom + RowStep + plan.buttonHeight};
            if (parent) {
                button.joined = true;
                button.connector = {parent->right - ButtonPadding, parent->bottom, button.rect.left,
                                    button.rect.bottom - 4};
            }
        }
        plan.buttons.push_back(button);
        lastAt[level] = &plan.buttons.back().rect;
        // Deeper levels now hang from this button.
        for (int deeper = static_cast<int>(level) + 1; deeper < MaxLevels && lastAt[deeper]; ++deeper)
            lastAt[deeper] = nullptr;
        plan.bottom = std::max(plan.bottom, button.rect.bottom);
    }
    plan.bottom += Margin;
    return plan;
}
