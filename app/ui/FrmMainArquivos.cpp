// FrmMain: the day file of the date in TxtData and the company file. The
// day file is rewritten whole from the list after every change and read
// back when a date is confirmed; a file that cannot be written stays as it
// was, and a day file that cannot be read whole locks that date's list.
#include "FrmMain.h"

#include "ArquivoDia.h"
#include "ArquivoDisco.h"
#include "ArquivoEmpresa.h"
#include "EventosDesligados.h"
#include "ListaAnalises.h"
#include "MdlMain.h"
#include "MousePointerGuard.h"
#include "MsgBox.h"

using namespace hv::forms;

namespace {

constexpr long kAcaoPrimeiraLinhaDaGrade = 31;
constexpr long kReleituraComInitializeRow = 2;

std::optional<double> fNumeroDoValor(const VARIANT& valor)
{
    if (valor.vt == VT_NULL || valor.vt == VT_EMPTY)
        return std::nullopt;
    if (valor.vt == VT_R8)
        return valor.dblVal;
    VARIANT numero;
    VariantInit(&numero);
    if (FAILED(VariantChangeTypeEx(&numero, const_cast<VARIANT*>(&valor), LOCALE_USER_DEFAULT, 0, VT_R8)))
        throw ErroAutomacao(DISP_E_TYPEMISMATCH, L"Um valor da lista de análises não é um número.");
    return numero.dblVal;
}

std::optional<std::wstring> fTextoDoValor(const VARIANT& valor)
{
    if (valor.vt == VT_NULL || valor.vt == VT_EMPTY)
        return std::nullopt;
    VARIANT texto;
    VariantInit(&texto);
    if (FAILED(VariantChangeType(&texto, const_cast<VARIANT*>(&valor), 0, VT_BSTR)))
        throw ErroAutomacao(DISP_E_TYPEMISMATCH, L"Uma amostra da lista de análises não é um texto.");
    std::wstring resultado(texto.bstrVal, SysStringLen(texto.bstrVal));
    VariantClear(&texto);
    return resultado;
}

// yyyymmdd of a date value; empty for no date.
std::wstring fDataDoArquivo(const VARIANT& data)
{
    SYSTEMTIME dia{};
    if (data.vt != VT_DATE || !VariantTimeToSystemTime(data.date, &dia))
        return {};
    wchar_t texto[16];
    wsprintfW(texto, L"%04u%02u%02u", dia.wYear, dia.wMonth, dia.wDay);
    return texto;
}

} // namespace

std::wstring FrmMain::fCaminhoArquivoDia() const
{
    VARIANT data = TxtData->Value();
    const std::wstring nome = L"\\TABV2" + fDataDoArquivo(data);
    VariantClear(&data);
    return MdlMain::fPastaDados() + nome;
}

std::wstring FrmMain::fCaminhoEmpresa() const
{
    return MdlMain::fPastaDados() + L"\\Empresa";
}

std::vector<RegistroAnalise> FrmMain::fRegistrosDaLista() const
{
    std::vector<RegistroAnalise> registros;
    if (!RstAnalise || RstAnalise->State() != 1)
        return registros;
    // A clone keeps the list's own position where it is.
    std::unique_ptr<hv::recordset::Recordset> copia;
    fVerificaLista(RstAnalise->Clone(copia));
    if (copia->RecordCount() == 0)
        return registros;
    fVerificaLista(copia->MoveFirst());
    while (!copia->IsEOF()) {
        RegistroAnalise registro;
        VARIANT valor;
        VariantInit(&valor);
        fVerificaLista(copia->GetValue(0L, &valor));
        registro.amostra = fTextoDoValor(valor);
        VariantClear(&valor);
        for (long i = 0; i < 7; ++i) {
            fVerificaLista(copia->GetValue(i + 1, &valor));
            registro.valores[static_cast<size_t>(i)] = fNumeroDoValor(valor);
            VariantClear(&valor);
        }
        registros.push_back(std::move(registro));
        fVerificaLista(copia->MoveNext());
    }
    return registros;
}

void FrmMain::sGravaDisco()
{
    const std::wstring caminho = fCaminhoArquivoDia();
    if (!fGravaArquivo(caminho, fConteudoArquivoDia(fRegistrosDaLista())))
        MsgBox(L"Não foi possível gravar o arquivo " + caminho + L", as alterações não foram salvas!", MsgCritical);
}

void FrmMain::sCarregaDisco()
{
    const std::wstring caminho = fCaminhoArquivoDia();
    MousePointerGuard ampulheta(*this);
    leituraIncompleta_.reset();
    sMontaGrid();
    if (!fExisteArquivo(caminho)) {
        TxtAmostra->SetText(L"");
        sLimpaCamposNumericos();
        return;
    }
    const std::optional<std::string> bytes = fLeArquivo(caminho);
    const LeituraArquivoDia leitura = bytes ? fLeConteudoArquivoDia(*bytes) : LeituraArquivoDia{{}, false};
    sCarregaRegistros(leitura.registros);
    if (!leitura.completa) {
        leituraIncompleta_ = caminho;
        fConfereLeitura();
        return;
    }
    if (leitura.registros.empty()) {
        TxtAmostra->SetText(L"");
        sLimpaCamposNumericos();
        return;
    }
    try {
        fVerificaLista(RstAnalise->MoveFirst());
        const ObjetoAutomacao grid = fGrid();
        grid.Chama(L"PerformAction", {fVarLong(kAcaoPrimeiraLinhaDaGrade)});
        Grid_BeforeRowActivate(grid.Objeto(L"ActiveRow"));
        grid.Chama(L"Refresh", {fVarLong(kReleituraComInitializeRow)});
        sSelecionaAtiva();
    } catch (const ErroAutomacao&) {
        // The list is loaded; only its first row is not shown as active.
    }
}

void FrmMain::sCarregaRegistros(const std::vector<RegistroAnalise>& registros)
{
    EventosDesligados desligados(fGrid());
    for (const RegistroAnalise& registro : registros) {
        fVerificaLista(RstAnalise->AddNew());
        if (registro.amostra)
            fVerificaLista(RstAnalise->SetValue(0L, OwnedVariant::Text(*registro.amostra)));
        for (size_t i = 0; i < registro.valores.size(); ++i)
            if (registro.valores[i])
                fVerificaLista(RstAnalise->SetValue(static_cast<long>(i + 1),
                                                    OwnedVariant::Number(*registro.valores[i])));
        fVerificaLista(RstAnalise->Update());
    }
}

void FrmMain::sGravaEmpresa()
{
    const std::wstring caminho = fCaminhoEmpresa();
    if (!fGravaArquivo(caminho, fConteudoArquivoEmpresa(TxtEmpresa->Text(), TxtEmpresaAbv->Text())))
        MsgBox(L"Não foi possível gravar o arquivo " + caminho + L", as alterações não foram salvas!", MsgCritical);
}

void FrmMain::sCarregaEmpresa()
{
    const std::wstring caminho = fCaminhoEmpresa();
    if (!fExisteArquivo(caminho))
        return;
    const std::optional<std::string> bytes = fLeArquivo(caminho);
    if (!bytes)
        return;
    const LeituraEmpresa leitura = fLeConteudoArquivoEmpresa(*bytes);
    if (leitura.nome)
        TxtEmpresa->SetText(*leitura.nome);
    if (leitura.nomeAbreviado)
        TxtEmpresaAbv->SetText(*leitura.nomeAbreviado);
}
