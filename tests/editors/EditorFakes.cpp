// Stand-ins around the cell editor.
#include "EditorFakes.h"

#include "HvValueListItem.h"

namespace {

constexpr const wchar_t* GridClass = L"HvEditorTestGrid";

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* host = reinterpret_cast<FakeEditorHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    CellEditor* editor = host ? host->editor : nullptr;
    if (editor) {
        LRESULT result = 0;
        switch (message) {
        case CellEditor::LeaveEditMessage:
            editor->OnLeaveEditMessage();
            return 0;
        case WM_COMMAND:
            if (editor->OnGridCommand(wParam, lParam))
                return 0;
            break;
        case WM_NOTIFY:
            if (editor->OnGridNotify(reinterpret_cast<NMHDR*>(lParam)))
                return 0;
            break;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (editor->OnOwnerDraw(message, lParam, &result))
                return TRUE;
            break;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterGridClass()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = GridProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = GridClass;
    RegisterClassW(&wc);
}

} // namespace

HRESULT FakeEditColumn::ParseEditText(BSTR text, VARIANT* value)
{
    VariantInit(value);
    if (list) {
        IHvValueListItem* item = nullptr;
        if (SUCCEEDED(list->FindItemByText(text, &item)) && item) {
            const HRESULT hr = item->get_DataValue(value);
            item->Release();
            return hr;
        }
        if (style == hvStyleDropDownList || style == hvStyleDropDownValidate)
            return E_FAIL;
    }
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocString(text ? text : L"");
    return S_OK;
}

bool FakeEditColumn::LookupValueListItem(const VARIANT& value, BSTR* text)
{
    if (!list)
        return false;
    IHvValueListItem* item = nullptr;
    VARIANT criterion = value;
    if (FAILED(list->FindByDataValue(&criterion, &item)) || !item)
        return false;
    const HRESULT hr = item->get_DisplayText(text);
    item->Release();
    return SUCCEEDED(hr);
}

FakeEditorHost::FakeEditorHost()
{
    RegisterGridClass();
    grid = CreateWindowExW(0, GridClass, L"grid", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(grid, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetForegroundWindow(grid);
    SetFocus(grid);
}

FakeEditorHost::~FakeEditorHost()
{
    editor = nullptr;
    DestroyWindow(grid);
}

bool FakeEditorHost::Fire(const char* name)
{
    log.push_back(name);
    return cancel.count(name) != 0;
}

bool FakeEditorHost::GetCellTextRect(HvCell*, RECT* rect)
{
    *rect = {10, 20, 110, 40};
    return true;
}

bool FakeEditorHost::GetCellButtonRect(HvCell*, RECT* rect)
{
    *rect = {110, 20, 126, 40};
    return hasButton;
}

void FakeEditorHost::ReportDataError(HvCell*, HRESULT, const std::wstring& message, VARIANT*)
{
    log.push_back("DataError " + std::string(message.begin(), message.end()));
}

EditFixture::EditFixture()
{
    row.value.vt = VT_BSTR;
    row.value.bstrVal = SysAllocString(L"abc");
    VariantCopy(&row.original, &row.value);
    HvCell::Create(&row, &cellColumn, &cellGrid, &cell);
    editor = std::make_unique<CellEditor>(&host);
    host.editor = editor.get();
    host.active = cell;
}

EditFixture::~EditFixture()
{
    if (cell->IsInEditMode())
        editor->ExitEditMode(cell, true, true);
    host.editor = nullptr;
    editor.reset();
    host.active = nullptr;
    cell->Detach();
    cell->Release();
}

void EditFixture::SetValue(const VARIANT& value)
{
    VARIANT copy = value;
    VariantCopy(&row.value, &copy);
    VariantCopy(&row.original, &copy);
}

void EditFixture::SetText(const wchar_t* text)
{
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    SetValue(value);
    VariantClear(&value);
}

void EditFixture::Type(const std::wstring& text)
{
    HWND edit = editor->Edit().Handle();
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
}

void EditFixture::Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring EditFixture::CellText()
{
    std::wstring text;
    editor->GetValueText(cell, &text);
    return text;
}

std::vector<std::string> EditFixture::TakeLog()
{
    std::vector<std::string> taken;
    taken.swap(host.log);
    return taken;
}

ListFixture::ListFixture()
{
    lists = NewValueLists(layout);
    list = AddList(lists, L"numbers");
    AddItem(list, 1, L"Um")->Release();
    AddItem(list, 2, L"Dois")->Release();
    AddItem(list, 3, L"Tres")->Release();
}

ListFixture::~ListFixture()
{
    list->Release();
    lists->Release();
}
