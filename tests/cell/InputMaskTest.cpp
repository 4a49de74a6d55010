// The input-mask helper over a stand-in component: what it passes, in which
// order, and how it falls back to an unmasked column.
#include "InputMask.h"
#include "MaskEngineFake.h"

#include <Tavelle.h>

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

using mask_fake::FakeEngine;
using mask_fake::FactoryScope;

struct FakeColumn final : InputMaskColumnSeam {
    std::wstring MaskInput() override { return mask; }
    WCHAR PromptChar() override { return L'_'; }
    LONG MaskClipMode() override { return 0; }
    LONG MaskDataMode() override { return 1; }
    LONG MaskDisplayMode() override { return 2; }
    bool IsMultiLine() override { return multiLine; }
    bool IsActiveCellColumn() override { return active; }
    HWND EditWindow() override { return edit; }
    IUnknown* NotifyObject() override { return nullptr; }
    void ReportMaskError(const std::wstring&, LONG) override {}

    std::wstring mask = L"###-##";
    bool multiLine = false;
    bool active = false;
    HWND edit = nullptr;
};

} // namespace

TEST_CASE("cell_ input mask: configuring passes the settings in order")
{
    FakeEngine engine;
    FactoryScope scope(&engine);
    FakeColumn column;
    HWND edit = CreateWindowW(L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    column.edit = edit;
    {
        InputMask mask(&column);
        CHECK(mask.ApplyInputMask(mask.UsesInputMask()));
        CHECK(engine.calls == std::vector<std::string>{"Attach", "SetMask", "SetPromptChar", "SetClipMode", "SetDataMode"});
        CHECK(engine.prompt == L'_');
        CHECK(mask.IsMaskEngineReady());
        CHECK(mask.DetachMaskEngine());
        CHECK(engine.attached == nullptr);
    }
    CHECK(engine.refs == 0);
    DestroyWindow(edit);
}

TEST_CASE("cell_ input mask: a changed mask empties an unfocused editor of the active column")
{
    FakeEngine engine;
    FactoryScope scope(&engine);
    FakeColumn column;
    column.active = true;
    column.edit = CreateWindowW(L"EDIT", L"abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    InputMask mask(&column);
    mask.ApplyInputMask(true);
    CHECK(GetWindowTextLengthW(column.edit) == 0);

    SetWindowTextW(column.edit, L"abc");
    engine.calls.clear();
    mask.ApplyInputMask(true);  // same mask: refreshed, text kept
    CHECK(engine.calls.front() == "Refresh");
    CHECK(GetWindowTextLengthW(column.edit) == 3);
    DestroyWindow(column.edit);
}

TEST_CASE("cell_ input mask: formatting and messages by the component's state")
{
    struct Case {
        const char* name;
        bool engineThere;
        bool multiLine;
        bool failSetMask;
        bool failFormat;
        bool bstr;
        const wchar_t* expectedText;
        LONG expectedPaste;
    } cases[] = {
        {"ready", true, false, false, false, true, L"3:12345", 1},
        {"no component", false, false, false, false, true, L"12345", 0},
        {"multi-line column", true, true, false, false, true, L"12345", 0},
        {"configuration refused", true, false, true, false, true, L"12345", 0},
        {"formatting refused", true, false, false, true, true, L"12345", 1},
        {"not a string", true, false, false, false, false, nullptr, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        FakeEngine engine;
        engine.failSetMask = c.failSetMask;
        engine.failFormat = c.failFormat;
        FactoryScope scope(c.engineThere ? &engine : nullptr);
        FakeColumn column;
        InputMask mask(&column);
        mask.ApplyInputMask(true);
        column.multiLine = c.multiLine;

        VARIANT value;
        VariantInit(&value);
        if (c.bstr) {
            value.vt = VT_BSTR;
            value.bstrVal = SysAllocString(L"12345");
        } else {
            value.vt = VT_I4;
            value.lVal = 12345;
        }
        mask.ApplyMaskModeToValue(&value, hvMaskModeIncludeBoth);
        if (c.expectedText) {
            REQUIRE(value.vt == VT_BSTR);
            CHECK(std::wstring(value.bstrVal) == c.expectedText);
            CHECK(mask.FormatMaskedText(L"12345", hvMaskModeIncludeBoth) == c.expectedText);
        } else {
            CHECK(value.vt == VT_I4);
        }
        VariantClear(&value);
        LRESULT result = 0;
        CHECK(mask.MaskProcessMessage(WM_PASTE, 0, 0, &result) == c.expectedPaste);
    }
}

TEST_CASE("cell_ input mask: a multi-line column never uses a mask")
{
    FakeColumn column;
    InputMask mask(&column);
    CHECK(mask.UsesInputMask());
    column.multiLine = true;
    CHECK_FALSE(mask.UsesInputMask());
    column.multiLine = false;
    column.mask.clear();
    CHECK_FALSE(mask.UsesInputMask());
}
