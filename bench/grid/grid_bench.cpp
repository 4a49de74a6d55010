// Prints how long the registered grid control takes, hosted in our container
// and bound to an in-memory recordset of 100,000 and of 1,000,000 rows (one
// text and seven numbers), to paint its first screen, to page down, to move
// to the last rows (Scroll 7, as Ctrl+End does) and to repaint one screen;
// and the same for a report-style list view (owner data, same columns, font
// and window size) fed from the same records. Each paint is drawn into a
// memory context. For the grid also the provider calls of each step and
// the heap it took per row it fetched; then the ratios that the goals
// name. Prints only; asserts nothing.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "Recordset.h"
#include "../support/Clock.h"
#include "../support/GridRegistration.h"

#include <Tavelle.h>
#include <windows.h>
#include <commctrl.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int Repeats = 10;

using hv::bench::Now;

// The bytes of every heap of the process handed out and not freed.
SIZE_T HeapBytesInUse()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    SIZE_T used = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                used += entry.cbData;
        HeapUnlock(heap);
    }
    return used;
}

bool Fill(Recordset& rs, int rows)
{
    if (FAILED(rs.AppendField(L"AMOSTRA", FieldType::WideString, 0, kFieldNullable)))
        return false;
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        rs.AppendField(name, FieldType::Double, 0, kFieldNullable);
    if (FAILED(rs.Open()) || FAILED(rs.Reserve(static_cast<size_t>(rows))))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < rows; ++i) {
        rs.AddNew();
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"A" + std::to_wstring(i)).c_str());
        rs.SetValue(0L, v);
        VariantClear(&v);
        for (long f = 1; f <= 7; ++f)
            rs.SetNumber(f, 800.0 + i * 0.001 + f);
    }
    return SUCCEEDED(rs.Update());
}

// A memory context over a screen-compatible bitmap.
class Surface {
public:
    Surface()
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, Width, Height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

struct Figures {
    double firstPaint = 0;
    double pageDown = 0;
    double toEnd = 0;
    double repaint = 0;
    // The grid's only: provider calls per step (page down: per page), rows
    // fetched in all, and heap bytes grown over the steps.
    long firstPaintCalls = 0;
    long pageDownCalls = 0;
    long toEndCalls = 0;
    long repaintCalls = 0;
    long rowsFetched = 0;
    double bytesGrown = 0;
};

bool MeasureGrid(Recordset& rs, Figures& out)
{
    hv::container::ContainerWindow window(Width + 20, Height + 20);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, Width, Height});
    if (FAILED(host.Create(CLSID_HvTavelle)) || FAILED(host.Activate()))
        return false;
    ComPtr<IHvTavelleControl> control = host.Query<IHvTavelleControl>();
    ComPtr<IViewObject> view = host.Query<IViewObject>();
    ComPtr<IUnknown> source;
    if (!control || !view || FAILED(rs.GetDataSource(&source)))
        return false;
    Surface surface;
    RECTL bounds{0, 0, Width, Height};
    auto paint = [&] {
        view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, surface.Dc(), &bounds, nullptr, nullptr, 0);
    };
    TestSwitches& switches = rs.GetTable()->Switches();
    const long fetchedBefore = switches.RowsFetched();
    const SIZE_T bytesBefore = HeapBytesInUse();
    long calls = switches.TotalCalls();
    auto callsSince = [&] {
        const long now = switches.TotalCalls();
        const long made = now - calls;
        calls = now;
        return made;
    };

    double start = Now();
    if (FAILED(control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get()))))
        return false;
    paint();
    out.firstPaint = Now() - start;
    out.firstPaintCalls = callsSince();

    ComPtr<IHvLayout> layout;
    ComPtr<IHvRowScrollRegions> regions;
    ComPtr<IHvRowScrollRegion> region;
    control->get_Layout(&layout);
    if (!layout || FAILED(layout->get_RowScrollRegions(&regions)) || FAILED(regions->get_Item(0, &region)))
        return false;
    start = Now();
    for (int i = 0; i < Repeats; ++i) {
        region->Scroll(hvRowScrollActionPageDown);
        paint();
    }
    out.pageDown = (Now() - start) / Repeats;
    out.pageDownCalls = callsSince() / Repeats;

    start = Now();
    region->Scroll(hvRowScrollActionBottom);
    paint();
    out.toEnd = Now() - start;
    out.toEndCalls = callsSince();

    start = Now();
    for (int i = 0; i < Repeats; ++i)
        paint();
    out.repaint = (Now() - start) / Repeats;
    out.repaintCalls = callsSince() / Repeats;
    out.rowsFetched = switches.RowsFetched() - fetchedBefore;
    const SIZE_T bytesAfter = HeapBytesInUse();
    out.bytesGrown = bytesAfter > bytesBefore ? static_cast<double>(bytesAfter - bytesBefore) : 0.0;
    return true;
}

// The list view's rows come from the records' storage, converted to text
// as the list asks for them.
struct ListSource {
    Recordset* rs;
    wchar_t text[64];
};

LRESULT CALLBACK ListParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == LVN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            auto* source = reinterpret_cast<ListSource*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (source && (info->item.mask & LVIF_TEXT)) {
                const auto& table = source->rs->GetTable();
                const size_t field = static_cast<size_t>(info->item.iSubItem);
                VARIANT value;
                VariantInit(&value);
                table->GetCell(table->SlotAt(static_cast<size_t>(info->item.iItem)), field)
                    .ToVariant(table->FieldAt(field).Type(), &value);
                VariantChangeType(&value, &value, 0, VT_BSTR);
                lstrcpynW(source->text, value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"", 64);
                VariantClear(&value);
                info->item.pszText = source->text;
            }
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool MeasureList(Recordset& rs, int rows, Figures& out)
{
    WNDCLASSW kind{};
    kind.lpfnWndProc = ListParent;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.lpszClassName = L"HvGridBenchListParent";
    RegisterClassW(&kind);
    ListSource source{&rs, {}};
    HWND parent = CreateWindowW(kind.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, Width + 20, Height + 40, nullptr,
                                nullptr, kind.hInstance, nullptr);
    if (!parent)
        return false;
    SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&source));
    Surface surface;
    const double start = Now();
    HWND list = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, Width,
                              Height, parent, nullptr, kind.hInstance, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    const auto& table = rs.GetTable();
    for (size_t f = 0; f < table->FieldCount(); ++f) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 90;
        std::wstring name = table->FieldAt(f).Name();
        column.pszText = name.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, f, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
    auto paint = [&] { SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT); };
    paint();
    out.firstPaint = Now() - start;

    double at = Now();
    for (int i = 0; i < Repeats; ++i) {
        SendMessageW(list, WM_KEYDOWN, VK_NEXT, 0);
        paint();
    }
    out.pageDown = (Now() - at) / Repeats;
    at = Now();
    SendMessageW(list, WM_KEYDOWN, VK_END, 0);
    paint();
    out.toEnd = Now() - at;
    at = Now();
    for (int i = 0; i < Repeats; ++i)
        paint();
    out.repaint = (Now() - at) / Repeats;
    DestroyWindow(parent);
    return true;
}

void Print(const char* what, int rows, const Figures& f)
{
    std::printf("%-10s %9d rows: first paint %8.2f ms, page down %7.2f ms, to the end %8.2f ms, repaint %7.2f ms\n",
                what, rows, f.firstPaint, f.pageDown, f.toEnd, f.repaint);
}

} // namespace

int main()
{
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!hv::bench::RegisterGrid()) {
        std::printf("could not register %s\n", HV_TAVELLE_OCX);
        return 1;
    }
    Figures grid[2];
    Figures list[2];
    const int counts[2] = {100000, 1000000};
    for (int i = 0; i < 2; ++i) {
        Recordset rs;
        if (!Fill(rs, counts[i])) {
            std::printf("%d rows: could not build the recordset\n", counts[i]);
            return 1;
        }
        if (!MeasureGrid(rs, grid[i]))
            std::printf("grid %d rows: could not host the control\n", counts[i]);
        Print("grid", counts[i], grid[i]);
        const Figures& g = grid[i];
        std::printf("           provider calls: first paint %ld, a page down %ld, to the end %ld, a repaint %ld\n",
                    g.firstPaintCalls, g.pageDownCalls, g.toEndCalls, g.repaintCalls);
        std::printf("           rows fetched %ld, heap bytes grown %.0f: %.1f bytes per fetched row "
                    "(goal <= 200 plus values)\n",
                    g.rowsFetched, g.bytesGrown, g.rowsFetched > 0 ? g.bytesGrown / g.rowsFetched : 0.0);
        if (!MeasureList(rs, counts[i], list[i]))
            std::printf("list view %d rows: could not be made\n", counts[i]);
        Print("list view", counts[i], list[i]);
    }
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("grid 1M/100k: first paint %.2f, to the end %.2f (goal <= 1.2)\n",
                ratio(grid[1].firstPaint, grid[0].firstPaint), ratio(grid[1].toEnd, grid[0].toEnd));
    for (int i = 0; i < 2; ++i)
        std::printf("grid/list view at %d rows: first paint %.2f, page down %.2f, to the end %.2f, repaint %.2f (goal <= 2)\n",
                    counts[i], ratio(grid[i].firstPaint, list[i].firstPaint), ratio(grid[i].pageDown, list[i].pageDown),
                    ratio(grid[i].toEnd, list[i].toEnd), ratio(grid[i].repaint, list[i].repaint));
    OleUninitialize();
    return 0;
}
