// HvImage: one picture of the images collection, with its 1-based position
// and its key.
#pragma once

#include "DualObject.h"
#include "DualString.h"
#include "InterfacePtr.h"

#include "Tavelle.h"

class HvImages;

class HvImage final : public CDualObject<IHvImage> {
public:
    // A new image holding an empty picture, with one reference; null when
    // it cannot be made.
    static HvImage* Create(HvImages* owner);

    STDMETHODIMP get_Index(short* index) override;
    STDMETHODIMP put_Index(short index) override;
    STDMETHODIMP get_Key(BSTR* key) override;
    STDMETHODIMP put_Key(BSTR key) override;
    STDMETHODIMP get_Picture(IPictureDisp** picture) override;
    STDMETHODIMP put_Picture(IPictureDisp* picture) override;
    STDMETHODIMP putref_Picture(IPictureDisp* picture) override;

    // Used by the collection.
    void SetIndex(short index) { index_ = index; }
    short Index() const { return index_; }
    const CDualString& Key() const { return key_; }
    InterfacePtr& Picture() { return picture_; }
    bool HasPicture() const { return (flags_ & PictureHeld) != 0; }
    // Holds picture (or an empty one) and sets the picture flag to match.
    void TakePicture(IUnknown* picture);
    // Not referenced; null once the image has left its collection.
    void SetOwner(HvImages* owner) { owner_ = owner; }
    HvImages* Owner() const { return owner_; }

    // Record form: index, flags, the picture when held, the key.
    HRESULT Save(IStream* stream);
    HRESULT Load(IStream* stream);

private:
    explicit HvImage(HvImages* owner);

    enum : BYTE { PictureHeld = 1 };
    HRESULT SetPicture(IPictureDisp* picture);

    short index_ = 0;
    BYTE flags_ = 0;
    CDualString key_;
    InterfacePtr picture_;
    HvImages* owner_;
};
