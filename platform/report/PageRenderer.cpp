// Page drawing in logical twips over an anisotropic mapping; the device
// context is handed back as it came.
#include "PageRenderer.h"

#include <map>
#include <utility>

#include "GdiGuards.h"
#include "GdiObject.h"
#include "PageGeometry.h"
#include "ReportPicture.h"

namespace hv::report {

namespace {

// The fonts of one drawing, by size and weight; deleted when it ends (after
// the saved state has put the DC's own font back).
class FontCache {
public:
    FontCache() = default;
    ~FontCache()
    {
        for (auto& entry : fonts_)
            DeleteObject(entry.second);
    }
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    HFONT Get(const TextStyle& style)
    {
        const auto key = std::make_pair(style.tenthsOfPoint, style.bold);
        auto found = fonts_.find(key);
        if (found != fonts_.end())
            return found->second;
        // A point is 20 twips, a tenth of a point 2.
        HFONT font = CreateFontW(-style.tenthsOfPoint * 2, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                 FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, kReportFontFace);
        fonts_.emplace(key, font);
        return font;
    }

private:
    std::map<std::pair<int, bool>, HFONT> fonts_;
};

UINT TextFormat(const TextStyle& style)
{
    UINT format = DT_NOPREFIX;
    format |= style.align == TextAlign::Center ? DT_CENTER : style.align == TextAlign::Right ? DT_RIGHT : DT_LEFT;
    // One line is centred in its box and may run past it rather than lose letters.
    format |= style.wrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    return format;
}

RECT ToRect(const Box& box)
{
    return RECT{box.left, box.top, box.Right(), box.Bottom()};
}

void DrawText(HDC dc, FontCache& fonts, const PageItem& item)
{
    if (item.text.empty())
        return;
    SelectObject(dc, fonts.Get(item.style));
    RECT place = ToRect(item.box);
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &place, TextFormat(item.style));
}

void DrawLine(HDC dc, const PageItem& item)
{
    forms::GdiObject<HPEN> pen(CreatePen(PS_SOLID, item.thickness, RGB(0, 0, 0)));
    Selection selected(dc, pen.Get());
    MoveToEx(dc, item.box.left, item.box.top, nullptr);
    LineTo(dc, item.box.Right(), item.box.Bottom());
}

} // namespace

void DrawPageItems(const PageModel& items, HDC dc, const RECT& target)
{
    FontCache fonts;
    SavedDc saved(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, kPageWidth, kPageHeight, nullptr);
    SetViewportOrgEx(dc, target.left, target.top, nullptr);
    SetViewportExtEx(dc, target.right - target.left, target.bottom - target.top, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const PageItem& item : items) {
        switch (item.kind) {
        case ControlKind::Label:
        case ControlKind::Field:
            DrawText(dc, fonts, item);
            break;
        case ControlKind::Line:
            DrawLine(dc, item);
            break;
        case ControlKind::Picture:
            if (item.picture) {
                const RECT place = ToRect(item.box);
                item.picture->Draw(dc, place);
            }
            break;
        }
    }
}

} // namespace hv::report
