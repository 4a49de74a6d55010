// The editing tests' fixture.
#include "EditGrid.h"

#include <memory>

namespace gridedit {

using hv::recordset::FieldType;

DATE DayOf(WORD year, WORD month, WORD day)
{
    SYSTEMTIME time{};
    time.wYear = year, time.wMonth = month, time.wDay = day;
    DATE date = 0;
    REQUIRE(SystemTimeToVariantTime(&time, &date));
    return date;
}

Var DateVar(DATE date)
{
    Var value;
    value.v.vt = VT_DATE;
    value.v.date = date;
    return value;
}

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

BoxAnswerer::BoxAnswerer()
{
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
}

BoxAnswerer::~BoxAnswerer()
{
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK BoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && current_) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = L"";
        GetClassNameW(box, className, 32);
        if (std::wstring(className) == L"#32770") {
            wchar_t text[1024] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 1024);
            current_->texts_.push_back(text);
            PostMessageW(box, WM_COMMAND, current_->answer_, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

// day 0 leaves the Day field null.
void AddRecord(hv::recordset::Recordset& rs, double id, const wchar_t* name, double qty, const wchar_t* kind,
               DATE day)
{
    REQUIRE(rs.AddNew() == S_OK);
    REQUIRE(rs.SetValue(L"ID", Var(id).v) == S_OK);
    REQUIRE(rs.SetValue(L"Name", Var(name).v) == S_OK);
    REQUIRE(rs.SetValue(L"Qty", Var(qty).v) == S_OK);
    REQUIRE(rs.SetValue(L"Kind", Var(kind).v) == S_OK);
    if (day != 0)
        REQUIRE(rs.SetValue(L"Day", DateVar(day).v) == S_OK);
    REQUIRE(rs.Update() == S_OK);
}

} // namespace

EditGrid::EditGrid() : window_(420, 300), host_(window_.Hwnd(), RECT{10, 10, 410, 290})
{
    REQUIRE(records_.AppendField(L"ID", FieldType::Double) == S_OK);
    REQUIRE(records_.AppendField(L"Name", FieldType::WideString, 10, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records_.AppendField(L"Qty", FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records_.AppendField(L"Kind", FieldType::WideString, 1, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records_.AppendField(L"Day", FieldType::DBDate, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records_.Open() == S_OK);
    AddRecord(records_, 1, L"Um", 10, L"A", DayOf(2026, 1, 15));
    AddRecord(records_, 2, L"Dois", 20, L"B", 0);
    AddRecord(records_, 3, L"Tres", 30, L"A", DayOf(2026, 3, 1));

    // Registered once per run of the suite.
    static const DWORD gridRegistered = RunRegsvr32On(WindowsPathOf(HV_TAVELLE_OCX), L"/s");
    static const DWORD maskRegistered = RunRegsvr32On(WindowsPathOf(HV_MASK_DLL), L"/s");
    REQUIRE(gridRegistered == 0);
    REQUIRE(maskRegistered == 0);
    REQUIRE(host_.Create(CLSID_HvTavelle) == S_OK);
    control_ = host_.Query<IHvTavelleControl>();
    REQUIRE(control_);
    ShowWindow(window_.Hwnd(), SW_SHOW);
    SetForegroundWindow(window_.Hwnd());
    REQUIRE(host_.Activate(OLEIVERB_UIACTIVATE) == S_OK);
    ComPtr<IOleWindow> oleWindow = host_.Query<IOleWindow>();
    REQUIRE(oleWindow->GetWindow(&grid_) == S_OK);
    ComPtr<IUnknown> source;
    REQUIRE(records_.GetDataSource(source.GetAddressOf()) == S_OK);
    REQUIRE(control_->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);
    // Each change reaches the record when the cell is left.
    REQUIRE(control_->put_UpdateMode(hvUpdateOnCellChange) == S_OK);
    SetFocus(grid_);
    Pump();
}

EditGrid::~EditGrid()
{
    rows_.clear();
    control_.Reset();
    host_.Close();
    Pump();
}

ComPtr<IHvColumn> EditGrid::Column(const wchar_t* key) const
{
    ComPtr<IHvBands> bands;
    REQUIRE(control_->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Var(0L).v, band.GetAddressOf()) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> column;
    REQUIRE(columns->get_Item(Var(key).v, column.GetAddressOf()) == S_OK);
    return column;
}

ComPtr<IHvRow> EditGrid::Row(int n) const
{
    ComPtr<IHvRow> row;
    REQUIRE(control_->GetRow(hvChildRowFirst, row.GetAddressOf()) == S_OK);
    for (int i = 1; i < n; ++i) {
        ComPtr<IHvRow> next;
        REQUIRE(row->GetSibling(hvSiblingRowNext, nullptr, next.GetAddressOf()) == S_OK);
        REQUIRE(next);
        row = next;
    }
    return row;
}

ComPtr<IHvCell> EditGrid::Cell(int row, const wchar_t* key) const
{
    // The row is kept while the test runs: a cell whose row was let go
    // does not outlive it yet.
    ComPtr<IHvRow> owner = Row(row);
    rows_.push_back(owner);
    ComPtr<IHvCells> cells;
    REQUIRE(owner->get_Cells(cells.GetAddressOf()) == S_OK);
    // Cells are found by their column's place in the band.
    short index = 0;
    REQUIRE(Column(key)->get_Index(&index) == S_OK);
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(Var(static_cast<long>(index)).v, cell.GetAddressOf()) == S_OK);
    return cell;
}

Var EditGrid::Stored(int record, const wchar_t* field)
{
    // Read through a clone: moving the grid's own recordset would move the
    // grid's active row with it.
    std::unique_ptr<hv::recordset::Recordset> reader;
    REQUIRE(records_.Clone(reader) == S_OK);
    REQUIRE(reader->MoveFirst() == S_OK);
    for (int i = 1; i < record; ++i)
        REQUIRE(reader->MoveNext() == S_OK);
    Var value;
    REQUIRE(reader->GetValue(field, &value.v) == S_OK);
    return value;
}

long EditGrid::RecordCount()
{
    std::unique_ptr<hv::recordset::Recordset> reader;
    REQUIRE(records_.Clone(reader) == S_OK);
    return reader->RecordCount();
}

HRESULT EditGrid::StoreFromOutside(int record, const wchar_t* field, const VARIANT& value)
{
    std::unique_ptr<hv::recordset::Recordset> writer;
    REQUIRE(records_.Clone(writer) == S_OK);
    REQUIRE(writer->MoveFirst() == S_OK);
    for (int i = 1; i < record; ++i)
        REQUIRE(writer->MoveNext() == S_OK);
    return writer->SetValue(field, value);
}

void EditGrid::GiveList(const wchar_t* column, const wchar_t* list,
                        const std::vector<std::pair<const wchar_t*, const wchar_t*>>& items, Constants_Style style)
{
    ComPtr<IHvValueLists> lists;
    REQUIRE(control_->get_ValueLists(lists.GetAddressOf()) == S_OK);
    ComPtr<IHvValueList> made;
    REQUIRE(lists->Add(Var(list).v, made.GetAddressOf()) == S_OK);
    ComPtr<IHvValueListItems> entries;
    REQUIRE(made->get_ValueListItems(entries.GetAddressOf()) == S_OK);
    for (const auto& [value, text] : items) {
        Var data(value);
        Var shown(text);
        Var missing;
        missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
        ComPtr<IHvValueListItem> entry;
        REQUIRE(entries->Add(&data.v, shown.v, missing.v, entry.GetAddressOf()) == S_OK);
    }
    ComPtr<IHvColumn> target = Column(column);
    REQUIRE(target->put_ValueList(Var(list).v) == S_OK);
    REQUIRE(target->put_Style(style) == S_OK);
}

bool EditGrid::EditThroughList(IHvCell* cell, bool closeList)
{
    SetFocus(grid_);
    const HRESULT activated = control_->put_ActiveCell(cell);
    CHECK(activated == S_OK);
    if (activated != S_OK)
        return false;
    ComPtr<IHvCell> active;
    control_->get_ActiveCell(active.GetAddressOf());
    CHECK(active.Get() != nullptr);
    CHECK(GetFocus() == grid_);
    Constants_Activation activation{};
    cell->get_Activation(&activation);
    CHECK(activation == hvActivationAllowEdit);
    const HRESULT dropped = cell->put_DroppedDown(VARIANT_TRUE);
    CHECK(dropped == S_OK);
    if (dropped != S_OK)
        return false;
    Pump();
    if (closeList)
        cell->put_DroppedDown(VARIANT_FALSE);
    Pump();
    return IsInEditMode();
}

bool EditGrid::IsInEditMode() const
{
    VARIANT_BOOL editing = VARIANT_FALSE;
    return control_->get_IsInEditMode(&editing) == S_OK && editing;
}

// A visible pop-up of the given class owned by the grid's top-level window
// (the editor's windows are pop-ups, so that they may pass the grid's edges).
HWND EditGrid::OwnedPopup(const wchar_t* className) const
{
    struct Search {
        HWND owner;
        const wchar_t* className;
        HWND found;
    } search{GetAncestor(grid_, GA_ROOT), className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t name[32] = L"";
            GetClassNameW(window, name, 32);
            if (GetWindow(window, GW_OWNER) == search->owner && lstrcmpiW(name, search->className) == 0 &&
                IsWindowVisible(window)) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND EditGrid::EditWindow() const
{
    return OwnedPopup(L"Edit");
}

void EditGrid::Type(const std::wstring& text) const
{
    HWND edit = EditWindow();
    REQUIRE(edit);
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
    Pump();
}

void EditGrid::PressKey(UINT key) const
{
    // As a container's message loop does: the active object sees each key
    // message first, then it is translated and dispatched.
    ComPtr<IOleInPlaceActiveObject> active = host_.Query<IOleInPlaceActiveObject>();
    HWND target = GetFocus();
    const MSG messages[] = {{target, WM_KEYDOWN, key, 1, GetTickCount(), {}},
                            {target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), GetTickCount(), {}}};
    BYTE keys[256] = {};
    for (MSG message : messages) {
        GetKeyboardState(keys);
        keys[key] = message.message == WM_KEYDOWN ? 0x80 : 0;
        SetKeyboardState(keys);
        if (active && active->TranslateAccelerator(&message) == S_OK)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Pump();
}

RECT EditGrid::CellRect(IHvCell* cell) const
{
    Var missing;
    missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
    Var missingToo;
    missingToo.v.vt = VT_ERROR, missingToo.v.scode = DISP_E_PARAMNOTFOUND;
    ComPtr<IHvUIElement> element;
    RECT rect{};
    ComPtr<IHvUIRect> place;
    if (SUCCEEDED(cell->GetUIElement(&missing.v, &missingToo.v, element.GetAddressOf())) && element &&
        SUCCEEDED(element->get_Rect(place.GetAddressOf())) && place) {
        place->get_Left(&rect.left);
        place->get_Top(&rect.top);
        place->get_Right(&rect.right);
        place->get_Bottom(&rect.bottom);
    }
    return rect;
}

void EditGrid::ClickCell(IHvCell* cell) const
{
    const RECT rect = CellRect(cell);
    REQUIRE(!IsRectEmpty(&rect));
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool EditGrid::ClickCellPart(IHvCell* cell, Constants_UIElement part, bool release) const
{
    Var missing;
    missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
    Var missingToo;
    missingToo.v.vt = VT_ERROR, missingToo.v.scode = DISP_E_PARAMNOTFOUND;
    ComPtr<IHvUIElement> element;
    if (FAILED(cell->GetUIElement(&missing.v, &missingToo.v, element.GetAddressOf())) || !element)
        return false;
    ComPtr<IHvUIElement> found = Descendant(element.Get(), part);
    if (!found)
        return false;
    const RECT rect = RectOf(found.Get());
    if (IsRectEmpty(&rect))
        return false;
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, release);
    return true;
}

void EditGrid::ClickAt(POINT point, bool release) const
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    POINT screen = point;
    ClientToScreen(grid_, &screen);
    SetCursorPos(screen.x, screen.y);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(grid_, WM_MOUSEMOVE, 0, at);
    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
    if (!release)
        return;
    keys[VK_LBUTTON] = 0;
    SetKeyboardState(keys);
    SendMessageW(grid_, WM_LBUTTONUP, 0, at);
    Pump();
}

HWND EditGrid::CalendarWindow() const
{
    return OwnedPopup(L"SysMonthCal32");
}

ComPtr<IHvUIElement> Descendant(IHvUIElement* element, Constants_UIElement wanted)
{
    ComPtr<IHvUIElements> children;
    long count = 0;
    if (element->get_UIElements(children.GetAddressOf()) != S_OK || !children || children->get_Count(&count) != S_OK)
        return nullptr;
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvUIElement> child;
        if (children->get_Item(Var(i).v, child.GetAddressOf()) != S_OK || !child)
            continue;
        Constants_UIElement type{};
        if (child->get_Type(&type) == S_OK && type == wanted)
            return child;
        if (ComPtr<IHvUIElement> found = Descendant(child.Get(), wanted))
            return found;
    }
    return nullptr;
}

RECT RectOf(IHvUIElement* element)
{
    RECT rect{};
    ComPtr<IHvUIRect> place;
    if (SUCCEEDED(element->get_Rect(place.GetAddressOf())) && place) {
        place->get_Left(&rect.left);
        place->get_Top(&rect.top);
        place->get_Right(&rect.right);
        place->get_Bottom(&rect.bottom);
    }
    return rect;
}

HWND EditGrid::ListWindow() const
{
    HWND found = nullptr;
    EnumChildWindows(
        grid_,
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t className[16] = L"";
            GetClassNameW(window, className, 16);
            if (lstrcmpiW(className, L"ComboBox") == 0) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring EditGrid::EditText() const
{
    HWND edit = EditWindow();
    if (!edit)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace gridedit
