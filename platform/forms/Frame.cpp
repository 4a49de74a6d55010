// Frames draw the group-box face themselves so that they can parent controls
// (a system group box would swallow its children's notifications).
#include "Frame.h"

#include <string>

#include "Form.h"

namespace hv::forms {

Frame::Frame(Container& parent, const TwipsRect& place, const std::wstring& caption)
    : Control(parent, place)
{
    const RECT pixels{TwipsToPixelsX(place.left), TwipsToPixelsY(place.top),
                      TwipsToPixelsX(place.left + place.width), TwipsToPixelsY(place.top + place.height)};
    client_ = CreateHandlerWindow(0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  caption.c_str(), pixels, parent.ClientWindow());
    Attach(client_);
}

LRESULT Frame::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT) {
        const LRESULT result = Container::HandleMessage(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    return Container::HandleMessage(hwnd, msg, wParam, lParam);
}

void Frame::Paint(HDC dc, const RECT& client)
{
    const std::wstring caption = Caption();
    HGDIOBJ oldFont = SelectObject(dc, OwnerForm().Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT edge = client;
    edge.top += metrics.tmHeight / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(Hwnd()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        SetBkMode(dc, OPAQUE);
        RECT text{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
        const std::wstring padded = L" " + caption + L" ";
        DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &text,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

} // namespace hv::forms
