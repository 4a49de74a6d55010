// A demo form shaped like the application's main form (three tabs, the
// analysis frame with its fields, the shared exit button) drawn under the X
// server and saved as forms_demo.png beside the test executable, with its
// calendar drop-down as forms_demo_calendar.png.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CommandButton.h"
#include "DateField.h"
#include "Form.h"
#include "FormsTestSupport.h"
#include "Frame.h"
#include "Label.h"
#include "NumberField.h"
#include "PngFile.h"
#include "TabControl.h"
#include "TextBox.h"

using namespace hv::forms;
using formstest::PumpMessages;

namespace {

class DemoForm : public Form {
public:
    TabControl* tabs = nullptr;
    DateField* data = nullptr;
    std::vector<NumberField*> numbers;

protected:
    void CreateControls() override
    {
        SetCaption(L"Ostrelvia");
        Move(600, 600, 15540, 9420);
        tabs = &Add<TabControl>(TwipsRect{60, 60, 15240, 8100}, 3);
        tabs->SetTabCaption(0, L"Entidade/empresa");
        tabs->SetTabCaption(1, L"Massa específica (kg/m³)");
        tabs->SetTabCaption(2, L"Geração de tabelas");
        BuildCompanyTab(tabs->Page(0));
        BuildAnalysisTab(tabs->Page(1));
        BuildTablesTab(tabs->Page(2));
        auto& sair = Add<CommandButton>(TwipsRect{13400, 8220, 1755, 495}, L"Sair");
        sair.SetTabIndex(40);
        sair.ZOrder(0);
    }

private:
    void BuildCompanyTab(TabPage& page)
    {
        page.Add<Label>(TwipsRect{360, 480, 6000, 255}, L"Nome da entidade/empresa");
        page.Add<TextBox>(TwipsRect{360, 750, 7800, 315}, L"Entidade/Empresa").SetMaxLength(60);
        page.Add<Label>(TwipsRect{360, 1260, 6000, 255}, L"Nome da entidade/empresa para os relatórios");
        page.Add<TextBox>(TwipsRect{360, 1530, 4500, 315}, L"Entidade/Empresa").SetMaxLength(30);
        page.Add<CommandButton>(TwipsRect{360, 2160, 1500, 420}, L"Sobre");
    }

    void BuildAnalysisTab(TabPage& page)
    {
        auto& frame = page.Add<Frame>(TwipsRect{120, 120, 14900, 1560}, L"Dados da Análise");
        struct Column {
            const wchar_t* heading;
            int width;
        };
        const Column columns[] = {
            {L"Data", 1380},
            {L"Amostra", 2400},
            {L"Massa\r\nespecífica lida\r\n(kg/m³)", 1380},
            {L"Temperatura\r\nensaio\r\n(°C)", 1250},
            {L"Temperatura\r\nestocagem\r\n(°C)", 1250},
            {L"Massa\r\nespecífica 20 °C\r\n(kg/m³)", 1450},
            {L"Teor\r\nalcoólico\r\n(%m/m)", 1250},
            {L"Teor\r\nalcoólico 20 °C\r\n(% v/v)", 1450},
            {L"Fator\r\ncorreção \r\nvolume 20 °C", 1450},
        };
        const wchar_t* formats[] = {L"####0.00", L"####0.0", L"####0.0", L"####0.0",
                                    L"####0.0",  L"####0.0", L"####0.0000"};
        const double values[] = {812.5, 25, 30, 816.3, 93.4, 95.2, 0.9967};
        int left = 150;
        for (int i = 0; i < 9; ++i) {
            const Column& c = columns[i];
            frame.Add<Label>(TwipsRect{left, 300, c.width, 720}, c.heading);
            const TwipsRect field{left, 1080, c.width - 60, 315};
            if (i == 0) {
                data = &frame.Add<DateField>(field);
                data->SetText(L"05/03/26");
            } else if (i == 1) {
                frame.Add<TextBox>(field, L"A1").SetMaxLength(25);
            } else {
                auto& number = frame.Add<NumberField>(field, formats[i - 2]);
                number.SetValue(values[i - 2]);
                numbers.push_back(&number);
            }
            left += c.width + 60;
        }
        page.Add<CommandButton>(TwipsRect{120, 6600, 1800, 420}, L"Excluir registro");
        page.Add<CommandButton>(TwipsRect{2040, 6600, 1800, 420}, L"Exportar MS-Excel®");
        page.Add<CommandButton>(TwipsRect{3960, 6600, 1800, 420}, L"Imprimir");
    }

    void BuildTablesTab(TabPage& page)
    {
        const wchar_t* labels[] = {L"Massa específica inicial", L"Massa específica final", L"Incremento massa",
                                   L"Temperatura inicial", L"Temperatura final", L"Incremento temperatura"};
        for (int i = 0; i < 6; ++i) {
            const int top = 480 + i * 480;
            page.Add<Label>(TwipsRect{360, top + 45, 2600, 255}, labels[i]);
            page.Add<NumberField>(TwipsRect{3000, top, 1200, 315}, i < 3 ? L"####0.00" : L"####0.0",
                                  i < 3 ? 0.0 : -20.0, i < 3 ? 9999.0 : 50.0);
            page.Add<Label>(TwipsRect{4300, top + 45, 800, 255}, i < 3 ? L"kg/m³" : L"°C");
        }
        auto& frame = page.Add<Frame>(TwipsRect{6000, 360, 8800, 3600});
        frame.Add<Label>(TwipsRect{240, 120, 8300, 1600},
                         L"\r\nTabela 1\r\n\r\nMassa específica a 20 °C e Teor alcoólico %m/m");
        page.Add<CommandButton>(TwipsRect{360, 3600, 2715, 735}, L"Gerar tabela no MS-Excel®");
    }
};

void Redraw(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
}

} // namespace

TEST_CASE("a screenshot of the demo form with its three tabs")
{
    DemoForm form;
    form.Show();
    form.tabs->SetTab(1);
    PumpMessages();
    CHECK(form.numbers[0]->Text() == L"812,50");
    CHECK(form.numbers[6]->Text() == L"0,9967");
    CHECK(form.data->Text() == L"05/03/2026");
    Redraw(form.Hwnd());

    const std::wstring folder = formstest::ExecutableFolder();
    const std::wstring demo = folder + L"forms_demo.png";
    DeleteFileW(demo.c_str());
    REQUIRE(formstest::SaveWindowPng(form.Hwnd(), demo));
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    REQUIRE(GetFileAttributesExW(demo.c_str(), GetFileExInfoStandard, &attributes));
    CHECK(attributes.nFileSizeLow > 2000);

    form.data->SetFocus();
    form.data->DropDown();
    PumpMessages();
    REQUIRE(form.data->CalendarHwnd() != nullptr);
    Redraw(form.data->CalendarHwnd());
    CHECK(formstest::SaveWindowPng(form.data->CalendarHwnd(), folder + L"forms_demo_calendar.png"));
    form.data->CloseUp();
    form.Discard();
}
