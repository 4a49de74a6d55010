// CImageSourceDispatch: the adapter of one external image-list control.
#include "ImageSourceDispatch.h"

#include "Module.h"

#include <commctrl.h>

namespace {

const wchar_t* const kNames[] = {L"ListImages", L"ImageHeight", L"ImageWidth", L"MaskColor", L"UseMaskColor",
                                 L"Count",      L"Item",        L"Draw",       L"Picture",   L"Index",
                                 L"Key"};

template <class T>
void Drop(T*& pointer)
{
    if (pointer)
        pointer->Release();
    pointer = nullptr;
}

bool ToShort(VARIANT& value, short& result)
{
    if (FAILED(VariantChangeType(&value, &value, 0, VT_I2)))
        return false;
    result = V_I2(&value);
    return true;
}

// The object of a property value, a new reference or null.
IDispatch* TakeDispatch(VARIANT& value)
{
    IDispatch* object = nullptr;
    if ((V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) && V_UNKNOWN(&value))
        V_UNKNOWN(&value)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    VariantClear(&value);
    return object;
}

} // namespace

namespace ImageSourceCalls {

HRESULT IdOfName(IDispatch* object, const wchar_t* name, DISPID& id)
{
    id = DISPID_UNKNOWN;
    if (!object)
        return E_POINTER;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (FAILED(hr))
        id = DISPID_UNKNOWN;
    return hr;
}

HRESULT GetProperty(IDispatch* object, DISPID id, VARIANT& result, VARIANT* argument)
{
    VariantInit(&result);
    if (!object || id == DISPID_UNKNOWN)
        return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS params = {argument, nullptr, argument ? 1u : 0u, 0};
    WORD flags = argument ? DISPATCH_METHOD | DISPATCH_PROPERTYGET : DISPATCH_PROPERTYGET;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, flags, &params, &result, nullptr, nullptr);
    if (FAILED(hr))
        VariantClear(&result);
    return hr;
}

} // namespace ImageSourceCalls

CImageSourceDispatch::CImageSourceDispatch() noexcept
{
    LibraryAddRef();
    ResetIds();
    name_.AssignAnsi("(None)");
}

CImageSourceDispatch::CImageSourceDispatch(const char* name, IDispatch* control, IUnknown* second,
                                           long index) noexcept
    : index_(index), control_(control), second_(second)
{
    LibraryAddRef();
    ResetIds();
    name_.AssignAnsi(name ? name : "");
    if (control_)
        control_->AddRef();
    if (second_)
        second_->AddRef();
}

CImageSourceDispatch::~CImageSourceDispatch()
{
    Disconnect();
    Drop(control_);
    Drop(second_);
    LibraryRelease();
}

void CImageSourceDispatch::ResetIds()
{
    for (DISPID& id : ids_)
        id = DISPID_UNKNOWN;
}

void CImageSourceDispatch::CopyFrom(const CImageSourceDispatch& other)
{
    if (&other == this)
        return;
    Disconnect();
    if (other.control_)
        other.control_->AddRef();
    if (other.second_)
        other.second_->AddRef();
    Drop(control_);
    Drop(second_);
    control_ = other.control_;
    second_ = other.second_;
    name_ = other.name_;
    index_ = other.index_;
    owner_ = other.owner_;
    ResetIds();
    if (control_)
        Connect();
}

void CImageSourceDispatch::DropControl()
{
    Disconnect();
    Drop(control_);
    Drop(second_);
    ResetIds();
}

void CImageSourceDispatch::SetName(const CDualString& name, long index)
{
    name_ = name;
    index_ = index;
}

CDualString CImageSourceDispatch::DisplayName() const
{
    CDualString text(name_);
    if (index_ >= 0) {
        CDualString number;
        IntToString(index_, number, 10);
        text.AppendAnsi("(");
        text.Append(number);
        text.AppendAnsi(")");
    }
    return text;
}

bool CImageSourceDispatch::IsControl(IUnknown* other) const
{
    if (!other || !control_)
        return false;
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
    control_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
    const bool same = a && a == b;
    Drop(a);
    Drop(b);
    return same;
}

DISPID CImageSourceDispatch::Id(IDispatch* object, int name)
{
    if (ids_[name] == DISPID_UNKNOWN)
        ImageSourceCalls::IdOfName(object, kNames[name], ids_[name]);
    return ids_[name];
}

HRESULT CImageSourceDispatch::Get(IDispatch* object, int name, VARIANT& result, VARIANT* argument)
{
    VariantInit(&result);
    if (!object)
        return E_FAIL;
    return ImageSourceCalls::GetProperty(object, Id(object, name), result, argument);
}

IDispatch* CImageSourceDispatch::ListImagesOf()
{
    VARIANT value;
    if (FAILED(Get(control_, kListImages, value)))
        return nullptr;
    return TakeDispatch(value);
}

long CImageSourceDispatch::Count()
{
    IDispatch* images = ListImagesOf();
    if (!images)
        return 0;
    VARIANT value;
    long count = 0;
    if (SUCCEEDED(Get(images, kCount, value)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        count = V_I4(&value);
    VariantClear(&value);
    images->Release();
    return count;
}

short CImageSourceDispatch::ImageWidth()
{
    VARIANT value;
    short width = 16;
    if (SUCCEEDED(Get(control_, kImageWidth, value)) && !ToShort(value, width))
        width = 16;
    VariantClear(&value);
    return width;
}

short CImageSourceDispatch::ImageHeight()
{
    VARIANT value;
    short height = 0;
    if (SUCCEEDED(Get(control_, kImageHeight, value)) && !ToShort(value, height))
        height = 0;
    VariantClear(&value);
    return height;
}

bool CImageSourceDispatch::UseMaskColor()
{
    VARIANT value;
    bool use = true;
    if (SUCCEEDED(Get(control_, kUseMaskColor, value)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)))
        use = V_BOOL(&value) != VARIANT_FALSE;
    VariantClear(&value);
    return use;
}

OLE_COLOR CImageSourceDispatch::MaskColor()
{
    VARIANT value;
    OLE_COLOR colour = 0;
    if (SUCCEEDED(Get(control_, kMaskColor, value)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        colour = static_cast<OLE_COLOR>(V_I4(&value));
    VariantClear(&value);
    return colour;
}

IDispatch* CImageSourceDispatch::Item(short index)
{
    if (index < 1)
        return nullptr;
    IDispatch* images = ListImagesOf();
    if (!images)
        return nullptr;
    VARIANT argument;
    V_VT(&argument) = VT_I2;
    V_I2(&argument) = index;
    VARIANT value;
    IDispatch* item = SUCCEEDED(Get(images, kItem, value, &argument)) ? TakeDispatch(value) : nullptr;
    images->Release();
    return item;
}

IDispatch* CImageSourceDispatch::Picture(short index)
{
    IDispatch* item = Item(index);
    if (!item)
        return nullptr;
    VARIANT value;
    IDispatch* picture = SUCCEEDED(Get(item, kPicture, value)) ? TakeDispatch(value) : nullptr;
    item->Release();
    return picture;
}

bool CImageSourceDispatch::Key(short index, CDualString& key)
{
    IDispatch* item = Item(index);
    if (!item)
        return false;
    VARIANT value;
    const bool read = SUCCEEDED(Get(item, kKey, value));
    if (read && V_VT(&value) == VT_BSTR)
        key.AssignWide(V_BSTR(&value) ? V_BSTR(&value) : L"");
    VariantClear(&value);
    item->Release();
    return read;
}

HRESULT CImageSourceDispatch::IndexFromValue(const VARIANT& given, short& index)
{
    index = 0;
    if (!control_)
        return E_FAIL;
    IDispatch* images = ListImagesOf();
    if (!images)
        return S_FALSE;
    VARIANT argument;
    VariantInit(&argument);
    VariantCopyInd(&argument, const_cast<VARIANT*>(&given));
    VARIANT value;
    IDispatch* item = SUCCEEDED(Get(images, kItem, value, &argument)) ? TakeDispatch(value) : nullptr;
    VariantClear(&argument);
    images->Release();
    if (!item)
        return S_FALSE;
    HRESULT hr = S_FALSE;
    if (SUCCEEDED(Get(item, kIndex, value)) && ToShort(value, index))
        hr = S_OK;
    VariantClear(&value);
    item->Release();
    return hr;
}

bool CImageSourceDispatch::Draw(short index, HDC dc, short x, short y, short style)
{
    IDispatch* item = Item(index);
    if (!item)
        return false;
    const DISPID id = Id(item, kDraw);
    VARIANT arguments[4];   // in reverse order: style, y, x, device context
    V_VT(&arguments[3]) = VT_I4;
    V_I4(&arguments[3]) = static_cast<LONG>(reinterpret_cast<INT_PTR>(dc));
    V_VT(&arguments[2]) = VT_I2;
    V_I2(&arguments[2]) = x;
    V_VT(&arguments[1]) = VT_I2;
    V_I2(&arguments[1]) = y;
    V_VT(&arguments[0]) = VT_I2;
    V_I2(&arguments[0]) = style;
    DISPPARAMS params = {arguments, nullptr, 4, 0};
    HRESULT hr = id == DISPID_UNKNOWN
                     ? DISP_E_MEMBERNOTFOUND
                     : item->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                                    nullptr);
    item->Release();
    return SUCCEEDED(hr);
}

HRESULT CImageSourceDispatch::Keys(ULONG* count, LPOLESTR** keys)
{
    if (!count || !keys)
        return E_INVALIDARG;
    *count = 0;
    *keys = nullptr;
    const long total = Count();
    if (total <= 0)
        return S_OK;
    auto* array = static_cast<LPOLESTR*>(CoTaskMemAlloc(static_cast<SIZE_T>(total) * sizeof(LPOLESTR)));
    if (!array)
        return E_OUTOFMEMORY;
    for (long i = 0; i < total; ++i) {
        CDualString key;
        if (!Key(static_cast<short>(i + 1), key) || key.IsEmpty())
            IntToString(i + 1, key, 10);
        const int length = MultiByteToWideChar(CP_ACP, 0, key.c_str(), -1, nullptr, 0);
        array[i] = static_cast<LPOLESTR>(CoTaskMemAlloc(static_cast<SIZE_T>(length > 0 ? length : 1) * sizeof(WCHAR)));
        if (!array[i]) {
            for (long j = 0; j < i; ++j)
                CoTaskMemFree(array[j]);
            CoTaskMemFree(array);
            return E_OUTOFMEMORY;
        }
        array[i][0] = 0;
        MultiByteToWideChar(CP_ACP, 0, key.c_str(), -1, array[i], length);
    }
    *count = static_cast<ULONG>(total);
    *keys = array;
    return S_OK;
}

HIMAGELIST CImageSourceDispatch::ImageListHandle()
{
    DISPID id = DISPID_UNKNOWN;
    if (!control_ || FAILED(ImageSourceCalls::IdOfName(control_, L"hImageList", id)))
        return nullptr;
    VARIANT value;
    HIMAGELIST list = nullptr;
    if (SUCCEEDED(ImageSourceCalls::GetProperty(control_, id, value)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        list = reinterpret_cast<HIMAGELIST>(static_cast<INT_PTR>(V_I4(&value)));
    VariantClear(&value);
    return list;
}

HRESULT CImageSourceDispatch::Connect()
{
    Disconnect();
    if (!sink_ || !control_)
        return S_FALSE;
    IUnknown* candidates[2] = {control_, second_};
    for (IUnknown* candidate : candidates) {
        IConnectionPointContainer* container = nullptr;
        if (!candidate ||
            FAILED(candidate->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
            continue;
        IConnectionPoint* point = nullptr;
        HRESULT hr = container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
        container->Release();
        if (FAILED(hr) || !point)
            continue;
        DWORD cookie = 0;
        if (SUCCEEDED(point->Advise(sink_, &cookie))) {
            connectionPoint_ = point;
            cookie_ = cookie;
            return S_OK;
        }
        point->Release();
    }
    return S_FALSE;
}

void CImageSourceDispatch::Disconnect()
{
    if (connectionPoint_) {
        connectionPoint_->Unadvise(cookie_);
        connectionPoint_->Release();
    }
    connectionPoint_ = nullptr;
    cookie_ = 0;
}
