// The registered grid's tips, with the real pointer resting on the grid
// (this program runs alone): the whole text of a cut-off cell, inside the
// work area, hidden when the pointer leaves, none for a text that fits; the
// band's AddButtonToolTipText below the pointer resting on its add-new-row
// button.
#include "MediaTestSupport.h"
#include "SampleRecords.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr long kCellElement = 6000;
constexpr long kAddNewRowButtonElement = 6600;
const wchar_t kLongText[] = L"Amostra de alcool etilico hidratado, lote 2026-12-11, tanque quatro";

void CollectElements(IHvUIElement* element, long wanted, std::vector<RECT>& cells)
{
    Constants_UIElement type{};
    element->get_Type(&type);
    if (type == wanted) {
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
            CollectElements(child.Get(), wanted, cells);
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

// The registered grid bound to samples, shown on top of the desktop and
// painted.
struct ShownGrid {
    explicit ShownGrid(std::initializer_list<const wchar_t*> samples)
        : source(SampleRecords(records, samples)), grid(false, RECT{20, 20, 320, 220})
    {
        SetWindowPos(grid.window.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        SetForegroundWindow(grid.window.Hwnd());
        REQUIRE(grid.control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);
        OLE_HANDLE handle = 0;
        REQUIRE(grid.control->get_hWnd(&handle) == S_OK);
        window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
        Settle();
    }
    void Settle() const
    {
        UpdateWindow(window);
        PumpUntil([] { return false; }, 200);
    }
    // The rectangles of the shown elements of a type, grid client coordinates.
    std::vector<RECT> Elements(long type) const
    {
        ComPtr<IHvUIElement> root;
        REQUIRE(grid.control->GetUIElement(root.GetAddressOf()) == S_OK);
        std::vector<RECT> found;
        CollectElements(root.Get(), type, found);
        return found;
    }
    // Below and right of the grid, on its container.
    POINT Beside() const
    {
        RECT frame{};
        GetWindowRect(window, &frame);
        return POINT{frame.right + 40, frame.bottom + 40};
    }

    hv::recordset::Recordset records;
    ComPtr<IUnknown> source;
    RegisteredGrid grid;
    HWND window = nullptr;
};

} // namespace

TEST_CASE("A cell whose text is cut off shows it whole in a tip while the pointer rests on it")
{
    ShownGrid shown({L"A1", kLongText});
    RegisteredGrid& grid = shown.grid;
    const HWND window = shown.window;
    std::vector<RECT> cells = shown.Elements(kCellElement);
    REQUIRE(cells.size() == 2);
    std::sort(cells.begin(), cells.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
    auto onScreen = [&](const RECT& cell) {
        POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(window, &centre);
        return centre;
    };

    RECT container{};
    GetWindowRect(grid.window.Hwnd(), &container);
    const POINT besideGrid = shown.Beside();
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

TEST_CASE("Resting on the add-new-row button shows its band's AddButtonToolTipText")
{
    ShownGrid shown({L"A1"});
    ComPtr<IHvLayout> layout;
    REQUIRE(shown.grid.control->get_Layout(layout.GetAddressOf()) == S_OK);
    ComPtr<IHvAddNewBox> box;
    REQUIRE(layout->get_AddNewBox(box.GetAddressOf()) == S_OK);
    REQUIRE(box->put_Hidden(VARIANT_FALSE) == S_OK);
    ComPtr<IHvBands> bands;
    REQUIRE(layout->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Long(0), band.GetAddressOf()) == S_OK);
    shown.Settle();
    const HWND window = shown.window;
    const std::vector<RECT> buttons = shown.Elements(kAddNewRowButtonElement);
    REQUIRE(buttons.size() == 1);
    // Near the button's left edge, on its text or its face.
    POINT onButton{buttons[0].left + 4, (buttons[0].top + buttons[0].bottom) / 2};
    ClientToScreen(window, &onButton);
    const POINT besideGrid = shown.Beside();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    const wchar_t kTip[] = L"Nova amostra do dia";
    BSTR text = SysAllocString(kTip);
    REQUIRE(band->put_AddButtonToolTipText(text) == S_OK);
    SysFreeString(text);
    MovePointer(besideGrid);
    PumpUntil([] { return false; }, 300);
    MovePointer(onButton);
    REQUIRE(PumpUntil([] { return ShownTip() != nullptr; }, 5000));
    HWND tip = ShownTip();
    CHECK(TipText(tip, window) == kTip);
    RECT tipRect{};
    GetWindowRect(tip, &tipRect);
    CHECK(Inside(tipRect, work));
    CHECK(tipRect.top >= onButton.y); // below the pointer
    MovePointer(besideGrid);
    PumpUntil([] { return false; }, 300);
}
