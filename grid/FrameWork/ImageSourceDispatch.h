// CImageSourceDispatch: one image-list control of the container, known by
// name (and control-array index), driven only through IDispatch names. Every
// call answers a neutral value when no control is attached or the control
// refuses it.
#pragma once

#include "DualString.h"

#include <windows.h>
#include <commctrl.h>
#include <ocidl.h>

class CImageSourceHandle;

class CImageSourceDispatch {
public:
    // The "(None)" entry: no control, index -1.
    CImageSourceDispatch() noexcept;
    // control and second are referenced when given.
    CImageSourceDispatch(const char* name, IDispatch* control, IUnknown* second, long index) noexcept;
    ~CImageSourceDispatch();
    CImageSourceDispatch(const CImageSourceDispatch&) = delete;
    CImageSourceDispatch& operator=(const CImageSourceDispatch&) = delete;

    // Takes other's name, index and control references; the sink connection
    // moves to the new control. The cached dispatch identifiers start over.
    void CopyFrom(const CImageSourceDispatch& other);
    // Drops the control (and its connection) and keeps name and index.
    void DropControl();
    void SetName(const CDualString& name, long index);
    // The sink that Connect attaches (not owned).
    void SetSink(IPropertyNotifySink* sink) { sink_ = sink; }

    const CDualString& Name() const { return name_; }
    long Index() const { return index_; }
    IDispatch* Control() const { return control_; }
    IUnknown* Second() const { return second_; }
    CImageSourceHandle* Owner() const { return owner_; }
    void SetOwner(CImageSourceHandle* owner) { owner_ = owner; }
    // "Name(3)" with a control-array index, else the name.
    CDualString DisplayName() const;
    // Whether other names the same object.
    bool IsControl(IUnknown* other) const;

    // The dispatch calls on the control.
    long Count();
    short ImageWidth();    // 16 when unreadable
    short ImageHeight();   // 0 when unreadable
    bool UseMaskColor();   // true when the control has no such property
    OLE_COLOR MaskColor();
    // New references, or null.
    IDispatch* Item(short index);
    IDispatch* Picture(short index);
    // False when the key cannot be read; key is set only for a text value.
    bool Key(short index, CDualString& key);
    // E_FAIL without a control, S_FALSE when the control knows no such item.
    HRESULT IndexFromValue(const VARIANT& value, short& index);
    bool Draw(short index, HDC dc, short x, short y, short style);
    // A task-memory array of task-memory strings: each image's key, or its
    // index in decimal when the key is empty.
    HRESULT Keys(ULONG* count, LPOLESTR** keys);
    // The control's "hImageList" value; the control keeps owning it.
    HIMAGELIST ImageListHandle();

    HRESULT Connect();
    void Disconnect();

private:
    // The names whose dispatch identifiers are cached, in this order.
    enum NameId : int {
        kListImages, kImageHeight, kImageWidth, kMaskColor, kUseMaskColor, kCount, kItem, kDraw, kPicture,
        kIndex, kKey, kNameCount
    };
    // The cached dispatch identifier of name on object; DISPID_UNKNOWN when
    // the object does not know it.
    DISPID Id(IDispatch* object, int name);
    HRESULT Get(IDispatch* object, int name, VARIANT& result, VARIANT* argument = nullptr);
    // The control's ListImages collection, a new reference or null.
    IDispatch* ListImagesOf();
    void ResetIds();

    DISPID ids_[kNameCount];
    CDualString name_;
    long index_ = -1;
    IDispatch* control_ = nullptr;       // referenced
    IUnknown* second_ = nullptr;         // referenced
    CImageSourceHandle* owner_ = nullptr;
    IConnectionPoint* connectionPoint_ = nullptr;
    DWORD cookie_ = 0;
    IPropertyNotifySink* sink_ = nullptr;   // not owned
};

// Dispatch helpers shared with the candidate list.
namespace ImageSourceCalls {
// GetIDsOfNames with IID_NULL, one name and LOCALE_SYSTEM_DEFAULT.
HRESULT IdOfName(IDispatch* object, const wchar_t* name, DISPID& id);
// A property get with at most one argument.
HRESULT GetProperty(IDispatch* object, DISPID id, VARIANT& result, VARIANT* argument = nullptr);
} // namespace ImageSourceCalls
