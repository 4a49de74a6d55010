// The day's list end to end: analyses typed through the forms layer land in
// the registered grid, formatted by the data filter, and in the day file;
// the day file is read back when the date is confirmed; a file not read
// whole or not writable changes nothing.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ArquivoDisco.h"
#include "FrmMainFixture.h"
#include "GdiObject.h"

using namespace std::string_literals;
using formstest::PumpMessages;
using hv::forms::GdiObject;

namespace {

const wchar_t* const kData = L"31/01/2024";
const wchar_t* const kArquivo = L"TABV220240131";

const std::string kA1 = "A1\0" "812.5\0" "25\0" "30\0" "816.3\0" "93.4\0" "95.2\0" "0.9967\0" "\r\n"s;
const std::string kFim = "<<**END**>>\r\n";

std::string fLinha850(const std::string& amostra)
{
    return amostra + "\0" "850\0" "20\0" "25\0" "850\0" "77.3\0" "83.3\0" "0.9949\0" "\r\n"s;
}

// A day file put in the data folder before the date is confirmed.
void fGravaDia(FrmMainFixture& f, const std::string& bytes)
{
    REQUIRE(fGravaArquivo(f.pasta.Dados() + L"\\" + kArquivo, bytes));
}

std::wstring fTextoAtivo(FrmMainFixture& f)
{
    const ObjetoAutomacao ativa = f.form->fGrid().Objeto(L"ActiveRow");
    return ativa.Vazio() ? L"<none>" : f.Celula(ativa, L"AMOSTRA");
}

bool fVerdade(const OwnedVariant& valor)
{
    return valor.Type() == VT_BOOL && valor.Get().boolVal != VARIANT_FALSE;
}

long fLong(const OwnedVariant& valor)
{
    VARIANT numero;
    VariantInit(&numero);
    REQUIRE(SUCCEEDED(VariantChangeType(&numero, const_cast<VARIANT*>(&valor.Get()), 0, VT_I4)));
    return numero.lVal;
}

// The cell element (type 6000) of the sample's row and the column, found
// among the elements the grid shows, from its root element down.
ObjetoAutomacao fElementoDaCelula(const ObjetoAutomacao& elemento, const std::wstring& amostra, const wchar_t* campo)
{
    if (fLong(elemento.Propriedade(L"Type")) == 6000) {
        const ObjetoAutomacao celula = elemento.Objeto(L"Cell");
        if (!celula.Vazio()) {
            const OwnedVariant chave = celula.Objeto(L"Column").Propriedade(L"Key");
            const OwnedVariant valor = celula.Objeto(L"Row")
                                           .Objeto(L"Cells")
                                           .Objeto(L"Item", {OwnedVariant::Text(L"AMOSTRA")})
                                           .Propriedade(L"Value");
            if (chave.Type() == VT_BSTR && std::wstring(chave.Get().bstrVal) == campo && valor.Type() == VT_BSTR &&
                std::wstring(valor.Get().bstrVal) == amostra)
                return elemento;
        }
    }
    const ObjetoAutomacao filhos = elemento.Objeto(L"UIElements");
    if (filhos.Vazio())
        return {};
    const long quantos = fLong(filhos.Propriedade(L"Count"));
    for (long i = 0; i < quantos; ++i) {
        const ObjetoAutomacao achado =
            fElementoDaCelula(filhos.Objeto(L"Item", {fVarLong(i)}), amostra, campo);
        if (!achado.Vazio())
            return achado;
    }
    return {};
}

// The middle of a cell as the grid shows it, in its window's coordinates.
POINT fMeioDaCelula(FrmMainFixture& f, const std::wstring& amostra, const wchar_t* campo)
{
    const ObjetoAutomacao raiz = ObjetoAutomacao::De(f.form->fGrid().Chama(L"GetUIElement").Get());
    const ObjetoAutomacao elemento = fElementoDaCelula(raiz, amostra, campo);
    REQUIRE_FALSE(elemento.Vazio());
    const ObjetoAutomacao retangulo = elemento.Objeto(L"Rect");
    const long esquerda = fLong(retangulo.Propriedade(L"Left"));
    const long topo = fLong(retangulo.Propriedade(L"Top"));
    const long direita = fLong(retangulo.Propriedade(L"Right"));
    const long base = fLong(retangulo.Propriedade(L"Bottom"));
    REQUIRE(direita > esquerda);
    REQUIRE(base > topo);
    return POINT{(esquerda + direita) / 2, (topo + base) / 2};
}

// The left button pressed and released on the grid's window, as the mouse
// delivers it (with a double click when asked).
void fClicaCelula(FrmMainFixture& f, const std::wstring& amostra, const wchar_t* campo, bool duplo = false)
{
    const POINT ponto = fMeioDaCelula(f, amostra, campo);
    const HWND janela = f.form->Grid->InPlaceWindow();
    REQUIRE(janela);
    const LPARAM onde = MAKELPARAM(ponto.x, ponto.y);
    BYTE teclas[256] = {};
    const auto botao = [&](bool preso) {
        GetKeyboardState(teclas);
        teclas[VK_LBUTTON] = preso ? 0x80 : 0;
        SetKeyboardState(teclas);
    };
    SendMessageW(janela, WM_MOUSEMOVE, 0, onde);
    for (UINT descida : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
        botao(true);
        SendMessageW(janela, descida, MK_LBUTTON, onde);
        PumpMessages();
        botao(false);
        SendMessageW(janela, WM_LBUTTONUP, 0, onde);
        PumpMessages();
        if (!duplo)
            break;
    }
}

// Boxes the grid shows by itself (the form's own go through the script):
// a thread timer, which runs inside their modal loop, answers them No and
// keeps their texts.
class CaixasDaGrade {
public:
    CaixasDaGrade() : timer_(SetTimer(nullptr, 0, 50, &CaixasDaGrade::Verifica)) { atual_ = this; }
    ~CaixasDaGrade()
    {
        KillTimer(nullptr, timer_);
        atual_ = nullptr;
    }
    CaixasDaGrade(const CaixasDaGrade&) = delete;
    CaixasDaGrade& operator=(const CaixasDaGrade&) = delete;

    std::vector<std::wstring> textos;

private:
    static BOOL CALLBACK Responde(HWND janela, LPARAM)
    {
        wchar_t classe[16] = {};
        GetClassNameW(janela, classe, 16);
        if (std::wstring(classe) == L"#32770" && IsWindowVisible(janela)) {
            wchar_t texto[512] = {};
            GetDlgItemTextW(janela, 0xFFFF, texto, 512);
            atual_->textos.push_back(texto);
            PostMessageW(janela, WM_COMMAND, IDNO, 0);
        }
        return TRUE;
    }
    static void CALLBACK Verifica(HWND, UINT, UINT_PTR, DWORD)
    {
        if (atual_)
            EnumThreadWindows(GetCurrentThreadId(), &CaixasDaGrade::Responde, 0);
    }

    static inline CaixasDaGrade* atual_ = nullptr;
    UINT_PTR timer_;
};

// The grid drawn by its view into a memory bitmap: its pixels.
std::vector<DWORD> fPixelsDaGrade(FrmMainFixture& f)
{
    const auto vista = f.form->Grid->Query<IViewObject>();
    REQUIRE(vista);
    constexpr int kLargura = 500;
    constexpr int kAltura = 160;
    BITMAPINFO formato{};
    formato.bmiHeader = {sizeof(BITMAPINFOHEADER), kLargura, -kAltura, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const GdiObject<HBITMAP> mapa(CreateDIBSection(nullptr, &formato, DIB_RGB_COLORS, &bits, nullptr, 0));
    REQUIRE(mapa.Get());
    const std::unique_ptr<HDC__, decltype(&DeleteDC)> dc(CreateCompatibleDC(nullptr), &DeleteDC);
    const HGDIOBJ anterior = SelectObject(dc.get(), mapa.Get());
    const RECTL limites{0, 0, kLargura, kAltura};
    CHECK(vista->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &limites, nullptr, nullptr, 0) ==
          S_OK);
    GdiFlush();
    SelectObject(dc.get(), anterior);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(pixels, pixels + kLargura * kAltura);
}

} // namespace

TEST_CASE("entry: 850 / 20 / 25 and Enter in the storage temperature compute, store one row and return to the sample")
{
    FrmMainFixture f;
    CHECK(f.mensagensDaCarga.empty());
    f.Lanca(kData);
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    CHECK(f.caixas.shown.empty());
    CHECK(f.form->TxtMassa20->Text() == L"850,0");
    CHECK(f.form->TxtGrau->Text() == L"77,3");
    CHECK(f.form->TxtGrau20->Text() == L"83,3");
    CHECK(f.form->TxtFator->Text() == L"0,9949");
    CHECK(f.form->TxtAmostra->HasFocus());
    const auto linhas = f.Linhas();
    REQUIRE(linhas.size() == 1);
    CHECK(f.Celula(linhas[0], L"AMOSTRA") == L"A1");
    CHECK(f.Celula(linhas[0], L"ME") == L"850,00");
    CHECK(f.Celula(linhas[0], L"FATOR") == L"0,9949");
    CHECK(f.Arquivo(kArquivo) == fLinha850("A1") + kFim);
}

TEST_CASE("list: a sample is found as typed: the same twice updates, another case or an apostrophe adds")
{
    FrmMainFixture f;
    f.Lanca(kData);
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    f.LancaAnalise(L"A1", L"850", L"20", L"20");  // same sample: its row is updated
    REQUIRE(f.Linhas().size() == 1);
    CHECK(f.Celula(f.Linhas()[0], L"TEMP_EST") == L"20,0");
    f.LancaAnalise(L"a1", L"850", L"20", L"25");
    f.LancaAnalise(L"D'Ávila", L"850", L"20", L"25");
    const auto linhas = f.Linhas();
    REQUIRE(linhas.size() == 3);
    CHECK(f.Celula(linhas[1], L"AMOSTRA") == L"a1");
    CHECK(f.Celula(linhas[2], L"AMOSTRA") == L"D'Ávila");
    CHECK(f.Arquivo(kArquivo) ==
          "A1\0" "850\0" "20\0" "20\0" "850\0" "77.3\0" "83.3\0" "1\0\r\n"s + fLinha850("a1") +
              fLinha850("D'\xc1vila") + kFim);

    // Confirming a known sample fills the fields from its row and selects it.
    f.form->TxtMassa->SetText(L"");
    f.Digita(*f.form->TxtAmostra, L"D'Ávila");
    CHECK(f.form->TxtMassa->Text() == L"850,00");
    CHECK(fTextoAtivo(f) == L"D'Ávila");
    // A new sample empties the numbers and stores nothing.
    f.Digita(*f.form->TxtAmostra, L"B9");
    CHECK(f.form->TxtMassa->Text().empty());
    CHECK(f.form->TxtFator->Text().empty());
    CHECK(f.Linhas().size() == 3);
}

TEST_CASE("list: delete asks first; No changes nothing; the last row leaves an empty grid and a 0-byte file")
{
    FrmMainFixture f({hv::forms::MsgNo, hv::forms::MsgYes, hv::forms::MsgYes});
    CaixasDaGrade daGrade;  // the grid's own question is suppressed
    f.Lanca(kData);
    f.form->CmdExcluir_Click();  // no row, no active row: nothing asked
    CHECK(f.caixas.shown.empty());
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    f.LancaAnalise(L"A2", L"850", L"20", L"25");
    const std::string antes = f.Arquivo(kArquivo);
    f.form->CmdExcluir_Click();
    REQUIRE(f.caixas.shown.size() == 1);
    CHECK(f.caixas.shown[0].text == L"Confirma exclusão do registro?");
    CHECK(f.caixas.shown[0].style == 292);
    CHECK(f.Linhas().size() == 2);
    CHECK(f.Arquivo(kArquivo) == antes);

    f.form->CmdExcluir_Click();  // A2, the active row
    CHECK(f.Linhas().size() == 1);
    CHECK(f.Arquivo(kArquivo) == fLinha850("A1") + kFim);
    CHECK(fTextoAtivo(f) == L"A1");
    f.form->CmdExcluir_Click();
    CHECK(f.Linhas().empty());
    CHECK(fExisteArquivo(f.pasta.Dados() + L"\\" + kArquivo));
    CHECK(f.Arquivo(kArquivo).empty());
    CHECK(f.caixas.shown.size() == 3);
    CHECK(daGrade.textos.empty());
}

TEST_CASE("list: a click on a row fills the fields from it and selects it; no click edits a cell")
{
    FrmMainFixture f;
    f.Lanca(kData);
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    f.LancaAnalise(L"A2", L"812,5", L"25", L"30");
    const std::string antes = f.Arquivo(kArquivo);
    const auto linhas = f.Linhas();
    REQUIRE(linhas.size() == 2);
    for (bool duplo : {false, true}) {
        CAPTURE(duplo);
        fClicaCelula(f, L"A1", L"ME", duplo);
        CHECK(fTextoAtivo(f) == L"A1");
        CHECK(f.form->TxtAmostra->Text() == L"A1");
        CHECK(f.form->TxtMassa->Text() == L"850,00");
        CHECK(f.form->TxtTempEstoc->Text() == L"25,0");
        CHECK(f.form->TxtFator->Text() == L"0,9949");
        CHECK(fVerdade(linhas[0].Propriedade(L"Selected")));
        CHECK_FALSE(fVerdade(linhas[1].Propriedade(L"Selected")));
        CHECK_FALSE(fVerdade(f.form->fGrid().Propriedade(L"IsInEditMode")));
    }
    fClicaCelula(f, L"A2", L"AMOSTRA");
    CHECK(f.form->TxtAmostra->Text() == L"A2");
    CHECK(f.form->TxtMassa->Text() == L"812,50");
    CHECK_FALSE(fVerdade(f.form->fGrid().Propriedade(L"IsInEditMode")));
    CHECK(f.Arquivo(kArquivo) == antes);
    CHECK(f.caixas.shown.empty());
}

TEST_CASE("list: with a sample twice in the file, the first row is the one found and updated")
{
    FrmMainFixture f;
    const std::string segunda = "A1\0" "812.5\0" "20\0" "20\0" "\0\0\0\0\r\n"s;
    fGravaDia(f, kA1 + segunda + kFim);
    f.Lanca(kData);
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    CHECK(f.caixas.shown.empty());
    CHECK(f.Linhas().size() == 2);
    CHECK(f.Arquivo(kArquivo) == fLinha850("A1") + segunda + kFim);
}

TEST_CASE("list: the grid shows accented samples and headings in the user's code page")
{
    // Two samples that differ only in an accented letter draw differently.
    FrmMainFixture f;
    REQUIRE(fGravaArquivo(f.pasta.Dados() + L"\\TABV220240201", "\xc1" "1\0" "850\0\0\0\0\0\0\0\r\n"s + kFim));
    REQUIRE(fGravaArquivo(f.pasta.Dados() + L"\\TABV220240202", "\xc2" "1\0" "850\0\0\0\0\0\0\0\r\n"s + kFim));
    f.Lanca(L"01/02/2024");
    REQUIRE(f.Linhas().size() == 1);
    CHECK(f.Celula(f.Linhas()[0], L"AMOSTRA") == L"\u00c11");
    const std::vector<DWORD> agudo = fPixelsDaGrade(f);
    f.Lanca(L"02/02/2024");
    REQUIRE(f.Linhas().size() == 1);
    CHECK(f.Celula(f.Linhas()[0], L"AMOSTRA") == L"\u00c21");
    CHECK(fPixelsDaGrade(f) != agudo);
}

TEST_CASE("file: a day file is read back equal, its first row active and copied into the fields")
{
    FrmMainFixture f;
    fGravaDia(f, kA1 + kFim);
    f.Lanca(kData);
    CHECK(f.caixas.shown.empty());
    const auto linhas = f.Linhas();
    REQUIRE(linhas.size() == 1);
    CHECK(f.Celula(linhas[0], L"ME") == L"812,50");
    CHECK(f.Celula(linhas[0], L"FATOR") == L"0,9967");
    CHECK(fTextoAtivo(f) == L"A1");
    CHECK(f.form->TxtAmostra->Text() == L"A1");
    CHECK(f.form->TxtMassa->Text() == L"812,50");
    CHECK(f.form->TxtTempEstoc->Text() == L"30,0");
    CHECK(f.form->TxtFator->Text() == L"0,9967");
    const auto registros = f.form->fRegistrosDaLista();
    REQUIRE(registros.size() == 1);
    CHECK(registros[0].valores[0] == 812.5);
    CHECK(registros[0].valores[6] == 0.9967);
}

TEST_CASE("file: null results, lines ended by LF alone, and an empty file")
{
    FrmMainFixture f;
    SUBCASE("null results come back null")
    {
        fGravaDia(f, "N1\0" "900\0" "20\0" "25\0" "\0\0\0\0\n" "A1\0" "812.5\0" "25\0" "30\0" "816.3\0"
                     "93.4\0" "95.2\0" "0.9967\0\n<<**END**>>\n"s);
        f.Lanca(kData);
        CHECK(f.caixas.shown.empty());
        const auto registros = f.form->fRegistrosDaLista();
        REQUIRE(registros.size() == 2);
        CHECK_FALSE(registros[0].valores[3].has_value());
        CHECK(f.form->TxtAmostra->Text() == L"N1");
        CHECK(f.form->TxtMassa20->Text().empty());
    }
    SUBCASE("a 0-byte file empties the list and the fields")
    {
        fGravaDia(f, "");
        f.form->TxtAmostra->SetText(L"velha");
        f.form->TxtMassa->SetText(L"850");
        f.Lanca(kData);
        CHECK(f.caixas.shown.empty());
        CHECK(f.Linhas().empty());
        CHECK(f.form->TxtAmostra->Text().empty());
        CHECK(f.form->TxtMassa->Text().empty());
    }
}

TEST_CASE("file: a day file not read whole is shown as read and never rewritten")
{
    const std::string casos[] = {
        kA1,                                                        // no end line
        kA1 + "B2\0" "12,5\0" "25\0" "30\0" "\0\0\0\0\r\n"s + kFim,  // a comma
        kA1 + "B2\0" "900\0" "25\r\n"s + kFim,                       // a short record
    };
    for (const std::string& bytes : casos) {
        FrmMainFixture f;
        fGravaDia(f, bytes);
        f.Lanca(kData);
        const std::wstring mensagem = L"Não foi possível ler o arquivo " + f.pasta.Dados() + L"\\" + kArquivo +
                                      L" por completo, as análises desta data não poderão ser alteradas!";
        REQUIRE(f.caixas.shown.size() == 1);
        CHECK(f.caixas.shown[0].text == mensagem);
        CHECK(f.caixas.shown[0].style == 16);
        CHECK(f.Linhas().size() == 1);
        f.caixas.shown.clear();
        f.LancaAnalise(L"A1", L"850", L"20", L"25");
        REQUIRE_FALSE(f.caixas.shown.empty());
        CHECK(f.caixas.shown[0].text == mensagem);
        CHECK(f.Arquivo(kArquivo) == bytes);
        f.caixas.shown.clear();
        f.form->CmdExcluir_Click();
        REQUIRE(f.caixas.shown.size() == 1);
        CHECK(f.caixas.shown[0].text == mensagem);
        CHECK(f.Arquivo(kArquivo) == bytes);
    }
}

TEST_CASE("file: a day file that cannot be written is reported and stays whole")
{
    FrmMainFixture f;
    fGravaDia(f, kA1 + kFim);
    f.Lanca(kData);
    const std::wstring caminho = f.pasta.Dados() + L"\\" + kArquivo;
    SetFileAttributesW(caminho.c_str(), FILE_ATTRIBUTE_READONLY);
    f.LancaAnalise(L"A2", L"850", L"20", L"25");
    REQUIRE(f.caixas.shown.size() >= 1);
    CHECK(f.caixas.shown[0].text ==
          L"Não foi possível gravar o arquivo " + caminho + L", as alterações não foram salvas!");
    CHECK(f.caixas.shown[0].style == 16);
    SetFileAttributesW(caminho.c_str(), FILE_ATTRIBUTE_NORMAL);
    CHECK(f.Arquivo(kArquivo) == kA1 + kFim);
}

TEST_CASE("end to end: two analyses typed, a new form reloads the date, a delete rewrites the file")
{
    FrmMainFixture f({hv::forms::MsgYes});
    f.Lanca(kData);
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    f.LancaAnalise(L"A2", L"812,5", L"25", L"30");
    CHECK(f.caixas.shown.empty());
    const std::string dois = f.Arquivo(kArquivo);
    CHECK(dois.starts_with(fLinha850("A1") + "A2\0" "812.5\0" "25\0" "30\0"s));
    CHECK(dois.ends_with(kFim));
    auto linhas = f.Linhas();
    REQUIRE(linhas.size() == 2);
    CHECK(f.Celula(linhas[1], L"ME") == L"812,50");
    CHECK(f.Celula(linhas[1], L"TEMP_ENS") == L"25,0");

    f.form->Discard();
    f.form = std::make_unique<FrmMain>();
    f.form->Show();
    PumpMessages();
    f.Lanca(kData);
    linhas = f.Linhas();
    REQUIRE(linhas.size() == 2);
    CHECK(f.Celula(linhas[0], L"AMOSTRA") == L"A1");
    CHECK(f.Celula(linhas[1], L"AMOSTRA") == L"A2");
    CHECK(f.form->TxtAmostra->Text() == L"A1");
    f.form->CmdExcluir_Click();
    CHECK(f.Arquivo(kArquivo) == dois.substr(fLinha850("A1").size()));
}
