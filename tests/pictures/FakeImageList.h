// A stand-in image-list control for the images tests: an object reached only
// through IDispatch names ("hImageList", "Name", "Index", "ImageWidth",
// "ImageHeight", "MaskColor", "UseMaskColor", "ListImages" with "Count" and
// "Item", items with "Index", "Key", "Picture" and "Draw"), with a property
// notification connection point; and a container holding such objects,
// which is also the client site that the images' host hands out.
#pragma once

#include "InterfacePtr.h"

#include <windows.h>
#include <ocidl.h>
#include <commctrl.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// IDispatch over a table of names; Call answers a member by name.
class FakeDispatch : public IDispatch {
public:
    explicit FakeDispatch(std::vector<std::wstring> names) : names_(std::move(names)) {}
    virtual ~FakeDispatch() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++count_); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;
    LONG References() const { return count_; }

protected:
    virtual HRESULT Call(const std::wstring& name, DISPPARAMS& params, VARIANT* result) = 0;

private:
    std::vector<std::wstring> names_;
    LONG count_ = 1;
};

struct FakeImage {
    std::wstring key;
    InterfacePtr picture;
};

class FakeImageListControl final : public FakeDispatch, public IConnectionPointContainer, public IConnectionPoint {
public:
    // index -1: not a member of a control array ("Index" fails).
    FakeImageListControl(const wchar_t* name, short index, int width, int height);
    ~FakeImageListControl() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return FakeDispatch::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeDispatch::Release(); }
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    // IConnectionPoint (property notifications, one sink)
    STDMETHODIMP GetConnectionInterface(IID* iid) override { *iid = IID_IPropertyNotifySink; return S_OK; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Appends an image of one colour and the control's image size.
    void AddImage(const wchar_t* key, COLORREF colour);
    void FireChanged();
    bool Connected() const { return sink_ != nullptr; }
    HIMAGELIST Handle() const { return list_; }
    // As on a Visual Basic form: the control answers IGetOleObject with an
    // object whose window is window.
    void SetWindow(HWND window) { window_ = window; }
    std::deque<FakeImage>& Images() { return images_; }
    // The arguments of the last Draw: image index, device context, x, y, style.
    std::vector<long> lastDraw;

protected:
    HRESULT Call(const std::wstring& name, DISPPARAMS& params, VARIANT* result) override;

private:
    std::wstring name_;
    short index_;
    int width_;
    int height_;
    HIMAGELIST list_;
    std::deque<FakeImage> images_;  // a deque: pictures cannot move
    IPropertyNotifySink* sink_ = nullptr;
    HWND window_ = nullptr;
};

// A container whose embedded objects are the given ones, and its own site.
class FakeContainer final : public IOleContainer, public IOleClientSite {
public:
    ~FakeContainer();
    void Add(IUnknown* object);   // referenced
    void RemoveAll();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IOleContainer
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD flags, IEnumUnknown** objects) override;
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    DWORD lastFlags = 0;
    bool visualBasic = false;   // answers IVBGetControl

private:
    std::vector<IUnknown*> objects_;
};

// An object on the container that is no image-list control.
IUnknown* MakePlainObject();
