// HvImage: the image object and its record in the collection's stream form.
#include "HvImage.h"

#include "HvImages.h"
#include "PictureLoading.h"
#include "StreamText.h"

#include <new>

HvImage::HvImage(HvImages* owner) : CDualObject<IHvImage>(nullptr, ObjectType::HvImage), owner_(owner) {}

HvImage* HvImage::Create(HvImages* owner)
{
    HvImage* image = new (std::nothrow) HvImage(owner);
    if (image && !image->picture_.CreateEmptyPicture()) {
        image->Release();
        image = nullptr;
    }
    return image;
}

STDMETHODIMP HvImage::get_Index(short* index)
{
    if (!index)
        return E_INVALIDARG;
    *index = index_;
    return S_OK;
}

STDMETHODIMP HvImage::put_Index(short index)
{
    if (!owner_ || index < 1 || index > owner_->Count())
        return Exception(ImagesError::BadIndex, ImagesError::BadIndexString);
    if (index != index_)
        owner_->MoveImage(this, index);
    return S_OK;
}

STDMETHODIMP HvImage::get_Key(BSTR* key)
{
    if (!key)
        return E_INVALIDARG;
    *key = nullptr;
    if (key_.IsEmpty())
        return (*key = SysAllocString(L"")) ? S_OK : E_OUTOFMEMORY;
    CDualString copy(key_);
    *key = copy.AllocSysString();
    return *key ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvImage::put_Key(BSTR key)
{
    if (!key || !*key) {
        key_.Empty();
        if (owner_)
            owner_->OnImageChanged();
        return S_OK;
    }
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = key;
    VARIANT number;
    VariantInit(&number);
    if (SUCCEEDED(VariantChangeType(&number, &text, 0, VT_I4)))
        return Exception(ImagesError::KeyNotString, ImagesError::KeyNotStringString);
    CDualString wanted(key);
    if (wanted.Compare(key_.c_str()) == 0 && !key_.IsEmpty())
        return S_OK;
    if (owner_) {
        HvImage* other = owner_->FindByKey(wanted.c_str());
        if (other && other != this)
            return Exception(ImagesError::DuplicateKey, ImagesError::DuplicateKeyString);
    }
    key_ = wanted;
    if (owner_)
        owner_->OnImageChanged();
    return S_OK;
}

STDMETHODIMP HvImage::get_Picture(IPictureDisp** picture)
{
    if (!picture)
        return E_INVALIDARG;
    *picture = picture_.GetPictureDisp();
    return S_OK;
}

STDMETHODIMP HvImage::put_Picture(IPictureDisp* picture)
{
    return SetPicture(picture);
}

STDMETHODIMP HvImage::putref_Picture(IPictureDisp* picture)
{
    return SetPicture(picture);
}

void HvImage::TakePicture(IUnknown* picture)
{
    picture_.AssignPicture(picture);
    const SHORT type = picture_.GetPictureType();
    if (type == PICTYPE_UNINITIALIZED || type == PICTYPE_NONE) {
        flags_ &= ~PictureHeld;
        picture_.CreateEmptyPicture();
    } else {
        flags_ |= PictureHeld;
    }
}

HRESULT HvImage::SetPicture(IPictureDisp* picture)
{
    if (!picture) {
        picture_.CreateEmptyPicture();
        flags_ &= ~PictureHeld;
    } else {
        IPicture* given = nullptr;
        HRESULT hr = picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&given));
        if (FAILED(hr))
            return hr;
        SHORT type = PICTYPE_UNINITIALIZED;
        if (FAILED(given->get_Type(&type)))
            type = PICTYPE_UNINITIALIZED;
        given->Release();
        const bool blank = type == PICTYPE_UNINITIALIZED || type == PICTYPE_NONE;
        if (blank && type == picture_.GetPictureType())
            return S_OK;
        TakePicture(picture);
    }
    if (owner_) {
        owner_->AdoptImageSizeFrom(*this);
        owner_->OnImageChanged();
    }
    return S_OK;
}

HRESULT HvImage::Save(IStream* stream)
{
    BYTE record[3] = {static_cast<BYTE>(index_ & 0xFF), static_cast<BYTE>((index_ >> 8) & 0xFF), flags_};
    ULONG written = 0;
    HRESULT hr = stream->Write(record, sizeof(record), &written);
    if (FAILED(hr) || written != sizeof(record))
        return FAILED(hr) ? hr : STG_E_WRITEFAULT;
    if (flags_ & PictureHeld) {
        IPersistStream* persist = nullptr;
        IPicture* picture = picture_.Get();
        if (!picture || FAILED(hr = picture->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))))
            return FAILED(hr) ? hr : E_FAIL;
        hr = persist->Save(stream, TRUE);
        persist->Release();
        if (FAILED(hr))
            return hr;
    }
    return WriteStringToStream(stream, key_);
}

HRESULT HvImage::Load(IStream* stream)
{
    BYTE record[3] = {};
    ULONG read = 0;
    HRESULT hr = stream->Read(record, sizeof(record), &read);
    if (FAILED(hr) || read != sizeof(record))
        return FAILED(hr) ? hr : E_FAIL;
    index_ = static_cast<short>(record[0] | (record[1] << 8));
    flags_ = record[2];
    if (flags_ & PictureHeld) {
        if (FAILED(hr = ReadPictureFromStream(stream, picture_))) {
            picture_.CreateEmptyPicture();
            flags_ &= ~PictureHeld;
            return hr;
        }
    } else {
        picture_.CreateEmptyPicture();
    }
    return ReadStringFromStream(stream, key_);
}
