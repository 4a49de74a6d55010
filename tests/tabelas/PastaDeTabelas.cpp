// Writes the workbooks that LibreOffice reads back (readback_tabelas.sh): the
// real generation, in the workbook's layout, handed to the workbook writer,
// which drives the registered spreadsheet application. One workbook per case,
// in this order (the hand-over folder comes from the environment):
//   1: one temperature, 2: ten, 3: eleven, 4: twenty (three densities each),
//   5: a Tabela 1 without any density at 20 degrees C (an empty Tabela 2).
// Usage: tabelas_workbook_writer SERVER.dll
#include "CamposTabelas.h"
#include "EntregaExcel.h"
#include "FormTabelas.h"
#include "FrameworkTestSupport.h"
#include "GeracaoTabelas.h"
#include "MsgBox.h"
#include "ProgressoTabelas.h"

#include <cstdio>

namespace {

// Any message is a failure of the generation or of the workbook.
int mensagens = 0;

void Escrever()
{
    const CamposTabelas casos[] = {
        {850.0, 851.0, 0.5, 20.0, 20.0, 0.0},
        {850.0, 851.0, 0.5, 20.0, 24.5, 0.5},
        {850.0, 851.0, 0.5, 20.0, 25.0, 0.5},
        {850.0, 851.0, 0.5, 20.0, 29.5, 0.5},
        {999.84, 999.84, 0.0, 20.0, 50.0, 10.0},
    };
    for (const CamposTabelas& caso : casos) {
        tabelastest::FormTabelas form;
        form.Show();
        form.Preencher(*caso.massaIni, *caso.massaFim, *caso.massaInc, *caso.tempIni, *caso.tempFim, *caso.tempInc);
        ProgressoTabelas progresso({{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
        bool bGerandoTabela = false;
        GeracaoTabelas geracao(
            form.Controles(), progresso,
            [&](ModoTabela) { return std::make_unique<EntregaExcel>(form.Controles(), progresso, bGerandoTabela); },
            [] { return true; });
        geracao.CmdGerarTabMassa_Click();
        form.Unload();
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || FAILED(OleInitialize(nullptr)))
        return 2;
    hv::forms::SetMsgBoxHandler([](HWND, const std::wstring& text, int, const std::wstring&) {
        std::printf("message: %ls\n", text.c_str());
        ++mensagens;
        return static_cast<int>(IDOK);
    });
    int status = 1;
    if (RunRegsvr32On(argv[1], L"/s") != 0)
        std::printf("registration failed\n");
    else {
        Escrever();
        status = mensagens == 0 ? 0 : 1;
    }
    OleUninitialize();
    return status;
}
