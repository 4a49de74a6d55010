// The stand-in image-list control and its container.
#include "FakeImageList.h"

#include "Canvas.h"
#include "VbContainerInterfaces.h"

namespace {

VARIANT* Argument(DISPPARAMS& params, UINT fromLeft)
{
    if (fromLeft >= params.cArgs)
        return nullptr;
    return &params.rgvarg[params.cArgs - 1 - fromLeft];
}

HRESULT ReturnShort(VARIANT* result, short value)
{
    if (result) {
        V_VT(result) = VT_I2;
        V_I2(result) = value;
    }
    return S_OK;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text)
{
    if (result) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(text.c_str());
    }
    return S_OK;
}

HRESULT ReturnObject(VARIANT* result, IDispatch* object)
{
    if (!result) {
        object->Release();
        return S_OK;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    return S_OK;
}

class FakeItem final : public FakeDispatch {
public:
    FakeItem(FakeImageListControl& control, short index)
        : FakeDispatch({L"Index", L"Key", L"Picture", L"Draw"}), control_(control), index_(index)
    {
        control_.AddRef();
    }
    ~FakeItem() override { control_.Release(); }

protected:
    HRESULT Call(const std::wstring& name, DISPPARAMS& params, VARIANT* result) override
    {
        FakeImage& image = control_.Images()[static_cast<size_t>(index_ - 1)];
        if (name == L"Index")
            return ReturnShort(result, index_);
        if (name == L"Key")
            return ReturnText(result, image.key);
        if (name == L"Picture")
            return ReturnObject(result, image.picture.GetPictureDisp());
        if (params.cArgs != 4)
            return DISP_E_BADPARAMCOUNT;
        control_.lastDraw = {index_};
        for (UINT i = 0; i < 4; ++i) {
            VARIANT number;
            VariantInit(&number);
            VariantChangeType(&number, Argument(params, i), 0, VT_I4);
            control_.lastDraw.push_back(V_I4(&number));
        }
        return S_OK;
    }

private:
    FakeImageListControl& control_;
    short index_;
};

class FakeListImages final : public FakeDispatch {
public:
    explicit FakeListImages(FakeImageListControl& control) : FakeDispatch({L"Count", L"Item"}), control_(control)
    {
        control_.AddRef();
    }
    ~FakeListImages() override { control_.Release(); }

protected:
    HRESULT Call(const std::wstring& name, DISPPARAMS& params, VARIANT* result) override
    {
        const auto& images = control_.Images();
        if (name == L"Count")
            return ReturnShort(result, static_cast<short>(images.size()));
        VARIANT* which = Argument(params, 0);
        if (!which)
            return DISP_E_BADPARAMCOUNT;
        size_t found = images.size();
        if (V_VT(which) == VT_BSTR) {
            for (size_t i = 0; i < images.size(); ++i)
                if (V_BSTR(which) && _wcsicmp(images[i].key.c_str(), V_BSTR(which)) == 0)
                    found = i;
        } else {
            VARIANT number;
            VariantInit(&number);
            if (SUCCEEDED(VariantChangeType(&number, which, 0, VT_I4)) && V_I4(&number) >= 1)
                found = static_cast<size_t>(V_I4(&number) - 1);
        }
        if (found >= images.size())
            return DISP_E_EXCEPTION;   // the control's "Index out of bounds"
        return ReturnObject(result, new FakeItem(control_, static_cast<short>(found + 1)));
    }

private:
    FakeImageListControl& control_;
};

class ObjectEnumerator final : public IEnumUnknown {
public:
    explicit ObjectEnumerator(const std::vector<IUnknown*>& objects) : objects_(objects)
    {
        for (IUnknown* object : objects_)
            object->AddRef();
    }
    ~ObjectEnumerator()
    {
        for (IUnknown* object : objects_)
            object->Release();
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++count_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = --count_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP Next(ULONG wanted, IUnknown** out, ULONG* fetched) override
    {
        ULONG given = 0;
        while (given < wanted && at_ < objects_.size()) {
            out[given] = objects_[at_++];
            out[given++]->AddRef();
        }
        if (fetched)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        at_ += count;
        return at_ <= objects_.size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        at_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumUnknown**) override { return E_NOTIMPL; }

private:
    std::vector<IUnknown*> objects_;
    size_t at_ = 0;
    LONG count_ = 1;
};

// The control's OLE object as IGetOleObject gives it: only its window matters.
class FakeOleObject final : public IOleObject, public IOleWindow {
public:
    explicit FakeOleObject(HWND window) : window_(window) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject))
            *out = static_cast<IOleObject*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else
            *out = nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++count_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = --count_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override
    {
        *site = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP Close(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return E_NOTIMPL; }
    STDMETHODIMP IsUpToDate() override { return E_NOTIMPL; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

private:
    HWND window_;
    LONG count_ = 1;
};

class OleObjectGetter final : public IGetOleObject {
public:
    OleObjectGetter(IUnknown* owner, HWND window) : owner_(owner), window_(window) { owner_->AddRef(); }
    ~OleObjectGetter() { owner_->Release(); }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IGetOleObject)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return owner_->QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++count_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = --count_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP GetOleObject(REFIID iid, void** object) override
    {
        FakeOleObject* ole = new FakeOleObject(window_);
        HRESULT hr = ole->QueryInterface(iid, object);
        ole->Release();
        return hr;
    }

private:
    IUnknown* owner_;
    HWND window_;
    LONG count_ = 1;
};

class PlainObject final : public FakeDispatch {
public:
    PlainObject() : FakeDispatch({L"Name"}) {}

protected:
    HRESULT Call(const std::wstring&, DISPPARAMS&, VARIANT* result) override { return ReturnText(result, L"Text1"); }
};

} // namespace

STDMETHODIMP FakeDispatch::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeDispatch::Release()
{
    const LONG left = --count_;
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (size_t n = 0; n < names_.size(); ++n)
            if (_wcsicmp(names_[n].c_str(), names[i]) == 0)
                ids[i] = static_cast<DISPID>(n + 1);
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                  UINT*)
{
    if (id < 1 || static_cast<size_t>(id) > names_.size())
        return DISP_E_MEMBERNOTFOUND;
    if (result)
        VariantInit(result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return Call(names_[static_cast<size_t>(id - 1)], params ? *params : none, result);
}

FakeImageListControl::FakeImageListControl(const wchar_t* name, short index, int width, int height)
    : FakeDispatch({L"hImageList", L"Name", L"Index", L"ImageWidth", L"ImageHeight", L"MaskColor", L"UseMaskColor",
                    L"ListImages"}),
      name_(name), index_(index), width_(width), height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32, 4, 4))
{
}

FakeImageListControl::~FakeImageListControl()
{
    if (sink_)
        sink_->Release();
    ImageList_Destroy(list_);
}

STDMETHODIMP FakeImageListControl::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = static_cast<IConnectionPointContainer*>(this);
        AddRef();
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IGetOleObject) && window_) {
        // A tear-off that keeps the control alive while it is held.
        *out = static_cast<IGetOleObject*>(new OleObjectGetter(static_cast<IDispatch*>(this), window_));
        return S_OK;
    }
    return FakeDispatch::QueryInterface(iid, out);
}

STDMETHODIMP FakeImageListControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    *point = nullptr;
    if (!IsEqualIID(iid, IID_IPropertyNotifySink))
        return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeImageListControl::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    *out = this;
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeImageListControl::Advise(IUnknown* sink, DWORD* cookie)
{
    if (sink_)
        return CONNECT_E_ADVISELIMIT;
    if (FAILED(sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&sink_))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = 7;
    return S_OK;
}

STDMETHODIMP FakeImageListControl::Unadvise(DWORD cookie)
{
    if (!sink_ || cookie != 7)
        return CONNECT_E_NOCONNECTION;
    sink_->Release();
    sink_ = nullptr;
    return S_OK;
}

void FakeImageListControl::AddImage(const wchar_t* key, COLORREF colour)
{
    images_.emplace_back();
    images_.back().key = key;
    MakeBitmapPicture(images_.back().picture, width_, height_, [colour](int, int) { return colour; });
}

void FakeImageListControl::FireChanged()
{
    if (sink_)
        sink_->OnChanged(DISPID_UNKNOWN);
}

HRESULT FakeImageListControl::Call(const std::wstring& name, DISPPARAMS&, VARIANT* result)
{
    if (name == L"hImageList") {
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(reinterpret_cast<INT_PTR>(list_));
        return S_OK;
    }
    if (name == L"Name")
        return ReturnText(result, name_);
    if (name == L"Index")
        return index_ < 0 ? DISP_E_EXCEPTION : ReturnShort(result, index_);
    if (name == L"ImageWidth")
        return ReturnShort(result, static_cast<short>(width_));
    if (name == L"ImageHeight")
        return ReturnShort(result, static_cast<short>(height_));
    if (name == L"MaskColor") {
        V_VT(result) = VT_I4;
        V_I4(result) = RGB(255, 0, 255);
        return S_OK;
    }
    if (name == L"UseMaskColor") {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_FALSE;
        return S_OK;
    }
    return ReturnObject(result, new FakeListImages(*this));
}

FakeContainer::~FakeContainer()
{
    RemoveAll();
}

void FakeContainer::Add(IUnknown* object)
{
    object->AddRef();
    objects_.push_back(object);
}

void FakeContainer::RemoveAll()
{
    for (IUnknown* object : objects_)
        object->Release();
    objects_.clear();
}

STDMETHODIMP FakeContainer::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleContainer) ||
        IsEqualIID(iid, IID_IParseDisplayName)) {
        *out = static_cast<IOleContainer*>(this);
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IVBGetControl) && visualBasic) {
        *out = static_cast<IOleContainer*>(this);   // never called: its presence is what counts
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IOleClientSite)) {
        *out = static_cast<IOleClientSite*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeContainer::EnumObjects(DWORD flags, IEnumUnknown** objects)
{
    lastFlags = flags;
    *objects = new ObjectEnumerator(objects_);
    return S_OK;
}

STDMETHODIMP FakeContainer::GetContainer(IOleContainer** container)
{
    *container = this;
    return S_OK;
}

IUnknown* MakePlainObject()
{
    return new PlainObject;
}
