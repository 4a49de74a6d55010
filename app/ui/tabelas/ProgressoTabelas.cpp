// The three labels of the progress display.
#include "ProgressoTabelas.h"

#include "Label.h"
#include "RoundTiesToEven.h"
#include "Twips.h"

#include <windows.h>

#include <cmath>

using hv::forms::Label;

std::wstring ProgressoTabelas::Texto(const Legenda& l)
{
    std::wstring texto = l.memoria ? L"Gerando a Tabela " + std::to_wstring(l.tabela) + L" na memória"
                                   : L"Montando a Tabela " + std::to_wstring(l.tabela) + L" no Excel";
    return texto + L" -> " + std::to_wstring(l.percentual) + L" %";
}

ProgressoTabelas::ProgressoTabelas(std::vector<Barra> barras) : m_barras(std::move(barras)) {}

void ProgressoTabelas::sProgresso(short Index, long Posicao, long Total, bool bMemoria)
{
    Barra& b = m_barras.at(static_cast<size_t>(Index));
    if (Posicao == 0) {
        m_total = Total;
        Iniciar(b);
    } else if (Posicao == -1) {
        Terminar(b);
    } else {
        Avancar(b, Posicao, bMemoria);
    }
}

void ProgressoTabelas::ZerarPronto(Barra& b)
{
    b.LblPronto.Move(b.LblBarra.Left() + 35, b.LblBarra.Top() + 30, 0, 300);
    m_larguraPixels = 0;
}

void ProgressoTabelas::Iniciar(Barra& b)
{
    m_dpi = hv::forms::ScreenDpiX();
    b.LblBarra.SetVisible(true);
    b.lblPerc.SetTop(b.LblBarra.Top() + 60);
    b.lblPerc.SetLeft(b.LblBarra.Left() + b.LblBarra.Width() / 2 - b.lblPerc.Width() / 2);
    m_legenda = {};
    b.lblPerc.SetCaption(L"0 %");
    b.lblPerc.SetVisible(true);
    ZerarPronto(b);
    b.LblPronto.SetVisible(true);
    ++m_tabela;
    if (m_tabela > 2)
        m_tabela = 1;
}

void ProgressoTabelas::Avancar(Barra& b, long posicao, bool bMemoria)
{
    // A table of no cells shows 0 % and no bar, never a division by zero.
    const double fracao = m_total != 0 ? static_cast<double>(posicao) / m_total : 0.0;
    const long percentual = std::lround(RoundTiesToEven(fracao * 100, 0));
    const Legenda legenda{m_tabela, bMemoria, percentual};
    if (legenda != m_legenda) {
        b.lblPerc.SetCaption(Texto(legenda));
        m_legenda = legenda;
    }
    const int largura = static_cast<int>(RoundTiesToEven(fracao * kLarguraTotal, 0));
    const int pixels = MulDiv(largura, m_dpi, hv::forms::kTwipsPerInch);
    if (pixels != m_larguraPixels) {
        b.LblPronto.SetWidth(largura);
        m_larguraPixels = pixels;
    }
}

void ProgressoTabelas::Terminar(Barra& b)
{
    b.LblBarra.SetVisible(false);
    m_legenda = {};
    b.lblPerc.SetCaption(L"0 %");
    b.lblPerc.SetVisible(false);
    ZerarPronto(b);
    b.LblPronto.SetVisible(false);
    m_total = 0;
    m_tabela = 0;
}
