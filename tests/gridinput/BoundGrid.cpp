// The registered grid bound to an in-memory recordset for the input tests.
#include "BoundGrid.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;
using hv::recordset::FieldType;

namespace {

VARIANT Number(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

std::wstring KeyOf(IHvColumn* column)
{
    BSTR key = nullptr;
    std::wstring text;
    if (column && SUCCEEDED(column->get_Key(&key)) && key)
        text = key;
    SysFreeString(key);
    return text;
}

std::wstring KeyOf(IHvCell* cell)
{
    ComPtr<IHvColumn> column;
    if (cell)
        cell->get_Column(&column);
    return KeyOf(column.Get());
}

} // namespace

void BoundGrid::FillRecords(hv::recordset::Recordset& records, int rows)
{
    REQUIRE(records.AppendField(L"ID", FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records.AppendField(L"Name", FieldType::WideString, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records.AppendField(L"Qty", FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records.Open() == S_OK);
    for (int i = 1; i <= rows; ++i) {
        REQUIRE(records.AddNew() == S_OK);
        REQUIRE(records.SetValue(L"ID", Number(i)) == S_OK);
        VARIANT name;
        VariantInit(&name);
        name.vt = VT_BSTR;
        name.bstrVal = SysAllocString((L"n" + std::to_wstring(i)).c_str());
        REQUIRE(records.SetValue(L"Name", name) == S_OK);
        VariantClear(&name);
        REQUIRE(records.SetValue(L"Qty", Number(i * 10)) == S_OK);
        REQUIRE(records.Update() == S_OK);
    }
}

BoundGrid::BoundGrid(int rows, int width, int height) : grid_(width, height)
{
    FillRecords(records_, rows);
    IUnknown* source = nullptr;
    REQUIRE(records_.GetDataSource(&source) == S_OK);
    const HRESULT bound = Control()->putref_DataSource(reinterpret_cast<DataSource*>(source));
    source->Release();
    REQUIRE(bound == S_OK);
    ShowWindow(GetParent(Window()), SW_SHOW);
    UpdateWindow(Window());
    Pump();
    SetFocus(Window());
    Pump();
}

BoundGrid::~BoundGrid()
{
    SetModifiers(false, false, false);
    if (Control())
        Control()->putref_DataSource(nullptr);
}

ComPtr<IHvBand> BoundGrid::Band0() const
{
    ComPtr<IHvBands> bands;
    REQUIRE(grid_.Layout()->get_Bands(&bands) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 0;
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(index, &band) == S_OK);
    return band;
}

ComPtr<IHvOverride> BoundGrid::Override0() const
{
    ComPtr<IHvOverride> override;
    REQUIRE(Band0()->get_Override(&override) == S_OK);
    return override;
}

ComPtr<IHvColumn> BoundGrid::Column(const wchar_t* key) const
{
    ComPtr<IHvColumns> columns;
    REQUIRE(Band0()->get_Columns(&columns) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_BSTR;
    index.bstrVal = SysAllocString(key);
    ComPtr<IHvColumn> column;
    columns->get_Item(index, &column);
    VariantClear(&index);
    REQUIRE(column);
    return column;
}

std::vector<long> BoundGrid::ShownRowIds() const
{
    std::vector<long> ids;
    for (const auto& element : grid_.OfType(5000)) {
        ComPtr<IHvRow> row;
        element->get_Row(&row);
        ids.push_back(IdOf(row.Get()));
    }
    return ids;
}

long BoundGrid::IdOf(IHvRow* row)
{
    if (!row)
        return 0;
    ComPtr<IHvCells> cells;
    if (FAILED(row->get_Cells(&cells)) || !cells)
        return 0;
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_BSTR;
    index.bstrVal = SysAllocString(L"ID");
    ComPtr<IHvCell> cell;
    cells->get_Item(index, &cell);
    VariantClear(&index);
    VARIANT value;
    VariantInit(&value);
    if (!cell || FAILED(cell->get_Value(&value)))
        return 0;
    long id = 0;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        id = value.lVal;
    VariantClear(&value);
    return id;
}

long BoundGrid::ActiveRowId() const
{
    ComPtr<IHvRow> row;
    Control()->get_ActiveRow(&row);
    return IdOf(row.Get());
}

long BoundGrid::ActiveCellRowId() const
{
    ComPtr<IHvCell> cell;
    Control()->get_ActiveCell(&cell);
    ComPtr<IHvRow> row;
    if (cell)
        cell->get_Row(&row);
    return IdOf(row.Get());
}

std::wstring BoundGrid::ActiveCellKey() const
{
    ComPtr<IHvCell> cell;
    Control()->get_ActiveCell(&cell);
    return KeyOf(cell.Get());
}

std::vector<long> BoundGrid::SelectedRowIds() const
{
    std::vector<long> ids;
    ComPtr<IHvSelected> selected;
    REQUIRE(Control()->get_Selected(&selected) == S_OK);
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(selected->get_Rows(&rows) == S_OK);
    long count = 0;
    rows->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvRow> row;
        rows->get_Item(i, &row);
        ids.push_back(IdOf(row.Get()));
    }
    return ids;
}

int BoundGrid::SelectedCellCount() const
{
    ComPtr<IHvSelected> selected;
    REQUIRE(Control()->get_Selected(&selected) == S_OK);
    ComPtr<IHvSelectedCells> cells;
    REQUIRE(selected->get_Cells(&cells) == S_OK);
    long count = 0;
    cells->get_Count(&count);
    return static_cast<int>(count);
}

ComPtr<IHvRow> BoundGrid::RowOf(long id) const
{
    for (const auto& element : grid_.OfType(5000)) {
        ComPtr<IHvRow> row;
        element->get_Row(&row);
        if (IdOf(row.Get()) == id)
            return row;
    }
    return nullptr;
}

RECT BoundGrid::CellRect(long id, const wchar_t* key) const
{
    for (const auto& element : grid_.OfType(6000)) {
        ComPtr<IHvCell> cell;
        element->get_Cell(&cell);
        ComPtr<IHvRow> row;
        if (cell)
            cell->get_Row(&row);
        if (IdOf(row.Get()) == id && KeyOf(cell.Get()) == key)
            return RectOf(element.Get());
    }
    return RECT{};
}

RECT BoundGrid::SelectorRect(long id) const
{
    for (const auto& element : grid_.OfType(5300)) {
        ComPtr<IHvRow> row;
        element->get_Row(&row);
        if (IdOf(row.Get()) == id)
            return RectOf(element.Get());
    }
    return RECT{};
}

RECT BoundGrid::HeaderRect(const wchar_t* key) const
{
    for (const auto& element : grid_.OfType(4000)) {
        ComPtr<IHvHeader> header;
        element->get_Header(&header);
        ComPtr<IHvColumn> column;
        if (header)
            header->get_Column(&column);
        if (KeyOf(column.Get()) == key)
            return RectOf(element.Get());
    }
    return RECT{};
}

void BoundGrid::SetModifiers(bool shift, bool ctrl, bool button) const
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    keys[VK_LBUTTON] = button ? 0x80 : 0;
    SetKeyboardState(keys);
}

static WPARAM MouseKeys(bool shift, bool ctrl, bool button)
{
    return (shift ? MK_SHIFT : 0) | (ctrl ? MK_CONTROL : 0) | (button ? MK_LBUTTON : 0);
}

void BoundGrid::Press(POINT at, bool shift, bool ctrl)
{
    SetModifiers(shift, ctrl, true);
    SendMessageW(Window(), WM_MOUSEMOVE, MouseKeys(shift, ctrl, false), MAKELPARAM(at.x, at.y));
    SendMessageW(Window(), WM_LBUTTONDOWN, MouseKeys(shift, ctrl, true), MAKELPARAM(at.x, at.y));
    Pump();
}

void BoundGrid::MoveTo(POINT at)
{
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Pump();
}

void BoundGrid::Release(POINT at)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const bool shift = keys[VK_SHIFT] & 0x80;
    const bool ctrl = keys[VK_CONTROL] & 0x80;
    SetModifiers(shift, ctrl, false);
    SendMessageW(Window(), WM_LBUTTONUP, MouseKeys(shift, ctrl, false), MAKELPARAM(at.x, at.y));
    SetModifiers(false, false, false);
    Pump();
}

void BoundGrid::Click(POINT at, bool shift, bool ctrl)
{
    Press(at, shift, ctrl);
    Release(at);
}

void BoundGrid::DoubleClick(POINT at, bool shift, bool ctrl)
{
    Click(at, shift, ctrl);
    SetModifiers(shift, ctrl, true);
    SendMessageW(Window(), WM_LBUTTONDBLCLK, MouseKeys(shift, ctrl, true), MAKELPARAM(at.x, at.y));
    Pump();
    SetModifiers(shift, ctrl, true);
    Release(at);
}

void BoundGrid::ClickCell(long id, const wchar_t* key, bool shift, bool ctrl)
{
    const RECT rect = CellRect(id, key);
    REQUIRE(!IsRectEmpty(&rect));
    Click(Middle(rect), shift, ctrl);
}

bool BoundGrid::Translate(UINT key, bool shift, bool ctrl)
{
    SetModifiers(shift, ctrl, false);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG message{Window(), WM_KEYDOWN, key, 1, 0, {}};
    ComPtr<IOleInPlaceActiveObject> active = grid_.Host().Query<IOleInPlaceActiveObject>();
    const bool taken = active && active->TranslateAcceleratorW(&message) == S_OK;
    keys[key] = 0;
    SetKeyboardState(keys);
    SetModifiers(false, false, false);
    Pump();
    return taken;
}

bool BoundGrid::Key(UINT key, bool shift, bool ctrl)
{
    SetModifiers(shift, ctrl, false);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG message{Window(), WM_KEYDOWN, key, 1, 0, {}};
    // The container gives the control its chance to pre-translate first.
    ComPtr<IOleInPlaceActiveObject> active = grid_.Host().Query<IOleInPlaceActiveObject>();
    const bool taken = active && active->TranslateAcceleratorW(&message) == S_OK;
    if (!taken)
        SendMessageW(Window(), WM_KEYDOWN, key, 1);
    keys[key] = 0;
    SetKeyboardState(keys);
    SendMessageW(Window(), WM_KEYUP, key, 0xC0000001);
    SetModifiers(false, false, false);
    Pump();
    return taken;
}

void BoundGrid::Pump() const
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
}

POINT Middle(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
