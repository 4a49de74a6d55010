// Date fields over a single-line edit box with a drop-down button inside it
// and the system month calendar as the drop-down.
#include "DateField.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "LocaleText.h"

namespace hv::forms {

namespace {

constexpr UINT kMsgCloseUp = WM_APP + 0x4A;
constexpr UINT_PTR kCalendarSubclass = 0x4857;
constexpr const wchar_t* kDisplayFormat = L"dd/mm/yyyy";
constexpr const wchar_t* kEditFormat = L"dd/mm/yy";

// The last year a two-digit year stands for, from the user's calendar settings.
int TwoDigitYearMax()
{
    DWORD max = 0;
    if (GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                         nullptr, 0, &max) && max >= 99)
        return static_cast<int>(max);
    return 2029;  // OLE Automation's documented default
}

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts(1);
    for (wchar_t ch : text) {
        if (ch == separator)
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    return parts;
}

bool AllDigits(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (wchar_t ch : text)
        if (!std::iswdigit(ch))
            return false;
    return true;
}

std::wstring Trimmed(const std::wstring& text)
{
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

VARIANT DateVariant(std::optional<DATE> day)
{
    VARIANT v;
    VariantInit(&v);
    if (day) {
        v.vt = VT_DATE;
        v.date = *day;
    } else {
        v.vt = VT_NULL;
    }
    return v;
}

} // namespace

std::optional<DATE> DateField::ParseDate(const std::wstring& text)
{
    const auto parts = Split(Trimmed(text), L'/');
    if (parts.size() != 3 || !AllDigits(parts[0]) || !AllDigits(parts[1]) || !AllDigits(parts[2]))
        return std::nullopt;
    if (parts[0].size() > 2 || parts[1].size() > 2 || (parts[2].size() != 2 && parts[2].size() != 4))
        return std::nullopt;
    const int day = std::stoi(parts[0]);
    const int month = std::stoi(parts[1]);
    int year = std::stoi(parts[2]);
    if (parts[2].size() == 2) {
        const int max = TwoDigitYearMax();
        year += max / 100 * 100;
        if (year > max)
            year -= 100;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    DATE result = 0;
    if (!SystemTimeToVariantTime(&st, &result))
        return std::nullopt;
    return result;
}

DateField::DateField(Container& parent, const TwipsRect& place) : EditControl(parent, place)
{
    HWND edit = CreateEdit(WS_CLIPCHILDREN, L"");
    button_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_OWNERDRAW, 0, 0, 0, 0,
                              edit, nullptr, GetModuleHandleW(nullptr), nullptr);
    Attach(edit);
    PlaceButton();
}

DateField::~DateField()
{
    CloseUp();
}

void DateField::PlaceButton()
{
    RECT client;
    GetClientRect(Hwnd(), &client);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    MoveWindow(button_, client.right - width, 0, width, client.bottom, TRUE);
    SendMessageW(Hwnd(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

std::optional<DATE> DateField::CurrentValue() const
{
    if (edited_) {
        const std::wstring text = Trimmed(Text());
        if (text.empty())
            return std::nullopt;
        if (auto parsed = ParseDate(text))
            return parsed;
    }
    return value_;
}

VARIANT DateField::Value() const
{
    return DateVariant(CurrentValue());
}

bool DateField::ValueIsNull() const
{
    return !CurrentValue().has_value();
}

bool DateField::SetValue(const VARIANT& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY) {
        value_.reset();
    } else {
        VARIANT date;
        VariantInit(&date);
        if (FAILED(VariantChangeTypeEx(&date, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_DATE)))
            return false;
        // A whole day: the time of day is dropped.
        SYSTEMTIME st{};
        if (!VariantTimeToSystemTime(date.date, &st))
            return false;
        st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
        DATE day = 0;
        SystemTimeToVariantTime(&st, &day);
        value_ = day;
    }
    edited_ = false;
    ShowValue(HasFocus());
    return true;
}

bool DateField::SetText(const std::wstring& text)
{
    if (Trimmed(text).empty())
        return SetValue(DateVariant(std::nullopt));
    const auto parsed = ParseDate(text);
    if (!parsed)
        return false;
    return SetValue(DateVariant(parsed));
}

void DateField::ShowValue(bool editing)
{
    showing_ = true;
    SetCaption(FormatVariant(DateVariant(value_), editing ? kEditFormat : kDisplayFormat));
    showing_ = false;
}

void DateField::OnCommand(int code)
{
    if (code == EN_CHANGE && !showing_)
        edited_ = true;
}

void DateField::OnGotFocus()
{
    if (!edited_)
        ShowValue(true);
}

void DateField::OnLostFocus()
{
    if (!edited_ && GetFocus() != calendar_)
        ShowValue(false);
}

bool DateField::OnChar(int& ch)
{
    if (ch == '\r')
        return false;
    if (ch < 32)
        return true;
    if (ch != '/' && !std::iswdigit(static_cast<wint_t>(ch)))
        return false;
    std::wstring text = Text();
    const auto start = static_cast<size_t>(SelStart());
    const auto length = static_cast<size_t>(SelLength());
    // Typing at the end supplies the separators after the day and the month.
    const auto lastSlash = text.rfind(L'/');
    const size_t segment = lastSlash == std::wstring::npos ? text.size() : text.size() - lastSlash - 1;
    const auto slashesBefore = std::count(text.begin(), text.end(), L'/');
    if (ch != '/' && length == 0 && start == text.size() && segment == 2 && slashesBefore < 2) {
        SendMessageW(Hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"/"));
        text += L'/';
    }
    const auto caret = static_cast<size_t>(SelStart());
    text.replace(caret, static_cast<size_t>(SelLength()), 1, static_cast<wchar_t>(ch));
    size_t slashes = 0;
    for (wchar_t c : text)
        slashes += c == L'/';
    return text.size() <= 10 && slashes <= 2;
}

bool DateField::ValidateOwnValue()
{
    if (!edited_)
        return true;
    const std::wstring text = Trimmed(Text());
    std::optional<DATE> parsed;
    if (!text.empty()) {
        parsed = ParseDate(text);
        if (!parsed) {
            MessageBeep(MB_ICONEXCLAMATION);
            SetSelStart(0);
            SetSelLength(static_cast<int>(Text().size()));
            return false;
        }
    }
    value_ = parsed;
    edited_ = false;
    ShowValue(HasFocus());
    return true;
}

void DateField::DropDown()
{
    if (calendar_ || !Hwnd())
        return;
    // The calendar tells the edit box (its creation parent) of the picked day.
    calendar_ = CreateWindowExW(WS_EX_TOOLWINDOW, MONTHCAL_CLASSW, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0, Hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!calendar_)
        return;
    SendMessageW(calendar_, WM_SETFONT, static_cast<WPARAM>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0)), FALSE);
    SetWindowSubclass(calendar_, &DateField::CalendarProc, kCalendarSubclass, reinterpret_cast<DWORD_PTR>(this));
    if (const auto current = CurrentValue()) {
        SYSTEMTIME st{};
        VariantTimeToSystemTime(*current, &st);
        SendMessageW(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    }
    RECT size{};
    SendMessageW(calendar_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
    RECT edit;
    GetWindowRect(Hwnd(), &edit);
    AdjustWindowRectEx(&size, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    SetWindowPos(calendar_, HWND_TOP, edit.left, edit.bottom, size.right - size.left, size.bottom - size.top,
                 SWP_SHOWWINDOW);
    ::SetFocus(calendar_);
}

void DateField::CloseUp()
{
    if (!calendar_)
        return;
    HWND calendar = calendar_;
    calendar_ = nullptr;
    RemoveWindowSubclass(calendar, &DateField::CalendarProc, kCalendarSubclass);
    const bool hadFocus = GetFocus() == calendar;
    DestroyWindow(calendar);
    if (hadFocus && Hwnd())
        ::SetFocus(Hwnd());
}

void DateField::Pick(DATE day)
{
    value_ = day;
    edited_ = false;
    // The calendar is closed after its own notification has returned.
    PostMessageW(Hwnd(), kMsgCloseUp, 0, 0);
    if (Hwnd())
        ::SetFocus(Hwnd());
    ShowValue(HasFocus());
}

bool DateField::PreviewMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (hwnd != Hwnd())
        return false;
    switch (msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == button_ && HIWORD(wParam) == STN_CLICKED) {
            if (calendar_)
                CloseUp();
            else
                DropDown();
            result = 0;
            return true;
        }
        return false;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != button_)
            return false;
        RECT r = item->rcItem;
        DrawFrameControl(item->hDC, &r, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (IsWindowEnabled(hwnd) ? 0 : DFCS_INACTIVE));
        result = TRUE;
        return true;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!calendar_ || header->hwndFrom != calendar_)
            return false;
        if (header->code == MCN_SELECT) {
            SYSTEMTIME st = reinterpret_cast<const NMSELCHANGE*>(lParam)->stSelStart;
            st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
            st.wDayOfWeek = 0;
            DATE day = 0;
            if (SystemTimeToVariantTime(&st, &day))
                Pick(day);
        }
        result = 0;
        return true;
    }
    case kMsgCloseUp:
        CloseUp();
        result = 0;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_F4) {
            DropDown();
            result = 0;
            return true;
        }
        return false;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN) {
            DropDown();
            result = 0;
            return true;
        }
        return false;
    case WM_SIZE:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        PlaceButton();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK DateField::CalendarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR refData)
{
    auto* self = reinterpret_cast<DateField*>(refData);
    try {
        switch (msg) {
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                PostMessageW(self->Hwnd(), kMsgCloseUp, 0, 0);
                return 0;
            }
            if (wParam == VK_RETURN) {
                SYSTEMTIME st{};
                if (SendMessageW(hwnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st))) {
                    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
                    DATE day = 0;
                    if (SystemTimeToVariantTime(&st, &day))
                        self->Pick(day);
                }
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            // A click elsewhere closes the drop-down.
            PostMessageW(self->Hwnd(), kMsgCloseUp, 0, 0);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
