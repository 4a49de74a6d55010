// Forms: life cycle, placement, focus order and validation.
#include "Form.h"

#include <algorithm>

#include "Application.h"
#include "Control.h"
#include "MousePointer.h"

namespace hv::forms {

namespace {

// Private messages of a form window.
constexpr UINT kMsgValidate = WM_APP + 0x48;  // wParam: serial of the control the focus left
constexpr UINT kMsgSendTab = WM_APP + 0x49;

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Clears a flag on every way out of a scope.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

GdiObject<HFONT> MakeFormFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
    return GdiObject<HFONT>();
}

} // namespace

Form::Form() = default;

Form::~Form()
{
    Discard();
}

void Form::Load()
{
    if (loaded_)
        return;
    unloaded_.clear();
    if (!font_)
        font_ = MakeFormFont();
    const RECT pixels{TwipsToPixelsX(place_.left), TwipsToPixelsY(place_.top),
                      TwipsToPixelsX(place_.left + place_.width),
                      TwipsToPixelsY(place_.top + place_.height)};
    client_ = CreateHandlerWindow(0, kFormStyle, caption_.c_str(), pixels, nullptr);
    if (!client_)
        return;
    loaded_ = true;
    FormLoaded(*this);
    CreateControls();
    Form_Load();
}

void Form::Show(ShowMode mode)
{
    Load();
    if (!loaded_)
        return;
    ShowWindow(client_, SW_SHOW);
    SetForegroundWindow(client_);
    if (!ControlWithFocus())
        FocusFirst();
    if (mode == ShowMode::Modal)
        RunModalLoop();
}

void Form::RunModalLoop()
{
    // The other forms wait while this one is up.
    std::vector<HWND> disabled;
    for (Form* other : LoadedForms()) {
        if (other != this && IsWindowEnabled(other->Hwnd())) {
            EnableWindow(other->Hwnd(), FALSE);
            disabled.push_back(other->Hwnd());
        }
    }
    MSG msg;
    while (loaded_ && IsWindowVisible(client_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    for (HWND w : disabled)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
}

void Form::Hide()
{
    if (client_)
        ShowWindow(client_, SW_HIDE);
}

bool Form::Unload()
{
    if (!loaded_)
        return true;
    bool cancel = false;
    Form_Unload(cancel);
    if (!loaded_)
        return true;  // the handler ended the program
    if (cancel)
        return false;
    DestroyWindowAndControls();
    return true;
}

void Form::Discard()
{
    if (loaded_)
        DestroyWindowAndControls();
}

void Form::DestroyWindowAndControls()
{
    loaded_ = false;
    active_ = nullptr;
    focusOnDeactivate_ = nullptr;
    FormUnloaded(*this);
    HWND hwnd = client_;
    client_ = nullptr;
    if (hwnd)
        DestroyWindow(hwnd);
    for (auto& control : controls_)
        unloaded_.push_back(std::move(control));
    controls_.clear();
}

void Form::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    if (client_)
        SetWindowTextW(client_, caption_.c_str());
}

void Form::Move(int left, int top, int width, int height)
{
    place_ = {left, top, width, height};
    if (client_)
        MoveWindow(client_, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                   TwipsToPixelsY(height), TRUE);
}

int Form::ScaleWidth() const
{
    RECT r{};
    if (client_)
        GetClientRect(client_, &r);
    return PixelsToTwipsX(r.right);
}

int Form::ScaleHeight() const
{
    RECT r{};
    if (client_)
        GetClientRect(client_, &r);
    return PixelsToTwipsY(r.bottom);
}

void Form::SetMousePointer(int pointer)
{
    mousePointer_ = pointer;
    RefreshCursor();
}

void Form::RefreshCursor()
{
    // The cursor changes now when it is over the form, not at the next move.
    if (!client_)
        return;
    POINT at;
    if (!GetCursorPos(&at))
        return;
    HWND under = WindowFromPoint(at);
    if (under && (under == client_ || IsChild(client_, under)))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void Form::AdoptControl(std::unique_ptr<Control> control)
{
    controls_.push_back(std::move(control));
}

void Form::ControlAttached(Control& control)
{
    if (control.serial_ == 0)
        control.serial_ = nextSerial_++;
}

void Form::ControlGotFocus(Control& control)
{
    active_ = &control;
}

void Form::ControlLostFocus(Control& control, HWND newFocus)
{
    if (restoringFocus_ || control.validating_ || control.skipValidation_ || !loaded_)
        return;
    if (!control.NeedsValidation())
        return;
    // Only a move to another control of this form validates (also to a
    // hosted component's window); leaving the form does not.
    if (!newFocus || !IsChild(client_, newFocus))
        return;
    if (newFocus == control.hwnd_ || IsChild(control.hwnd_, newFocus))
        return;
    // The move has already happened; answer it once the focus messages are
    // done, before any mouse-up that would complete a click elsewhere.
    pendingValidation_ = control.serial_;
    PostMessageW(client_, kMsgValidate, control.serial_, 0);
}

void Form::ValidateAfterFocusLoss(unsigned serial)
{
    if (serial != pendingValidation_)
        return;  // already answered by a move of the layer's own
    pendingValidation_ = 0;
    Control* control = FindBySerial(serial);
    if (!control || control->HasFocus())
        return;
    if (RunValidation(*control) && control->hwnd_) {
        FlagGuard guard(restoringFocus_);
        ::SetFocus(control->focusHwnd_);
    }
}

bool Form::ResolvePendingValidation()
{
    if (!pendingValidation_)
        return false;
    Control* control = FindBySerial(pendingValidation_);
    pendingValidation_ = 0;
    if (!control || control->HasFocus() || !RunValidation(*control))
        return false;
    if (control->hwnd_) {
        FlagGuard guard(restoringFocus_);
        ::SetFocus(control->focusHwnd_);
    }
    return true;
}

bool Form::ValidateBeforeMove()
{
    if (ResolvePendingValidation())
        return true;
    Control* control = ControlWithFocus();
    if (!control || !control->NeedsValidation() || control->validating_)
        return false;
    return RunValidation(*control);
}

void Form::MoveFocusWithoutValidation(HWND to)
{
    if (Control* from = ControlWithFocus()) {
        FlagGuard guard(from->skipValidation_);
        ::SetFocus(to);
    } else {
        ::SetFocus(to);
    }
}

bool Form::RunValidation(Control& control)
{
    if (control.validating_)
        return false;
    FlagGuard guard(control.validating_);
    bool cancel = !control.ValidateOwnValue();
    if (!cancel && control.Validate)
        control.Validate(cancel);
    return cancel;
}

Control* Form::ControlWithFocus() const
{
    for (HWND w = GetFocus(); w && w != client_; w = GetParent(w)) {
        Control* control = Control::FromHandle(w);
        if (control && &control->form_ == this)
            return control;
    }
    return nullptr;
}

Control* Form::FindBySerial(unsigned serial) const
{
    for (const auto& control : controls_)
        if (control->serial_ == serial)
            return control.get();
    return nullptr;
}

Control* Form::FindNext(Control* from, bool forward) const
{
    std::vector<Control*> order;
    for (const auto& control : controls_)
        if (control->hwnd_)
            order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->tabIndex_ != b->tabIndex_ ? a->tabIndex_ < b->tabIndex_ : a->serial_ < b->serial_;
    });
    const auto n = static_cast<long>(order.size());
    if (n == 0)
        return nullptr;
    long start = forward ? -1 : 0;
    if (from) {
        const auto it = std::find(order.begin(), order.end(), from);
        if (it != order.end())
            start = static_cast<long>(it - order.begin());
    }
    for (long step = 1; step <= n; ++step) {
        const long i = ((start + (forward ? step : -step)) % n + n) % n;
        Control* candidate = order[static_cast<size_t>(i)];
        if (candidate != from && candidate->tabStop_ && candidate->CanFocusNow())
            return candidate;
    }
    return nullptr;
}

bool Form::FocusControl(Control& target)
{
    if (!target.hwnd_ || ResolvePendingValidation())
        return false;
    Control* from = ControlWithFocus();
    if (from && from != &target && from->NeedsValidation() && !from->validating_) {
        if (RunValidation(*from))
            return false;
    }
    if (from && from != &target) {
        FlagGuard guard(from->skipValidation_);
        ::SetFocus(target.focusHwnd_);
    } else {
        ::SetFocus(target.focusHwnd_);
    }
    return target.HasFocus();
}

bool Form::MoveFocus(bool forward)
{
    if (ResolvePendingValidation())
        return false;
    Control* from = ControlWithFocus();
    Control* next = FindNext(from ? from : active_, forward);
    if (!next)
        return false;
    if (from && from->NeedsValidation() && !from->validating_) {
        if (RunValidation(*from))
            return false;
        // The handler may have chosen where the focus goes.
        if (!from->HasFocus())
            return true;
    }
    if (from) {
        FlagGuard guard(from->skipValidation_);
        ::SetFocus(next->focusHwnd_);
    } else {
        ::SetFocus(next->focusHwnd_);
    }
    return true;
}

void Form::FocusFirst()
{
    if (Control* first = FindNext(nullptr, true))
        ::SetFocus(first->focusHwnd_);
}

void Form::SendTab()
{
    if (client_)
        PostMessageW(client_, kMsgSendTab, 0, 0);
}

LRESULT Form::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            if (HCURSOR cursor = CursorForPointer(mousePointer_)) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusOnDeactivate_ = (focus && IsChild(hwnd, focus)) ? focus : nullptr;
        } else if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) {
            ::SetFocus(focusOnDeactivate_);
            return 0;
        }
        break;
    case kMsgValidate:
        ValidateAfterFocusLoss(static_cast<unsigned>(wParam));
        return 0;
    case kMsgSendTab:
        MoveFocus(true);
        return 0;
    default:
        break;
    }
    return Container::HandleMessage(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
