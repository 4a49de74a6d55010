// The tab control: three pages that show and hide their controls, the Click
// event after a change of tab, and the focus order across the tabs.
#include <doctest/doctest.h>

#include <vector>

#include "CommandButton.h"
#include "Form.h"
#include "FormsTestSupport.h"
#include "TabControl.h"
#include "TextBox.h"

using namespace hv::forms;
using formstest::PressKey;
using formstest::PumpMessages;

namespace {

// The shape of the application's main form: a shared exit button on the form
// and a tab control whose Click handler moves it and puts the focus on the
// tab's first field.
class ThreeTabForm : public Form {
public:
    TabControl* tabs = nullptr;
    CommandButton* sair = nullptr;
    TextBox* empresa = nullptr;
    TextBox* empresaAbv = nullptr;
    CommandButton* sobre = nullptr;
    TextBox* data = nullptr;
    TextBox* amostra = nullptr;
    TextBox* massaIni = nullptr;
    TextBox* massaFim = nullptr;
    std::vector<int> clicks;

protected:
    void CreateControls() override
    {
        Move(0, 0, 15600, 9600);
        sair = &Add<CommandButton>(TwipsRect{12420, 7800, 2715, 735}, L"Sair");
        sair->SetTabIndex(40);
        tabs = &Add<TabControl>(TwipsRect{120, 120, 12000, 7000}, 3);
        tabs->SetTabIndex(30);
        tabs->SetTabCaption(0, L"Entidade/empresa");
        tabs->SetTabCaption(1, L"Massa específica (kg/m³)");
        tabs->SetTabCaption(2, L"Geração de tabelas");
        empresa = &Field(0, 0, 600);
        empresaAbv = &Field(0, 1, 1200);
        sobre = &tabs->Page(0).Add<CommandButton>(TwipsRect{300, 2000, 1200, 400}, L"Sobre");
        sobre->SetTabIndex(3);
        data = &Field(1, 8, 600);
        amostra = &Field(1, 9, 1200);
        massaIni = &Field(2, 50, 600);
        massaFim = &Field(2, 51, 1200);
        tabs->Click = [this](int previous) { Tab_Click(previous); };
    }

private:
    TextBox& Field(int tab, int tabIndex, int top)
    {
        auto& box = tabs->Page(tab).Add<TextBox>(TwipsRect{300, top, 2500, 315});
        box.SetTabIndex(tabIndex);
        return box;
    }

    void Tab_Click(int previous)
    {
        clicks.push_back(previous);
        switch (tabs->Tab()) {
        case 0:
            sair->Move(12420, 7800, 2715, 735);
            empresa->SetFocus();
            break;
        case 1:
            sair->Move(13400, 8220, 1755, 495);
            (data->Text().empty() ? data : amostra)->SetFocus();
            break;
        case 2:
            sair->Move(12420, 7800, 2715, 735);
            massaIni->SetFocus();
            break;
        default:
            break;
        }
    }
};

std::vector<Control*> TabCycle(int presses)
{
    std::vector<Control*> visited;
    for (int i = 0; i < presses; ++i) {
        PressKey(VK_TAB);
        HWND focus = GetFocus();
        Control* control = nullptr;
        for (HWND w = focus; w && !control; w = GetParent(w))
            control = Control::FromHandle(w);
        visited.push_back(control);
    }
    return visited;
}

} // namespace

TEST_CASE("only the current tab's page shows its controls; Click reports the previous tab")
{
    ThreeTabForm form;
    form.Show();
    PumpMessages();
    CHECK(form.tabs->Tab() == 0);
    CHECK(form.tabs->TabCaption(1) == L"Massa específica (kg/m³)");
    CHECK(IsWindowVisible(form.empresa->Hwnd()));
    CHECK_FALSE(IsWindowVisible(form.data->Hwnd()));
    CHECK_FALSE(IsWindowVisible(form.massaIni->Hwnd()));
    CHECK(form.empresa->Visible());
    CHECK(form.data->Visible());  // its own setting; the page hides it

    form.tabs->SetTab(1);
    CHECK(form.clicks == std::vector<int>{0});
    CHECK(IsWindowVisible(form.data->Hwnd()));
    CHECK_FALSE(IsWindowVisible(form.empresa->Hwnd()));
    CHECK(form.data->HasFocus());
    CHECK(form.sair->Left() == 13400);
    CHECK(form.sair->Width() == 1755);

    form.data->SetText(L"05/03/2026");
    form.tabs->SetTab(2);
    form.tabs->SetTab(1);
    CHECK(form.amostra->HasFocus());
    CHECK(form.clicks == std::vector<int>{0, 1, 2});
    form.tabs->SetTab(1);  // no change, no Click
    CHECK(form.clicks.size() == 3);

    // A click on a tab of the strip changes the tab too.
    RECT item;
    SendMessageW(form.tabs->FocusHwnd(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(form.tabs->FocusHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(form.tabs->FocusHwnd(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    CHECK(form.tabs->Tab() == 2);
    CHECK(form.clicks.back() == 1);
    CHECK(form.massaIni->HasFocus());
    CHECK(IsWindowVisible(form.massaIni->Hwnd()));
    form.Discard();
}

TEST_CASE("the tab order runs over the current tab's controls, the tab strip and the shared button")
{
    ThreeTabForm form;
    form.Show();
    PumpMessages();
    CHECK(form.empresa->HasFocus());
    CHECK(TabCycle(5) == std::vector<Control*>{form.empresaAbv, form.sobre, form.tabs, form.sair, form.empresa});

    form.tabs->SetTab(1);
    CHECK(form.data->HasFocus());
    CHECK(TabCycle(4) == std::vector<Control*>{form.amostra, form.tabs, form.sair, form.data});

    form.tabs->SetTab(2);
    CHECK(form.massaIni->HasFocus());
    CHECK(TabCycle(4) == std::vector<Control*>{form.massaFim, form.tabs, form.sair, form.massaIni});
    {
        formstest::ShiftHeld shift;
        CHECK(TabCycle(3) == std::vector<Control*>{form.sair, form.tabs, form.massaFim});
    }
    form.Discard();
}

TEST_CASE("a click on another tab validates the focused field first; a cancel keeps the tab")
{
    ThreeTabForm form;
    form.Show();
    PumpMessages();
    bool refuse = true;
    int validations = 0;
    form.empresa->Validate = [&](bool& cancel) {
        ++validations;
        cancel = refuse;
    };
    REQUIRE(form.empresa->HasFocus());
    const auto clickTab = [&](int tab) {
        RECT item;
        SendMessageW(form.tabs->FocusHwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostMessageW(form.tabs->FocusHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PumpMessages();
        PostMessageW(form.tabs->FocusHwnd(), WM_LBUTTONUP, 0, at);
        PumpMessages();
    };
    clickTab(2);
    CHECK(form.tabs->Tab() == 0);
    CHECK(form.empresa->HasFocus());
    CHECK(validations == 1);
    CHECK(form.clicks.empty());

    refuse = false;
    clickTab(2);
    CHECK(form.tabs->Tab() == 2);
    CHECK(form.massaIni->HasFocus());
    CHECK(validations == 2);

    // A change of tab by the program does not validate.
    form.tabs->SetTab(0);
    CHECK(form.empresa->HasFocus());
    refuse = true;
    form.tabs->SetTab(1);
    PumpMessages();
    CHECK(form.tabs->Tab() == 1);
    CHECK(form.data->HasFocus());
    CHECK(validations == 2);
    form.Discard();
}
