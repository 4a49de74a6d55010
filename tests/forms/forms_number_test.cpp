// The numeric entry field under pt-BR: typing with the decimal comma, the
// display format, the range, the empty (null) state and selection on focus.
#include <doctest/doctest.h>

#include <string>

#include "CommandButton.h"
#include "Form.h"
#include "FormsTestSupport.h"
#include "NumberField.h"

using namespace hv::forms;
using formstest::PressKey;
using formstest::PumpMessages;
using formstest::Type;

namespace {

struct NumberFixture {
    Form form;
    NumberField* massa;     // "####0.00", -99999 to 99999
    NumberField* temp;      // "####0.0", -999 to 999
    NumberField* massaIni;  // "####0.00", 0 to 9999
    CommandButton* next;

    NumberFixture()
    {
        form.Load();
        massa = &form.Add<NumberField>(TwipsRect{0, 0, 1500, 315}, L"####0.00", -99999, 99999);
        temp = &form.Add<NumberField>(TwipsRect{0, 400, 1500, 315}, L"####0.0", -999, 999);
        massaIni = &form.Add<NumberField>(TwipsRect{0, 800, 1500, 315}, L"####0.00", 0, 9999);
        next = &form.Add<CommandButton>(TwipsRect{0, 1200, 1500, 400}, L"Ok");
        form.Show();
        PumpMessages();
    }
    ~NumberFixture() { form.Discard(); }
};

double R8(const VARIANT& v)
{
    REQUIRE(v.vt == VT_R8);
    return v.dblVal;
}

} // namespace

TEST_CASE("typed numbers use the decimal comma and are shown in the field's format")
{
    NumberFixture f;
    REQUIRE(f.massa->HasFocus());
    struct Case {
        const wchar_t* typed;
        double value;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"850,5", 850.5, L"850,50"},
        {L"-12", -12, L"-12,00"},
        {L"99999", 99999, L"99999,00"},
        {L"0,07", 0.07, L"0,07"},
    };
    for (const Case& c : cases) {
        const std::string typed = formstest::Narrow(c.typed);
        CAPTURE(typed);
        f.massa->SetFocus();
        f.massa->SetText(L"");
        Type(c.typed);
        CHECK(R8(f.massa->Value()) == c.value);  // already while typing
        PressKey(VK_TAB);
        CHECK(f.temp->HasFocus());
        CHECK(R8(f.massa->Value()) == c.value);
        CHECK(f.massa->Text() == c.shown);
    }

    // Characters the format has no room for are not taken.
    f.massa->SetFocus();
    f.massa->SetText(L"");
    Type(L"12a.3,456,7-");
    CHECK(f.massa->Text() == L"123,45");
    f.temp->SetFocus();
    Type(L"1,25");
    CHECK(f.temp->Text() == L"1,2");
    f.massaIni->SetFocus();
    Type(L"-5");
    CHECK(f.massaIni->Text() == L"5");  // no sign where negatives are out of range
}

TEST_CASE("the empty field is null; setting Null, \"\" or text in the user's locale")
{
    NumberFixture f;
    CHECK(f.massa->ValueIsNull());
    CHECK(f.massa->Value().vt == VT_NULL);
    CHECK(f.massa->Text().empty());

    CHECK(f.massa->SetText(L"812,5"));
    CHECK(R8(f.massa->Value()) == 812.5);
    CHECK(f.massa->Text() == L"812,50");
    CHECK(f.massa->SetText(L""));
    CHECK(f.massa->ValueIsNull());

    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(L"0,99674");
    CHECK(f.temp->SetValue(v));
    VariantClear(&v);
    CHECK(f.temp->Text() == L"1,0");
    CHECK(R8(f.temp->Value()) == 0.99674);  // the value keeps its precision; the text is rounded

    v.vt = VT_NULL;
    CHECK(f.temp->SetValue(v));
    CHECK(f.temp->Value().vt == VT_NULL);

    // Typing the field empty and leaving it gives null too.
    f.massa->SetValue(5.0);
    f.massa->SetFocus();
    SendMessageW(f.massa->Hwnd(), EM_SETSEL, 0, -1);
    Type(L"\b");
    PressKey(VK_TAB);
    CHECK(f.temp->HasFocus());
    CHECK(f.massa->ValueIsNull());
}

TEST_CASE("values outside the range are refused")
{
    NumberFixture f;
    int validations = 0;
    f.massaIni->Validate = [&](bool&) { ++validations; };

    CHECK_FALSE(f.massaIni->SetValue(10000.0));
    CHECK_FALSE(f.massaIni->SetValue(-0.01));
    CHECK_FALSE(f.massaIni->SetText(L"12345"));
    CHECK_FALSE(f.massaIni->SetText(L"doze"));
    CHECK(f.massaIni->ValueIsNull());
    CHECK(f.massaIni->SetValue(9999.0));
    CHECK(f.massaIni->SetValue(0.0));

    // Typed out of range: the focus stays, the text stays selected for
    // correction, the value is unchanged and the Validate event does not run.
    f.massaIni->SetFocus();
    SendMessageW(f.massaIni->Hwnd(), EM_SETSEL, 0, -1);
    Type(L"99999");
    CHECK(R8(f.massaIni->Value()) == 0.0);
    PressKey(VK_TAB);
    CHECK(f.massaIni->HasFocus());
    CHECK(f.massaIni->Text() == L"99999");
    CHECK(f.massaIni->SelLength() == 5);
    CHECK(validations == 0);
    // Also when the focus goes by mouse.
    f.next->SetFocus();
    PumpMessages();
    CHECK(f.massaIni->HasFocus());

    Type(L"9999");
    PressKey(VK_TAB);
    CHECK(f.next->HasFocus());
    CHECK(R8(f.massaIni->Value()) == 9999.0);
    CHECK(validations == 1);
}

TEST_CASE("selection on focus with a given length, and Enter as Tab")
{
    NumberFixture f;
    f.temp->SetValue(25.0);
    f.temp->GotFocus = [&] {
        f.temp->SetSelStart(0);
        f.temp->SetSelLength(1000);
    };
    f.massa->KeyPress = [&](int& key) {
        if (key == '\r') {
            f.form.SendTab();
            key = 0;
        }
    };
    Type(L"812,5");
    PressKey(VK_RETURN);
    CHECK(f.temp->HasFocus());
    CHECK(f.temp->SelStart() == 0);
    CHECK(f.temp->SelLength() == 4);
    CHECK(f.temp->SelText() == L"25,0");
    CHECK(R8(f.massa->Value()) == 812.5);
    // Typing replaces the selected text.
    Type(L"30");
    CHECK(f.temp->Text() == L"30");
}
