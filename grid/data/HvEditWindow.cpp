// HvEditWindow: making, placing and colouring the EDIT window, and its
// window procedure.
#include "HvEditWindow.h"

#include "CellEditor.h"
#include "EditColumnSeam.h"
#include "HvCell.h"
#include "InputMask.h"
#include "MonitorWorkArea.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT_PTR RetryTimer = 0x5C8;
constexpr UINT RetryDelay = 200;
constexpr DWORD KeptStyleMask = 0x81F;

// Sets the editor's setting-text flag for a scope.
class SettingText {
public:
    explicit SettingText(CellEditor& editor) : editor_(editor), old_(editor.settingText) { editor.settingText = true; }
    ~SettingText() { editor_.settingText = old_; }
    SettingText(const SettingText&) = delete;
    SettingText& operator=(const SettingText&) = delete;

private:
    CellEditor& editor_;
    bool old_;
};

bool IsListClass(HWND window)
{
    wchar_t name[32] = {};
    return window && GetClassNameW(window, name, 32) && lstrcmpiW(name, L"ComboLBox") == 0;
}

} // namespace

HvEditWindow::~HvEditWindow()
{
    Destroy();
    if (brush_)
        DeleteObject(brush_);
}

void HvEditWindow::Destroy()
{
    if (Handle())
        DestroyWindow(window_);
    window_ = nullptr;
}

DWORD HvEditWindow::StyleFor(LONG alignment, bool singleLine, LONG textCase, bool readOnly, bool multiLine,
                             bool vertScrollBar)
{
    DWORD style = 0;
    if (alignment == 2)
        style |= ES_CENTER;
    else if (alignment == 3)
        style |= ES_RIGHT;
    if (textCase == 1)
        style |= ES_LOWERCASE;
    else if (textCase == 2)
        style |= ES_UPPERCASE;
    if (readOnly)
        style |= ES_READONLY;
    if (!singleLine && multiLine)
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
    else
        style |= ES_AUTOHSCROLL;
    if (!singleLine && multiLine && vertScrollBar)
        style |= WS_VSCROLL;
    return style;
}

void HvEditWindow::ClipToGrid(RECT* rect)
{
    HWND grid = editor_.Host()->GridWindow();
    RECT clip{};
    GetClientRect(grid, &clip);
    InflateRect(&clip, -1, -1);
    const LONG_PTR gridStyle = GetWindowLongPtrW(grid, GWL_STYLE);
    if (gridStyle & WS_VSCROLL)
        clip.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (gridStyle & WS_HSCROLL)
        clip.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    IntersectRect(rect, rect, &clip);
}

void HvEditWindow::SizeToText(RECT* rect, LONG alignment, bool multiLine, HvCell* cell, HFONT font)
{
    std::wstring text;
    editor_.GetValueText(cell, &text);
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EDITCONTROL;
    if (multiLine)
        format |= DT_WORDBREAK;
    if (alignment == 2)
        format |= DT_CENTER;
    else if (alignment == 3)
        format |= DT_RIGHT;
    RECT measured = *rect;
    if (HDC dc = GetDC(editor_.Host()->GridWindow())) {
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format);
        if (old)
            SelectObject(dc, old);
        ReleaseDC(editor_.Host()->GridWindow(), dc);
    }
    LONG width = rect->right - rect->left;
    LONG height = rect->bottom - rect->top;
    if (limits_.startWidth > 0)
        width = limits_.startWidth;
    else
        width = std::max(width, measured.right - measured.left);
    if (limits_.startHeight > 0)
        height = limits_.startHeight;
    else
        height = std::max(height, measured.bottom - measured.top);
    if (limits_.maxWidth > 0)
        width = std::min(width, limits_.maxWidth);
    if (limits_.maxHeight > 0)
        height = std::min(height, limits_.maxHeight);
    rect->right = rect->left + width + 3;
    rect->bottom = rect->top + height + 2;
    rect->left -= 1;
    rect->right += 1;
}

HWND HvEditWindow::Create(LONG alignment, RECT rect, bool singleLine, HvCell* cell, HFONT font)
{
    EditorHost* host = editor_.Host();
    EditColumnSeam* column = cell ? editor_.ColumnOf(cell) : nullptr;
    const bool multiLine = column && column->IsMultiLine();
    const DWORD style = StyleFor(alignment, singleLine, column ? column->Case() : 0,
                                 cell && !cell->IsEditable(), multiLine, column && column->VertScrollBar());
    autoSizing_ = false;
    limits_ = AutoSizeLimits{};
    if (cell && column && !singleLine && column->AutoSizeEdit())
        autoSizing_ = !host->FireBeforeAutoSizeEdit(&limits_);
    if (autoSizing_) {
        SizeToText(&rect, alignment, multiLine && !singleLine, cell, font);
    } else {
        switch (alignment) {
        case 2:
            OffsetRect(&rect, -1, 0);
            break;
        case 3:
            InflateRect(&rect, 1, 0);
            break;
        default:
            InflateRect(&rect, 2, 0);
            rect.right -= 1;
            break;
        }
        OffsetRect(&rect, 0, -1);
        ClipToGrid(&rect);
    }
    rect.bottom += 1;
    clientRect_ = rect;
    screenRect_ = rect;
    MapWindowPoints(host->GridWindow(), nullptr, reinterpret_cast<POINT*>(&screenRect_), 2);
    if (autoSizing_) {
        // A window that outgrows its cell stays on the monitor.
        RECT work{};
        GetMonitorWorkArea(&work, &screenRect_);
        if (screenRect_.right > work.right)
            OffsetRect(&screenRect_, work.right - screenRect_.right, 0);
        if (screenRect_.bottom > work.bottom)
            OffsetRect(&screenRect_, 0, work.bottom - screenRect_.bottom);
        if (screenRect_.left < work.left)
            OffsetRect(&screenRect_, work.left - screenRect_.left, 0);
        if (screenRect_.top < work.top)
            OffsetRect(&screenRect_, 0, work.top - screenRect_.top);
    }

    if (Handle()) {
        const DWORD current = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
        if ((current & KeptStyleMask) == (style & KeptStyleMask) && (current & WS_VSCROLL) == (style & WS_VSCROLL))
            return window_;
        Destroy();
    }
    editor_.keyPressed = false;
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"EDIT", L"", style | WS_POPUP | ES_WANTRETURN, screenRect_.left,
                              screenRect_.top, screenRect_.right - screenRect_.left,
                              screenRect_.bottom - screenRect_.top, host->GridWindow(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        return nullptr;
    SetPropW(window_, ParentProperty, host->GridWindow());
    Publish();
    if (InputMask* mask = column ? column->Mask() : nullptr) {
        SettingText setting(editor_);
        mask->ApplyInputMask(mask->UsesInputMask());
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&editor_));
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    SetPropW(window_, ControlProperty, host->ControlObject());
    SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 1));
    return window_;
}

void HvEditWindow::Show()
{
    if (!Handle())
        return;
    const bool old = editor_.showingChild;
    editor_.showingChild = true;
    editor_.Host()->ShowEditorWindow(window_, SW_SHOW);
    editor_.showingChild = old;
}

void HvEditWindow::Hide()
{
    if (!IsVisible())
        return;
    // Hiding moves the focus on; that is not the user leaving the editor.
    const bool old = editor_.showingChild;
    editor_.showingChild = true;
    editor_.Host()->ShowEditorWindow(window_, SW_HIDE);
    editor_.showingChild = old;
}

void HvEditWindow::Publish()
{
    editor_.Host()->PublishEditWindow(Handle(), brush_, backColor_, textColor_);
}

void HvEditWindow::SetCase(LONG textCase)
{
    if (!Handle())
        return;
    LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_UPPERCASE | ES_LOWERCASE);
    if (textCase == 1)
        style |= ES_LOWERCASE;
    else if (textCase == 2)
        style |= ES_UPPERCASE;
    SetWindowLongPtrW(window_, GWL_STYLE, style);
}

void HvEditWindow::AddBorder(RECT* rect)
{
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    if (style & WS_BORDER)
        return;
    SetWindowLongPtrW(window_, GWL_STYLE, style | WS_BORDER);
    rect->left -= 1;
    rect->top -= 2;
    rect->right += 0;
    rect->bottom += 2;
}

void HvEditWindow::GrowToText()
{
    if (!autoSizing_ || !Handle())
        return;
    std::wstring text = Text() + L" ";
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    RECT work{};
    GetMonitorWorkArea(&work, &rect);
    LONG maxRight = work.right;
    LONG maxBottom = work.bottom;
    if (limits_.maxWidth > 0)
        maxRight = std::min(maxRight, rect.left + limits_.maxWidth);
    if (limits_.maxHeight > 0)
        maxBottom = std::min(maxBottom, rect.top + limits_.maxHeight);
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    UINT format = DT_CALCRECT | DT_EDITCONTROL;
    if (style & ES_MULTILINE)
        format |= DT_WORDBREAK;
    if (style & ES_RIGHT)
        format |= DT_RIGHT;
    else if (style & ES_CENTER)
        format |= DT_CENTER;
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
    RECT grown = rect;
    if (rect.right < maxRight) {
        RECT measured{0, 0, maxRight - rect.left, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format);
        const LONG width = std::min(measured.right - measured.left + 8, maxRight - rect.left);
        if (width > rect.right - rect.left) {
            grown.right = grown.left + width;
            AddBorder(&grown);
        }
    }
    if ((style & ES_MULTILINE) && grown.bottom < maxBottom) {
        RECT measured{0, 0, grown.right - grown.left - 4, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format);
        const LONG height = std::min(measured.bottom - measured.top + 4, maxBottom - grown.top);
        if (height > grown.bottom - grown.top) {
            grown.bottom = grown.top + height;
            AddBorder(&grown);
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(window_, dc);
    if (EqualRect(&grown, &rect))
        return;
    screenRect_ = grown;
    SetWindowPos(window_, nullptr, grown.left, grown.top, grown.right - grown.left, grown.bottom - grown.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HBRUSH HvEditWindow::SetColors(COLORREF back, COLORREF text)
{
    textColor_ = text;
    if (!brush_ || back != backColor_) {
        HBRUSH brush = CreateSolidBrush(back);
        if (brush) {
            HBRUSH old = brush_;
            brush_ = brush;
            backColor_ = back;
            Publish();
            if (old)
                DeleteObject(old);
        }
    }
    Publish();
    return brush_;
}

void HvEditWindow::SetRect(const RECT& screen)
{
    if (EqualRect(&screen, &screenRect_))
        return;
    screenRect_ = screen;
    if (Handle())
        MoveWindow(window_, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, TRUE);
}

void HvEditWindow::SetText(const std::wstring& text)
{
    if (!Handle())
        return;
    SettingText setting(editor_);
    SetWindowTextW(window_, text.c_str());
}

std::wstring HvEditWindow::Text() const
{
    if (!Handle())
        return {};
    const int length = GetWindowTextLengthW(window_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

// --- window procedure ----------------------------------------------------------

LRESULT CALLBACK HvEditWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* editor = reinterpret_cast<CellEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    HvEditWindow* self = editor ? &editor->Edit() : nullptr;
    if (!self || self->window_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC old = self->oldProc_;
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        self->Publish();
        return CellEditor::DetachEditorWindow(window, old, wParam, lParam);
    }
    if (!editor->Host()->ActiveCell())
        return CallWindowProcW(old, window, message, wParam, lParam);
    try {
        bool handled = false;
        const LRESULT result = self->OnMessage(message, wParam, lParam, &handled);
        if (handled)
            return result;
    } catch (...) {
        return 0;
    }
    return CallWindowProcW(old, window, message, wParam, lParam);
}

LONG HvEditWindow::MaskMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HvCell* cell = editor_.Host()->ActiveCell();
    EditColumnSeam* column = cell ? editor_.ColumnOf(cell) : nullptr;
    InputMask* mask = column ? column->Mask() : nullptr;
    return mask ? mask->MaskProcessMessage(message, wParam, lParam, result) : 0;
}

LRESULT HvEditWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    LRESULT result = 0;
    switch (message) {
    case WM_SETFOCUS: {
        SettingText setting(editor_);
        *handled = MaskMessage(message, wParam, lParam, &result) == 1;
        return result;
    }
    case WM_KILLFOCUS:
        return OnKillFocus(wParam, lParam, handled);
    case CellEditor::FocusLeftMessage:
        return OnFocusLeft(wParam, lParam, handled);
    case WM_TIMER:
        if (wParam != RetryTimer)
            return 0;
        KillTimer(window_, RetryTimer);
        SendMessageW(window_, CellEditor::FocusLeftMessage, 0, 0);
        *handled = true;
        return 0;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
        *handled = MaskMessage(message, wParam, lParam, &result) == 1;
        return result;
    case WM_LBUTTONDOWN:
        if (GetTickCount() - lastPassedClick_ < GetDoubleClickTime()) {
            lastPassedClick_ = 0;
            *handled = true;
            return CallWindowProcW(oldProc_, window_, WM_LBUTTONDBLCLK, wParam, lParam);
        }
        break;
    case CellEditor::PassedClickMessage:
        lastPassedClick_ = GetTickCount();
        *handled = true;
        return CallWindowProcW(oldProc_, window_, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        if (brush_)
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush_);
        *handled = true;
        return 1;
    }
    case WM_SHOWWINDOW:
        *handled = lParam == SW_PARENTOPENING;
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
        *handled = true;
        return 1;
    case WM_CHAR:
        return OnChar(message, wParam, lParam, handled);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnKeyDown(message, wParam, lParam, handled);
    default:
        break;
    }
    if (ForwardToDispatcher(message, wParam, lParam))
        *handled = true;
    return 0;
}

bool HvEditWindow::ForwardToDispatcher(UINT message, WPARAM wParam, LPARAM lParam)
{
    return editor_.ForwardEditorMessage(window_, message, wParam, lParam);
}

LRESULT HvEditWindow::OnKillFocus(WPARAM wParam, LPARAM lParam, bool* handled)
{
    HWND next = reinterpret_cast<HWND>(wParam);
    if (next == window_)
        return 0;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (IsListClass(WindowFromPoint(cursor))) {
        SetFocus(window_);
        *handled = true;
        return 0;
    }
    HvCell* cell = editor_.EditingCell();
    if (!editor_.showingChild && cell && !editor_.IsCursorOnButton(cell)) {
        PostMessageW(window_, CellEditor::FocusLeftMessage, wParam, lParam);
        editor_.exitingEditMode = false;
    }
    return 0;
}

LRESULT HvEditWindow::OnFocusLeft(WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    if (!editor_.Host()->CanFireEvents()) {
        SetTimer(window_, RetryTimer, RetryDelay, nullptr);
        return 0;
    }
    HvCell* cell = editor_.EditingCell();
    if (!cell || editor_.exitingEditMode || editor_.StyleOf(cell) == hvStyleHTML)
        return 0;
    if (editor_.LeaveEditUnlessInDropDown(reinterpret_cast<HWND>(wParam)))
        return 0;
    LRESULT ignored = 0;
    MaskMessage(WM_KILLFOCUS, wParam, lParam, &ignored);
    return 0;
}

LRESULT HvEditWindow::OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    HvCell* cell = editor_.Host()->ActiveCell();
    const LONG style = cell ? editor_.StyleOf(cell) : 0;
    const bool maskable = style == hvStyleEdit || style == hvStyleEditButton;
    DWORD start = 0, end = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool caretAtEnd = end >= static_cast<DWORD>(GetWindowTextLengthW(window_));
    LRESULT result = 0;
    // The grid sees the character first (its KeyPress event may change or
    // eat it); what it lets through reaches this window's own procedure,
    // or, for a masked cell, the mask.
    if (editor_.ForwardEditorMessage(window_, message, wParam, lParam, oldProc_)) {
        if (maskable)
            MaskMessage(message, wParam, lParam, &result);
    } else {
        if (maskable && MaskMessage(message, wParam, lParam, &result) == 1)
            return result;
        result = CallWindowProcW(oldProc_, window_, message, wParam, lParam);
    }
    if (Handle() && wParam != VK_BACK)
        CompleteTyping(wParam, caretAtEnd);
    return result;
}

void HvEditWindow::CompleteTyping(WPARAM, bool caretWasAtEnd)
{
    HvCell* cell = editor_.EditingCell();
    EditColumnSeam* column = cell ? editor_.ColumnOf(cell) : nullptr;
    if (!column)
        return;
    const std::wstring typed = Text();
    std::wstring completed = typed;
    bool changed = false;
    if (column->AutoEdit() && editor_.DropDowns().Get(cell)) {
        changed = editor_.DropDowns().AutoCompleteText(&completed) && completed != typed;
    } else if (caretWasAtEnd) {
        BSTR text = SysAllocStringLen(typed.data(), static_cast<UINT>(typed.size()));
        if (text && column->CompleteFromValueList(&text)) {
            completed.assign(text, SysStringLen(text));
            changed = completed != typed;
        }
        SysFreeString(text);
    }
    if (!changed)
        return;
    SetText(completed);
    editor_.OnEditTextChanged();
    SendMessageW(window_, EM_SETSEL, typed.size(), -1);
}

LRESULT HvEditWindow::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    if (ForwardToDispatcher(message, wParam, lParam)) {
        *handled = true;
        return 0;
    }
    editor_.keyPressed = true;
    HvCell* cell = editor_.EditingCell();
    CSimpleDropDown* list = cell ? editor_.DropDowns().Get(cell) : nullptr;
    switch (wParam) {
    case VK_DOWN:
    case VK_UP:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_F4:
        if (list && list->IsCreated()) {
            *handled = true;
            return SendMessageW(list->Window(), message, wParam, lParam);
        }
        break;
    default:
        break;
    }
    LRESULT result = 0;
    *handled = MaskMessage(message, wParam, lParam, &result) == 1;
    return result;
}
