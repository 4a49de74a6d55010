// HvValueListItem: one entry of a value list: a data value, the text shown
// for it and an appearance. What the item shows follows its list's display
// style at the moment it is asked.
#pragma once

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "ComparableValue.h"
#include "DualString.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvPropertyQuery.h"

#include <Tavelle.h>

#include <memory>

class HvValueList;
class HvValueListItems;
class SubscriptionLink;
class ValueListLayoutSeam;

class HvValueListItem final : public HvObjectBaseImpl<IHvValueListItem>,
                              public HvPropertyQuery,
                              public HvCollectionItem,
                              public HvKeyedItem,
                              public HvPersistParticipant,
                              public ChangePublisher,
                              public ChangeSubscriber {
public:
    static constexpr LONG Kind = 40;
    static constexpr DWORD CodeAppearance = 0x4;
    static constexpr DWORD CodeDataValue = 0x10;
    static constexpr DWORD CodeDisplayText = 0x100;
    static constexpr DWORD CodeTag = 0x1000;
    static constexpr DISPID AppearanceId = -520;
    static constexpr DISPID DisplayTextId = 2147;
    static constexpr DISPID DataValueId = 2148;

    // A new item with one reference; layout, list and collection are not
    // owned (each may be null). The collection's subscriber hears the item.
    static HRESULT Create(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems* collection,
                          HvValueListItem** out);
    static HvValueListItem* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvValueListItem
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_DisplayText(BSTR* out) override;
    STDMETHODIMP put_DisplayText(BSTR value) override;
    STDMETHODIMP get_DataValue(VARIANT* out) override;
    STDMETHODIMP putref_DataValue(VARIANT* value) override;
    STDMETHODIMP put_DataValue(VARIANT value) override;
    STDMETHODIMP get_Index(long* out) override;
    STDMETHODIMP IsReadOnly(VARIANT_BOOL* out) override;

    // HvPropertyQuery
    STDMETHODIMP IsValueProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return &IID_IHvValueListItem; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return CodeAppearance | CodeDataValue | CodeDisplayText | CodeTag; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // ChangeSubscriber: the item's appearance.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // The text the item shows by its list's display style.
    void GetText(CDualString& out);
    // Whether the list's display style shows the item's picture.
    bool ShowsPicture() const;
    // The picture the item shows in cells and in the drop-down list, where
    // its list's display style shows pictures (Default among them): its own
    // appearance's, else its list's. False when there is none.
    bool GetPicture(VARIANT* out);
    // Whether the item's data value equals a criterion in its normalised
    // form; criterionType is the criterion's own VARTYPE.
    bool MatchesValue(ComparableValue& criterion, VARTYPE criterionType);
    // The data value converted to text; empty when it has no text form.
    void GetDataValueText(CDualString& out) const;

    const VARIANT& DataValue() const { return value_; }
    const CDualString& DisplayText() const { return displayText_; }
    AppearanceRef& Appearance() { return appearance_; }
    HvValueList* List() const { return list_; }

    // The item left its collection (removed, cleared, or the collection
    // left its list): it stops telling the collection and forgets its list.
    void LeaveCollection();
    // The list let go of the item's collection.
    void ForgetList() { list_ = nullptr; }

protected:
    void ReleaseReferences() override;

private:
    HvValueListItem(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems* collection);
    ~HvValueListItem() override;

    HRESULT PutAppearanceValue(const VARIANT& value);
    HRESULT PutDataValue(const VARIANT& value);
    void SetDataValue(VARIANT& value);
    HRESULT SaveDataValue(IStream* stream) const;
    static HRESULT ReadDataValue(IStream* stream, VARIANT* out);

    ValueListLayoutSeam* layout_;   // not owned; null once deactivated
    HvValueList* list_;             // not owned
    VARIANT value_;
    CDualString displayText_;
    std::unique_ptr<SubscriptionLink> collectionLink_;
    AppearanceRef appearance_;
    std::unique_ptr<ComparableValue> comparable_;  // made on first look-up
};
