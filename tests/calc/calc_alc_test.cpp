// Calc_Alc as the application sees it: inputs with their checks and error
// texts, the five results of an analysis and the three table functions.
#include <doctest/doctest.h>

#include "Calc_Alc.h"
#include "Calc_AlcTestAccess.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

OwnedVariant Num(double v) { return OwnedVariant::Number(v); }
OwnedVariant Txt(const wchar_t* s) { return OwnedVariant::Text(s); }
OwnedVariant Nul() { return OwnedVariant::Null(); }

OwnedVariant Typed(VARTYPE vt, double value)
{
    OwnedVariant v;
    VARIANT raw;
    VariantInit(&raw);
    raw.vt = VT_R8;
    raw.dblVal = value;
    VARIANT converted;
    VariantInit(&converted);
    REQUIRE(VariantChangeType(&converted, &raw, 0, vt) == S_OK);
    REQUIRE(v.Assign(converted));
    VariantClear(&converted);
    return v;
}

bool IsNumber(const OwnedVariant& v, double expected)
{
    return v.Type() == VT_R8 && v.Get().dblVal == expected;
}

struct Results
{
    OwnedVariant massaEst, massa20, teor, teor20, fator;
};

Results ResultsOf(const Calc_Alc& c)
{
    return {c.MassaEst(), c.Massa20(), c.Teor(), c.Teor20(), c.FatorCorrecao()};
}

void CheckAllNull(const Calc_Alc& c)
{
    const Results r = ResultsOf(c);
    CHECK(r.massaEst.IsNull());
    CHECK(r.massa20.IsNull());
    CHECK(r.teor.IsNull());
    CHECK(r.teor20.IsNull());
    CHECK(r.fator.IsNull());
}

void CheckResults(const Calc_Alc& c, double massaEst, double massa20, double teor, double teor20,
                  double fator)
{
    const Results r = ResultsOf(c);
    CHECK(IsNumber(r.massaEst, massaEst));
    CHECK(IsNumber(r.massa20, massa20));
    CHECK(IsNumber(r.teor, teor));
    CHECK(IsNumber(r.teor20, teor20));
    CHECK(IsNumber(r.fator, fator));
}

const std::wstring kErr001 = L"ERR-001 - Não foi atribuído nenhum conteúdo a massa lida!";
const std::wstring kErr002 = L"ERR-002 - O conteúdo atribuído a massa lida não é válido!";
const std::wstring kErr003 = L"ERR-003 - Massa específica lida fora do intervalo de 771,92 até 999,84!";
const std::wstring kErr004 = L"ERR-004 - Não foi atribuído nenhum conteúdo a temperatura de ensaio!";
const std::wstring kErr005 = L"ERR-005 - O conteúdo atribuído a temperatura de ensaio não é válido!";
const std::wstring kErr006 = L"ERR-006 - Temperatura de ensaio fora do intervalo de -20 °C até 50 °C!";
const std::wstring kErr007 = L"ERR-007 - Não foi atribuído nenhum conteúdo a temperatura de estocagem!";
const std::wstring kErr008 = L"ERR-008 - O conteúdo atribuído a temperatura de estocagem não é válido!";
const std::wstring kErr009 = L"ERR-009 - Temperatura de estocagem fora do intervalo de -20 °C até 50 °C!";

// One of the three inputs, driven generically.
struct InputField
{
    const char* name;
    std::function<void(Calc_Alc&, const VARIANT&)> set;
    std::function<std::wstring(const Calc_Alc&)> error;
    std::function<OwnedVariant(const Calc_Alc&)> get;
    double low, high;
    std::wstring missing, notNumeric, outOfRange;
};

std::vector<InputField> Fields()
{
    return {
        {"MassaLida", [](Calc_Alc& c, const VARIANT& v) { c.MassaLida(v); },
         [](const Calc_Alc& c) { return c.Erro_Massa(); },
         [](const Calc_Alc& c) { return c.MassaLida(); }, 771.92, 999.84, kErr001, kErr002, kErr003},
        {"TempEnsaio", [](Calc_Alc& c, const VARIANT& v) { c.TempEnsaio(v); },
         [](const Calc_Alc& c) { return c.Erro_Temp_Ensaio(); },
         [](const Calc_Alc& c) { return c.TempEnsaio(); }, -20.0, 50.0, kErr004, kErr005, kErr006},
        {"TempEstocagem", [](Calc_Alc& c, const VARIANT& v) { c.TempEstocagem(v); },
         [](const Calc_Alc& c) { return c.Erro_Temp_Estoque(); },
         [](const Calc_Alc& c) { return c.TempEstocagem(); }, -20.0, 50.0, kErr007, kErr008, kErr009},
    };
}

// The decimal separator of the user's locale, written into a numeric text.
const wchar_t* LocalText(const wchar_t* withComma, const wchar_t* withPoint)
{
    return GetUserDefaultLCID() == 0x0416 ? withComma : withPoint;
}

} // namespace

TEST_CASE("a new object has no inputs, three errors and no results")
{
    const Calc_Alc c;
    CHECK(c.temErro());
    CHECK(c.Erro_Massa() == kErr001);
    CHECK(c.Erro_Temp_Ensaio() == kErr004);
    CHECK(c.Erro_Temp_Estoque() == kErr007);
    CHECK(c.MassaLida().IsNull());
    CHECK(c.TempEnsaio().IsNull());
    CHECK(c.TempEstocagem().IsNull());
    CheckAllNull(c);
    CHECK_FALSE(c.GerarErro());
}

TEST_CASE("each input is checked: missing, not numeric, out of range, both ends accepted")
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const InputField& f : Fields()) {
        CAPTURE(f.name);
        struct Case { const char* what; OwnedVariant value; std::wstring expected; };
        const std::vector<Case> cases = {
            {"low end", Num(f.low), L""},
            {"high end", Num(f.high), L""},
            {"just below", Num(f.low - 0.01), f.outOfRange},
            {"just above", Num(f.high + 0.01), f.outOfRange},
            {"NaN", Num(nan), f.outOfRange},
            {"infinity", Num(inf), f.outOfRange},
            {"integer", Typed(VT_I4, 40), f.low <= 40 ? L"" : f.outOfRange},
            {"decimal", Typed(VT_DECIMAL, f.high), L""},
            {"currency", Typed(VT_CY, f.low), L""},
            {"text of a number", Txt(L"30"), f.low <= 30 ? L"" : f.outOfRange},
            {"text of a number far out", Txt(L"5000"), f.outOfRange},
            {"text not a number", Txt(L"abc"), f.notNumeric},
            {"empty text", Txt(L""), f.notNumeric},
            {"boolean", Typed(VT_BOOL, 1), f.notNumeric},
            {"date", Typed(VT_DATE, 40), f.notNumeric},
            {"null", Nul(), f.missing},
            {"empty", OwnedVariant(), f.missing},
        };
        for (const Case& k : cases) {
            CAPTURE(k.what);
            Calc_Alc c;
            f.set(c, k.value);
            CHECK(f.error(c) == k.expected);
            CHECK(c.temErro());     // the other two inputs are still missing
            CheckAllNull(c);
        }
    }
}

TEST_CASE("valid inputs give the five results, in whatever order they are assigned")
{
    struct Case { double massa, tEnsaio, tEstocagem, massaEst, massa20, teor, teor20, fator; };
    const Case cases[] = {
        {850.0, 20.0, 25.0, 845.7, 850.0, 77.3, 83.3, 0.9949},
        {900.0, 22.5, 30.0, 893.8, 902.0, 55.2, 63.1, 0.9909},
    };
    for (const Case& k : cases) {
        CAPTURE(k.massa);
        std::array<int, 3> order = {0, 1, 2};
        do {
            CAPTURE(order[0]);
            CAPTURE(order[1]);
            Calc_Alc c;
            for (int which : order) {
                if (which == 0) c.MassaLida(Num(k.massa));
                if (which == 1) c.TempEnsaio(Num(k.tEnsaio));
                if (which == 2) c.TempEstocagem(Num(k.tEstocagem));
            }
            CHECK_FALSE(c.temErro());
            CHECK(c.Erro_Massa().empty());
            CHECK(c.Erro_Temp_Ensaio().empty());
            CHECK(c.Erro_Temp_Estoque().empty());
            CheckResults(c, k.massaEst, k.massa20, k.teor, k.teor20, k.fator);
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

TEST_CASE("an invalid input after valid ones clears every result")
{
    Calc_Alc c;
    c.MassaLida(Num(850.0));
    c.TempEnsaio(Num(20.0));
    c.TempEstocagem(Num(25.0));
    REQUIRE(c.Teor().Type() == VT_R8);

    c.TempEnsaio(Num(50.01));
    CHECK(c.temErro());
    CHECK(c.Erro_Temp_Ensaio() == kErr006);
    CHECK(c.Erro_Massa().empty());
    CHECK(c.Erro_Temp_Estoque().empty());
    CheckAllNull(c);

    c.TempEnsaio(Num(20.0));   // and they come back with a valid one
    CheckResults(c, 845.7, 850.0, 77.3, 83.3, 0.9949);
}

TEST_CASE("valid inputs beyond pure water leave no error and no results")
{
    Calc_Alc c;
    c.MassaLida(Num(999.84));
    c.TempEnsaio(Num(50.0));
    c.TempEstocagem(Num(20.0));
    CHECK_FALSE(c.temErro());
    CheckAllNull(c);
}

TEST_CASE("a numeric text reads under the user's locale and computes as its number")
{
    Calc_Alc byText;
    byText.MassaLida(Txt(LocalText(L"850,5", L"850.5")));
    byText.TempEnsaio(Txt(LocalText(L"22,5", L"22.5")));
    byText.TempEstocagem(Txt(L"25"));
    CHECK(byText.Erro_Massa().empty());
    CHECK(byText.Erro_Temp_Ensaio().empty());

    Calc_Alc byNumber;
    byNumber.MassaLida(Num(850.5));
    byNumber.TempEnsaio(Num(22.5));
    byNumber.TempEstocagem(Num(25.0));

    const Results t = ResultsOf(byText);
    const Results n = ResultsOf(byNumber);
    REQUIRE(n.teor.Type() == VT_R8);
    CHECK(IsNumber(t.massaEst, n.massaEst.Get().dblVal));
    CHECK(IsNumber(t.massa20, n.massa20.Get().dblVal));
    CHECK(IsNumber(t.teor, n.teor.Get().dblVal));
    CHECK(IsNumber(t.teor20, n.teor20.Get().dblVal));
    CHECK(IsNumber(t.fator, n.fator.Get().dblVal));

    // The text is kept as given, not as the number it reads as.
    const OwnedVariant kept = byText.MassaLida();
    REQUIRE(kept.Type() == VT_BSTR);
    CHECK(std::wstring(kept.Get().bstrVal) == LocalText(L"850,5", L"850.5"));
}

TEST_CASE("inputs are kept as copies of their own")
{
    for (const InputField& f : Fields()) {
        CAPTURE(f.name);
        Calc_Alc c;
        // A by-reference value is followed: the object keeps the value, not the pointer.
        double caller = f.high;
        VARIANT byRef;
        VariantInit(&byRef);
        byRef.vt = VT_R8 | VT_BYREF;
        byRef.pdblVal = &caller;
        f.set(c, byRef);
        caller = f.high + 1000.0;
        CHECK(f.error(c).empty());
        CHECK(IsNumber(f.get(c), f.high));

        // A text comes back as a fresh copy.
        const OwnedVariant given = Txt(L"abc");
        f.set(c, given);
        const OwnedVariant back = f.get(c);
        REQUIRE(back.Type() == VT_BSTR);
        CHECK(back.Get().bstrVal != given.Get().bstrVal);
        CHECK(std::wstring(back.Get().bstrVal) == L"abc");
    }
}

TEST_CASE("results, temErro and GerarErro as properties")
{
    Calc_Alc c;
    c.MassaLida(Num(850.0));
    c.TempEnsaio(Num(20.0));
    c.TempEstocagem(Num(25.0));
    const OwnedVariant other = Num(1.0);
    c.MassaEst(other);
    c.Massa20(other);
    c.Teor(other);
    c.Teor20(other);
    c.FatorCorrecao(other);
    c.temErro(true);
    CHECK_FALSE(c.temErro());
    CheckResults(c, 845.7, 850.0, 77.3, 83.3, 0.9949);

    c.GerarErro(true);
    CHECK(c.GerarErro());
    c.GerarErro(false);
    CHECK_FALSE(c.GerarErro());
}

TEST_CASE("table functions answer within their ranges and Null outside")
{
    const Calc_Alc c;
    const double nan = std::numeric_limits<double>::quiet_NaN();

    CHECK(IsNumber(c.Massa_Especifica(50.0, 20.0), Calc_AlcTestAccess::A(c, 1)));
    CHECK(IsNumber(c.Massa_Especifica(0.0, -20.0), Calc_AlcTestAccess::Rho(c, 0.0, -20.0)));
    CHECK(IsNumber(c.Massa_Especifica(100.0, 50.0), Calc_AlcTestAccess::Rho(c, 100.0, 50.0)));
    CHECK(IsNumber(c.Teor_Alcoolico(850.0, 25.0), Calc_AlcTestAccess::Inverse(c, 25.0, 850.0)));
    CHECK(c.Teor_Alcoolico(771.92, 50.0).Type() == VT_R8);
    CHECK(c.Teor_Alcoolico(999.84, 4.0).Type() == VT_R8);
    CHECK(IsNumber(c.Fator_Correcao(77.3, 25.0), 0.9949));

    struct Case { const char* what; double a; double t; };
    const Case nullMassa[] = {
        {"above 100 %", 100.0001, 20.0}, {"below 0 %", -0.0001, 20.0},
        {"below -20", 50.0, -20.0001}, {"above 50", 50.0, 50.0001},
        {"NaN content", nan, 20.0}, {"NaN temperature", 50.0, nan},
    };
    for (const Case& k : nullMassa) {
        CAPTURE(k.what);
        CHECK(c.Massa_Especifica(k.a, k.t).IsNull());
        CHECK(c.Fator_Correcao(k.a, k.t).IsNull());
    }
    const Case nullTeor[] = {
        {"pure water at 20", 999.84, 20.0}, {"below 771.92", 771.91, 20.0},
        {"above 999.84", 999.85, 20.0}, {"below -20", 850.0, -20.5},
        {"above 50", 850.0, 50.5}, {"NaN density", nan, 20.0}, {"NaN temperature", 850.0, nan},
    };
    for (const Case& k : nullTeor) {
        CAPTURE(k.what);
        CHECK(c.Teor_Alcoolico(k.a, k.t).IsNull());
    }
}

TEST_CASE("the correction factor at 20 degrees C is exactly 1")
{
    const Calc_Alc c;
    for (double p : {0.0, 0.5, 12.34, 50.0, 77.3, 99.99, 100.0}) {
        CAPTURE(p);
        CHECK(IsNumber(c.Fator_Correcao(p, 20.0), 1.0));
    }
}
