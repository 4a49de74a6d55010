// Length conversions between pixels, twips and HIMETRIC.
#include "Units.h"

#include <cstdint>
#include <mutex>

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int HimetricPerInch = 2540;
constexpr int FallbackDpi = 96;

// The DPI of the "Display" information context, read once per process: an
// information context a conversion costs milliseconds, and the display's
// logical DPI does not change while a process runs. An axis whose context
// could not be made or answered nothing counts as 96.
struct DisplayContextDpi
{
    int x = FallbackDpi;
    int y = FallbackDpi;
};

const DisplayContextDpi& ReadDisplayDpi()
{
    static const DisplayContextDpi dpi = [] {
        DisplayContextDpi read;
        if (HDC ic = CreateICW(L"Display", nullptr, nullptr, nullptr)) {
            const int x = GetDeviceCaps(ic, LOGPIXELSX);
            const int y = GetDeviceCaps(ic, LOGPIXELSY);
            DeleteDC(ic);
            read.x = x > 0 ? x : FallbackDpi;
            read.y = y > 0 ? y : FallbackDpi;
        }
        return read;
    }();
    return dpi;
}

int DisplayDpi(int axis)
{
    const DisplayContextDpi& dpi = ReadDisplayDpi();
    return axis == LOGPIXELSY ? dpi.y : dpi.x;
}

// The quotients are computed in 64 bits so that a huge extent cannot overflow
// on its way; the result is narrowed back to the 32-bit interface. Halves
// round away from zero on both sides, so that a negative value converted
// there and back comes home as a positive one does.
int RoundedQuotient(std::int64_t numerator, std::int64_t divisor)
{
    const std::int64_t half = divisor / 2;
    const std::int64_t quotient = numerator >= 0 ? (numerator + half) / divisor : -((half - numerator) / divisor);
    return static_cast<int>(quotient);
}

struct ScreenDpi
{
    int x = FallbackDpi;
    int y = FallbackDpi;
};

ScreenDpi g_screenDpi;
std::once_flag g_screenDpiRead;

const ScreenDpi& CachedScreenDpi()
{
    CacheScreenDpi();
    return g_screenDpi;
}

} // namespace

int TwipsPerPixel(int dpi)
{
    if (dpi <= 0)
        dpi = FallbackDpi;
    // Above 1440 DPI the truncated quotient would be 0 and every later
    // division would fault; one twip a pixel is the nearest sound value.
    const int tpp = TwipsPerInch / dpi;
    return tpp > 0 ? tpp : 1;
}

int PixelsToTwips(int pixels, int twipsPerPixel)
{
    return static_cast<int>(static_cast<std::int64_t>(pixels) * twipsPerPixel);
}

int TwipsToPixels(int twips, int twipsPerPixel)
{
    return RoundedQuotient(twips, twipsPerPixel);
}

int HimetricToPixels(int himetric, int dpi)
{
    return RoundedQuotient(static_cast<std::int64_t>(himetric) * dpi, HimetricPerInch);
}

int PixelsToHimetric(int pixels, int dpi)
{
    return RoundedQuotient(static_cast<std::int64_t>(pixels) * HimetricPerInch, dpi);
}

int PixelsToTwipsX(int pixels) { return PixelsToTwips(pixels, TwipsPerPixel(DisplayDpi(LOGPIXELSX))); }
int PixelsToTwipsY(int pixels) { return PixelsToTwips(pixels, TwipsPerPixel(DisplayDpi(LOGPIXELSY))); }
int TwipsToPixelsX(int twips) { return TwipsToPixels(twips, TwipsPerPixel(DisplayDpi(LOGPIXELSX))); }
int TwipsToPixelsY(int twips) { return TwipsToPixels(twips, TwipsPerPixel(DisplayDpi(LOGPIXELSY))); }

void CacheScreenDpi()
{
    // The screen DPI is read once per process, even if the display changes later.
    std::call_once(g_screenDpiRead, [] {
        if (HDC screen = GetDC(nullptr)) {
            const int x = GetDeviceCaps(screen, LOGPIXELSX);
            const int y = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            g_screenDpi.x = x > 0 ? x : FallbackDpi;
            g_screenDpi.y = y > 0 ? y : FallbackDpi;
        }
    });
}

void HimetricToPixels(const SIZE& in, SIZE& out)
{
    const ScreenDpi& dpi = CachedScreenDpi();
    out.cx = HimetricToPixels(in.cx, dpi.x);
    out.cy = HimetricToPixels(in.cy, dpi.y);
}

void PixelsToHimetric(const SIZE& in, SIZE& out)
{
    const ScreenDpi& dpi = CachedScreenDpi();
    out.cx = PixelsToHimetric(in.cx, dpi.x);
    out.cy = PixelsToHimetric(in.cy, dpi.y);
}

int HimetricToPixelsX(int himetric) { return HimetricToPixels(himetric, CachedScreenDpi().x); }
int HimetricToPixelsY(int himetric) { return HimetricToPixels(himetric, CachedScreenDpi().y); }
int PixelsToHimetricX(int pixels) { return PixelsToHimetric(pixels, CachedScreenDpi().x); }
int PixelsToHimetricY(int pixels) { return PixelsToHimetric(pixels, CachedScreenDpi().y); }

long long FontHeightToSize(long height, int percent)
{
    const long long pixels = height < 0 ? -static_cast<long long>(height) : height;
    return pixels * 72 * 10000 * percent / (100LL * CachedScreenDpi().y);
}
