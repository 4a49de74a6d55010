// FrmSobre: the About box and its picture, drawn when the form loads.
#include "FrmSobre.h"

#include "GdiObject.h"

using namespace hv::forms;

namespace {

// The picture: the program's name on a band of the window colours.
GdiObject<HBITMAP> fDesenhaFigura(int largura, int altura, HFONT fonte)
{
    HDC tela = GetDC(nullptr);
    GdiObject<HBITMAP> figura(CreateCompatibleBitmap(tela, largura, altura));
    HDC dc = CreateCompatibleDC(tela);
    ReleaseDC(nullptr, tela);
    if (!dc || !figura)
        return figura;
    HGDIOBJ anterior = SelectObject(dc, figura.Get());
    RECT area{0, 0, largura, altura};
    FillRect(dc, &area, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HGDIOBJ fonteAnterior = SelectObject(dc, fonte);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawTextW(dc, L"Ostrelvia", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, fonteAnterior);
    SelectObject(dc, anterior);
    DeleteDC(dc);
    return figura;
}

} // namespace

FrmSobre::FrmSobre()
{
    SetCaption(L"Sobre");
    Move(2400, 2400, 5400, 3600);
}

void FrmSobre::CreateControls()
{
    Picture1 = &Add<PictureBox>(TwipsRect{240, 240, 4800, 1200});
    Picture1->SetPicture(fDesenhaFigura(TwipsToPixelsX(4800) - 4, TwipsToPixelsY(1200) - 4, Font()));
    LblPrograma = &Add<Label>(TwipsRect{240, 1560, 4800, 600},
                              L"Ostrelvia - tabelas alcoométricas\r\nMassa específica, teor alcoólico e fator de "
                              L"correção de volume");
    Command1 = &Add<CommandButton>(TwipsRect{3840, 2340, 1200, 450}, L"Sair");
    Command1->Click = [this] { Command1_Click(); };
}

void FrmSobre::Command1_Click()
{
    Unload();
}
