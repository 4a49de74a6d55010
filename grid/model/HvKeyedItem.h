// HvKeyedItem: what every item of a collection offers the collection
// directly (not through QueryInterface): its key, the interface under which
// it is handed out, and its automation base.
#pragma once

#include <windows.h>
#include <ole2.h>

class CAutomationObject;
class CDualString;

class HvKeyedItem {
public:
    // Null or an empty string when the item has no key.
    virtual const CDualString* GetKey() = 0;
    // The item's dual interface; every handing-out is a QueryInterface for it.
    virtual const IID* GetInterfaceId() = 0;
    // Reference counting, QueryInterface and deactivation go through it.
    virtual CAutomationObject* GetItemObject() = 0;

    // QueryInterface of the item for its dual interface (one new reference).
    HRESULT QueryItemInterface(IDispatch** out);
    ULONG AddRefItem();
    ULONG ReleaseItem();

    // The library's own collection item behind an object a client passed,
    // or null when it is none.
    static HvKeyedItem* FromObject(IUnknown* object);

    // Every change of a key after the item was made (a read, a reset, a
    // copy) is reported here, so that the collections' key indexes know
    // they are stale.
    static void KeyChanged();
    static LONG KeyEpoch();
    // A key copied from another item or emptied, reported when its text
    // changes.
    static void CopyKey(CDualString& key, const CDualString& value);
    static void EmptyKey(CDualString& key);

protected:
    ~HvKeyedItem() = default;
};
