// Ostrelvia's files without a window: numbers and tokens of the day and
// company files, their strict reading, the replacing writer, the data
// folder, and the grid data filter's formats in the user's locale.
#include <doctest/doctest.h>

#include <windows.h>
#include <userenv.h>

#include <string>

#include "ArquivoDia.h"
#include "ArquivoDisco.h"
#include "ArquivoEmpresa.h"
#include "ClsFormataGrid.h"
#include "LeitorTokens.h"
#include "MdlMain.h"
#include "NumeroArquivo.h"
#include "PastaTeste.h"

using namespace std::string_literals;

namespace {

RegistroAnalise fRegistro(std::optional<std::wstring> amostra, std::array<std::optional<double>, 7> valores)
{
    return RegistroAnalise{std::move(amostra), valores};
}

bool fPtBr()
{
    return GetUserDefaultLCID() == 0x0416;
}

} // namespace

TEST_CASE("file numbers: general form with a point, read back only when the whole token is a number")
{
    CHECK(fTextoNumeroArquivo(812.5) == "812.5");
    CHECK(fTextoNumeroArquivo(25) == "25");
    CHECK(fTextoNumeroArquivo(0.9967) == "0.9967");
    CHECK(fTextoNumeroArquivo(-20) == "-20");
    CHECK(fTextoNumeroArquivo(1.0 / 3) == "0.333333333333333");
    CHECK(fTextoNumeroArquivo(0.00001) == "1E-05");
    CHECK(fTextoNumeroArquivo(1234567.891) == "1234567.891");

    CHECK(fNumeroDoTexto("812.5") == 812.5);
    CHECK(fNumeroDoTexto("-20") == -20);
    CHECK(fNumeroDoTexto("1E-05") == 0.00001);
    for (const char* ruim : {"12,5", "", " 3", "3 ", "1.2x", "inf", "nan", "0x10", "+-5", "1..2", "."}) {
        CAPTURE(ruim);
        CHECK_FALSE(fNumeroDoTexto(ruim).has_value());
    }
}

TEST_CASE("tokens end at a NUL or at a line end of any kind")
{
    const std::string bytes = "a\0b\r\nc\nd\re"s;
    LeitorTokens leitor(bytes);
    const auto a = leitor.Proximo();
    CHECK(a.texto == "a");
    CHECK(a.fim == LeitorTokens::Fim::Nul);
    CHECK(leitor.Proximo().texto == "b");
    const auto c = leitor.Proximo();
    CHECK(c.texto == "c");
    CHECK(c.fim == LeitorTokens::Fim::Linha);
    CHECK(leitor.Proximo().texto == "d");
    const auto e = leitor.Proximo();
    CHECK(e.texto == "e");
    CHECK(e.fim == LeitorTokens::Fim::Arquivo);
    CHECK(leitor.NoFim());
}

TEST_CASE("the day file: one line per analysis, NUL after every value, then the end line")
{
    const RegistroAnalise a1 = fRegistro(L"A1", {812.5, 25, 30, 816.3, 93.4, 95.2, 0.9967});
    const std::string esperado = "A1\0" "812.5\0" "25\0" "30\0" "816.3\0" "93.4\0" "95.2\0" "0.9967\0" "\r\n"
                                 "<<**END**>>\r\n"s;
    CHECK(fConteudoArquivoDia({a1}) == esperado);
    const LeituraArquivoDia lida = fLeConteudoArquivoDia(esperado);
    CHECK(lida.completa);
    REQUIRE(lida.registros.size() == 1);
    CHECK(lida.registros[0] == a1);

    SUBCASE("null values are empty texts and come back null")
    {
        const RegistroAnalise nulos = fRegistro(std::nullopt, {850, 20, 25, {}, {}, {}, {}});
        const std::string bytes = fConteudoArquivoDia({nulos, a1});
        CHECK(bytes.substr(0, 17) == "\0" "850\0" "20\0" "25\0" "\0\0\0\0\r\n"s);
        const LeituraArquivoDia volta = fLeConteudoArquivoDia(bytes);
        CHECK(volta.completa);
        REQUIRE(volta.registros.size() == 2);
        CHECK(volta.registros[0] == nulos);
        CHECK(volta.registros[1] == a1);
    }
    SUBCASE("no analyses: an empty file, read as an empty complete list")
    {
        CHECK(fConteudoArquivoDia({}).empty());
        const LeituraArquivoDia vazia = fLeConteudoArquivoDia("");
        CHECK(vazia.completa);
        CHECK(vazia.registros.empty());
    }
    SUBCASE("lines ended by LF or CR alone are read; bytes after the end line are ignored")
    {
        const std::string lf = "A1\0" "812.5\0" "25\0" "30\0" "816.3\0" "93.4\0" "95.2\0" "0.9967\0" "\n"
                               "B2\0" "900\0" "20\0" "20\0" "\0\0\0\0" "\r"
                               "<<**END**>>\nlixo sem fim"s;
        const LeituraArquivoDia lida2 = fLeConteudoArquivoDia(lf);
        CHECK(lida2.completa);
        REQUIRE(lida2.registros.size() == 2);
        CHECK(lida2.registros[0] == a1);
        CHECK(lida2.registros[1].amostra == L"B2");
        CHECK(lida2.registros[1].valores[0] == 900);
        CHECK_FALSE(lida2.registros[1].valores[3].has_value());
    }
}

TEST_CASE("a day file not read whole keeps the records before the fault and says it is incomplete")
{
    const std::string bom = "A1\0" "812.5\0" "25\0" "30\0" "816.3\0" "93.4\0" "95.2\0" "0.9967\0" "\r\n"s;
    struct Caso {
        const char* nome;
        std::string resto;
    };
    const Caso casos[] = {
        {"no end line", ""},
        {"a comma in a number", "B2\0" "12,5\0" "25\0" "30\0" "\0\0\0\0\r\n<<**END**>>\r\n"s},
        {"a short record", "B2\0" "900\0" "25\r\n<<**END**>>\r\n"s},
        {"a ninth value", "B2\0" "900\0" "25\0" "30\0" "\0\0\0\0" "x\0\r\n<<**END**>>\r\n"s},
        {"text after the eighth NUL", "B2\0" "900\0" "25\0" "30\0" "\0\0\0\0" "x\r\n<<**END**>>\r\n"s},
        {"a record cut by the end of the file", "B2\0" "900\0" "25"s},
        {"an empty line", "\r\n<<**END**>>\r\n"s},
    };
    for (const Caso& caso : casos) {
        CAPTURE(caso.nome);
        const LeituraArquivoDia lida = fLeConteudoArquivoDia(bom + caso.resto);
        CHECK_FALSE(lida.completa);
        REQUIRE(lida.registros.size() == 1);
        CHECK(lida.registros[0].amostra == L"A1");
    }
}

TEST_CASE("the company file keeps both names in the ANSI code page")
{
    const std::wstring nome = L"Usina São João da Conceição Ltda. - Laboratório Açúcar & Álcool";
    const std::wstring curto = L"Usina São João - Laboratório";
    REQUIRE(nome.size() <= 64);
    const std::string bytes = fConteudoArquivoEmpresa(nome.substr(0, 60), curto.substr(0, 30));
    CHECK(bytes.find("S\xe3o Jo\xe3o") != std::string::npos);  // code page 1252
    CHECK(bytes.ends_with("\0\r\n<<**END**>>\r\n"s));
    const LeituraEmpresa lida = fLeConteudoArquivoEmpresa(bytes);
    CHECK(lida.nome == nome.substr(0, 60));
    CHECK(lida.nomeAbreviado == curto.substr(0, 30));

    const LeituraEmpresa metade = fLeConteudoArquivoEmpresa("Usina\0Us"s);
    CHECK(metade.nome == L"Usina");
    CHECK_FALSE(metade.nomeAbreviado.has_value());
}

TEST_CASE("files are replaced whole; a file that cannot be replaced stays as it was")
{
    PastaTeste pasta;
    const std::wstring caminho = pasta.Caminho() + L"\\TABV220240131";
    CHECK_FALSE(fExisteArquivo(caminho));
    CHECK_FALSE(fLeArquivo(caminho).has_value());
    REQUIRE(fGravaArquivo(caminho, "primeiro"));
    CHECK(fLeArquivo(caminho) == "primeiro");
    REQUIRE(fGravaArquivo(caminho, "segundo, mais longo"));
    CHECK(fLeArquivo(caminho) == "segundo, mais longo");
    REQUIRE(fGravaArquivo(caminho, ""));
    CHECK(fLeArquivo(caminho) == "");
    CHECK(fExisteArquivo(caminho));

    REQUIRE(fGravaArquivo(caminho, "guardado"));
    SetFileAttributesW(caminho.c_str(), FILE_ATTRIBUTE_READONLY);
    CHECK_FALSE(fGravaArquivo(caminho, "perdido"));
    CHECK(fLeArquivo(caminho) == "guardado");
    SetFileAttributesW(caminho.c_str(), FILE_ATTRIBUTE_NORMAL);

    CHECK_FALSE(fGravaArquivo(pasta.Caminho() + L"\\nao\\existe", "x"));
    // No temporary file is left behind.
    CHECK(pasta.Arquivos() == std::vector<std::wstring>{L"TABV220240131"});
}

TEST_CASE("the all-users folder: the override, else a real folder, never the drive root")
{
    SUBCASE("the environment variable takes the place of the platform's folders")
    {
        PastaTeste pasta;
        CHECK(MdlMain::fPastaTodosUsuarios() == pasta.Caminho() + L"\\");
        CHECK(MdlMain::fPastaDados() == pasta.Caminho() + L"\\Ostrelvia");
    }
    SUBCASE("without it, the all-users profile or else the common application data")
    {
        SetEnvironmentVariableW(L"OSTRELVIA_PASTA", nullptr);
        const std::wstring pasta = MdlMain::fPastaTodosUsuarios();
        CHECK(pasta.size() > 3);
        CHECK(pasta.back() == L'\\');
        char perfil[256] = {};
        DWORD tamanho = 255;
        const bool temPerfil = GetAllUsersProfileDirectoryA(perfil, &tamanho) && perfil[0];
        if (!temPerfil) {
            wchar_t comum[MAX_PATH] = L"";
            REQUIRE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, comum)));
            CHECK(pasta == std::wstring(comum) + L"\\");
        }
    }
}

TEST_CASE("the data filter shows each number with the decimals of its kind in the user's locale")
{
    struct Caso {
        const wchar_t* campo;
        double valor;
        const wchar_t* ptBr;
        const wchar_t* enUs;
    };
    const Caso casos[] = {
        {L"ME", 812.5, L"812,50", L"812.50"},
        {L"FATOR", 0.99674, L"0,9967", L"0.9967"},
        {L"TEMP_ENS", 20, L"20,0", L"20.0"},
        {L"TEMP_EST", -5.25, L"-5,3", L"-5.3"},
        {L"ME20", 816.34, L"816,3", L"816.3"},
        {L"GRAU", 1234.56, L"1.234,6", L"1,234.6"},
        {L"GRAU20", 95.2, L"95,2", L"95.2"},
    };
    for (const Caso& caso : casos) {
        CAPTURE(std::string(caso.campo, caso.campo + wcslen(caso.campo)));
        const OwnedVariant saida = fValorFormatado(caso.campo, OwnedVariant::Number(caso.valor));
        REQUIRE(saida.Type() == VT_BSTR);
        CHECK(std::wstring(saida.Get().bstrVal) == (fPtBr() ? caso.ptBr : caso.enUs));
    }
    const OwnedVariant amostra = fValorFormatado(L"AMOSTRA", OwnedVariant::Text(L"D'Ávila"));
    REQUIRE(amostra.Type() == VT_BSTR);
    CHECK(std::wstring(amostra.Get().bstrVal) == L"D'Ávila");
    CHECK(fValorFormatado(L"ME", OwnedVariant::Null()).IsNull());
    CHECK(fValorFormatado(L"OUTRO", OwnedVariant::Number(1.23456)).Get().dblVal == 1.23456);
}
