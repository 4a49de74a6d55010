// HvImages: the collection's automation members, its notices and its
// internal operations. The stream and property-bag forms and the image list
// are in HvImagesPersistence.cpp.
#include "HvImages.h"

#include "EnumObject.h"
#include "PictureDrawing.h"
#include "Units.h"

#include <cmath>
#include <new>

// {3F6E2B0C-7D41-4A8E-B0C5-91E2D4A7C318}
extern "C" const IID IID_IHvImagesBatch = {0x3f6e2b0c, 0x7d41, 0x4a8e, {0xb0, 0xc5, 0x91, 0xe2, 0xd4, 0xa7, 0xc3, 0x18}};

namespace {

const VARIANT& Deref(const VARIANT& value)
{
    if (V_VT(&value) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(&value))
        return *V_VARIANTREF(&value);
    return value;
}

// The text of a BSTR value (also by reference), or null for other types.
const BSTR* AsBstr(const VARIANT& value)
{
    if (V_VT(&value) == VT_BSTR)
        return &V_BSTR(&value);
    if (V_VT(&value) == (VT_BSTR | VT_BYREF))
        return V_BSTRREF(&value);
    return nullptr;
}

IDispatch* AsDispatch(const VARIANT& value)
{
    if (V_VT(&value) == VT_DISPATCH)
        return V_DISPATCH(&value);
    if (V_VT(&value) == (VT_DISPATCH | VT_BYREF))
        return V_DISPATCHREF(&value) ? *V_DISPATCHREF(&value) : nullptr;
    return nullptr;
}

bool IsObject(const VARIANT& value)
{
    const VARTYPE type = V_VT(&value) & ~VT_BYREF;
    return type == VT_DISPATCH || type == VT_UNKNOWN;
}

// A number (or a text holding one) truncated toward zero; false when it
// cannot be converted.
bool ToIndex(const VARIANT& value, long& index)
{
    VARIANT single;
    VariantInit(&single);
    if (FAILED(VariantChangeType(&single, const_cast<VARIANT*>(&value), 0, VT_R4)))
        return false;
    const float truncated = std::trunc(V_R4(&single));
    if (!(truncated > -2147483648.0f && truncated < 2147483648.0f))
        return false;
    index = static_cast<long>(truncated);
    return true;
}

bool IsMissing(const VARIANT& value)
{
    return V_VT(&value) == VT_ERROR || V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL;
}

} // namespace

HvImages::HvImages(HvImagesHost* host, bool useImageList, ImagesPropertyIds ids)
    : CDualObject<IHvImages>(nullptr, ObjectType::HvImages), host_(host), ids_(ids), useImageList_(useImageList)
{
    selected_.SetSink(&sink_);
}

HvImages::~HvImages()
{
    selected_.DropControl();   // before the sink goes
    ForgetKeptControl();
    ClearImages();
    DestroyImageList();
    SysFreeString(downloadFile_);
}

HvImages* HvImages::Create(HvImagesHost* host, bool useImageList, ImagesPropertyIds ids)
{
    return new (std::nothrow) HvImages(host, useImageList, ids);
}

HRESULT HvImages::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_IHvImagesBatch)) {
        *out = static_cast<IHvImagesBatch*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject<IHvImages>::InternalQueryInterface(iid, out);
}

// --- list -------------------------------------------------------------------

HvImage* HvImages::FindByKey(const char* key) const
{
    if (!key || !*key)
        return nullptr;
    for (HvImage* image : images_)
        if (!image->Key().IsEmpty() && image->Key().CompareNoCase(key) == 0)
            return image;
    return nullptr;
}

void HvImages::Renumber()
{
    for (size_t i = 0; i < images_.size(); ++i)
        images_[i]->SetIndex(static_cast<short>(i + 1));
}

bool HvImages::InsertAt(HvImage* image, int position)
{
    if (position < 1 || position > Count() + 1 || Count() >= 0x7FFF)
        return false;
    try {
        images_.insert(images_.begin() + (position - 1), image);
    } catch (const std::bad_alloc&) {
        return false;
    }
    image->SetOwner(this);
    Renumber();
    return true;
}

void HvImages::Unlink(int position)
{
    HvImage* image = images_[static_cast<size_t>(position - 1)];
    images_.erase(images_.begin() + (position - 1));
    image->SetOwner(nullptr);
    image->SetIndex(0);
    image->Release();
    Renumber();
}

void HvImages::ClearImages()
{
    while (!images_.empty())
        Unlink(Count());
}

void HvImages::MoveImage(HvImage* image, short index)
{
    const int from = image->Index();
    if (from < 1 || from > Count() || images_[static_cast<size_t>(from - 1)] != image)
        return;
    images_.erase(images_.begin() + (from - 1));
    images_.insert(images_.begin() + (index - 1), image);
    Renumber();
    // The order changed: a built image list is out of date, and whoever
    // shows images by index shows others now.
    ContentChanged();
    if (host_) {
        host_->SetDirty();
        host_->Invalidate();
    }
}

HvImage* HvImages::Find(const VARIANT& given, HRESULT& error, WORD& errorString)
{
    const VARIANT& value = Deref(given);
    if (const BSTR* key = AsBstr(value)) {
        if (!*key || !**key) {
            error = ImagesError::BadKey;
            errorString = ImagesError::BadKeyString;
            return nullptr;
        }
        CDualString text(*key);
        if (HvImage* image = FindByKey(text.c_str()))
            return image;
    } else {
        long index = 0;
        if (ToIndex(value, index) && index >= 1 && index <= Count())
            return images_[static_cast<size_t>(index - 1)];
    }
    error = ImagesError::BadIndex;
    errorString = ImagesError::BadIndexString;
    return nullptr;
}

// --- notices and sizes -------------------------------------------------------

void HvImages::DestroyImageList()
{
    if (imageList_ && ownsImageList_)
        ImageList_Destroy(imageList_);
    imageList_ = nullptr;
    ownsImageList_ = false;
}

void HvImages::PropertyChanged(DISPID dispid)
{
    if (loading_)
        return;
    if (dispid == ids_.images)
        DestroyImageList();
    if (host_)
        host_->OnImagesChanged(dispid);
}

void HvImages::ContentChanged()
{
    if (loading_)
        return;
    PropertyChanged(ids_.images);
    if (host_)
        host_->OnImagesChanged(ids_.content);
}

void HvImages::OnImageChanged()
{
    PropertyChanged(ids_.images);
}

void HvImages::TakeSizeFromPicture(InterfacePtr& picture)
{
    if (!picture || picture.GetPictureType() <= PICTYPE_NONE)
        return;
    GetPictureSizePixels(picture, imageSize_);
}

void HvImages::AdoptImageSizeFrom(HvImage& image)
{
    if (!loading_ && imageSize_.cx == 0 && imageSize_.cy == 0)
        TakeSizeFromPicture(image.Picture());
}

void HvImages::GetImageSize(SIZE& size)
{
    if (!useImageList_) {
        size = imageSize_;
        return;
    }
    if (selected_.Control())
        externalSize_ = {selected_.ImageWidth(), selected_.ImageHeight()};
    size = externalSize_;
}

// --- IHvImages ----------------------------------------------------------------

STDMETHODIMP HvImages::get__NewEnum(IUnknown** enumerator)
{
    if (!enumerator)
        return E_INVALIDARG;
    *enumerator = nullptr;
    EnumElementArray elements(static_cast<ULONG>(Count()), sizeof(VARIANT), ClearVariantElement);
    if (Count() && !elements.Data())
        return Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
    for (ULONG i = 0; i < elements.Count(); ++i) {
        auto* element = static_cast<VARIANT*>(elements.At(i));
        V_VT(element) = VT_DISPATCH;
        V_DISPATCH(element) = images_[i]->Interface();
        images_[i]->AddRef();
    }
    HRESULT hr = CEnumObject::Create(IID_IEnumVARIANT, std::move(elements), CopyVariantElement,
                                     static_cast<IHvImages*>(this), reinterpret_cast<void**>(enumerator));
    if (FAILED(hr))
        return Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
    return S_OK;
}

STDMETHODIMP HvImages::get_Count(long* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = Count();
    return S_OK;
}

STDMETHODIMP HvImages::get_Item(VARIANT index, IHvImage** image)
{
    if (!image)
        return E_INVALIDARG;
    *image = nullptr;
    HRESULT error = S_OK;
    WORD errorString = 0;
    HvImage* found = Find(index, error, errorString);
    if (!found)
        return Exception(error, errorString);
    *image = found->Interface();
    found->AddRef();
    return S_OK;
}

STDMETHODIMP HvImages::Add(VARIANT indexArg, VARIANT keyArg, VARIANT pictureArg, IHvImage** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvImage* image = HvImage::Create(this);
    if (!image)
        return E_OUTOFMEMORY;
    const VARIANT& index = Deref(indexArg);
    const VARIANT& key = Deref(keyArg);
    const VARIANT& picture = Deref(pictureArg);
    long position = 0;
    HRESULT hr = S_OK;
    if (IsObject(index)) {
        hr = Exception(ImagesError::BadIndex, ImagesError::BadIndexString);
    } else if (!ToIndex(index, position)) {
        position = 0;
    }
    if (SUCCEEDED(hr)) {
        if (const BSTR* text = AsBstr(key)) {
            if (*text && **text)
                hr = image->put_Key(*text);
        } else if (!IsMissing(key)) {
            hr = Exception(ImagesError::KeyNotString, ImagesError::KeyNotStringString);
        }
    }
    if (SUCCEEDED(hr)) {
        if (IDispatch* object = AsDispatch(picture))
            image->TakePicture(object);
        const bool insert = position >= 1 && position <= Count();
        if (!InsertAt(image, insert ? static_cast<int>(position) : Count() + 1))
            hr = Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
    }
    if (FAILED(hr)) {
        image->SetOwner(nullptr);
        image->Release();
        return hr;
    }
    if (!loading_ && (Count() == 1 || (imageSize_.cx == 0 && imageSize_.cy == 0)))
        TakeSizeFromPicture(image->Picture());
    if (!inBatch_)
        ContentChanged();
    *out = image->Interface();
    image->AddRef();
    return S_OK;
}

STDMETHODIMP HvImages::Clear()
{
    const bool removed = !images_.empty();
    ClearImages();
    if (!inBatch_) {
        imageSize_ = {0, 0};
        if (removed)
            ContentChanged();
    }
    return S_OK;
}

STDMETHODIMP HvImages::Remove(VARIANT given)
{
    const VARIANT& value = Deref(given);
    int position = 0;
    if (const BSTR* key = AsBstr(value)) {
        CDualString text(*key ? *key : L"");
        if (HvImage* image = FindByKey(text.c_str()))
            position = image->Index();
    } else if (IDispatch* object = AsDispatch(value)) {
        for (HvImage* image : images_) {
            IUnknown* a = nullptr;
            IUnknown* b = nullptr;
            object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
            image->Interface()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
            const bool same = a && a == b;
            if (a)
                a->Release();
            if (b)
                b->Release();
            if (same) {
                position = image->Index();
                break;
            }
        }
    } else {
        long index = 0;
        if (ToIndex(value, index) && index >= 1 && index <= Count())
            position = static_cast<int>(index);
    }
    if (position < 1)
        return Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
    Unlink(position);
    if (images_.empty())
        imageSize_ = {0, 0};
    ContentChanged();
    return S_OK;
}

STDMETHODIMP HvImages::InternalAdd(VARIANT indexArg)
{
    const VARIANT& index = Deref(indexArg);
    short position = -1;
    if (!IsMissing(index)) {
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantChangeType(&value, const_cast<VARIANT*>(&index), 0, VT_I2)))
            return Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
        position = V_I2(&value);
    }
    HvImage* image = HvImage::Create(this);
    if (!image || !InsertAt(image, position == -1 ? Count() + 1 : position)) {
        if (image) {
            image->SetOwner(nullptr);
            image->Release();
        }
        return Exception(ImagesError::OperationFailed, ImagesError::OperationFailedString);
    }
    ContentChanged();
    return S_OK;
}

// --- batch ----------------------------------------------------------------------

STDMETHODIMP HvImages::BeginUpdate()
{
    inBatch_ = true;
    return S_OK;
}

STDMETHODIMP HvImages::EndUpdate()
{
    inBatch_ = false;
    if (images_.empty())
        imageSize_ = {0, 0};
    PropertyChanged(ids_.images);
    if (host_ && !loading_)
        host_->OnImagesChanged(ids_.content);
    return S_OK;
}

// --- lookups for the display ---------------------------------------------------

short HvImages::IndexFromVariant(const VARIANT& given)
{
    const VARIANT& value = Deref(given);
    if (useImageList_) {
        short index = 0;
        return selected_.IndexFromValue(value, index) == S_OK ? index : 0;
    }
    if (V_VT(&value) == VT_I2)
        return V_I2(&value) >= 1 && V_I2(&value) <= Count() ? V_I2(&value) : 0;
    if (V_VT(&value) == VT_BSTR) {
        CDualString key(V_BSTR(&value) ? V_BSTR(&value) : L"");
        HvImage* image = FindByKey(key.c_str());
        return image ? image->Index() : 0;
    }
    return 0;
}

IPictureDisp* HvImages::GetPictureFromVariant(const VARIANT& given)
{
    const VARIANT& value = Deref(given);
    if (V_VT(&value) == VT_I2 && V_I2(&value) == 0)
        return nullptr;
    if (useImageList_) {
        short index = 0;
        if (selected_.IndexFromValue(value, index) != S_OK)
            return nullptr;
        IDispatch* object = selected_.Picture(index);
        IPictureDisp* picture = nullptr;
        if (object) {
            object->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&picture));
            object->Release();
        }
        return picture;
    }
    HRESULT error = S_OK;
    WORD errorString = 0;
    HvImage* image = Find(value, error, errorString);
    return image ? image->Picture().GetPictureDisp() : nullptr;
}

void HvImages::SetUseImageList(bool use)
{
    if (use != useImageList_) {
        DestroyImageList();
        useImageList_ = use;
    }
}

void HvImages::AfterLoad()
{
    candidates_.EnsureNone();
    pending_ = false;
    SelectSource(nullptr);
    ClearImages();
    externalSize_ = {0, 0};
}

HRESULT HvImages::OwnerSuppliesSize(DISPID dispid, bool* supplied)
{
    if (!supplied)
        return E_INVALIDARG;
    if (dispid != ids_.images && dispid != ids_.imagesUrl)
        return Exception(ImagesError::InvalidPropertyValue, ImagesError::InvalidPropertyValueString);
    *supplied = host_ && host_->SuppliesImageSize(dispid);
    return S_OK;
}

HRESULT HvImages::GetImageWidthFor(DISPID dispid, long* width)
{
    bool supplied = false;
    if (!width)
        return E_INVALIDARG;
    HRESULT hr = OwnerSuppliesSize(dispid, &supplied);
    if (FAILED(hr))
        return hr;
    *width = supplied ? host_->ImageWidthFor(dispid) : imageSize_.cx;
    return S_OK;
}

HRESULT HvImages::GetImageHeightFor(DISPID dispid, long* height)
{
    bool supplied = false;
    if (!height)
        return E_INVALIDARG;
    HRESULT hr = OwnerSuppliesSize(dispid, &supplied);
    if (FAILED(hr))
        return hr;
    *height = supplied ? host_->ImageHeightFor(dispid) : imageSize_.cy;
    return S_OK;
}

HRESULT HvImages::GetPredefinedStrings(DISPID dispid, ULONG* count, LPOLESTR** strings)
{
    if (!count || !strings)
        return E_INVALIDARG;
    *count = 0;
    *strings = nullptr;
    const bool listChoice = dispid == ids_.imageList;
    if (!listChoice && useImageList_)
        return selected_.Keys(count, strings);
    if (listChoice)
        ScanContainer();
    const ULONG total = listChoice ? static_cast<ULONG>(candidates_.Count()) : static_cast<ULONG>(Count());
    if (total == 0)
        return S_OK;
    auto* array = static_cast<LPOLESTR*>(CoTaskMemAlloc(total * sizeof(LPOLESTR)));
    if (!array)
        return E_OUTOFMEMORY;
    for (ULONG i = 0; i < total; ++i) {
        CDualString text;
        if (listChoice)
            text = candidates_.At(static_cast<long>(i))->DisplayName();
        else if (images_[i]->Key().IsEmpty())
            IntToString(static_cast<long>(i + 1), text, 10);
        else
            text = images_[i]->Key();
        const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        array[i] = static_cast<LPOLESTR>(CoTaskMemAlloc(static_cast<SIZE_T>(length > 0 ? length : 1) * sizeof(WCHAR)));
        if (!array[i]) {
            for (ULONG j = 0; j < i; ++j)
                CoTaskMemFree(array[j]);
            CoTaskMemFree(array);
            return E_OUTOFMEMORY;
        }
        array[i][0] = 0;
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, array[i], length);
    }
    *count = total;
    *strings = array;
    return S_OK;
}
