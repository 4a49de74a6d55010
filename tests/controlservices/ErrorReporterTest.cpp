// Error reports: the Error event with its error object, then the box or the
// beep as the handler left the object, over a stand-in control.
#include <doctest/doctest.h>

#include "DataErrorInfo.h"
#include "DualString.h"
#include "ErrorReporter.h"

#include <Tavelle.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Box {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT style;
};

struct FakeAlerts final : ErrorAlerts {
    void ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) override
    {
        boxes.push_back({owner, text, caption, style});
        modalDuringBox = modal && *modal;
    }
    void Beep() override { ++beeps; }
    std::vector<Box> boxes;
    int beeps = 0;
    const bool* modal = nullptr;
    bool modalDuringBox = false;
};

// The control as the reports see it; the handler stands for the
// container's Error handler (not called while the event is disabled).
struct FakeControl final : ErrorReporterHost {
    bool HasEventGateAndLayout() override { return hasGateAndLayout; }
    bool LayoutCanFireEvents() override { return canFire; }
    void FireError(IDispatch* error) override
    {
        ++fired;
        if (!errorEnabled)
            return;
        IHvError* typed = nullptr;
        REQUIRE(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(&typed)) == S_OK);
        Constants_ErrorType type{};
        typed->get_Type(&type);
        lastType = type;
        typed->get_Code(&lastCode);
        BSTR description = nullptr;
        typed->get_Description(&description);
        lastDescription = description ? description : L"";
        SysFreeString(description);
        if (handler)
            handler(typed);
        typed->Release();
    }
    HWND GetGridWindow() override { return reinterpret_cast<HWND>(0x1234); }
    void SetModalState(bool on) override
    {
        modal = on;
        modalCalls += on ? "on " : "off ";
    }
    std::wstring DialogString(int id) override
    {
        switch (id) {
        case 6004: return L"Too Many Items";
        case 6005: return L"Too many items have been selected.";
        case 6007: return errorCaption;
        case 6008: return L"Provider does not support minimum binding requirements";
        case 6010: return L"A data error has occurred.";
        default: return L"";
        }
    }

    bool hasGateAndLayout = true;
    bool canFire = true;
    bool errorEnabled = true;
    std::function<void(IHvError*)> handler;
    int fired = 0;
    Constants_ErrorType lastType{};
    long lastCode = 0;
    std::wstring lastDescription;
    bool modal = false;
    std::string modalCalls;
    std::wstring errorCaption = L"Error";
};

struct Fixture {
    Fixture() { alerts.modal = &control.modal; }
    FakeControl control;
    FakeAlerts alerts;
    ErrorReporter reporter{control, &alerts};
};

std::wstring SystemText(HRESULT code)
{
    wchar_t buffer[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(code), 0,
                   buffer, 512, nullptr);
    std::wstring text = buffer;
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

TEST_CASE("Without event gate or layout every report fails and nothing is shown")
{
    Fixture f;
    f.control.hasGateAndLayout = false;
    DataErrorInfo record(E_FAIL, nullptr, nullptr);
    CHECK(f.reporter.ReportDataError(record) == E_FAIL);
    CHECK(f.reporter.ReportBindingError(E_NOINTERFACE) == E_FAIL);
    CHECK(f.reporter.ReportMaskError(CDualString("12a"), 2) == E_FAIL);
    CHECK(f.reporter.ReportGenericError(5, CDualString("x"), L"c") == E_FAIL);
    CHECK(f.control.fired == 0);
    CHECK(f.alerts.boxes.empty());
    CHECK(f.alerts.beeps == 0);
}

TEST_CASE("While the layout cannot raise events errors are dropped, but a data error still gets its text")
{
    Fixture f;
    f.control.canFire = false;
    DataErrorInfo record(static_cast<HRESULT>(0x800A1234), nullptr, nullptr);
    CHECK(f.reporter.ReportDataError(record) == S_OK);
    CDualString message;
    record.GetMessage(message);
    CHECK(std::string(message.c_str()) == "A data error has occurred.");
    CHECK(f.reporter.ReportMaskError(CDualString("1"), 0) == S_OK);
    CHECK(f.reporter.ReportGenericError(5, CDualString("x"), L"c") == S_OK);
    CHECK(f.control.fired == 0);
    CHECK(f.alerts.boxes.empty());
    CHECK(f.alerts.beeps == 0);
}

TEST_CASE("A refused update shows the system's text of its code, else the fallback, in a box captioned Error")
{
    struct Case {
        HRESULT code;
        bool systemKnows;
    };
    const Case cases[] = {{E_ACCESSDENIED, true}, {static_cast<HRESULT>(0x800A1234), false}};
    for (const Case& c : cases) {
        CAPTURE(c.code);
        Fixture f;
        DataErrorInfo record(c.code, nullptr, nullptr);
        CHECK(f.reporter.ReportDataError(record) == S_OK);
        const std::wstring expected = c.systemKnows ? SystemText(c.code) : L"A data error has occurred.";
        CHECK_FALSE(expected.empty());
        REQUIRE(f.alerts.boxes.size() == 1);
        CHECK(Narrow(f.alerts.boxes[0].text) == Narrow(expected));
        CHECK(Narrow(f.alerts.boxes[0].caption) == "Error");
        CHECK(f.alerts.boxes[0].style == 0x2040u);
        CHECK(f.alerts.boxes[0].owner == reinterpret_cast<HWND>(0x1234));
        CHECK(f.alerts.modalDuringBox);
        CHECK(f.control.modalCalls == "on off ");
        CHECK(f.control.lastType == hvErrorTypeData);
    }
}

TEST_CASE("A record's own message, a changed caption and the handler's description reach the box")
{
    Fixture f;
    f.control.errorCaption = L"Falha";
    DataErrorInfo record(E_FAIL, nullptr, nullptr);
    record.SetMessage(CDualString("Valor recusado"));
    f.control.handler = [](IHvError* error) {
        BSTR text = SysAllocString(L"Texto do manipulador");
        CHECK(error->put_Description(text) == S_OK);
        SysFreeString(text);
    };
    CHECK(f.reporter.ReportDataError(record) == S_OK);
    CHECK(Narrow(f.control.lastDescription) == "Valor recusado");
    REQUIRE(f.alerts.boxes.size() == 1);
    CHECK(Narrow(f.alerts.boxes[0].text) == "Texto do manipulador");
    CHECK(Narrow(f.alerts.boxes[0].caption) == "Falha");
}

TEST_CASE("A handler that clears DisplayErrorDialog keeps the box away; a disabled Error event does not")
{
    for (bool enabled : {true, false}) {
        CAPTURE(enabled);
        Fixture f;
        f.control.errorEnabled = enabled;
        f.control.handler = [](IHvError* error) { error->put_DisplayErrorDialog(VARIANT_FALSE); };
        DataErrorInfo record(E_FAIL, nullptr, nullptr);
        CHECK(f.reporter.ReportDataError(record) == S_OK);
        CHECK(f.reporter.ReportGenericError(7, CDualString("Generico"), L"Aviso") == S_OK);
        CHECK(f.alerts.boxes.size() == (enabled ? 0u : 2u));
        CHECK(f.control.modalCalls == (enabled ? "" : "on off on off "));
    }
}

TEST_CASE("A binding failure is a data error with the binding text")
{
    Fixture f;
    CHECK(f.reporter.ReportBindingError(E_NOINTERFACE) == S_OK);
    REQUIRE(f.alerts.boxes.size() == 1);
    CHECK(Narrow(f.alerts.boxes[0].text) == "Provider does not support minimum binding requirements");
    CHECK(Narrow(f.alerts.boxes[0].caption) == "Error");
    CHECK(f.control.lastType == hvErrorTypeData);
}

TEST_CASE("A mask error never shows a box and beeps once unless the handler cancels the beep")
{
    struct Case {
        bool cancelBeep;
        bool keepDialog;
        int beeps;
    };
    const Case cases[] = {{false, true, 1}, {false, false, 1}, {true, true, 0}};
    for (const Case& c : cases) {
        CAPTURE(c.cancelBeep);
        CAPTURE(c.keepDialog);
        Fixture f;
        f.control.handler = [&](IHvError* error) {
            IHvMaskError* mask = nullptr;
            REQUIRE(error->get_MaskError(&mask) == S_OK);
            REQUIRE(mask);
            BSTR text = nullptr;
            short start = -1;
            mask->get_InvalidText(&text);
            mask->get_StartPosition(&start);
            CHECK(Narrow(text ? text : L"") == "12a");
            CHECK(start == 2);
            SysFreeString(text);
            mask->put_CancelBeep(c.cancelBeep ? VARIANT_TRUE : VARIANT_FALSE);
            mask->Release();
            error->put_DisplayErrorDialog(c.keepDialog ? VARIANT_TRUE : VARIANT_FALSE);
        };
        CHECK(f.reporter.ReportMaskError(CDualString("12a"), 2) == S_OK);
        CHECK(f.control.lastType == hvErrorTypeMask);
        CHECK(f.control.lastCode == 1001);
        CHECK(Narrow(f.control.lastDescription) == "Masking Error");
        CHECK(f.alerts.boxes.empty());
        CHECK(f.alerts.beeps == c.beeps);
    }
}

TEST_CASE("Generic errors: an empty description fails; too many items uses its code and dialog strings")
{
    Fixture f;
    CHECK(f.reporter.ReportGenericError(5, CDualString(""), L"c") == E_FAIL);
    CHECK(f.control.fired == 0);
    CHECK(f.reporter.ReportTooManyItems() == S_OK);
    CHECK(f.control.lastType == hvErrorTypeGeneric);
    CHECK(f.control.lastCode == 16389);
    REQUIRE(f.alerts.boxes.size() == 1);
    CHECK(Narrow(f.alerts.boxes[0].text) == "Too many items have been selected.");
    CHECK(Narrow(f.alerts.boxes[0].caption) == "Too Many Items");
}
