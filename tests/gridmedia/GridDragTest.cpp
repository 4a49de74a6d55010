// OLE drag and drop between two registered grids in one container, driven
// by real mouse input (the pointer moves: this program runs alone), and the
// drags that end before the drag loop.
#include "MediaTestSupport.h"

#include <olectl.h>
#include <shlobj.h>

#include <memory>

namespace {

constexpr DISPID kMouseDown = -605;
constexpr DISPID kOLEStartDrag = 1550;
constexpr DISPID kOLECompleteDrag = 1553;
constexpr DISPID kOLEDragDrop = 1555;
constexpr HRESULT kRecursiveDrag = static_cast<HRESULT>(0x800A02A2);
constexpr HRESULT kFormatMismatch = static_cast<HRESULT>(0x800A01CD);

// Two grids side by side in one shown container window.
struct TwoGrids {
    TwoGrids()
        : window(660, 240), a(window.Hwnd(), RECT{10, 10, 310, 210}), b(window.Hwnd(), RECT{350, 10, 650, 210})
    {
        RegisterControlLibrary();
        SetWindowPos(window.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        for (hv::container::ControlHost* host : {&a, &b}) {
            REQUIRE(host->Create(CLSID_HvTavelle) == S_OK);
            REQUIRE(host->Activate() == S_OK);
        }
        gridA = a.Query<IHvTavelleControl>();
        gridB = b.Query<IHvTavelleControl>();
        REQUIRE(gridA);
        REQUIRE(gridB);
        SetForegroundWindow(window.Hwnd());
        PumpUntil([] { return false; }, 100);
    }
    // The centre of a grid on the screen.
    POINT Centre(IHvTavelleControl* grid)
    {
        OLE_HANDLE handle = 0;
        grid->get_hWnd(&handle);
        HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
        RECT rect = {};
        GetWindowRect(window, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    hv::container::ContainerWindow window;
    hv::container::ControlHost a;
    hv::container::ControlHost b;
    ComPtr<IHvTavelleControl> gridA;
    ComPtr<IHvTavelleControl> gridB;
};

void SendMouse(DWORD flags, POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((at.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((at.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The moves of a drag from one point to another, then the release, played
// one step per timer tick so that the drag loop sees each in turn.
struct DragPath {
    std::vector<POINT> points;
    size_t next = 0;
    bool released = false;
};
DragPath* g_path = nullptr;

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD)
{
    DragPath& path = *g_path;
    if (path.next < path.points.size()) {
        SendMouse(MOUSEEVENTF_MOVE, path.points[path.next++]);
    } else if (!path.released) {
        SendMouse(MOUSEEVENTF_LEFTUP, path.points.back());
        path.released = true;
    }
}

// Plays the path with its steps on a thread timer while the caller's drag
// runs; the button goes down at the first point first.
struct PlayedPath {
    DragPath path;
    UINT_PTR timer = 0;
    PlayedPath(POINT from, POINT to)
    {
        for (int i = 0; i <= 8; ++i)
            path.points.push_back(POINT{from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8});
        path.points.push_back(POINT{to.x + 3, to.y + 3});
        g_path = &path;
        timer = SetTimer(nullptr, 0, 40, &NextStep);
    }
    ~PlayedPath()
    {
        KillTimer(nullptr, timer);
        if (!path.released)
            SendMouse(MOUSEEVENTF_LEFTUP, path.points.back());
        g_path = nullptr;
    }
};

ComPtr<IHvDataObject> DataOf(const hv::container::EventCall& call)
{
    ComPtr<IHvDataObject> data;
    if (IDispatch* object = call.Object(0))
        object->QueryInterface(IID_PPV_ARGS(data.GetAddressOf()));
    return data;
}

} // namespace

TEST_CASE("A drag started from one grid's MouseDown delivers text to the other grid")
{
    TwoGrids grids;
    REQUIRE(grids.gridB->put_OLEDropMode(hvOLEDropManual) == S_OK);
    const POINT from = grids.Centre(grids.gridA.Get());
    const POINT to = grids.Centre(grids.gridB.Get());
    std::unique_ptr<PlayedPath> played;
    HRESULT dragResult = E_FAIL;
    grids.a.Events().On(kMouseDown, [&](const hv::container::EventCall&) {
        played = std::make_unique<PlayedPath>(from, to);
        dragResult = grids.gridA->OLEDrag();
    });
    grids.a.Events().On(kOLEStartDrag, [&](const hv::container::EventCall& e) {
        VARIANT text = Text(L"ol\u00e1");
        VARIANT format = Long(1);
        DataOf(e)->SetData(text, format);
        VariantClear(&text);
        e.SetLong(1, DROPEFFECT_COPY);
    });
    std::wstring dropped;
    grids.b.Events().On(kOLEDragDrop, [&](const hv::container::EventCall& e) {
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(DataOf(e)->GetData(1, &value)) && value.vt == VT_BSTR)
            dropped = value.bstrVal;
        VariantClear(&value);
        e.SetLong(1, DROPEFFECT_COPY);
    });
    LONG completed = -1;
    grids.a.Events().On(kOLECompleteDrag, [&](const hv::container::EventCall& e) { completed = e.Long(0); });

    SetCursorPos(from.x, from.y);
    SendMouse(MOUSEEVENTF_MOVE, from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    CHECK(PumpUntil([&] { return completed != -1 || (played && played->path.released && dragResult != E_FAIL); }));
    played.reset();
    CHECK(dragResult == S_OK);
    CHECK(dropped == L"ol\u00e1");
    CHECK(completed == DROPEFFECT_COPY);
}

namespace {

// A data object of another program: a DIB that claims more colours than it
// can hold, and a metafile picture with its HIMETRIC extent.
class ForeignPictures final : public IDataObject {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IDataObject) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        *medium = {};
        if (format->cfFormat == CF_DIB) {
            BITMAPINFOHEADER header = {sizeof header, 4, 3, 1, 8, BI_RGB, 0, 0, 0, 0x10000, 0};
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof header + 64);
            *static_cast<BITMAPINFOHEADER*>(GlobalLock(medium->hGlobal)) = header;
            GlobalUnlock(medium->hGlobal);
            return S_OK;
        }
        HDC recorder = CreateMetaFileW(nullptr);
        Rectangle(recorder, 0, 0, 40, 20);
        medium->tymed = TYMED_MFPICT;
        medium->hMetaFilePict = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
        *static_cast<METAFILEPICT*>(GlobalLock(medium->hMetaFilePict)) = {MM_ANISOTROPIC, 5080, 2540,
                                                                         CloseMetaFile(recorder)};
        GlobalUnlock(medium->hMetaFilePict);
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override
    {
        if (format->cfFormat == CF_DIB && (format->tymed & TYMED_HGLOBAL))
            return S_OK;
        if (format->cfFormat == CF_METAFILEPICT && (format->tymed & TYMED_MFPICT))
            return S_OK;
        return S_FALSE;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        static FORMATETC formats[] = {{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                                      {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT}};
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        return SHCreateStdEnumFmtEtc(2, formats, out);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// Drops when the button is up.
class ButtonDropSource final : public IDropSource {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IDropSource) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

TEST_CASE("Pictures dropped by another program: a DIB that overreaches is refused, a metafile keeps its size")
{
    TwoGrids grids;
    REQUIRE(grids.gridB->put_OLEDropMode(hvOLEDropManual) == S_OK);
    HRESULT dibResult = S_OK;
    std::wstring dibError;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    grids.b.Events().On(kOLEDragDrop, [&](const hv::container::EventCall& e) {
        VARIANT value;
        VariantInit(&value);
        dibResult = DataOf(e)->GetData(CF_DIB, &value);
        dibError = ErrorDescription();
        VariantClear(&value);
        if (SUCCEEDED(DataOf(e)->GetData(CF_METAFILEPICT, &value)) && value.vt == VT_DISPATCH) {
            ComPtr<IPicture> picture;
            value.pdispVal->QueryInterface(IID_PPV_ARGS(picture.GetAddressOf()));
            picture->get_Width(&width);
            picture->get_Height(&height);
        }
        VariantClear(&value);
        e.SetLong(1, DROPEFFECT_COPY);
    });
    const POINT from = {grids.Centre(grids.gridA.Get()).x, grids.Centre(grids.gridA.Get()).y};
    const POINT to = grids.Centre(grids.gridB.Get());
    SetCursorPos(from.x, from.y);
    SendMouse(MOUSEEVENTF_MOVE, from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    PumpUntil([] { return false; }, 100);
    ForeignPictures data;
    ButtonDropSource source;
    DWORD effect = 0;
    {
        PlayedPath played(from, to);
        CHECK(DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect) == DRAGDROP_S_DROP);
    }
    CHECK(effect == DROPEFFECT_COPY);
    CHECK(dibResult == kFormatMismatch);
    CHECK(dibError == L"Specified format doesn't match format of data");
    CHECK(width == 5080);
    CHECK(height == 2540);
}

TEST_CASE("Drags that end before the drag loop leave the grid ready for the next one")
{
    TwoGrids grids;
    auto& events = grids.a.Events();
    SUBCASE("OLEDrag from inside OLEStartDrag is refused")
    {
        HRESULT inner = S_OK;
        events.On(kOLEStartDrag, [&](const hv::container::EventCall&) { inner = grids.gridA->OLEDrag(); });
        CHECK(grids.gridA->OLEDrag() == S_OK);
        CHECK(inner == kRecursiveDrag);
        CHECK(grids.gridA->OLEDrag() == S_OK);   // the next one runs, and is refused inside again
        CHECK(events.ReceivedCount(kOLEStartDrag) == 2);
    }
    SUBCASE("no allowed effects")
    {
        events.On(kOLEStartDrag, [&](const hv::container::EventCall& e) {
            VARIANT text = Text(L"x");
            DataOf(e)->SetData(text, Long(1));
            VariantClear(&text);
        });
        CHECK(grids.gridA->OLEDrag() == S_OK);
        CHECK(grids.gridA->OLEDrag() == S_OK);
        CHECK(events.ReceivedCount(kOLEStartDrag) == 2);
    }
    SUBCASE("the handler closes the grid's container")
    {
        events.On(kOLEStartDrag, [&](const hv::container::EventCall& e) {
            VARIANT text = Text(L"x");
            DataOf(e)->SetData(text, Long(1));
            VariantClear(&text);
            e.SetLong(1, DROPEFFECT_COPY);
            grids.a.Close();
        });
        CHECK(SUCCEEDED(grids.gridA->OLEDrag()));
        // Closed, the grid still answers: a drag from it starts afresh
        // (and, with no container to hear OLEStartDrag, offers nothing).
        CHECK(grids.gridA->OLEDrag() == S_OK);
    }
    CHECK(events.ReceivedCount(kOLECompleteDrag) == 0);
}
