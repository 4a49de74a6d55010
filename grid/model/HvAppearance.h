// HvAppearance: the automation object through which a client reads and
// writes one set of formatting settings. It is either a member of the
// layout's Appearances (with a key, shared) or the private appearance of one
// object; every real change is published with the setting's property bit.
#pragma once

#include "AppearanceData.h"
#include "ChangePublisher.h"
#include "DualObject.h"
#include "DualString.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "HvPersistParticipant.h"
#include "PropertySinkConnection.h"
#include "VariantValue.h"

#include <Tavelle.h>

#include <memory>

class HvAppearances;
class HvLayoutHost;
class SubscriptionLink;

class HvAppearance final : public CDualObject<IHvAppearance>,
                           public HvCollectionItem,
                           public HvKeyedItem,
                           public HvPersistParticipant,
                           public ChangePublisher {
public:
    static constexpr LONG Kind = 10;
    static constexpr DWORD CategorySettings = 0x100;
    static constexpr DWORD CategoryKey = 0x1000;
    static constexpr DWORD CategoryTag = 0x10000;
    static constexpr WORD FontChangeIgnoredCaption = 1007;
    static constexpr WORD FontChangeIgnoredText = 1008;
    static constexpr long FontChangeIgnoredCode = 0x4005;

    // A new appearance with one reference; owner and collection are not
    // owned. E_OUTOFMEMORY when it cannot be made.
    static HRESULT Create(HvLayoutHost* owner, bool readOnly, const CDualString* key, HvAppearances* collection,
                          HvAppearance** out);
    // The live appearance of this library behind a client's object, or null.
    static HvAppearance* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvBase, IHvObjectBase
    STDMETHODIMP _GetObjectPointer(long* pointer) override;
    STDMETHODIMP get_TagVariant(VARIANT* value) override;
    STDMETHODIMP put_TagVariant(VARIANT value) override;
    STDMETHODIMP putref_TagVariant(VARIANT* value) override;
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override;

    // IHvAppearance
    STDMETHODIMP get_AlphaLevel(short* value) override;
    STDMETHODIMP put_AlphaLevel(short value) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* value) override;
    STDMETHODIMP put_BackColor(OLE_COLOR value) override;
    STDMETHODIMP get_BackColorAlpha(Constants_Alpha* value) override;
    STDMETHODIMP put_BackColorAlpha(Constants_Alpha value) override;
    STDMETHODIMP get_BorderAlpha(Constants_Alpha* value) override;
    STDMETHODIMP put_BorderAlpha(Constants_Alpha value) override;
    STDMETHODIMP get_BorderColor(OLE_COLOR* value) override;
    STDMETHODIMP put_BorderColor(OLE_COLOR value) override;
    STDMETHODIMP get_Font(IFontDisp** value) override;
    STDMETHODIMP put_Font(IFontDisp* value) override;
    STDMETHODIMP putref_Font(IFontDisp* value) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* value) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR value) override;
    STDMETHODIMP get_ForegroundAlpha(Constants_Alpha* value) override;
    STDMETHODIMP put_ForegroundAlpha(Constants_Alpha value) override;
    STDMETHODIMP get_MousePointer(Constants_MousePointer* value) override;
    STDMETHODIMP put_MousePointer(Constants_MousePointer value) override;
    STDMETHODIMP get_MouseIcon(IPictureDisp** value) override;
    STDMETHODIMP put_MouseIcon(IPictureDisp* value) override;
    STDMETHODIMP putref_MouseIcon(IPictureDisp* value) override;
    STDMETHODIMP get_Key(BSTR* value) override;
    STDMETHODIMP get_Picture(VARIANT* value) override;
    STDMETHODIMP putref_Picture(VARIANT* value) override;
    STDMETHODIMP put_Picture(VARIANT value) override;
    STDMETHODIMP get_PictureAlpha(Constants_Alpha* value) override;
    STDMETHODIMP put_PictureAlpha(Constants_Alpha value) override;
    STDMETHODIMP get_PictureAlign(Constants_Align* value) override;
    STDMETHODIMP put_PictureAlign(Constants_Align value) override;
    STDMETHODIMP get_PictureVAlign(Constants_VAlign* value) override;
    STDMETHODIMP put_PictureVAlign(Constants_VAlign value) override;
    STDMETHODIMP get_PictureBackground(IPictureDisp** value) override;
    STDMETHODIMP put_PictureBackground(IPictureDisp* value) override;
    STDMETHODIMP putref_PictureBackground(IPictureDisp* value) override;
    STDMETHODIMP get_PictureBackgroundAlpha(Constants_Alpha* value) override;
    STDMETHODIMP put_PictureBackgroundAlpha(Constants_Alpha value) override;
    STDMETHODIMP get_PictureBackgroundOrigin(Constants_PictureBackgroundOrigin* value) override;
    STDMETHODIMP put_PictureBackgroundOrigin(Constants_PictureBackgroundOrigin value) override;
    STDMETHODIMP get_PictureBackgroundStyle(Constants_PictureBackgroundStyle* value) override;
    STDMETHODIMP put_PictureBackgroundStyle(Constants_PictureBackgroundStyle value) override;
    STDMETHODIMP get_TextAlign(Constants_Align* value) override;
    STDMETHODIMP put_TextAlign(Constants_Align value) override;
    STDMETHODIMP get_TextVAlign(Constants_VAlign* value) override;
    STDMETHODIMP put_TextVAlign(Constants_VAlign value) override;
    STDMETHODIMP get_PictureMasking(Constants_PictureMasking* value) override;
    STDMETHODIMP put_PictureMasking(Constants_PictureMasking value) override;
    STDMETHODIMP Clone(IHvAppearance** out) override;
    STDMETHODIMP Replace(VARIANT* newAppearance) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP ClearFont() override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvAppearance; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return CategorySettings | CategoryKey | CategoryTag; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;
    HRESULT LoadIntoScratch(IStream* stream, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // The data block, or the shared block in which everything is unset.
    const AppearanceData& GetAppearanceData() const;
    bool HasOwnData() const { return data_ != nullptr; }
    // Makes the block on first write: NotActive, or E_OUTOFMEMORY.
    HRESULT EnsureAppearanceData();
    // Gives the block outright (a resolved appearance's snapshot).
    AppearanceData* MutableAppearanceData() { return data_.get(); }
    // The font connection, or null when the appearance has none.
    PropertySinkConnection* GetFontConnection() const { return fontConnection_.get(); }
    // A copy for owner (same read-only state unless writable is asked).
    HRESULT CloneFor(HvLayoutHost* owner, bool writable, HvAppearance** out);
    // Joins (or with null leaves) a collection, whose subscriber then hears
    // this appearance's changes.
    void SetCollection(HvAppearances* collection);
    HvAppearances* Collection() const { return collection_; }

    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Objects that refer to this appearance (references count themselves
    // here), so that the last one to let go of a private appearance ends it.
    long AddHolder() { return ++holders_; }
    long RemoveHolder() { return holders_ > 0 ? --holders_ : 0; }

    // Settings, deletes the block and the font connection; -1 is published
    // when there was a block. No read-only or liveness test.
    void ClearAll();

protected:
    void ReleaseReferences() override;

private:
    // The font's notifications reach the appearance through this sink, which
    // holds no reference on it (a font must not keep its appearance alive).
    class FontSink final : public IPropertyNotifySink {
    public:
        explicit FontSink(HvAppearance& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP OnChanged(DISPID dispid) override;
        STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    private:
        HvAppearance& owner_;
    };

    HvAppearance(HvLayoutHost* owner, bool readOnly, const CDualString* key);
    ~HvAppearance() override;

    void OnFontChanged();
    HRESULT Raise(HRESULT result, WORD stringId) { return Exception(result, stringId); }
    // Value setters: read-only, equality, range, then store and publish.
    template <class TValue, class TStore>
    HRESULT PutValue(std::uint32_t bit, TValue value, TValue current, bool inRange, TStore store);
    HRESULT GetNibble(std::uint32_t bit, long* out) const;
    HRESULT PutNibble(std::uint32_t bit, long value, long maximum);
    HRESULT PutColor(std::uint32_t bit, OLE_COLOR value, OLE_COLOR current, void (AppearanceData::*store)(OLE_COLOR));
    // Object setters first test the active flag, then read-only.
    HRESULT CheckObjectWrite();
    HRESULT PutFont(IFontDisp* font);
    HRESULT PutPictureValue(const VARIANT& value);
    HRESULT PutMouseIcon(IPictureDisp* icon);
    HRESULT PutPictureBackground(IPictureDisp* picture);
    HRESULT MakeFontConnection();
    void ConnectDataFont();

    HvLayoutHost* owner_;
    std::unique_ptr<PropertySinkConnection> fontConnection_;
    std::unique_ptr<AppearanceData> data_;
    HvAppearances* collection_ = nullptr;
    std::unique_ptr<SubscriptionLink> collectionLink_;
    CDualString key_;
    bool readOnly_;
    CVariantValue tag_;
    FontSink fontSink_;
    long holders_ = 0;
};
