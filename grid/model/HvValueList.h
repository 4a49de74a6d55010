// HvValueList: a named list of entries that a column shows its cells
// through and offers in the cell's drop-down. It owns its items collection,
// made when first needed, and decides how the items are shown and sorted.
#pragma once

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvPropertyQuery.h"

#include <Tavelle.h>

#include <memory>

class HvValueListItems;
class HvValueLists;
class SubscriptionLink;
class ValueListDropDownSeam;
class ValueListLayoutSeam;

class HvValueList final : public HvObjectBaseImpl<IHvValueList>,
                          public HvPropertyQuery,
                          public HvCollectionItem,
                          public HvKeyedItem,
                          public HvPersistParticipant,
                          public ChangePublisher,
                          public ChangeSubscriber {
public:
    static constexpr LONG Kind = 38;
    static constexpr DWORD CodeStyles = 0x4;
    static constexpr DWORD CodeKey = 0x10;
    static constexpr DWORD CodeItems = 0x100;
    static constexpr DWORD CodeTag = 0x1000;
    static constexpr DWORD CodeAppearance = 0x10000;
    static constexpr DISPID AppearanceId = -520;
    static constexpr DISPID DisplayStyleId = -540;
    static constexpr DISPID SortStyleId = 2139;
    static constexpr DISPID ValueListItemsId = 1055;
    static constexpr BYTE DisplayStylePicture = 5;
    static constexpr BYTE SortStyleDescending = 2;
    // "Item not found."
    static constexpr HRESULT ItemNotFound = static_cast<HRESULT>(0x800A9C64);
    static constexpr WORD ItemNotFoundString = 4025;

    // A new list with one reference; layout and collection are not owned
    // (either may be null); key may be null. The collection's subscriber
    // hears the list.
    static HRESULT Create(ValueListLayoutSeam* layout, HvValueLists* collection, const CDualString* key,
                          HvValueList** out);
    static HvValueList* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvValueList
    STDMETHODIMP get_ValueListItems(IHvValueListItems** out) override;
    STDMETHODIMP get_Key(BSTR* out) override;
    STDMETHODIMP get_Index(long* out) override;
    STDMETHODIMP get_SortStyle(Constants_ValueListSortStyle* out) override;
    STDMETHODIMP put_SortStyle(Constants_ValueListSortStyle value) override;
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_DisplayStyle(Constants_ValueListDisplayStyle* out) override;
    STDMETHODIMP put_DisplayStyle(Constants_ValueListDisplayStyle value) override;
    STDMETHODIMP Find(VARIANT* criteria, VARIANT compare, VARIANT startIndex, IHvValueListItem** out) override;
    STDMETHODIMP FindByTextPartial(BSTR text, VARIANT startIndex, IHvValueListItem** out) override;
    STDMETHODIMP FindByTextExact(BSTR text, VARIANT startIndex, IHvValueListItem** out) override;
    STDMETHODIMP FindByDataValue(VARIANT* criterion, IHvValueListItem** out) override;

    // HvPropertyQuery
    STDMETHODIMP IsValueProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvValueList; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return CodeStyles | CodeKey | CodeItems | CodeTag | CodeAppearance; }
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

    // ChangeSubscriber: the list's appearance and its items collection.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    BYTE DisplayStyleValue() const { return displayStyle_; }
    BYTE SortStyleValue() const { return sortStyle_; }
    AppearanceRef& Appearance() { return appearance_; }

    // The items collection (no reference added); when missing and create is
    // true it is made (not for a list that is no longer active). May be null.
    HvValueListItems* GetValueListItems(bool create);
    // Position in the layout's ValueLists, -1 when it is in none.
    LONG GetIndex() const;
    // The item a cell's text stands for, by the list's display style; the
    // item comes with a reference, null when none matches.
    HRESULT FindItemByText(BSTR text, IHvValueListItem** out);
    // The first item whose appearance has a picture, or null.
    HRESULT AnyItemHasPicture(IHvValueListItem** out);
    // Empties the drop-down list and hands it every item in the list's order.
    HRESULT AddItemsTo(ValueListDropDownSeam& dropDown);

    // The list left its collection (removed or cleared): it stops telling
    // the collection.
    void LeaveCollection();

protected:
    void ReleaseReferences() override;

private:
    HvValueList(ValueListLayoutSeam* layout, HvValueLists* collection, const CDualString* key);
    ~HvValueList() override;

    HRESULT PutAppearanceValue(const VARIANT& value);
    // The items collection for a look-up, sorted; E_OUTOFMEMORY when it
    // cannot be made.
    HRESULT SortedItems(HvValueListItems** out);
    HRESULT FindText(BSTR text, const VARIANT& startIndex, bool prefix, IHvValueListItem** out);
    void DropItems();

    ValueListLayoutSeam* layout_;   // not owned; null once deactivated
    HvValueLists* collection_;      // not owned; null once it left
    HvValueListItems* items_ = nullptr;  // one reference
    CDualString key_;
    std::unique_ptr<SubscriptionLink> collectionLink_;
    std::unique_ptr<SubscriptionLink> itemsLink_;
    AppearanceRef appearance_;
    BYTE displayStyle_ = 0;
    BYTE sortStyle_ = 0;
};
