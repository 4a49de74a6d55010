// The About box's dialog procedure and the state it keeps while shown.
#include "AboutDialog.h"

#include "AboutBox.h"
#include "AboutBoxResources.h"
#include "Module.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr int kBandLines = 11;
constexpr int kBandSpacing = 4;
constexpr UINT kSysCommandCloseAlternate = 0xF160;

// Selects an object for the length of a drawing step.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

class PaintScope {
public:
    explicit PaintScope(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~PaintScope() { EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
    HDC m_dc = nullptr;
};

INT_PTR Answer(HWND dialog, LRESULT result)
{
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

POINT CursorInClient(HWND dialog)
{
    POINT point = {};
    GetCursorPos(&point);
    ScreenToClient(dialog, &point);
    return point;
}

HCURSOR LoadHandCursor(HWND dialog)
{
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    HCURSOR hand = module ? LoadCursorW(module, MAKEINTRESOURCEW(IDC_HV_HAND)) : nullptr;
    if (!hand && ModuleInstance() != module)
        hand = LoadCursorW(ModuleInstance(), MAKEINTRESOURCEW(IDC_HV_HAND));
    return hand ? hand : LoadCursorW(nullptr, IDC_HAND);
}

} // namespace

AboutDialog::AboutDialog(HWND dialog)
    : m_dialog(dialog), m_colors(0, 0, 0, 0, 0, false, 0)
{
}

AboutDialog::~AboutDialog()
{
    for (HFONT font : m_fonts) {
        if (font)
            DeleteObject(font);
    }
    if (m_faceBrush)
        DeleteObject(m_faceBrush);
}

void AboutDialog::Initialize()
{
    PlaceOnScreen();
    MakeFonts();
    m_hand = LoadHandCursor(m_dialog);
    m_linkTarget = ItemText(IDC_ABOUT_LINK);
    if (m_linkTarget.size() > MAX_PATH)
        m_linkTarget.resize(MAX_PATH);
    // These three are drawn by the dialog itself.
    ShowWindow(GetDlgItem(m_dialog, IDC_ABOUT_LINK), SW_HIDE);
    ShowWindow(GetDlgItem(m_dialog, IDC_ABOUT_TITLE), SW_HIDE);
    ShowWindow(GetDlgItem(m_dialog, IDC_ABOUT_FRAME), SW_HIDE);
    FillTexts();
    LayOutMakerBlock();
    MeasureLink();
}

void AboutDialog::PlaceOnScreen()
{
    RECT window = {};
    GetWindowRect(m_dialog, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    MoveWindow(m_dialog, x, y, width, height, FALSE);
}

void AboutDialog::MakeFonts()
{
    m_dialogFont = reinterpret_cast<HFONT>(SendMessageW(m_dialog, WM_GETFONT, 0, 0));
    LOGFONTW base = {};
    if (!m_dialogFont || GetObjectW(m_dialogFont, sizeof base, &base) != static_cast<int>(sizeof base))
        return;  // the dialog font stands in for every derived font
    LOGFONTW font = base;
    font.lfWeight = FW_NORMAL;
    m_fonts[NormalFont] = CreateFontIndirectW(&font);
    font.lfWeight = FW_BOLD;
    m_fonts[BoldFont] = CreateFontIndirectW(&font);
    font = base;
    font.lfHeight = -16;
    m_fonts[TitleFont] = CreateFontIndirectW(&font);
    font.lfWeight = FW_THIN;
    m_fonts[NameFont] = CreateFontIndirectW(&font);
    font = base;
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = TRUE;
    m_fonts[LinkFont] = CreateFontIndirectW(&font);
}

HFONT AboutDialog::Font(FontSlot slot) const
{
    return m_fonts[slot] ? m_fonts[slot] : m_dialogFont;
}

void AboutDialog::FillTexts()
{
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_dialog, GWLP_HINSTANCE));
    const AboutBoxTexts texts = ReadAboutBoxTexts(module);
    SetWindowTextW(m_dialog, (L"About " + texts.product).c_str());
    SetDlgItemTextW(m_dialog, IDC_ABOUT_VERSION_LINE, (texts.product + L" Control " + texts.version).c_str());
    SetDlgItemTextW(m_dialog, IDC_ABOUT_VERSION, texts.version.c_str());
    SetDlgItemTextW(m_dialog, IDC_ABOUT_BUILD, texts.build.c_str());
    SetDlgItemTextW(m_dialog, IDC_ABOUT_NOTICE, texts.notice.c_str());
    SendDlgItemMessageW(m_dialog, IDC_ABOUT_VERSION_LINE, WM_SETFONT, reinterpret_cast<WPARAM>(Font(TitleFont)), FALSE);
    SendDlgItemMessageW(m_dialog, IDC_ABOUT_VERSION_LABEL, WM_SETFONT, reinterpret_cast<WPARAM>(Font(BoldFont)), FALSE);
    SendDlgItemMessageW(m_dialog, IDC_ABOUT_BUILD_LABEL, WM_SETFONT, reinterpret_cast<WPARAM>(Font(BoldFont)), FALSE);
}

// The maker's lines that have text stand under one another from the first
// line's place, with the link on the next line; empty lines are hidden.
void AboutDialog::LayOutMakerBlock()
{
    const RECT first = ItemRect(IDC_ABOUT_MAKER_FIRST);
    const int step = ItemRect(IDC_ABOUT_MAKER_FIRST + 1).top - first.top;
    int top = first.top;
    for (int id = IDC_ABOUT_MAKER_FIRST; id <= IDC_ABOUT_LINK; ++id) {
        if (id > IDC_ABOUT_MAKER_LAST && id != IDC_ABOUT_LINK)
            continue;
        HWND item = GetDlgItem(m_dialog, id);
        if (!item)
            continue;
        if (id != IDC_ABOUT_LINK && GetWindowTextLengthW(item) == 0) {
            ShowWindow(item, SW_HIDE);
            continue;
        }
        const RECT place = ItemRect(id);
        MoveWindow(item, place.left, top, place.right - place.left, place.bottom - place.top, FALSE);
        top += step;
    }
}

// The link's rectangle is narrowed to its text, centred in its field.
void AboutDialog::MeasureLink()
{
    m_linkRect = ItemRect(IDC_ABOUT_LINK);
    HDC dc = GetDC(m_dialog);
    if (!dc)
        return;
    RECT text = m_linkRect;
    {
        Selection font(dc, Font(LinkFont));
        DrawTextW(dc, m_linkTarget.c_str(), static_cast<int>(m_linkTarget.size()), &text,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(m_dialog, dc);
    const int field = m_linkRect.right - m_linkRect.left;
    const int width = std::min<int>(text.right - text.left, field);
    m_linkRect.left += (field - width) / 2;
    m_linkRect.right = m_linkRect.left + width;
}

RECT AboutDialog::ItemRect(int id) const
{
    RECT rect = {};
    HWND item = GetDlgItem(m_dialog, id);
    if (item && GetWindowRect(item, &rect))
        MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring AboutDialog::ItemText(int id) const
{
    HWND item = GetDlgItem(m_dialog, id);
    const int length = item ? GetWindowTextLengthW(item) : 0;
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void AboutDialog::Paint()
{
    PaintScope paint(m_dialog);
    HDC dc = paint.Dc();
    if (!dc)
        return;
    RECT client = {};
    GetClientRect(m_dialog, &client);
    FillRect(dc, &client, m_colors.GetFaceBrush());
    DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
    InflateRect(&client, -1, -1);
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&client, -1, -1);
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    DrawDialogItemEdge(dc, m_dialog, IDC_ABOUT_ICON, BDR_SUNKENOUTER, BF_RECT, 0);
    // The band goes under the texts so that they stay readable.
    DrawEmbossedBand(dc);
    DrawItemText(dc, IDC_ABOUT_TITLE, ItemText(IDC_ABOUT_TITLE), NameFont, DT_LEFT);
    {
        Selection font(dc, Font(LinkFont));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kLinkColor);
        RECT link = m_linkRect;
        DrawTextW(dc, m_linkTarget.c_str(), static_cast<int>(m_linkTarget.size()), &link,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    DrawDialogItemEdge(dc, m_dialog, IDC_ABOUT_FRAME, EDGE_ETCHED, BF_RECT, 0);
    DrawDialogItemEdge(dc, m_dialog, IDC_ABOUT_VERSION, BDR_SUNKENOUTER, BF_RECT, 0);
    DrawDialogItemEdge(dc, m_dialog, IDC_ABOUT_BUILD, BDR_SUNKENOUTER, BF_RECT, 0);
}

// Double lines (shadow, then highlight one pixel lower) across the frame:
// one at the middle of the version line and eleven above it.
void AboutDialog::DrawEmbossedBand(HDC dc)
{
    const RECT frame = ItemRect(IDC_ABOUT_FRAME);
    const RECT version = ItemRect(IDC_ABOUT_VERSION_LINE);
    const int middle = (version.top + version.bottom) / 2;
    for (int line = 0; line <= kBandLines; ++line) {
        const int y = middle - line * kBandSpacing;
        {
            Selection pen(dc, m_colors.GetShadowPen());
            MoveToEx(dc, frame.left, y, nullptr);
            LineTo(dc, frame.right, y);
        }
        Selection pen(dc, m_colors.GetHighlightPen());
        MoveToEx(dc, frame.left, y + 1, nullptr);
        LineTo(dc, frame.right, y + 1);
    }
}

void AboutDialog::DrawItemText(HDC dc, int id, const std::wstring& text, FontSlot font, UINT format)
{
    RECT place = ItemRect(id);
    Selection selected(dc, Font(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLinkColor);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format | DT_SINGLELINE | DT_NOPREFIX);
}

HBRUSH AboutDialog::ControlColor(HDC dc)
{
    const COLORREF face = m_colors.GetFaceColor();
    if (!m_faceBrush || m_brushColor != face) {
        if (m_faceBrush)
            DeleteObject(m_faceBrush);
        m_faceBrush = CreateSolidBrush(face);
        m_brushColor = m_faceBrush ? face : CLR_INVALID;
    }
    SetBkColor(dc, face);
    SetTextColor(dc, m_colors.GetTextColor());
    return m_faceBrush;
}

bool AboutDialog::SetLinkCursor(POINT client)
{
    if (!PtInRect(&m_linkRect, client))
        return false;
    SetCursor(m_hand);
    return true;
}

void AboutDialog::OnButtonDown(POINT client)
{
    if (!PtInRect(&m_linkRect, client))
        return;
    OpenAboutBoxLink(m_linkTarget);
    SetLinkCursor(client);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK)
                return FALSE;
            EndAboutBox(dialog, 1);
            return TRUE;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != SC_CLOSE && (wParam & 0xFFF0) != kSysCommandCloseAlternate)
                return FALSE;
            EndAboutBox(dialog, 1);
            return TRUE;
        case WM_INITDIALOG: {
            auto state = std::make_unique<AboutDialog>(dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state.get()));
            AboutDialog* kept = state.release();
            kept->Initialize();
            return TRUE;
        }
        default:
            break;
        }
        auto* state = reinterpret_cast<AboutDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!state)
            return FALSE;
        switch (message) {
        case WM_DESTROY:
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            delete state;
            return FALSE;
        case WM_PAINT:
            state->Paint();
            return TRUE;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(state->ControlColor(reinterpret_cast<HDC>(wParam)));
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && state->SetLinkCursor(CursorInClient(dialog)))
                return Answer(dialog, TRUE);
            return FALSE;
        case WM_LBUTTONDOWN:
            state->OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}
