// HvImages: the control's images collection. It holds the control's own
// pictures (HvImage, 1-based), or with UseImageList draws on an image-list
// control beside the grid on the container, and hands out image sizes,
// pictures, indexes from an index or key, and a Win32 image list. It has its
// own list code and keeps no liveness test: it lives as long as the control.
#pragma once

#include "DualObject.h"
#include "HvImage.h"
#include "HvImagesHost.h"
#include "ImageSourceHandle.h"

#include "Tavelle.h"

#include <commctrl.h>
#include <ocidl.h>

#include <vector>

// Raised errors of the images collection: results and string identifiers.
namespace ImagesError {
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800AA21D);
constexpr HRESULT BadKey = static_cast<HRESULT>(0x800AA21F);
constexpr HRESULT KeyNotString = static_cast<HRESULT>(0x800AA21E);
constexpr HRESULT DuplicateKey = static_cast<HRESULT>(0x800A797D);
constexpr HRESULT OperationFailed = static_cast<HRESULT>(0x800AA21C);
constexpr HRESULT ImageListNotReady = static_cast<HRESULT>(0x800AA221);
constexpr HRESULT InvalidPropertyValue = static_cast<HRESULT>(0x800A017C);
constexpr WORD BadIndexString = 42804;
constexpr WORD BadKeyString = 42802;
constexpr WORD KeyNotStringString = 42800;
constexpr WORD DuplicateKeyString = 42803;
constexpr WORD OperationFailedString = 10017;
constexpr WORD ImageListNotReadyString = 42807;
constexpr WORD InvalidPropertyValueString = 10380;
} // namespace ImagesError

extern "C" const IID IID_IHvImagesBatch;

// The private batch interface: changes between the two calls send their
// notices once, at the end.
struct IHvImagesBatch : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE BeginUpdate() = 0;
    virtual HRESULT STDMETHODCALLTYPE EndUpdate() = 0;
};

// The property identifiers the owner gives the collection.
struct ImagesPropertyIds {
    DISPID images = 2100;
    DISPID imageList = 2101;
    DISPID imagesUrl = 2102;
    DISPID content = 1200;
};

class HvImages final : public CDualObject<IHvImages>, public IHvImagesBatch {
public:
    // One reference; null when memory is short. host is not referenced.
    static HvImages* Create(HvImagesHost* host, bool useImageList, ImagesPropertyIds ids = ImagesPropertyIds());

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvImages
    STDMETHODIMP get__NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP get_Count(long* count) override;
    STDMETHODIMP get_Item(VARIANT index, IHvImage** image) override;
    STDMETHODIMP Add(VARIANT index, VARIANT key, VARIANT picture, IHvImage** image) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP InternalAdd(VARIANT index) override;

    // IHvImagesBatch
    STDMETHODIMP BeginUpdate() override;
    STDMETHODIMP EndUpdate() override;

    // Internal operations of the control, the display and the value lists.
    void GetImageSize(SIZE& size);
    short IndexFromVariant(const VARIANT& value);
    // A new reference, or null.
    IPictureDisp* GetPictureFromVariant(const VARIANT& value);
    HIMAGELIST GetHImageList(bool masked);
    void SetUseImageList(bool use);
    bool UseImageList() const { return useImageList_; }
    void AfterLoad();
    // The control is going: nothing is asked of it any more.
    void DetachHost() { host_ = nullptr; }
    HRESULT SaveToStream(IStream* stream);
    HRESULT LoadFromStream(IStream* stream);
    HRESULT SaveToPropertyBag(IPropertyBag* bag, const wchar_t* listName, const wchar_t* imagesName);
    HRESULT LoadFromPropertyBag(IPropertyBag* bag, const wchar_t* listName, const wchar_t* imagesName);
    HRESULT OnUrlData(DISPID dispid, ULONG progress, ULONG status, const wchar_t* text);
    HRESULT GetPredefinedStrings(DISPID dispid, ULONG* count, LPOLESTR** strings);
    // The external image-list control: the attached control (a new
    // reference, refreshed first while a name is pending), choosing it by
    // object or by name ("Name" or "Name(3)" for a control-array member),
    // and the property browser's choice among the container's candidates.
    IDispatch* GetImageListControl();
    HRESULT SetImageListControl(IDispatch* control);
    void SetImageListName(const char* text);
    void RefreshFromImageList();
    HRESULT GetImageListChoice(DISPID dispid, long* number);
    HRESULT SetImageListChoice(DISPID dispid, long number);
    // The selected name with its "(index)"; "(None)" when none is selected.
    CDualString ImageListName() const { return selected_.DisplayName(); }
    HRESULT GetImageWidthFor(DISPID dispid, long* width);
    HRESULT GetImageHeightFor(DISPID dispid, long* height);
    HRESULT OwnerSuppliesSize(DISPID dispid, bool* supplied);

    // Used by the images.
    int Count() const { return static_cast<int>(images_.size()); }
    HvImage* FindByKey(const char* key) const;
    void MoveImage(HvImage* image, short index);
    void OnImageChanged();
    void AdoptImageSizeFrom(HvImage& image);
    bool IsLoading() const { return loading_; }

private:
    // The sink connected to the attached control's property notifications.
    // It lives inside the collection and holds no reference on it.
    class ListSink final : public IPropertyNotifySink {
    public:
        explicit ListSink(HvImages& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP OnChanged(DISPID dispid) override;
        STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    private:
        HvImages& owner_;
    };

    // What a stream holds, read aside before it replaces the images; the
    // images still in it are released with it.
    struct LoadedImages {
        SIZE imageSize = {0, 0};
        SIZE externalSize = {0, 0};
        bool named = false;
        CDualString name;
        std::vector<HvImage*> images;   // one reference each, no owner yet
        LoadedImages() = default;
        LoadedImages(const LoadedImages&) = delete;
        LoadedImages& operator=(const LoadedImages&) = delete;
        ~LoadedImages();
    };

    HvImages(HvImagesHost* host, bool useImageList, ImagesPropertyIds ids);
    ~HvImages() override;

    HvImage* Find(const VARIANT& index, HRESULT& error, WORD& errorString);
    // Takes over one reference of image; position 1..count+1.
    bool InsertAt(HvImage* image, int position);
    void Unlink(int position);
    void Renumber();
    void ClearImages();
    void TakeSizeFromPicture(InterfacePtr& picture);
    // The sink of the collection's own changes: drops an owned image list
    // and tells the owner about dispid.
    void PropertyChanged(DISPID dispid);
    void ContentChanged();
    void DestroyImageList();
    HIMAGELIST BuildImageList(bool masked);
    // withName: the stream form; without: the property-bag blob's form.
    HRESULT SaveStream(IStream* stream, bool withName);
    HRESULT LoadStream(IStream* stream, bool withName);
    HRESULT LoadBody(IStream* stream, LONG version, SHORT count, bool withName, LoadedImages& loaded);
    // Puts images (taken over, emptied) in place of the collection's, with
    // no notice; false, with nothing changed, when memory is short.
    bool ReplaceImages(std::vector<HvImage*>& images);
    void TakeDownloadedImages();
    // External source: selects entry (the "(None)" entry when null).
    void SelectSource(const CImageSourceDispatch* entry);
    void ScanContainer();
    void ForgetKeptControl();
    bool ExternalSelected() const { return selected_.Control() || pending_; }
    void OnExternalChanged();

    HvImagesHost* host_;                // not referenced
    ImagesPropertyIds ids_;
    std::vector<HvImage*> images_;      // one reference each, in index order
    SIZE imageSize_ = {0, 0};
    SIZE externalSize_ = {0, 0};
    HIMAGELIST imageList_ = nullptr;
    bool ownsImageList_ = false;
    bool listMasked_ = false;           // how an owned list was built
    BSTR downloadFile_ = nullptr;
    bool loading_ = false;
    bool useImageList_;
    bool inBatch_ = false;
    bool refreshing_ = false;
    bool pending_ = false;              // a name is known, its control not yet found
    CImageSourceDispatch selected_;
    CImageSourceHandle candidates_;
    // Kept on Visual Basic forms only, to notice that the control is gone.
    IOleObject* keptObject_ = nullptr;
    HWND keptWindow_ = nullptr;
    ListSink sink_{*this};
};
