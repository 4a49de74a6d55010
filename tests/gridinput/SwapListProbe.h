// Probes of a header's swap list on the bound grid: the swap button's
// rectangle, the dropped list and its entries, and the columns' painted order.
#pragma once

#include "BoundGrid.h"
#include "Canvas.h"

#include <algorithm>
#include <string>
#include <vector>

namespace swaplist {

constexpr DISPID AfterColPosChanged = 1003;
constexpr DISPID BeforeColPosChanged = 1024;
constexpr long SwapButtonElement = 6400;

// The swap button inside the column's header; empty when it shows none.
inline RECT SwapButtonRect(BoundGrid& bound, const wchar_t* key)
{
    const RECT header = bound.HeaderRect(key);
    for (const auto& element : bound.Grid().OfType(SwapButtonElement)) {
        const RECT rect = RectOf(element.Get());
        RECT common{};
        if (IntersectRect(&common, &rect, &header) && EqualRect(&common, &rect))
            return rect;
    }
    return RECT{};
}

// The grid's drop-down combo, or null.
inline HWND SwapCombo(BoundGrid& bound)
{
    return FindWindowExW(bound.Window(), nullptr, L"ComboBox", nullptr);
}

inline bool IsDropped(HWND combo)
{
    return combo && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// The dropped list box of the combo.
inline HWND ListOf(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return combo && GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

inline std::vector<std::wstring> Entries(HWND combo)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 63)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

// The column keys in the order their headers are painted, left to right.
inline std::vector<std::wstring> PaintedOrder(BoundGrid& bound)
{
    std::vector<std::pair<LONG, std::wstring>> shown;
    for (const wchar_t* key : {L"ID", L"Name", L"Qty"}) {
        const RECT rect = bound.HeaderRect(key);
        if (!IsRectEmpty(&rect))
            shown.emplace_back(rect.left, key);
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::wstring> keys;
    for (const auto& entry : shown)
        keys.push_back(entry.second);
    return keys;
}

// The pixels of the rectangle as the control paints itself now.
inline std::vector<COLORREF> PaintedPixels(BoundGrid& bound, const RECT& rect)
{
    RECT client{};
    GetClientRect(bound.Window(), &client);
    Canvas canvas(client.right, client.bottom, RGB(1, 2, 3));
    REQUIRE(bound.Grid().DrawInto(canvas) == S_OK);
    std::vector<COLORREF> pixels;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

} // namespace swaplist
