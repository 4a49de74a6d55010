// ProgressoTabelas: the progress display of table generation and of the
// workbook: a frame label, a filled label that grows inside it and a caption
// centred under it. Each start names the next table (1, 2, then 1 again);
// each step shows the stage and the percentage done; the end hides it all.
// Labels are touched only when their text or the bar's width in pixels
// changes, so a step per table cell costs next to nothing.
#pragma once

#include <string>
#include <vector>

namespace hv::forms {
class Label;
}

class ProgressoTabelas
{
public:
    // The labels of one display: not owned; the form keeps them.
    struct Barra
    {
        hv::forms::Label& LblBarra;
        hv::forms::Label& LblPronto;
        hv::forms::Label& lblPerc;
    };

    static constexpr int kLarguraTotal = 13400;   // twips of a full bar

    explicit ProgressoTabelas(std::vector<Barra> barras);

    // Posicao 0 starts a table of Total cells, -1 ends the display, any other
    // value is the number of cells done. Total is read on the start only;
    // bMemoria tells the in-memory stage from the workbook stage.
    void sProgresso(short Index, long Posicao, long Total, bool bMemoria);

    long Total() const { return m_total; }
    short Tabela() const { return m_tabela; }

private:
    void Iniciar(Barra& b);
    void Avancar(Barra& b, long posicao, bool bMemoria);
    void Terminar(Barra& b);
    void ZerarPronto(Barra& b);

    std::vector<Barra> m_barras;
    long m_total = 0;        // cells of the table under way
    short m_tabela = 0;      // 0 idle, then 1 or 2
    // What the caption shows now (tabela 0: "0 %").
    struct Legenda
    {
        short tabela = 0;
        bool memoria = false;
        long percentual = 0;
        bool operator==(const Legenda&) const = default;
    };
    static std::wstring Texto(const Legenda& legenda);
    Legenda m_legenda;
    int m_larguraPixels = -1;
    int m_dpi = 96;          // the display's, taken once per table
};
