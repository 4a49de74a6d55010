#include "FrmMainFixture.h"

#include <doctest/doctest.h>

#include "ArquivoDisco.h"
#include "FrameworkTestSupport.h"

using formstest::PumpMessages;

void RegistraGrade()
{
    static bool registrada = false;
    if (!registrada)
        registrada = RunRegsvr32On(WindowsPathOf(HV_TAVELLE_OCX), L"/s") == 0;
    REQUIRE(registrada);
}

FrmMainFixture::FrmMainFixture(std::deque<int> respostas) : caixas(std::move(respostas))
{
    RegistraGrade();
    form = std::make_unique<FrmMain>();
    form->Show();
    PumpMessages();
    mensagensDaCarga = std::move(caixas.shown);
    caixas.shown.clear();
}

FrmMainFixture::~FrmMainFixture()
{
    if (form)
        form->Discard();
    PumpMessages();
}

void FrmMainFixture::Foca(hv::forms::Control& campo)
{
    campo.SetFocus();
    PumpMessages();
}

void FrmMainFixture::Digita(hv::forms::Control& campo, const std::wstring& texto)
{
    Foca(campo);
    SendMessageW(campo.FocusHwnd(), EM_SETSEL, 0, -1);
    SendMessageW(campo.FocusHwnd(), WM_CLEAR, 0, 0);
    formstest::Type(texto);
    formstest::PressKey(VK_TAB);
    PumpMessages();
}

void FrmMainFixture::DigitaEnter(hv::forms::Control& campo, const std::wstring& texto)
{
    Foca(campo);
    SendMessageW(campo.FocusHwnd(), EM_SETSEL, 0, -1);
    SendMessageW(campo.FocusHwnd(), WM_CLEAR, 0, 0);
    formstest::Type(texto + L"\r");
    PumpMessages();
}

void FrmMainFixture::Lanca(const std::wstring& data)
{
    form->HvTab1->SetTab(1);
    PumpMessages();
    Digita(*form->TxtData, data);
}

void FrmMainFixture::LancaAnalise(const std::wstring& amostra, const std::wstring& massa,
                                  const std::wstring& ensaio, const std::wstring& estocagem)
{
    Digita(*form->TxtAmostra, amostra);
    Digita(*form->TxtMassa, massa);
    Digita(*form->TxtTempEnsaio, ensaio);
    DigitaEnter(*form->TxtTempEstoc, estocagem);
}

std::string FrmMainFixture::Arquivo(const std::wstring& nome) const
{
    return fLeArquivo(pasta.Dados() + L"\\" + nome).value_or(std::string());
}

std::wstring FrmMainFixture::Celula(const ObjetoAutomacao& linha, const wchar_t* campo) const
{
    const OwnedVariant valor =
        linha.Objeto(L"Cells").Objeto(L"Item", {OwnedVariant::Text(campo)}).Propriedade(L"Value");
    if (valor.Type() != VT_BSTR)
        return valor.IsNull() ? L"<null>" : L"<?>";
    return valor.Get().bstrVal;
}

std::vector<ObjetoAutomacao> FrmMainFixture::Linhas() const
{
    std::vector<ObjetoAutomacao> linhas;
    const ObjetoAutomacao grid = form->fGrid();
    try {
        linhas.push_back(ObjetoAutomacao::De(grid.Chama(L"GetRow", {fVarLong(0)}).Get()));
    } catch (const ErroAutomacao&) {
        return linhas;  // an empty grid has no first row
    }
    while (linhas.back().Chama(L"HasNextSibling").Get().boolVal != VARIANT_FALSE)
        linhas.push_back(ObjetoAutomacao::De(linhas.back().Chama(L"GetSibling", {fVarLong(2)}).Get()));
    return linhas;
}

long FrmMainFixture::Registros() const
{
    return form->RstAnalise ? form->RstAnalise->RecordCount() : -1;
}
