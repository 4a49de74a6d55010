// KeepPicture: the canvas's pixels written as a PNG file.
#include "KeepPicture.h"

#include "PngEncoder.h"

#include <doctest/doctest.h>

#include <vector>

void KeepPicture(const Canvas& canvas, const std::wstring& name)
{
    std::vector<BYTE> pixels(static_cast<size_t>(canvas.Width()) * static_cast<size_t>(canvas.Height()) * 4);
    size_t at = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF colour = canvas.At(x, y);
            pixels[at++] = GetBValue(colour);
            pixels[at++] = GetGValue(colour);
            pixels[at++] = GetRValue(colour);
            pixels[at++] = 0;
        }
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.erase(folder.find_last_of(L"\\/") + 1);
    CHECK(hv::report::WritePng(folder + name + L".png", canvas.Width(), canvas.Height(), pixels.data()));
}
