// The whole text of a cut-off cell in the registered grid's tip: the real
// pointer rests on the cell (this program runs alone), the tip shows inside
// the work area and hides when the pointer leaves; a text that fits shows
// no tip.
#include "MediaTestSupport.h"
#include "Recordset.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr long kCellElement = 6000;
const wchar_t kLongText[] = L"Amostra de alcool etilico hidratado, lote 2026-12-11, tanque quatro";

void CollectCells(IHvUIElement* element, std::vector<RECT>& cells)
{
    Constants_UIElement type{};
    element->get_Type(&type);
    if (type == kCellElement) {
        ComPtr<IHvUIRect> rect;
        RECT place{};
        if (SUCCEEDED(element->get_Rect(rect.GetAddressOf())) && rect) {
            rect->get_Left(&place.left);
            rect->get_Top(&place.top);
            rect->get_Right(&place.right);
            rect->get_Bottom(&place.bottom);
        }
        cells.push_back(place);
    }
    ComPtr<IHvUIElements> children;
    if (FAILED(element->get_UIElements(children.GetAddressOf())) || !children)
        return;
    long count = 0;
    children->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        VARIANT index = Long(i);
        ComPtr<IHvUIElement> child;
        if (SUCCEEDED(children->get_Item(index, child.GetAddressOf())) && child)
            CollectCells(child.Get(), cells);
    }
}

void MovePointer(POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((at.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((at.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// A shown tooltip window of this thread, or null.
HWND ShownTip()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[64] = L"";
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TipText(HWND tip, HWND grid)
{
    wchar_t text[512] = L"";
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = grid;
    tool.uId = reinterpret_cast<UINT_PTR>(grid);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST_CASE("A cell whose text is cut off shows it whole in a tip while the pointer rests on it")
{
    hv::recordset::Recordset records;
    REQUIRE(records.AppendField(L"AMOSTRA", hv::recordset::FieldType::WideString, 100,
                                hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records.Open() == S_OK);
    for (const wchar_t* sample : {L"A1", kLongText}) {
        REQUIRE(records.AddNew() == S_OK);
        VARIANT value = Text(sample);
        REQUIRE(records.SetValue(L"AMOSTRA", value) == S_OK);
        VariantClear(&value);
        REQUIRE(records.Update() == S_OK);
    }
    ComPtr<IUnknown> source;
    REQUIRE(records.GetDataSource(source.GetAddressOf()) == S_OK);

    RegisteredGrid grid(false, RECT{20, 20, 320, 220});
    SetWindowPos(grid.window.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetForegroundWindow(grid.window.Hwnd());
    REQUIRE(grid.control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);
    OLE_HANDLE handle = 0;
    REQUIRE(grid.control->get_hWnd(&handle) == S_OK);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    UpdateWindow(window);
    PumpUntil([] { return false; }, 200);

    ComPtr<IHvUIElement> root;
    REQUIRE(grid.control->GetUIElement(root.GetAddressOf()) == S_OK);
    std::vector<RECT> cells;
    CollectCells(root.Get(), cells);
    REQUIRE(cells.size() == 2);
    std::sort(cells.begin(), cells.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
    auto onScreen = [&](const RECT& cell) {
        POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(window, &centre);
        return centre;
    };

    RECT frame{};
    GetWindowRect(window, &frame);
    RECT container{};
    GetWindowRect(grid.window.Hwnd(), &container);
    const POINT besideGrid{frame.right + 40, frame.bottom + 40};
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    // Wherever the pointer rested before, resting on the cut-off cell shows
    // the tip, and leaving the grid hides it.
    const struct {
        const char* name;
        POINT start;
    } starts[] = {
        {"beside the grid, on its container", besideGrid},
        {"beyond the container window", POINT{std::min(container.right + 30, work.right - 2), container.top + 10}},
        {"on the cell whose text fits", onScreen(cells[0])},
    };
    for (const auto& start : starts) {
        INFO(start.name);
        MovePointer(start.start);
        PumpUntil([] { return false; }, 300);
        MovePointer(onScreen(cells[1]));
        REQUIRE(PumpUntil([] { return ShownTip() != nullptr; }, 5000));
        HWND tip = ShownTip();
        CHECK(TipText(tip, window) == kLongText);
        RECT tipRect{};
        GetWindowRect(tip, &tipRect);
        CHECK(Inside(tipRect, work));
        CHECK(tipRect.right - tipRect.left > cells[1].right - cells[1].left);

        MovePointer(besideGrid);
        CHECK(PumpUntil([] { return ShownTip() == nullptr; }, 3000));
    }

    // A text that fits: no tip, however long the pointer rests.
    MovePointer(onScreen(cells[0]));
    CHECK_FALSE(PumpUntil([] { return ShownTip() != nullptr; }, 1500));
    MovePointer(besideGrid);
    PumpUntil([] { return false; }, 100);
}
