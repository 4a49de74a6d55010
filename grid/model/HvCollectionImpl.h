// HvCollectionImpl: the internal interface behind every collection of the
// object model. It carries all collection behaviour (count, lookup by
// position, key or object, add, remove, clear, enumeration, stream and
// property-bag forms) over a storage family, and the hooks through which a
// concrete collection reacts. Calls between the operations go through the
// virtual table, so a class that replaces one changes every path using it.
#pragma once

#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "KeyIndex.h"

class CAutomationObject;
class CDualString;
class HvKeyedItem;

extern "C" const IID IID_HvCollectionImpl;

// Raised errors of the collections: string identifiers and results.
namespace CollectionError {
constexpr HRESULT KeyNotString = static_cast<HRESULT>(0x800AA21E);     // 42800
constexpr HRESULT BadObject = static_cast<HRESULT>(0x800AA220);        // 42801
constexpr HRESULT DuplicateKey = static_cast<HRESULT>(0x800A797D);     // 42803
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800AA21D);         // 42804
constexpr HRESULT ReadOnly = static_cast<HRESULT>(0x800AA21A);         // 42806
constexpr HRESULT OperationFailed = static_cast<HRESULT>(0x800AA21C);  // 10017
constexpr WORD KeyNotStringString = 42800;
constexpr WORD BadObjectString = 42801;
constexpr WORD DuplicateKeyString = 42803;
constexpr WORD BadIndexString = 42804;
constexpr WORD ReadOnlyString = 42806;
constexpr WORD OperationFailedString = 10017;
} // namespace CollectionError

class HvCollectionImpl : public IUnknown {
public:
    static constexpr LONG FormatVersion = 100;
    static constexpr LONG MaxStreamItems = 10000;

    // IUnknown: forwarded to the collection object.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    virtual HRESULT GetFirstIndex(LONG* out);
    virtual HRESULT Save(IStream* stream, LONG arg);
    // All or nothing when it is the outermost read (StoredStateRead): the
    // stream is first read into CreateScratch's collection.
    virtual HRESULT Load(IStream* stream, LONG arg);
    virtual LONG ItemCount() const = 0;
    // Collections whose items are not made by Add refuse with E_FAIL.
    virtual HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg);
    virtual HRESULT RaiseError(HRESULT result, WORD stringId, DWORD helpContext = 0);

    // Hooks. BeforeRemoveItem: 0 removes, 1 skips silently, anything else
    // fails Remove. BeforeClear: a negative result stops Clear.
    virtual HRESULT BeforeRemoveItem(HvKeyedItem* item);
    virtual HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach);
    virtual void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear);
    virtual void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg);
    virtual void OnCleared(bool force, LONG silent);
    virtual HRESULT SaveExtra(IStream* stream, LONG arg);
    virtual HRESULT LoadExtra(IStream* stream, LONG version, LONG arg);
    // An empty collection of the same class and owner that a checking read
    // may fill and drop (one reference); null where the class has none.
    virtual HvCollectionImpl* CreateScratch() { return nullptr; }

    virtual LONG FirstIndex() const { return 0; }
    virtual bool SupportsKeys() const = 0;
    virtual bool KeyRequired() const { return false; }
    virtual bool IsReadOnly() const { return false; }
    // Collections whose items' keys change only where HvKeyedItem::KeyChanged
    // hears of it keep a key index: look-ups and duplicate tests by key then
    // cost one probe. The others walk their items.
    virtual bool IndexesKeys() const { return false; }

    virtual HRESULT SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name, LONG arg);
    virtual HRESULT LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, LONG arg);

    virtual HRESULT GetCount(LONG* out);
    virtual HRESULT Add(VARIANT* key, VARIANT* index, IDispatch** out, LONG arg);
    virtual HRESULT AddByKey(BSTR* key, VARIANT index, IDispatch** out, LONG arg);
    // key: null or empty for none; index: null to append.
    virtual HRESULT AddInternal(BSTR key, const LONG* index, IDispatch** out, LONG arg);
    virtual HRESULT AddUnkeyed(VARIANT* index);
    virtual HRESULT Remove(VARIANT* index);
    // item, when given, receives the found item (no reference of its own).
    virtual HRESULT FindItem(VARIANT* index, IDispatch** out, HvKeyedItem** item = nullptr);
    virtual HRESULT Item(VARIANT* index, IDispatch** out);
    virtual HRESULT NewEnum(IUnknown** out);

    // Storage, in the family's own form.
    // index < 0 appends; an index equal to the count appends.
    virtual HRESULT InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg) = 0;
    virtual HRESULT RemoveCollectionItem(HvKeyedItem* item) = 0;
    virtual HRESULT ClearCollection(bool force, LONG silent) = 0;
    // Position counts from 0 whatever FirstIndex is; null when out of range.
    virtual HvKeyedItem* ItemAtPosition(LONG position) const = 0;
    // Every entry in storage order, in one walk whatever the storage.
    virtual std::vector<HvKeyedItem*> ItemsInOrder() const;
    virtual LONG PositionOf(const HvKeyedItem* item) const = 0;

    // Shared storage operations.
    HvKeyedItem* GetVectorItemAt(LONG index) const { return ItemAtPosition(index - FirstIndex()); }
    HvKeyedItem* FindVectorItemByKey(const CDualString* key) const;
    LONG CollectionIndexOf(const HvKeyedItem* item) const;
    bool VectorCollectionHasDuplicateKey(const CDualString* key, const HvKeyedItem* except) const;
    bool CollectionHasItems() const { return ItemCount() > 0; }
    void DeactivateAllItems();
    bool IsBusy() const { return busy_; }

    // The collection behind an object, or null.
    static HvCollectionImpl* FromObject(IUnknown* object);
    // Case-insensitive comparison of narrow keys in the system locale; a
    // null text equals only a null text.
    static bool KeysEqual(const char* a, const char* b);
    // A number or a numeric text as single precision truncated toward zero;
    // false when it has no such value (or it is not finite or out of range).
    static bool ToIndex(const VARIANT& value, LONG* index);

protected:
    explicit HvCollectionImpl(CAutomationObject& base) : base_(base) {}
    virtual ~HvCollectionImpl() = default;

    // Appends a loaded item without hooks and without a reference of its own.
    virtual HRESULT AppendLoadedItem(HvKeyedItem* item) = 0;
    CAutomationObject& Base() const { return base_; }

    // The storage reports its changes to the key index: one item in or out,
    // or anything else.
    void NoteInserted(HvKeyedItem* item) { keyIndex_.Insert(item); }
    void NoteRemoved(HvKeyedItem* item) { keyIndex_.Erase(item); }
    void NoteStorageChanged() { keyIndex_.Drop(); }

private:
    // The stream form read into this collection, cleared first.
    HRESULT LoadItems(IStream* stream, LONG arg);
    HRESULT HandOut(HvKeyedItem* item, IDispatch** out);
    HRESULT FindByObject(IUnknown* object, IDispatch** out, HvKeyedItem** item);
    // The indexed items whose key equals text (null for none); false when
    // the collection keeps no index or it cannot answer: walk instead.
    bool IndexedLookup(const char* text, const std::vector<HvKeyedItem*>** out) const;

    CAutomationObject& base_;
    mutable KeyIndex keyIndex_;
    bool busy_ = false;
};
