// Times the grid's collections at size, through their automation members
// as a script reaches them: Add, For Each (one item per Next, as a script
// host asks) and Save to a memory stream over 10,000 keyed appearances and
// 10,000 and 100,000 without keys; Add, Item by key and by index, For Each
// and Save over 10,000 and 100,000 keyed columns of a band; then a band of
// 1,000 and 10,000 columns sorted one by one
// (each Add goes through the proposal and its adoption), For Each and Save
// over its sort columns, and one more column taken into the full sort.
// Prints figures; asserts nothing.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <exception>
#include <string>

#include "CorpusSample.h"
#include "HvBands.h"
#include "HvCollectionImpl.h"
#include "HvLayout.h"
#include "Late.h"

using namespace corpus;

namespace {

class Clock {
public:
    Clock() { QueryPerformanceFrequency(&frequency_); Restart(); }
    void Restart() { QueryPerformanceCounter(&start_); }
    double Ms() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// Walks the collection as For Each does; the items seen.
long ForEach(IDispatch* collection)
{
    DISPPARAMS none = {};
    Var result;
    if (FAILED(collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                  &result.v, nullptr, nullptr)) ||
        V_VT(&result.v) != VT_UNKNOWN)
        return -1;
    IEnumVARIANT* items = nullptr;
    if (FAILED(V_UNKNOWN(&result.v)->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items))))
        return -1;
    long seen = 0;
    for (;;) {
        Var item;
        ULONG fetched = 0;
        if (items->Next(1, &item.v, &fetched) != S_OK || fetched != 1)
            break;
        ++seen;
    }
    items->Release();
    return seen;
}

// Saves the collection's own stream form; its size in bytes, or -1.
long long Save(IDispatch* collection)
{
    HvCollectionImpl* impl = nullptr;
    if (FAILED(collection->QueryInterface(IID_HvCollectionImpl, reinterpret_cast<void**>(&impl))) || !impl)
        return -1;
    IStream* stream = nullptr;
    long long size = -1;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        if (SUCCEEDED(impl->Save(stream, -1))) {
            STATSTG stat = {};
            if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)))
                size = static_cast<long long>(stat.cbSize.QuadPart);
        }
        stream->Release();
    }
    // The query's reference is the collection object's own.
    collection->Release();
    return size;
}

// A walk and a save of one collection, timed.
struct WalkAndSave {
    long seen = 0;
    double walkMs = 0;
    long long bytes = 0;
    double saveMs = 0;
};

WalkAndSave Measure(IDispatch* collection)
{
    WalkAndSave figures;
    Clock clock;
    figures.seen = ForEach(collection);
    figures.walkMs = clock.Ms();
    clock.Restart();
    figures.bytes = Save(collection);
    figures.saveMs = clock.Ms();
    return figures;
}

// Keyed items: each Add first tests its key against the collection's key index.
void Appearances(long count, bool keyed)
{
    GridObject grid;
    Disp appearances(GetObject(grid.LayoutDispatch(), L"Appearances"));
    Clock clock;
    for (long i = 0; i < count; ++i) {
        Var key;
        key.v = keyed ? Text(L"a" + std::to_wstring(i)) : Omitted();
        Disp made(CallObject(appearances.p, L"Add", {key.v}));
    }
    const double add = clock.Ms();
    const WalkAndSave m = Measure(appearances.p);
    std::printf("appearances %7ld %s: Add %9.1f ms, For Each %8.1f ms (%ld items), Save %8.1f ms (%lld bytes)\n", count,
                keyed ? "keyed  " : "no keys", add, m.walkMs, m.seen, m.saveMs, m.bytes);
}

// A band of its own, added to the grid's layout; null when it cannot be made.
IDispatch* NewBand(GridObject& grid, const wchar_t* name)
{
    IDispatch* made = nullptr;
    BSTR key = SysAllocString(name);
    const HRESULT hr = grid.Layout().Bands()->AddInternal(key, nullptr, &made, 0);
    SysFreeString(key);
    if (FAILED(hr))
        std::printf("%ls: no band (0x%08lx)\n", name, static_cast<unsigned long>(hr));
    return FAILED(hr) ? nullptr : made;
}

// Keyed columns: each Add tests its key against the band's columns, each
// Item by key finds one; then For Each and Save over them all.
void KeyedColumns(long count)
{
    GridObject grid;
    Disp band(NewBand(grid, L"Chaves"));
    if (!band.p)
        return;
    Disp columns(GetObject(band.p, L"Columns"));
    Clock clock;
    for (long i = 0; i < count; ++i) {
        Var key;
        key.v = Text(L"k" + std::to_wstring(i));
        Disp column(CallObject(columns.p, L"Add", {key.v}));
    }
    const double add = clock.Ms();
    clock.Restart();
    for (long i = count - 1; i >= 0; i -= 1) {
        Var key;
        key.v = Text(L"K" + std::to_wstring(i));
        Disp column(CallObject(columns.p, L"Item", {key.v}));
    }
    const double byKey = clock.Ms();
    clock.Restart();
    for (long i = 0; i < count; ++i) {
        Var index;
        index.v = Long(i);
        Disp column(CallObject(columns.p, L"Item", {index.v}));
        Var position;
        TryGet(column.p, L"Index", &position.v);
    }
    const double byIndex = clock.Ms();
    const WalkAndSave m = Measure(columns.p);
    std::printf("columns %7ld keyed: Add %9.1f ms, Item by key %8.1f ms, Item and Index %8.1f ms, For Each %8.1f ms "
                "(%ld items), Save %8.1f ms (%lld bytes)\n",
                count, add, byKey, byIndex, m.walkMs, m.seen, m.saveMs, m.bytes);
}

void SortedColumns(long count)
{
    GridObject grid;
    Disp band(NewBand(grid, L"Larga"));
    if (!band.p)
        return;
    Disp columns(GetObject(band.p, L"Columns"));
    for (long i = 0; i <= count; ++i) {
        Var name;
        name.v = Text(L"c" + std::to_wstring(i));
        Disp column(CallObject(columns.p, L"Add", {name.v}));
    }
    Disp sorted(GetObject(band.p, L"SortedCols"));
    Clock clock;
    for (long i = 0; i < count; ++i) {
        Var index;
        index.v = Long(i);
        Disp column(CallObject(columns.p, L"Item", {index.v}));
        Call(sorted.p, L"Add", {Object(column.p)});
    }
    const double add = clock.Ms();
    clock.Restart();
    {
        Var index;
        index.v = Long(count);
        Disp column(CallObject(columns.p, L"Item", {index.v}));
        Call(sorted.p, L"Add", {Object(column.p)});
    }
    const double last = clock.Ms();
    const WalkAndSave m = Measure(sorted.p);
    std::printf("sort columns %6ld: Add one by one %9.1f ms (%.3f ms each), one more (membership) %7.2f ms, For Each %7.1f ms "
                "(%ld items), Save %7.1f ms (%lld bytes)\n",
                count, add, count ? add / count : 0.0, last, m.walkMs, m.seen, m.saveMs, m.bytes);
}

} // namespace

int main()
{
    if (FAILED(OleInitialize(nullptr)))
        return 3;
    // Each figure shows as soon as it is measured.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        Appearances(10000, true);
        Appearances(10000, false);
        Appearances(100000, false);
        KeyedColumns(10000);
        KeyedColumns(100000);
        SortedColumns(1000);
        SortedColumns(10000);
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
    }
    OleUninitialize();
    return 0;
}
