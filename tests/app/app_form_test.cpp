// The main form through the forms layer: start-up and the data folder, the
// exit question, the tabs, the company names, and the entry fields with
// their validation messages.
#include <doctest/doctest.h>

#include "ArquivoDisco.h"
#include "FrmMainFixture.h"
#include "FrmSobre.h"
#include "MdlMain.h"

using namespace hv::forms;
using formstest::PumpMessages;

// The grid's automation interface is still being built: its set-up at load
// fails for now.
TEST_CASE("start: the data folder is made before the company file is looked for; the names keep their default" *
          doctest::may_fail())
{
    FrmMainFixture f;
    CHECK(f.mensagensDaCarga.empty());
    CHECK(fExistePasta(f.pasta.Dados()));
    CHECK(f.form->Caption() == L"Ostrelvia");
    CHECK(f.form->TxtEmpresa->Text() == L"Entidade/Empresa");
    CHECK(f.form->TxtEmpresaAbv->Text() == L"Entidade/Empresa");
    CHECK(f.form->LblTab1->Caption().starts_with(L"\r\nTabela 1\r\n\r\nMassa específica a 20 °C"));
    CHECK(f.form->LblTab2->Caption().starts_with(L"\r\nTabela 2\r\n\r\nFator de correção de volume para 20 °C"));
    CHECK(f.form->HvTab1->TabCaption(1) == L"Massa específica (kg/m³)");
    CHECK_FALSE(f.form->bGerandoTabela);
}

TEST_CASE("start: a data folder that cannot be made is reported once")
{
    PastaTeste pasta;
    REQUIRE(fGravaArquivo(pasta.Dados(), "um arquivo no lugar da pasta"));
    RegistraGrade();
    formstest::MsgBoxScript caixas;
    FrmMain form;
    form.Show();
    PumpMessages();
    const std::wstring texto =
        L"Não foi possível criar a pasta " + pasta.Dados() + L", as análises não serão gravadas!";
    int vezes = 0;
    for (const auto& caixa : caixas.shown) {
        if (caixa.text != texto)
            continue;
        ++vezes;
        CHECK(caixa.style == 16);
        CHECK(caixa.title == L"Atenção");
    }
    CHECK(vezes == 1);
    form.Discard();
}

TEST_CASE("exit: No keeps the form and its data; while the workbook is written only the cancel mark is set")
{
    FrmMainFixture f({MsgNo});
    f.Digita(*f.form->TxtEmpresa, L"Usina Boa Vista");
    f.form->CmdSair_Click();
    REQUIRE(f.caixas.shown.size() == 1);
    CHECK(f.caixas.shown[0].text == L"Deseja encerrar o sistema ?");
    CHECK(f.caixas.shown[0].style == 68);
    CHECK(f.form->IsLoaded());
    CHECK(f.form->TxtEmpresa->Text() == L"Usina Boa Vista");

    // The close box takes the same road.
    f.form->bGerandoTabela = true;
    SendMessageW(f.form->Hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    CHECK(f.caixas.shown.size() == 1);  // nothing asked
    CHECK(f.form->CmdCancTabMassa->Tag() == L"C");
    CHECK(f.form->IsLoaded());
}

TEST_CASE("tabs: the exit button's placement and the first field of each tab")
{
    FrmMainFixture f;
    struct Caso {
        int aba;
        TwipsRect sair;
        Control* foco;
    };
    const Caso casos[] = {
        {1, {13400, 8220, 1755, 495}, f.form->TxtData},
        {2, {12420, 7800, 2715, 735}, f.form->TxtMassaIni},
        {0, {12420, 7800, 2715, 735}, f.form->TxtEmpresa},
    };
    for (const Caso& caso : casos) {
        CAPTURE(caso.aba);
        f.form->HvTab1->SetTab(caso.aba);
        PumpMessages();
        CHECK(f.form->CmdSair->Left() == caso.sair.left);
        CHECK(f.form->CmdSair->Top() == caso.sair.top);
        CHECK(f.form->CmdSair->Width() == caso.sair.width);
        CHECK(f.form->CmdSair->Height() == caso.sair.height);
        CHECK(caso.foco->HasFocus());
    }
    // With a date, tab 1 starts at the sample.
    f.form->TxtData->SetText(L"31/01/2024");
    f.form->HvTab1->SetTab(1);
    PumpMessages();
    CHECK(f.form->TxtAmostra->HasFocus());
}

TEST_CASE("the About box opens beside the form and closes with its button")
{
    FrmMainFixture f;
    f.form->CmdSobre_Click();
    PumpMessages();
    REQUIRE(f.form->Sobre());
    CHECK(f.form->Sobre()->IsLoaded());
    CHECK(f.form->Sobre()->Caption() == L"Sobre");
    CHECK(f.form->Sobre()->Command1->Caption() == L"Sair");
    f.form->Sobre()->Command1_Click();
    CHECK_FALSE(f.form->Sobre()->IsLoaded());
    CHECK(f.form->IsLoaded());
}

TEST_CASE("company names are written when confirmed and read at the next start, accents and all")
{
    const std::wstring nome = L"Usina São João da Conceição - Laboratório de Análises Químicas";
    const std::wstring curto = L"Usina São João - Laboratório!";
    std::string bytes;
    {
        FrmMainFixture f;
        f.Digita(*f.form->TxtEmpresa, nome);
        f.Digita(*f.form->TxtEmpresaAbv, curto + L" além do limite");
        CHECK(f.form->TxtEmpresa->Text() == nome.substr(0, 60));
        CHECK(f.form->TxtEmpresaAbv->Text() == (curto + L" além do limite").substr(0, 30));
        bytes = f.Arquivo(L"Empresa");
        CHECK(bytes.ends_with(std::string("\0\r\n<<**END**>>\r\n", 16)));
        f.form->Discard();
        f.form = std::make_unique<FrmMain>();
        f.form->Show();
        PumpMessages();
        CHECK(f.form->TxtEmpresa->Text() == nome.substr(0, 60));
        CHECK(f.form->TxtEmpresaAbv->Text() == (curto + L" além do limite").substr(0, 30));
    }
}

TEST_CASE("entry: densities and temperatures at their limits are accepted, beyond them refused in the field")
{
    FrmMainFixture f;
    f.form->HvTab1->SetTab(1);
    PumpMessages();
    struct Caso {
        NumberField* campo;
        const wchar_t* texto;
        const wchar_t* mensagem;  // nullptr: accepted
    };
    const wchar_t* massa = L"Massa especifica lida (kg/m³) deve estar entre 771,92 e 999,84, tente novamente";
    const wchar_t* ensaio = L"Temperatura de ensaio deve estar entre -20 °C e 50 °C, tente novamente";
    const wchar_t* estoc = L"Temperatura de estocagem deve estar entre -20 °C e 50 °C, tente novamente";
    const Caso casos[] = {
        {f.form->TxtMassa, L"771,92", nullptr},   {f.form->TxtMassa, L"999,84", nullptr},
        {f.form->TxtMassa, L"771,91", massa},     {f.form->TxtMassa, L"999,85", massa},
        {f.form->TxtTempEnsaio, L"-20", nullptr}, {f.form->TxtTempEnsaio, L"50", nullptr},
        {f.form->TxtTempEnsaio, L"50,1", ensaio}, {f.form->TxtTempEstoc, L"-20,1", estoc},
    };
    for (const Caso& caso : casos) {
        CAPTURE(formstest::Narrow(caso.texto));
        f.caixas.shown.clear();
        f.Digita(*caso.campo, caso.texto);
        if (!caso.mensagem) {
            CHECK(f.caixas.shown.empty());
            CHECK_FALSE(caso.campo->ValueIsNull());
            CHECK_FALSE(caso.campo->HasFocus());
        } else {
            REQUIRE(f.caixas.shown.size() == 1);
            CHECK(f.caixas.shown[0].text == caso.mensagem);
            CHECK(f.caixas.shown[0].style == 64);
            CHECK(caso.campo->ValueIsNull());
            CHECK(caso.campo->HasFocus());
        }
        caso.campo->SetText(L"");
    }
}

TEST_CASE("entry: with no date the analysis is not stored; the focus goes to the date")
{
    FrmMainFixture f;
    f.form->HvTab1->SetTab(1);
    PumpMessages();
    f.Digita(*f.form->TxtAmostra, L"A1");
    f.Digita(*f.form->TxtMassa, L"850");
    f.Digita(*f.form->TxtTempEnsaio, L"20");
    f.caixas.shown.clear();
    f.DigitaEnter(*f.form->TxtTempEstoc, L"25");
    REQUIRE(f.caixas.shown.size() == 1);
    CHECK(f.caixas.shown[0].text == L"Data da amostragem não informada, informe a data antes de lançar a análise!");
    CHECK(f.caixas.shown[0].style == 64);
    CHECK(f.form->TxtData->HasFocus());
    CHECK(f.pasta.Arquivos(L"Ostrelvia").empty());  // no dateless "TABV2"
    // The results are shown all the same.
    CHECK(f.form->TxtFator->Text() == L"0,9949");
}

TEST_CASE("entry: an empty density asks nothing, empties the results and stores nothing")
{
    FrmMainFixture f;
    f.form->HvTab1->SetTab(1);
    PumpMessages();
    f.form->TxtMassa20->SetText(L"816,3");
    f.form->TxtFator->SetText(L"0,9967");
    f.Digita(*f.form->TxtMassa, L"");
    CHECK(f.caixas.shown.empty());
    CHECK(f.form->TxtMassa20->Text().empty());
    CHECK(f.form->TxtFator->Text().empty());
    CHECK(f.pasta.Arquivos(L"Ostrelvia").empty());
}

TEST_CASE("entry: Enter moves on as Tab does; the test temperature only when it is valid; focus selects the text")
{
    FrmMainFixture f;
    f.form->HvTab1->SetTab(1);
    PumpMessages();
    f.DigitaEnter(*f.form->TxtAmostra, L"A1");
    CHECK(f.form->TxtMassa->HasFocus());
    f.DigitaEnter(*f.form->TxtMassa, L"850");
    CHECK(f.form->TxtTempEnsaio->HasFocus());
    f.DigitaEnter(*f.form->TxtTempEnsaio, L"50,1");
    REQUIRE(f.caixas.shown.size() == 1);
    CHECK(f.caixas.shown[0].text == L"Temperatura de ensaio deve estar entre -20 °C e 50 °C, tente novamente");
    CHECK(f.form->TxtTempEnsaio->HasFocus());
    CHECK(f.form->TxtTempEnsaio->ValueIsNull());
    f.DigitaEnter(*f.form->TxtTempEnsaio, L"20");
    CHECK(f.form->TxtTempEstoc->HasFocus());
    CHECK(f.caixas.shown.size() == 1);

    f.Foca(*f.form->TxtAmostra);
    CHECK(f.form->TxtAmostra->SelStart() == 0);
    CHECK(f.form->TxtAmostra->SelLength() == 2);
    f.Foca(*f.form->TxtMassa);
    CHECK(f.form->TxtMassa->SelLength() == static_cast<int>(f.form->TxtMassa->Text().size()));

    f.form->HvTab1->SetTab(2);
    PumpMessages();
    f.DigitaEnter(*f.form->TxtMassaIni, L"800");
    CHECK(f.form->TxtMassaFim->HasFocus());
}
