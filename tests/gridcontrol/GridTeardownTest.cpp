// Objects a client keeps from a bound grid after the grid (and its layout)
// have gone: every member of each, called from its type information,
// answers that the object is no longer active, while objects that stand on
// their own (a clone of the layout, the images, a rectangle, a drag's data)
// answer; nothing crashes. Once more with the heap's free checks on for
// this program, where a freed block reads as filler.
#include "GridBindingFixture.h"
#include "MemberSweep.h"
#include "ObjectPaths.h"

#include <memory>
#include <string_view>

using namespace bindtest;

namespace {

constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr DISPID kOLEStartDrag = 1550;

struct Kept {
    std::wstring path;
    ComPtr<IDispatch> object;
    bool standsAlone;   // answers without the grid
};

// The paths, from the control, of one object of every kind a client
// reaches: the grid's own, then those that stand alone.
const wchar_t* const kGridObjects[] = {
    L"Layout.Appearances",
    L"Layout.Appearances.Item(\"Stripe\")",
    L"Layout.Appearance",
    L"Layout.Override",
    L"Layout.Overrides",
    L"Layout.Overrides.Item(0)",
    L"Layout.ValueLists",
    L"Layout.ValueLists.Item(0)",
    L"Layout.ValueLists.Item(0).ValueListItems",
    L"Layout.ValueLists.Item(0).ValueListItems.Item(0)",
    L"Layout.ColScrollRegions",
    L"Layout.ColScrollRegions.Item(0)",
    L"Layout.ColScrollRegions.Item(0).VisibleHeaders",
    L"Layout.RowScrollRegions",
    L"Layout.RowScrollRegions.Item(0)",
    L"Layout.RowScrollRegions.Item(0).VisibleRows",
    L"Layout.RowScrollRegions.Item(0).VisibleRows.Item(0)",
    L"Layout.AddNewBox",
    L"Layout.Bands",
    L"Layout.Bands.Item(0)",
    L"Layout.Bands.Item(0).Columns",
    L"Layout.Bands.Item(0).Columns.Item(0)",
    L"Layout.Bands.Item(0).Columns.Item(0).Header",
    L"Layout.Bands.Item(0).Columns.Item(0).CellAppearance",
    L"Layout.Bands.Item(0).Override",
    L"Layout.Bands.Item(0).Groups",
    L"Layout.Bands.Item(0).Groups.Item(0)",
    L"Layout.Bands.Item(0).Groups.Item(0).Header",
    L"Layout.Bands.Item(0).Groups.Item(0).Columns",
    L"Layout.Bands.Item(0).Groups.Item(0).Columns.Item(0)",
    L"Layout.Bands.Item(0).SortedCols",
    L"Layout.Bands.Item(0).SortedCols.Item(0)",
    L"GetRow(0)",
    L"GetRow(0).Cells",
    L"GetRow(0).Cells.Item(0)",
    L"Selected",
    L"Selected.Rows",
    L"Selected.Columns",
    L"Selected.Cells",
    L"GetUIElement",
    L"GetUIElement.UIElements",
    L"GetUIElement.UIElements.Item(0)",
};
// Each selection collection's item, kept while it is selected: one kind of
// selection may end another.
const wchar_t* const kSelectedObjects[][2] = {
    {L"GetRow(0)", L"Selected.Rows.Item(0)"},
    {L"Layout.Bands.Item(0).Columns.Item(1)", L"Selected.Columns.Item(0)"},
    {L"GetRow(1).Cells.Item(2)", L"Selected.Cells.Item(0)"},
};
const wchar_t* const kStandAlone[] = {
    L"GetUIElement.Rect",
    L"Images",
    L"Images.Item(1)",
};
// The clone itself last: its Reset and Load empty its collections.
const wchar_t* const kCloneObjects[] = {
    L"Appearances",
    L"Appearances.Item(\"Stripe\")",
    L"Appearance",
    L"Override",
    L"Overrides.Item(0)",
    L"ValueLists.Item(0).ValueListItems.Item(0)",
    L"Bands",
    L"",
};

// A bound grid with one object of every kind made, and the objects kept;
// with keepLayout the layout itself is kept as well.
std::vector<Kept> KeepObjects(Recordset& rs, bool keepLayout)
{
    std::vector<Kept> kept;
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IDispatch> control;
    REQUIRE(grid.control.As(&control) == S_OK);
    ComPtr<IDispatch> layout = ObjectAt(control.Get(), L"Layout");
    Eval(layout.Get(), L"Appearances.Add(\"Stripe\")");
    Put(ObjectAt(layout.Get(), L"Appearance").Get(), L"ForeColor", Var(128L));
    Eval(layout.Get(), L"Overrides.Add(\"Narrow\")");
    Eval(layout.Get(), L"ValueLists.Add(\"Units\").ValueListItems.Add(7,\"seven\")");
    Eval(layout.Get(), L"Bands.Item(0).Groups.Add(\"G\")");
    Eval(layout.Get(), L"Bands.Item(0).Groups.Item(0).Columns.Add(\"ME\")");
    {
        ComPtr<IDispatch> sorted = ObjectAt(layout.Get(), L"Bands.Item(0).SortedCols");
        ComPtr<IDispatch> grau = ObjectAt(layout.Get(), L"Bands.Item(0).Columns.Item(\"GRAU\")");
        VARIANT column;
        VariantInit(&column);
        column.vt = VT_DISPATCH;
        column.pdispVal = grau.Get();
        std::vector<VARIANT> args = {column};
        REQUIRE(CallByName(sorted.Get(), L"Add", DISPATCH_METHOD, args, nullptr) == S_OK);
    }
    Eval(control.Get(), L"Images.Add(1,\"Frasco\")");
    Put(layout.Get(), L"Caption", Var(L"Amostras"));
    UpdateWindow(grid.window.Hwnd());

    for (const wchar_t* path : kGridObjects)
        kept.push_back({path, ObjectAt(control.Get(), path), false});
    for (const auto& [selectable, item] : kSelectedObjects) {
        Put(ObjectAt(control.Get(), selectable).Get(), L"Selected", Var(-1L));
        kept.push_back({item, ObjectAt(control.Get(), item), false});
    }
    for (const wchar_t* path : kStandAlone)
        kept.push_back({path, ObjectAt(control.Get(), path), true});
    ComPtr<IDispatch> clone = ObjectAt(layout.Get(), L"Clone");
    for (const wchar_t* path : kCloneObjects)
        kept.push_back({std::wstring(L"Clone.") + path, *path ? ObjectAt(clone.Get(), path) : clone, true});

    // The data of a drag the grid started, kept by the OLEStartDrag handler:
    // with no effect allowed the drag ends before the drag loop.
    ComPtr<IDispatch> data;
    ComPtr<IDispatch> files;
    grid.host.Events().On(kOLEStartDrag, [&](const hv::container::EventCall& e) {
        data = e.Object(0);
        files = ObjectAt(data.Get(), L"Files");
    });
    REQUIRE(grid.control->OLEDrag() == S_OK);
    REQUIRE(data);
    REQUIRE(files);
    kept.push_back({L"OLEStartDrag Data", data, true});
    kept.push_back({L"OLEStartDrag Data.Files", files, true});

    if (keepLayout)
        kept.push_back({L"Layout", layout, false});
    return kept;
}

// GlobalFlag 0x70 among this program's image options (heap tail, free and
// parameter checks) for as long as the object lives: programs of this name
// started meanwhile run with the heap's checks on.
class HeapChecks {
public:
    HeapChecks()
    {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        const wchar_t* name = wcsrchr(path, L'\\');
        const std::wstring key =
            std::wstring(L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\") +
            (name ? name + 1 : path);
        const DWORD flags = 0x70;
        on_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                              nullptr) == ERROR_SUCCESS &&
              RegSetValueExW(key_, L"GlobalFlag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags),
                             sizeof flags) == ERROR_SUCCESS;
    }
    ~HeapChecks()
    {
        if (key_) {
            RegDeleteValueW(key_, L"GlobalFlag");
            RegCloseKey(key_);
        }
    }
    HeapChecks(const HeapChecks&) = delete;
    HeapChecks& operator=(const HeapChecks&) = delete;
    bool On() const { return on_; }

private:
    HKEY key_ = nullptr;
    bool on_ = false;
};

constexpr const wchar_t* kHeapCheckedRun = L"HV_HEAP_CHECKED";

bool HeapCheckedRun()
{
    return GetEnvironmentVariableW(kHeapCheckedRun, nullptr, 0) > 0;
}

// Runs this program again on the test cases that match the filter, with
// the heap's checks on; its exit code, or -1.
long RunHeapChecked(const wchar_t* filter)
{
    HeapChecks checks;
    REQUIRE(checks.On());
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(path) + L"\" \"--test-case=" + filter + L"\"";
    SetEnvironmentVariableW(kHeapCheckedRun, L"1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessW(path, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(kHeapCheckedRun, nullptr);
    REQUIRE(started);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 180000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// Whether this process's heaps fill a freed block: a block of a heap of its
// own is freed and read again (the heap keeps the page).
bool FreedBlocksFilled()
{
    HANDLE heap = HeapCreate(0, 0, 0);
    auto* block = static_cast<unsigned char*>(HeapAlloc(heap, 0, 256));
    memset(block, 0x11, 256);
    HeapFree(heap, 0, block);
    const volatile unsigned char* freed = block;
    const bool filled = freed[128] == 0xEE && freed[129] == 0xFE;
    HeapDestroy(heap);
    return filled;
}

using membersweep::Answer;

bool EndsWith(const std::wstring& text, std::wstring_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What a member of an object of the gone grid may answer: that the object
// is no longer active; a property read answers from what the object holds
// (an appearance reads unset, an override and a value list their stored
// values); a collection counts, enumerates, finds, removes and clears in
// its own storage; a put of the value already held changes nothing, and a
// missing argument is refused before anything else. The members every
// object of the library shares (its pointer, TagVariant, IsSameAs) and
// IsReadOnly answer not active, whatever they are passed.
bool AnswersAsDead(const Answer& answer)
{
    static const std::wstring_view kStorage[] = {L"_NewEnum get", L"Count get", L"Item get", L"Remove", L"Clear"};
    static const std::wstring_view kShared[] = {L"_GetObjectPointer", L"TagVariant get", L"TagVariant put",
                                                L"TagVariant putref", L"IsSameAs", L"IsReadOnly"};
    if (answer.result == kNotActive)
        return true;
    for (std::wstring_view member : kShared)
        if (answer.member == member)
            return false;
    if (answer.result == E_INVALIDARG || answer.result == E_POINTER)
        return true;
    if (EndsWith(answer.member, L" get"))
        return true;
    for (std::wstring_view member : kStorage)
        if (answer.member == member)
            return true;
    return answer.result == S_OK && EndsWith(answer.member, L" put");
}

// What a member of an object that stands alone may answer: anything but
// that it is no longer active, save CopyFrom of Nothing, a source that is
// not an active layout.
bool AnswersAlone(const Answer& answer)
{
    return answer.result != kNotActive || answer.member == L"CopyFrom";
}

} // namespace

TEST_CASE("objects kept from a bound grid that has gone: the grid's answer not active, the others answer")
{
    bool keepLayout = false;
    SUBCASE("the layout let go too") {}
    SUBCASE("the layout kept") { keepLayout = true; }
    if (HeapCheckedRun())
        CHECK(FreedBlocksFilled());
    Recordset rs;
    MakeAnalyses(rs, 3);
    std::vector<Kept> kept = KeepObjects(rs, keepLayout);
    for (const Kept& object : kept) {
        for (membersweep::Optional optional : {membersweep::Optional::Missing, membersweep::Optional::Empty}) {
            const std::string label =
                Narrow(object.path) + (optional == membersweep::Optional::Missing ? " (left out)" : " (Empty)");
            INFO(label);
            const std::vector<membersweep::Answer> answers = membersweep::Sweep(object.object.Get(), optional);
            CHECK(!answers.empty());
            if (object.standsAlone)
                CHECK(membersweep::Unexpected(answers, AnswersAlone) == "");
            else
                CHECK(membersweep::Unexpected(answers, AnswersAsDead) == "");
        }
    }
}

TEST_CASE("the kept objects again with the heap's free checks on for this program")
{
    if (HeapCheckedRun())
        return;
    CHECK_FALSE(FreedBlocksFilled());
    CHECK(RunHeapChecked(L"objects kept from a bound grid*") == 0);
}
