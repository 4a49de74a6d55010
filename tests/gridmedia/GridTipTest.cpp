// The registered grid's tips, with the real pointer resting on the grid
// (this program runs alone): the whole text of a cut-off cell, inside the
// work area, hidden when the pointer leaves, none for a text that fits; the
// band's AddButtonToolTipText below the pointer resting on its add-new-row
// button.
#include "MediaTestSupport.h"
#include "ParentItemTree.h"
#include "SampleRecords.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr long kCellElement = 6000;
constexpr long kAddNewRowButtonElement = 6600;
constexpr long kConnectorElement = 2000;
constexpr long kRowElement = 5000;
const wchar_t kLongText[] = L"Amostra de alcool etilico hidratado, lote 2026-12-11, tanque quatro";

// The elements of the wanted type under element, with their rectangles.
void CollectElements(IHvUIElement* element, long wanted, std::vector<RECT>& cells,
                     std::vector<ComPtr<IHvUIElement>>* found = nullptr)
{
    Constants_UIElement type{};
    element->get_Type(&type);
    if (type == wanted) {
        if (found)
            found->push_back(element);
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
            CollectElements(child.Get(), wanted, cells, found);
    }
}

bool CursorAt(POINT at)
{
    POINT now{};
    return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
}

// Moves the real pointer and waits until the system's position has settled
// there: a move right after another may be followed by a late echo of the
// first.
void MovePointer(POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((at.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((at.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendInput(1, &input, sizeof input);
        PumpUntil([&] { return CursorAt(at); }, 500);
        PumpUntil([] { return false; }, 100);
        if (CursorAt(at))
            return;
    }
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

// The registered grid bound to samples or to parents and their items, shown
// on top of the desktop and painted.
struct ShownGrid {
    explicit ShownGrid(std::initializer_list<const wchar_t*> samples)
        : source(SampleRecords(records, samples)), grid(false, RECT{20, 20, 320, 220})
    {
        Show();
    }
    ShownGrid(ParentItemTree& tree, const RECT& place) : grid(false, place)
    {
        REQUIRE(tree.parents.GetDataSource(source.GetAddressOf()) == S_OK);
        Show();
    }
    void Show()
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
    // the tip, and leaving the grid hides it. Resting on the cell whose text
    // fits outlasts the hover time and shows no tip; the hover notice that
    // brings is no reason to stop asking for the next one.
    const struct {
        const char* name;
        POINT start;
        bool fits;
    } starts[] = {
        {"beside the grid, on its container", besideGrid, false},
        {"beyond the container window", POINT{std::min(container.right + 30, work.right - 2), container.top + 10},
         false},
        {"on the cell whose text fits", onScreen(cells[0]), true},
    };
    for (const auto& start : starts) {
        INFO(start.name);
        MovePointer(start.start);
        if (start.fits)
            CHECK_FALSE(PumpUntil([] { return ShownTip() != nullptr; }, 1500));
        else
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

    // Within the grid: from the cut-off cell to the fitting one the tip
    // goes and stays away; back on the cut-off cell it shows again.
    MovePointer(onScreen(cells[1]));
    REQUIRE(PumpUntil([] { return ShownTip() != nullptr; }, 5000));
    MovePointer(onScreen(cells[0]));
    CHECK(PumpUntil([] { return ShownTip() == nullptr; }, 3000));
    CHECK_FALSE(PumpUntil([] { return ShownTip() != nullptr; }, 1500));
    MovePointer(onScreen(cells[1]));
    CHECK(PumpUntil([] { return ShownTip() != nullptr; }, 5000));
    MovePointer(besideGrid);
    PumpUntil([] { return ShownTip() == nullptr; }, 3000);
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

namespace {

short BandIndexOf(IHvUIElement* element)
{
    ComPtr<IHvBand> band;
    short index = -1;
    if (SUCCEEDED(element->get_Band(band.GetAddressOf())) && band)
        band->get_Index(&index);
    return index;
}

// The scroll-tip text of the item row shown at the height y (grid client
// coordinates): its parent's ID, then its own QTY, indented.
std::wstring ItemTipAt(ShownGrid& shown, long y)
{
    ComPtr<IHvUIElement> root;
    REQUIRE(shown.grid.control->GetUIElement(root.GetAddressOf()) == S_OK);
    std::vector<RECT> rects;
    std::vector<ComPtr<IHvUIElement>> rows;
    CollectElements(root.Get(), kRowElement, rects, &rows);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (BandIndexOf(rows[i].Get()) != 1 || y < rects[i].top || y >= rects[i].bottom)
            continue;
        ComPtr<IHvRow> row;
        ComPtr<IHvCells> cells;
        ComPtr<IHvCell> cell;
        VARIANT key = Text(L"QTY");
        REQUIRE(rows[i]->get_Row(row.GetAddressOf()) == S_OK);
        REQUIRE(row->get_Cells(cells.GetAddressOf()) == S_OK);
        REQUIRE(cells->get_Item(key, cell.GetAddressOf()) == S_OK);
        VariantClear(&key);
        VARIANT value;
        VariantInit(&value);
        REQUIRE(cell->get_Value(&value) == S_OK);
        REQUIRE(VariantChangeType(&value, &value, 0, VT_I4) == S_OK);
        return L"ID: 2\r\n    QTY: " + std::to_wstring(value.lVal);
    }
    return L"";
}

} // namespace

TEST_CASE("The tip of a connector line follows the row that comes beside the resting pointer")
{
    ParentItemTree tree;
    ShownGrid shown(tree, RECT{20, 20, 360, 180});
    IHvTavelleControl* control = shown.grid.control.Get();
    ExpandOnlyParent(control, 1);
    ComPtr<IHvLayout> layout;
    REQUIRE(control->get_Layout(layout.GetAddressOf()) == S_OK);
    ComPtr<IHvBands> bands;
    REQUIRE(layout->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> items;
    REQUIRE(bands->get_Item(Long(1), items.GetAddressOf()) == S_OK);
    BSTR field = SysAllocString(L"QTY");
    REQUIRE(items->put_ScrollTipField(field) == S_OK);
    SysFreeString(field);
    ComPtr<IHvRowScrollRegions> regions;
    REQUIRE(layout->get_RowScrollRegions(regions.GetAddressOf()) == S_OK);
    ComPtr<IHvRowScrollRegion> region;
    REQUIRE(regions->get_Item(0, region.GetAddressOf()) == S_OK);
    shown.Settle();

    // The parents' line beside the first item row shown.
    std::vector<ComPtr<IHvUIElement>> lines;
    std::vector<RECT> lineRects;
    ComPtr<IHvUIElement> root;
    REQUIRE(control->GetUIElement(root.GetAddressOf()) == S_OK);
    CollectElements(root.Get(), kConnectorElement, lineRects, &lines);
    POINT at{-1, -1};
    for (size_t i = 0; i < lines.size() && at.x < 0; ++i) {
        if (BandIndexOf(lines[i].Get()) != 0)
            continue;
        for (long y = lineRects[i].top; y < lineRects[i].bottom && at.x < 0; ++y)
            if (!ItemTipAt(shown, y).empty())
                at = POINT{(lineRects[i].left + lineRects[i].right) / 2, y + 6};
    }
    REQUIRE(at.x >= 0);
    const std::wstring first = ItemTipAt(shown, at.y);
    REQUIRE_FALSE(first.empty());
    POINT screen = at;
    ClientToScreen(shown.window, &screen);
    MovePointer(shown.Beside());
    PumpUntil([] { return false; }, 300);
    MovePointer(screen);
    REQUIRE(PumpUntil([] { return ShownTip() != nullptr; }, 5000));
    CHECK(TipText(ShownTip(), shown.window) == first);

    // The rows move up under the pointer: after the hover time the tip
    // tells of the row now beside it.
    REQUIRE(region->Scroll(hvRowScrollActionLineDown) == S_OK);
    shown.Settle();
    const std::wstring second = ItemTipAt(shown, at.y);
    REQUIRE_FALSE(second.empty());
    REQUIRE(second != first);
    CHECK(PumpUntil([&] { return ShownTip() && TipText(ShownTip(), shown.window) == second; }, 5000));

    // A change of the Ctrl key's state brings the tip up to date at once,
    // without waiting for a hover notice.
    REQUIRE(layout->put_TipDelay(60000) == S_OK);
    REQUIRE(region->Scroll(hvRowScrollActionLineDown) == S_OK);
    shown.Settle();
    const std::wstring third = ItemTipAt(shown, at.y);
    REQUIRE_FALSE(third.empty());
    REQUIRE(third != second);
    PostMessageW(shown.window, 1478, 0, 0);
    CHECK(PumpUntil([&] { return ShownTip() && TipText(ShownTip(), shown.window) == third; }, 2000));

    MovePointer(shown.Beside());
    PumpUntil([] { return ShownTip() == nullptr; }, 3000);
}
