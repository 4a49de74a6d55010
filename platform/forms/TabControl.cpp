// Tab control over the system tab strip. The pages are siblings above the
// strip inside a frame window of ours, so their controls' notifications come
// to the layer and not to the strip.
#include "TabControl.h"

#include "Form.h"

namespace hv::forms {

TabControl::TabControl(Container& parent, const TwipsRect& place, int tabs) : Control(parent, place)
{
    const int width = TwipsToPixelsX(place.width);
    const int height = TwipsToPixelsY(place.height);
    const RECT pixels{TwipsToPixelsX(place.left), TwipsToPixelsY(place.top),
                      TwipsToPixelsX(place.left) + width, TwipsToPixelsY(place.top) + height};
    client_ = CreateHandlerWindow(WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  L"", pixels, parent.ClientWindow());
    strip_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                             0, 0, width, height, client_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(strip_, WM_SETFONT, reinterpret_cast<WPARAM>(parent.OwnerForm().Font()), FALSE);
    for (int i = 0; i < tabs; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(strip_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    const RECT page = PageRect();
    for (int i = 0; i < tabs; ++i) {
        pages_.push_back(std::make_unique<TabPage>(*this, client_, page));
        SetWindowPos(pages_.back()->ClientWindow(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Attach(client_, strip_);
    ShowCurrentPage();
}

RECT TabControl::PageRect() const
{
    RECT r;
    GetClientRect(strip_, &r);
    SendMessageW(strip_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

std::wstring TabControl::TabCaption(int tab) const
{
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(strip_, TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void TabControl::SetTabCaption(int tab, const std::wstring& caption)
{
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(strip_, TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    // Captions change the strip's height and with it the page area.
    const RECT page = PageRect();
    for (auto& p : pages_)
        MoveWindow(p->ClientWindow(), page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
}

void TabControl::SetTab(int tab)
{
    if (tab < 0 || tab >= Tabs() || tab == current_)
        return;
    const int previous = current_;
    current_ = tab;
    SendMessageW(strip_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    ShowCurrentPage();
    if (Click)
        Click(previous);
}

void TabControl::ShowCurrentPage()
{
    // The focus must not stay on a control that disappears: it goes to the strip.
    for (int i = 0; i < Tabs(); ++i) {
        HWND page = pages_[static_cast<size_t>(i)]->ClientWindow();
        if (i != current_) {
            HWND focus = GetFocus();
            if (focus && IsChild(page, focus))
                OwnerForm().MoveFocusWithoutValidation(strip_);
            ShowWindow(page, SW_HIDE);
        }
    }
    ShowWindow(pages_[static_cast<size_t>(current_)]->ClientWindow(), SW_SHOWNA);
}

LRESULT TabControl::OnNotify(const NMHDR& header)
{
    // A click on a tab leaves the focused field: it is validated first, and
    // a cancel keeps the tab.
    if (header.hwndFrom == strip_ && header.code == TCN_SELCHANGING)
        return OwnerForm().ValidateBeforeMove() ? TRUE : FALSE;
    if (header.hwndFrom == strip_ && header.code == TCN_SELCHANGE) {
        const int selected = static_cast<int>(SendMessageW(strip_, TCM_GETCURSEL, 0, 0));
        if (selected >= 0 && selected != current_) {
            const int previous = current_;
            current_ = selected;
            ShowCurrentPage();
            if (Click)
                Click(previous);
        }
    }
    return 0;
}

LRESULT TabControl::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE && strip_) {
        MoveWindow(strip_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        const RECT page = PageRect();
        for (auto& p : pages_)
            MoveWindow(p->ClientWindow(), page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
    }
    return Container::HandleMessage(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
