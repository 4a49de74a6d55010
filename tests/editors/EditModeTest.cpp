// Entering and leaving edit mode: the events and their cancel rules, the
// text committed to the cell, conversions, the one-editor-per-process rule
// and the row update on cell change.
#include "EditorFakes.h"
#include "MaskEngineFake.h"

#include <doctest/doctest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::string>;

std::wstring RowText(EditFixture& f)
{
    return f.row.value.vt == VT_BSTR ? std::wstring(f.row.value.bstrVal) : std::wstring(L"<not text>");
}

// Puts text into the EDIT window as the user's typing would: the grid hears
// the change.
void Retype(EditFixture& f, const wchar_t* text)
{
    SetWindowTextW(f.editor->Edit().Handle(), text);
}

} // namespace

TEST_CASE("editors_ edit mode: entering shows the text, leaving commits it with the events in order")
{
    EditFixture f;
    CHECK_FALSE(f.editor->EnterEditMode(f.cell, false));
    CHECK(f.cell->IsInEditMode());
    CHECK(f.TakeLog() == Log{"ClearAllSelections", "BeforeEnterEditMode", "AfterEnterEditMode"});
    CHECK(CellEditor::EditOwner() == f.host.grid);
    REQUIRE(f.editor->Edit().IsVisible());
    CHECK(f.editor->Edit().Text() == L"abc");

    Retype(f, L"xyz");
    CHECK(f.TakeLog() == Log{"CellChange"});
    CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
    CHECK(f.TakeLog() == Log{"BeforeExitEditMode", "AfterExitEditMode"});
    CHECK(f.cellGrid.log == Log{"BeforeCellUpdate", "AfterCellUpdate"});
    CHECK(RowText(f) == L"xyz");
    CHECK_FALSE(f.cell->IsInEditMode());
    CHECK_FALSE(f.editor->Edit().IsVisible());
    CHECK(CellEditor::EditOwner() == nullptr);
}

TEST_CASE("editors_ edit mode: an unchanged text writes nothing")
{
    EditFixture f;
    f.editor->EnterEditMode(f.cell, false);
    CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
    CHECK(f.cellGrid.log.empty());
}

TEST_CASE("editors_ edit mode: entering is refused")
{
    struct Case {
        const char* name;
        LONG style;
        bool otherCellActive;
        LONG activation;
        bool focusInControl;
        const char* cancel;
        Log events;
    };
    const Case cases[] = {
        {"button style, no events", hvStyleButton, false, 0, true, "", {}},
        {"default style", hvStyleDefault, false, 0, true, "", {}},
        {"not the active cell", hvStyleEdit, true, 0, true, "", {}},
        {"disabled cell", hvStyleEdit, false, hvActivationDisabled, true, "", {}},
        {"focus outside the control", hvStyleEdit, false, 0, false, "", {}},
        {"BeforeEnterEditMode cancelled", hvStyleEdit, false, 0, true, "BeforeEnterEditMode",
         {"ClearAllSelections", "BeforeEnterEditMode"}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        EditFixture f;
        f.host.column.style = c.style;
        if (c.otherCellActive)
            f.host.active = nullptr;
        f.row.activation = c.activation;
        f.host.focusInControl = c.focusInControl;
        f.host.cancel.insert(c.cancel);
        CHECK(f.editor->EnterEditMode(f.cell, false));
        CHECK_FALSE(f.cell->IsInEditMode());
        CHECK(f.TakeLog() == c.events);
        CHECK(CellEditor::EditOwner() == nullptr);
        f.host.active = f.cell;
    }
}

TEST_CASE("editors_ edit mode: a cancelled exit keeps editing unless forced")
{
    EditFixture f;
    f.editor->EnterEditMode(f.cell, false);
    Retype(f, L"new");
    f.host.cancel.insert("BeforeExitEditMode");
    f.TakeLog();

    CHECK(f.editor->ExitEditMode(f.cell, false, false));
    CHECK(f.TakeLog() == Log{"BeforeExitEditMode"});
    CHECK(f.cell->IsInEditMode());
    CHECK(CellEditor::EditOwner() == f.host.grid);
    CHECK(RowText(f) == L"abc");

    CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, true));
    CHECK_FALSE(f.cell->IsInEditMode());
    CHECK(RowText(f) == L"new");
}

TEST_CASE("editors_ edit mode: leaving with discard reports refused and keeps the value")
{
    EditFixture f;
    f.editor->EnterEditMode(f.cell, false);
    Retype(f, L"dropped");
    CHECK(f.editor->ExitEditMode(f.cell, true, false));
    CHECK_FALSE(f.cell->IsInEditMode());
    CHECK_FALSE(f.editor->Edit().IsVisible());
    CHECK(RowText(f) == L"abc");
    // Not in edit mode any more: nothing to leave.
    CHECK_FALSE(f.editor->ExitEditMode(f.cell, true, false));
}

TEST_CASE("editors_ edit mode: one grid of the process edits at a time")
{
    EditFixture first;
    EditFixture second;
    REQUIRE_FALSE(first.editor->EnterEditMode(first.cell, false));
    Retype(first, L"first");

    SUBCASE("the editing grid leaves first and commits")
    {
        CHECK_FALSE(second.editor->EnterEditMode(second.cell, false));
        CHECK_FALSE(first.cell->IsInEditMode());
        CHECK(RowText(first) == L"first");
        CHECK(second.cell->IsInEditMode());
        CHECK(CellEditor::EditOwner() == second.host.grid);
    }
    SUBCASE("a grid that refuses to leave keeps the edit")
    {
        first.host.cancel.insert("BeforeExitEditMode");
        second.TakeLog();
        CHECK(second.editor->EnterEditMode(second.cell, false));
        CHECK(first.cell->IsInEditMode());
        CHECK_FALSE(second.cell->IsInEditMode());
        CHECK(second.TakeLog().empty());
        CHECK(CellEditor::EditOwner() == first.host.grid);
        first.host.cancel.clear();
    }
}

TEST_CASE("editors_ edit mode: the row is updated at once only with UpdateMode on cell change")
{
    struct Case {
        LONG updateMode;
        bool addRow;
        bool updated;
    };
    const Case cases[] = {{1, false, true}, {0, false, false}, {2, false, false}, {1, true, false}};
    for (const Case& c : cases) {
        CAPTURE(c.updateMode);
        CAPTURE(c.addRow);
        EditFixture f;
        f.host.updateMode = c.updateMode;
        f.host.addRow = c.addRow;
        f.editor->EnterEditMode(f.cell, false);
        Retype(f, L"changed");
        f.TakeLog();
        f.editor->ExitEditMode(f.cell, false, false);
        const Log log = f.TakeLog();
        CHECK((std::find(log.begin(), log.end(), "UpdateRow") != log.end()) == c.updated);
    }
}

TEST_CASE("editors_ commit: the text takes the type of the current value")
{
    EditFixture f;
    f.host.column.dataType = 3;
    const VARIANT five = LongValue(5);
    f.SetValue(five);

    SUBCASE("a number")
    {
        f.editor->EnterEditMode(f.cell, false);
        Retype(f, L"12");
        CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
        CHECK(f.row.value.vt == VT_I4);
        CHECK(f.row.value.lVal == 12);
    }
    SUBCASE("an empty text stores the column's empty value")
    {
        f.editor->EnterEditMode(f.cell, false);
        Retype(f, L"");
        CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
        CHECK(f.row.value.vt == VT_NULL);
    }
    SUBCASE("a text that is no number is reported and edit mode is entered again")
    {
        f.editor->EnterEditMode(f.cell, false);
        Retype(f, L"x");
        f.TakeLog();
        CHECK(f.editor->ExitEditMode(f.cell, false, false));
        const Log log = f.TakeLog();
        CHECK(std::find(log.begin(), log.end(), "UpdateError") != log.end());
        CHECK(log.back() == "AfterEnterEditMode");
        CHECK(f.cell->IsInEditMode());
        CHECK(f.row.value.lVal == 5);
        // Forced, the edit ends all the same.
        Retype(f, L"x");
        CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, true));
        CHECK_FALSE(f.cell->IsInEditMode());
    }
}

TEST_CASE("editors_ commit: CommitEditValue writes only a changed cell")
{
    EditFixture f;
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"other");
    CHECK(f.editor->CommitEditValue(f.cell, text) == S_OK);
    CHECK(RowText(f) == L"abc");
    f.cell->SetDataChanged(-1);
    CHECK(f.editor->CommitEditValue(f.cell, text) == S_OK);
    CHECK(RowText(f) == L"other");
    VariantClear(&text);
}

TEST_CASE("editors_ masks: the EDIT window is handed to the mask and the value takes the data mode")
{
    struct MaskColumn final : InputMaskColumnSeam {
        std::wstring MaskInput() override { return L"###"; }
        WCHAR PromptChar() override { return L'_'; }
        LONG MaskClipMode() override { return 0; }
        LONG MaskDataMode() override { return 1; }
        LONG MaskDisplayMode() override { return 2; }
        bool IsMultiLine() override { return false; }
        bool IsActiveCellColumn() override { return true; }
        HWND EditWindow() override { return editor ? editor->Edit().Handle() : nullptr; }
        IUnknown* NotifyObject() override { return nullptr; }
        void ReportMaskError(const std::wstring&, LONG) override {}
        CellEditor* editor = nullptr;
    };
    mask_fake::FakeEngine engine;
    mask_fake::FactoryScope scope(&engine);
    EditFixture f;
    MaskColumn maskColumn;
    maskColumn.editor = f.editor.get();
    InputMask mask(&maskColumn);
    f.host.column.mask = &mask;

    REQUIRE_FALSE(f.editor->EnterEditMode(f.cell, false));
    CHECK(engine.attached == f.editor->Edit().Handle());
    // The component's answer to a paste stands in for the EDIT window's.
    SetWindowTextW(f.editor->Edit().Handle(), L"123");
    SendMessageW(f.editor->Edit().Handle(), WM_PASTE, 0, 0);
    CHECK(f.editor->Edit().Text() == L"123");

    CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
    CHECK(RowText(f) == L"1:123");
}
