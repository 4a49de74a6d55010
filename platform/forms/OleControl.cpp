// Hosting an ActiveX control on a form: the form's ambient properties, the
// dispatch of the control's events to the form's handlers, placement, focus
// and drawing of a control that is not active in a window of its own.
#include "OleControl.h"

#include <olectl.h>

#include "Form.h"
#include "GdiObject.h"

namespace hv::forms {

namespace {

using Microsoft::WRL::ComPtr;

// Posted to the control's window: controls closed inside one of their own
// events may go now.
constexpr UINT kMsgReleaseClosed = WM_APP + 0x50;

// Character height of a font in pixels (a positive LOGFONT height is the
// cell height, which includes the internal leading).
int CharacterHeight(HFONT font, const LOGFONTW& logical)
{
    if (logical.lfHeight <= 0)
        return -logical.lfHeight;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return logical.lfHeight;
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(screen, &metrics) != 0;
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return measured ? metrics.tmHeight - metrics.tmInternalLeading : logical.lfHeight;
}

// The form's font as an OLE font object, as controls expect the Font ambient.
ComPtr<IFontDisp> MakeOleFont(HFONT font)
{
    ComPtr<IFontDisp> result;
    LOGFONTW logical{};
    if (!font || GetObjectW(font, sizeof(logical), &logical) == 0)
        return result;
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = logical.lfFaceName;
    // Points in currency units (1/10000).
    desc.cySize.int64 = MulDiv(CharacterHeight(font, logical), 72 * 10000, ScreenDpiY());
    desc.sWeight = static_cast<SHORT>(logical.lfWeight ? logical.lfWeight : FW_NORMAL);
    desc.sCharset = logical.lfCharSet;
    desc.fItalic = logical.lfItalic != 0;
    desc.fUnderline = logical.lfUnderline != 0;
    desc.fStrikethrough = logical.lfStrikeOut != 0;
    OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

} // namespace

OleControl::OleControl(Container& parent, const TwipsRect& place)
    : Control(parent, place)
{
    const RECT pixels{TwipsToPixelsX(place.left), TwipsToPixelsY(place.top),
                      TwipsToPixelsX(place.left + place.width), TwipsToPixelsY(place.top + place.height)};
    HWND hwnd = CreateHandlerWindow(0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, L"", pixels,
                                    parent.ClientWindow());
    RECT client{};
    if (hwnd)
        GetClientRect(hwnd, &client);
    host_ = std::make_unique<hv::container::ControlHost>(hwnd, client);
    // A form lives for hours: it keeps no record of the control's calls
    // (a test switches the log on when it wants one).
    host_->Log().SetEnabled(false);
    host_->Events().OnAny([this](const hv::container::EventCall& call) { Dispatch(call); });
    SetAmbients();
    if (hwnd)
        Attach(hwnd);
}

OleControl::~OleControl()
{
    // The window goes while this object is whole: its destruction closes
    // the control.
    if (Hwnd())
        DestroyWindow(Hwnd());
    Close();
    // A sink the control failed to let go of must not call back into us.
    host_->Events().OnAny(nullptr);
    host_.reset();
}

void OleControl::SetAmbients()
{
    auto& ambients = host_->Ambients();
    ambients.SetBool(DISPID_AMBIENT_USERMODE, true);
    ambients.SetLong(DISPID_AMBIENT_LOCALEID, static_cast<LONG>(GetUserDefaultLCID()));
    ambients.SetString(DISPID_AMBIENT_SCALEUNITS, L"Twip");
    if (ComPtr<IFontDisp> font = MakeOleFont(OwnerForm().Font())) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_DISPATCH;
        value.pdispVal = font.Get();
        ambients.Set(DISPID_AMBIENT_FONT, value);  // copied with its own reference
    }
}

HRESULT OleControl::Create(REFCLSID clsid)
{
    if (!Hwnd())
        return E_UNEXPECTED;
    if (IsHosted())
        return E_UNEXPECTED;
    ComPtr<IUnknown> control;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                        reinterpret_cast<void**>(control.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    return Embed(control.Get());
}

HRESULT OleControl::Embed(IUnknown* control)
{
    if (!control)
        return E_POINTER;
    if (!Hwnd() || IsHosted())
        return E_UNEXPECTED;
    const HRESULT hr = host_->Attach(control);
    if (FAILED(hr)) {
        host_->Close();  // a half-sited control lets go of its site
        return hr;
    }
    // Until in-place activation succeeds the control stays sited and the
    // container draws it; the caller may ask again through Activate.
    Activate();
    return S_OK;
}

HRESULT OleControl::Activate()
{
    if (!IsHosted())
        return E_UNEXPECTED;
    activation_ = host_->Activate(OLEIVERB_INPLACEACTIVATE);
    TakeInPlaceWindow();
    if (Hwnd())
        InvalidateRect(Hwnd(), nullptr, TRUE);
    return activation_;
}

HRESULT OleControl::Close()
{
    if (!IsHosted())
        return S_OK;
    // Closed from inside one of its events: the control is still running
    // the code that fired it, so it must outlive the event.
    if (dispatching_ > 0)
        closedDuringEvent_.push_back(host_->Control());
    const HRESULT hr = host_->Close();
    activation_ = E_UNEXPECTED;
    // Its in-place window is gone: the focus comes back to ours.
    if (Hwnd() && FocusHwnd() != Hwnd())
        Attach(Hwnd());
    if (Hwnd())
        InvalidateRect(Hwnd(), nullptr, TRUE);
    return hr;
}

HWND OleControl::InPlaceWindow() const
{
    if (!IsHosted() || !host_->Site().InPlaceActive())
        return nullptr;
    auto inPlace = Query<IOleInPlaceObject>();
    HWND window = nullptr;
    if (!inPlace || FAILED(inPlace->GetWindow(&window)) || !window || !Hwnd() || !IsChild(Hwnd(), window))
        return nullptr;
    return window;
}

void OleControl::TakeInPlaceWindow()
{
    HWND window = InPlaceWindow();
    if (window && window != FocusHwnd())
        Attach(Hwnd(), window);
}

void OleControl::OnEvent(DISPID dispid, EventHandler handler)
{
    handlers_[dispid] = std::move(handler);
}

void OleControl::Dispatch(const hv::container::EventCall& call)
{
    // The sink's history of events would only grow here.
    host_->Events().ClearReceived();
    auto it = handlers_.find(call.Dispid());
    if (it == handlers_.end() || !it->second)
        return;
    const EventHandler handler = it->second;  // the handler may replace itself
    struct Depth {
        OleControl& self;
        explicit Depth(OleControl& owner) : self(owner) { ++self.dispatching_; }
        ~Depth()
        {
            if (--self.dispatching_ == 0 && !self.closedDuringEvent_.empty() && self.Hwnd())
                PostMessageW(self.Hwnd(), kMsgReleaseClosed, 0, 0);
        }
    } depth(*this);
    handler(call);
}

void OleControl::Resize(int width, int height)
{
    if (!host_)
        return;  // still being created
    const RECT position{0, 0, width, height};
    host_->Site().SetPosition(position);
    if (!IsHosted())
        return;
    SIZEL extent{MulDiv(width, 2540, ScreenDpiX()), MulDiv(height, 2540, ScreenDpiY())};
    host_->OleObject()->SetExtent(DVASPECT_CONTENT, &extent);
    if (host_->Site().InPlaceActive()) {
        if (auto inPlace = Query<IOleInPlaceObject>())
            inPlace->SetObjectRects(&position, &position);
    }
}

void OleControl::PaintThroughView(HDC dc, const RECT& client)
{
    auto view = Query<IViewObject>();
    const RECTL bounds{client.left, client.top, client.right, client.bottom};
    if (!view || FAILED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                                   nullptr, 0)))
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

bool OleControl::PreviewMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // A control active in its own window that wants Tab for itself (moving
    // between its cells) says so as dialog controls do; it gets the key
    // instead of the form.
    if (hwnd == Hwnd() || hwnd != FocusHwnd())
        return false;
    const bool tabKey = (msg == WM_KEYDOWN && wParam == VK_TAB) || (msg == WM_CHAR && wParam == '\t');
    if (!tabKey)
        return false;
    MSG message{hwnd, msg, wParam, lParam, 0, {}};
    const LRESULT code = SendMessageW(hwnd, WM_GETDLGCODE, wParam, reinterpret_cast<LPARAM>(&message));
    if ((code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) == 0)
        return false;
    result = DefSubclassProc(hwnd, msg, wParam, lParam);
    return true;
}

LRESULT OleControl::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        // A control active in a window of its own paints there; any other
        // hosted control is drawn here.
        if (IsHosted() && !InPlaceWindow())
            PaintThroughView(dc, client);
        else
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;  // painted whole in WM_PAINT
    case WM_SETFOCUS:
        if (HWND window = InPlaceWindow()) {
            ::SetFocus(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        Close();
        break;
    case kMsgReleaseClosed:
        if (dispatching_ == 0)
            closedDuringEvent_.clear();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
