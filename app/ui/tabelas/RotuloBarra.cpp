// The progress bar's labels: static controls of another kind than the plain
// label's.
#include "RotuloBarra.h"

RotuloBarra::RotuloBarra(hv::forms::Container& parent, const hv::forms::TwipsRect& place, Tipo tipo)
    : Label(parent, place)
{
    const LONG_PTR estilo = GetWindowLongPtrW(Hwnd(), GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    switch (tipo) {
    case Tipo::Moldura:
        SetWindowLongPtrW(Hwnd(), GWL_STYLE, estilo | SS_LEFT | SS_SUNKEN);
        break;
    case Tipo::Preenchido:
        SetWindowLongPtrW(Hwnd(), GWL_STYLE, estilo | SS_OWNERDRAW);
        break;
    case Tipo::Legenda:
        SetWindowLongPtrW(Hwnd(), GWL_STYLE, estilo | SS_CENTER);
        break;
    }
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void RotuloBarra::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
}
