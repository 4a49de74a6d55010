// Report pictures recorded with GDI in twips.
#include "ReportPictures.h"

#include "GdiGuards.h"
#include "GdiObject.h"

namespace ostrelvia::reports {

using hv::forms::GdiObject;
using hv::report::ReportPicture;
using hv::report::Selection;

namespace {

constexpr COLORREF kAzul = RGB(22, 64, 128);
constexpr COLORREF kAzulClaro = RGB(120, 170, 220);

void DrawEmblem(HDC dc, int left, int top, int size)
{
    GdiObject<HBRUSH> disc(CreateSolidBrush(kAzul));
    GdiObject<HPEN> none(CreatePen(PS_NULL, 0, 0));
    Selection pen(dc, none.Get());
    {
        Selection brush(dc, disc.Get());
        Ellipse(dc, left, top, left + size, top + size);
    }
    // The drop: a round foot and a pointed top.
    GdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    Selection brush(dc, white.Get());
    const int cx = left + size / 2;
    const int r = size / 5;
    const int footY = top + size * 62 / 100;
    Ellipse(dc, cx - r, footY - r, cx + r, footY + r);
    const POINT tip[] = {{cx, top + size * 18 / 100}, {cx - r * 96 / 100, footY - r / 4}, {cx + r * 96 / 100, footY - r / 4}};
    Polygon(dc, tip, 3);
    // A wave across the disc's foot.
    GdiObject<HPEN> wave(CreatePen(PS_SOLID, size / 30, kAzulClaro));
    Selection wavePen(dc, wave.Get());
    const int waveY = top + size * 84 / 100;
    MoveToEx(dc, left + size / 5, waveY, nullptr);
    const POINT curve[] = {{left + size * 35 / 100, waveY - size / 14},
                           {left + size * 50 / 100, waveY + size / 14},
                           {left + size * 80 / 100, waveY}};
    PolyBezierTo(dc, curve, 3);
}

} // namespace

std::shared_ptr<const ReportPicture> Emblema()
{
    static const auto picture =
        std::make_shared<const ReportPicture>(ReportPicture::Record(1000, 1000, [](HDC dc) { DrawEmblem(dc, 0, 0, 1000); }));
    return picture;
}

std::shared_ptr<const ReportPicture> Assinatura()
{
    static const auto picture = std::make_shared<const ReportPicture>(ReportPicture::Record(1800, 400, [](HDC dc) {
        DrawEmblem(dc, 0, 20, 360);
        GdiObject<HFONT> font(CreateFontW(-200, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                          CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                          L"Arial"));
        Selection selected(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kAzul);
        TextOutW(dc, 440, 90, L"Ostrelvia", 9);
    }));
    return picture;
}

std::shared_ptr<const ReportPicture> Escala()
{
    static const auto picture = std::make_shared<const ReportPicture>(ReportPicture::Record(1800, 400, [](HDC dc) {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 15, kAzul));
        Selection selected(dc, pen.Get());
        MoveToEx(dc, 0, 340, nullptr);
        LineTo(dc, 1800, 340);
        for (int i = 0; i <= 30; ++i) {
            const int x = i * 60;
            const int height = i % 10 == 0 ? 260 : i % 5 == 0 ? 170 : 90;
            MoveToEx(dc, x, 340, nullptr);
            LineTo(dc, x, 340 - height);
        }
    }));
    return picture;
}

} // namespace ostrelvia::reports
