// Pictures by key or index from the registered grid's images, as the grid
// paints them into a memory device context through IViewObject::Draw.
#include "ImageFiles.h"
#include "MediaTestSupport.h"
#include "SampleRecords.h"

#include <functional>
#include <tuple>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// What a paint road draws into a 32-bit memory bitmap of width x height.
class Pixels {
public:
    Pixels(int width, int height, const std::function<void(HDC)>& paint)
    {
        if (width <= 0 || height <= 0)
            return;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        paint(dc);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + width * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Count(COLORREF colour) const
    {
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int count = 0;
        for (DWORD pixel : pixels_)
            count += (pixel & 0xFFFFFF) == wanted;
        return count;
    }

private:
    std::vector<DWORD> pixels_;
};

// The grid drawn at width x height through IViewObject::Draw.
class GridPixels : public Pixels {
public:
    GridPixels(IHvTavelleControl* control, int width, int height)
        : Pixels(width, height, [&](HDC dc) {
              ComPtr<IViewObject> view;
              REQUIRE(control->QueryInterface(IID_PPV_ARGS(view.GetAddressOf())) == S_OK);
              const RECTL bounds = {0, 0, width, height};
              CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0) ==
                    S_OK);
          })
    {
    }
};

void ShowCaptionPicture(IHvTavelleControl* control, VARIANT picture)
{
    ComPtr<IHvAppearance> appearance;
    REQUIRE(control->get_CaptionAppearance(appearance.GetAddressOf()) == S_OK);
    REQUIRE(appearance->put_Picture(picture) == S_OK);
}

} // namespace

TEST_CASE("A picture named by key or index shows the grid's image, masked as ImagesMasking says")
{
    const std::wstring path = TempFile(L"strip-caption.png");
    REQUIRE(WritePngStrip(path, 8, {kRed, kGreen, kBlue}, {"a", "b", "c"}));
    RegisteredGrid grid(true);
    BSTR url = SysAllocString(FileUrl(path).c_str());
    REQUIRE(grid.control->put_ImagesURL(url) == S_OK);
    SysFreeString(url);
    BSTR caption = SysAllocString(L"Analises");
    REQUIRE(grid.control->put_Caption(caption) == S_OK);
    SysFreeString(caption);
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_FALSE) == S_OK);

    VARIANT key = Text(L"b");
    ShowCaptionPicture(grid.control.Get(), key);
    VariantClear(&key);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kGreen) == 64);   // the whole 8 x 8 square, unscaled
        CHECK(pixels.Count(kRed) == 0);
        CHECK(pixels.Count(kBlue) == 0);
    }
    VARIANT third;
    VariantInit(&third);
    third.vt = VT_I2;
    third.iVal = 3;
    ShowCaptionPicture(grid.control.Get(), third);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kBlue) == 64);
        CHECK(pixels.Count(kGreen) == 0);
    }
    // Masked, a square of one colour is all mask: nothing of it shows.
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_TRUE) == S_OK);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kBlue) == 0);
    }
    // No such image: nothing.
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_FALSE) == S_OK);
    for (const short index : {0, 4, 99}) {
        CAPTURE(index);
        third.iVal = index;
        ShowCaptionPicture(grid.control.Get(), third);
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kRed) + pixels.Count(kGreen) + pixels.Count(kBlue) == 0);
    }
    DeleteFileW(path.c_str());
}

namespace {

void PutPicture(IHvAppearance* appearance, const wchar_t* key)
{
    VARIANT value = Text(key);
    REQUIRE(appearance->put_Picture(value) == S_OK);
    VariantClear(&value);
}

// The registered grid bound to samples of the field "AMOSTRA", showing the
// strip's images unmasked.
struct StripGrid {
    StripGrid(const wchar_t* name, std::initializer_list<const wchar_t*> samples)
        : path(TempFile(name)), source(SampleRecords(records, samples)), grid(true)
    {
        REQUIRE(WritePngStrip(path, 8, {kRed, kGreen, kBlue}, {"a", "b", "c"}));
        BSTR url = SysAllocString(FileUrl(path).c_str());
        REQUIRE(grid.control->put_ImagesURL(url) == S_OK);
        SysFreeString(url);
        REQUIRE(grid.control->put_ImagesMasking(VARIANT_FALSE) == S_OK);
        REQUIRE(grid.control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);
    }
    ~StripGrid() { DeleteFileW(path.c_str()); }
    StripGrid(const StripGrid&) = delete;
    StripGrid& operator=(const StripGrid&) = delete;

    ComPtr<IHvColumn> Column() const
    {
        ComPtr<IHvLayout> layout;
        REQUIRE(grid.control->get_Layout(layout.GetAddressOf()) == S_OK);
        ComPtr<IHvBands> bands;
        REQUIRE(layout->get_Bands(bands.GetAddressOf()) == S_OK);
        ComPtr<IHvBand> band;
        REQUIRE(bands->get_Item(Long(0), band.GetAddressOf()) == S_OK);
        ComPtr<IHvColumns> columns;
        REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
        VARIANT name = Text(L"AMOSTRA");
        ComPtr<IHvColumn> column;
        REQUIRE(columns->get_Item(name, column.GetAddressOf()) == S_OK);
        VariantClear(&name);
        return column;
    }
    // The first row, or the one after it.
    ComPtr<IHvRow> Row(bool second) const
    {
        ComPtr<IHvRow> row;
        REQUIRE(grid.control->GetRow(hvChildRowFirst, row.GetAddressOf()) == S_OK);
        REQUIRE(row);
        if (second) {
            VARIANT span;
            VariantInit(&span);
            ComPtr<IHvRow> next;
            REQUIRE(row->GetSibling(hvSiblingRowNext, &span, next.GetAddressOf()) == S_OK);
            REQUIRE(next);
            row = next;
        }
        return row;
    }
    GridPixels Draw() const { return GridPixels(grid.control.Get(), 300, 200); }

    std::wstring path;
    hv::recordset::Recordset records;
    ComPtr<IUnknown> source;
    RegisteredGrid grid;
};

ComPtr<IHvCell> CellOf(IHvRow* row)
{
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(cells.GetAddressOf()) == S_OK);
    VARIANT name = Text(L"AMOSTRA");
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(name, cell.GetAddressOf()) == S_OK);
    VariantClear(&name);
    return cell;
}

// Names a picture in the appearance of the row's cell; the row and the
// cell are held meanwhile, and keep themselves for their own appearance.
void PutCellPicture(IHvRow* row, const wchar_t* key)
{
    ComPtr<IHvAppearance> appearance;
    REQUIRE(CellOf(row)->get_Appearance(appearance.GetAddressOf()) == S_OK);
    REQUIRE(appearance);
    PutPicture(appearance.Get(), key);
}

} // namespace

TEST_CASE("A picture named by key shows in a column's header")
{
    StripGrid strip(L"strip-header.png", {L"A1", L"A2"});
    ComPtr<IHvHeader> header;
    REQUIRE(strip.Column()->get_Header(header.GetAddressOf()) == S_OK);
    ComPtr<IHvAppearance> headerLook;
    REQUIRE(header->get_Appearance(headerLook.GetAddressOf()) == S_OK);
    PutPicture(headerLook.Get(), L"c");

    const GridPixels pixels = strip.Draw();
    CHECK(pixels.Count(kBlue) == 64); // one whole square in the header
    CHECK(pixels.Count(kRed) == 0);
    CHECK(pixels.Count(kGreen) == 0);
}

namespace {
// Where a bound grid of two samples names a picture of the strip.
enum class PictureAt { Column, FirstRowCells, SecondRowCell, FirstRow, CellOverColumn };
} // namespace

TEST_CASE("A cell's picture from its column, its row or its own appearance shows in the bound cells")
{
    struct Case {
        PictureAt where;
        int green;
        int blue;
    };
    const Case cases[] = {
        {PictureAt::Column, 2 * 64, 0},      // one whole square in each row's cell
        {PictureAt::FirstRowCells, 64, 0},   // the row's CellAppearance
        {PictureAt::SecondRowCell, 64, 0},   // the cell's own Appearance
        {PictureAt::FirstRow, 64, 0},        // the row's Appearance reaches its cells
        {PictureAt::CellOverColumn, 64, 64}, // the cell's own before its column's
    };
    for (const Case& c : cases) {
        CAPTURE(static_cast<int>(c.where));
        StripGrid strip(L"strip-cells.png", {L"A1", L"A2"});
        switch (c.where) {
        case PictureAt::Column:
        case PictureAt::CellOverColumn: {
            ComPtr<IHvAppearance> cells;
            REQUIRE(strip.Column()->get_CellAppearance(cells.GetAddressOf()) == S_OK);
            PutPicture(cells.Get(), L"b");
            if (c.where == PictureAt::CellOverColumn)
                PutCellPicture(strip.Row(true).Get(), L"c");
            break;
        }
        case PictureAt::FirstRowCells: {
            ComPtr<IHvRow> row = strip.Row(false);
            ComPtr<IHvAppearance> cells;
            REQUIRE(row->get_CellAppearance(cells.GetAddressOf()) == S_OK);
            PutPicture(cells.Get(), L"b");
            break;
        }
        case PictureAt::SecondRowCell:
            PutCellPicture(strip.Row(true).Get(), L"b");
            break;
        case PictureAt::FirstRow: {
            ComPtr<IHvRow> row = strip.Row(false);
            ComPtr<IHvAppearance> own;
            REQUIRE(row->get_Appearance(own.GetAddressOf()) == S_OK);
            PutPicture(own.Get(), L"b");
            break;
        }
        }

        const GridPixels pixels = strip.Draw();
        CHECK(pixels.Count(kGreen) == c.green);
        CHECK(pixels.Count(kBlue) == c.blue);
        CHECK(pixels.Count(kRed) == 0);
    }
}

namespace {

// The grid's combo box of a drop-down cell, or null.
HWND FindCombo(HWND grid)
{
    HWND found = nullptr;
    EnumChildWindows(
        grid,
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[32] = L"";
            GetClassNameW(window, name, 32);
            if (lstrcmpiW(name, L"ComboBox") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A window's client area as it paints itself into a memory bitmap.
Pixels PrintedClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return Pixels(client.right, client.bottom, [&](HDC dc) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    });
}

} // namespace

TEST_CASE("A value-list item's picture shows in the cells of its value and beside its text in the drop-down list")
{
    StripGrid strip(L"strip-list.png", {L"A1", L"A2", L"A1"});
    IHvTavelleControl* control = strip.grid.control.Get();

    // "A1" shows image b (green), "A2" image c (blue).
    ComPtr<IHvValueLists> lists;
    REQUIRE(control->get_ValueLists(lists.GetAddressOf()) == S_OK);
    VARIANT name = Text(L"Amostras");
    ComPtr<IHvValueList> list;
    REQUIRE(lists->Add(name, list.GetAddressOf()) == S_OK);
    ComPtr<IHvValueListItems> items;
    REQUIRE(list->get_ValueListItems(items.GetAddressOf()) == S_OK);
    for (const auto& [data, shown, key] : {std::tuple{L"A1", L"Primeira", L"b"}, std::tuple{L"A2", L"Segunda", L"c"}}) {
        VARIANT value = Text(data);
        VARIANT text = Text(shown);
        ComPtr<IHvValueListItem> item;
        REQUIRE(items->Add(&value, text, Missing(), item.GetAddressOf()) == S_OK);
        VariantClear(&value);
        VariantClear(&text);
        ComPtr<IHvAppearance> look;
        REQUIRE(item->get_Appearance(look.GetAddressOf()) == S_OK);
        PutPicture(look.Get(), key);
    }
    ComPtr<IHvColumn> column = strip.Column();
    REQUIRE(column->put_ValueList(name) == S_OK);
    VariantClear(&name);
    REQUIRE(column->put_Style(hvStyleDropDownList) == S_OK);
    {
        const GridPixels pixels = strip.Draw();
        CHECK(pixels.Count(kGreen) == 2 * 64);
        CHECK(pixels.Count(kBlue) == 64);
        CHECK(pixels.Count(kRed) == 0);
    }

    // The list of the first cell, dropped down, paints each entry's picture.
    OLE_HANDLE handle = 0;
    REQUIRE(control->get_hWnd(&handle) == S_OK);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    SetForegroundWindow(strip.grid.window.Hwnd());
    SetFocus(window);
    ComPtr<IHvCell> cell = CellOf(strip.Row(false).Get());
    REQUIRE(control->put_ActiveCell(cell.Get()) == S_OK);
    REQUIRE(cell->put_DroppedDown(VARIANT_TRUE) == S_OK);
    PumpUntil([] { return false; }, 200);
    HWND combo = FindCombo(window);
    REQUIRE(combo);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    REQUIRE(GetComboBoxInfo(combo, &info));
    REQUIRE(IsWindowVisible(info.hwndList));
    const Pixels pixels = PrintedClient(info.hwndList);
    CHECK(pixels.Count(kGreen) == 64);
    CHECK(pixels.Count(kBlue) == 64);
    cell->put_DroppedDown(VARIANT_FALSE);
}
