// Binary state of an object through a property bag: the object's stream
// form travels as one VT_UNKNOWN entry, a CPersistHGlobal over a block of
// {32-bit size, bytes}.
#pragma once

#include <windows.h>
#include <ocidl.h>

// What the two helpers need of a persistable collection object.
class PersistableCollection {
public:
    virtual LONG ItemCount() = 0;
    virtual HRESULT Save(IStream* stream, LONG flags) = 0;
    virtual HRESULT Load(IStream* stream, LONG flags) = 0;

protected:
    ~PersistableCollection() = default;
};

// Writes the object's stream form under name; an object without items
// writes nothing and answers S_OK.
HRESULT SaveObjectToPropertyBag(PersistableCollection& object, IPropertyBag* bag, LPCOLESTR name, LONG flags);
// Reads the entry under name into the object. A missing or unreadable
// entry answers E_FAIL; a block whose size is inconsistent answers E_FAIL
// without calling the object.
HRESULT LoadObjectFromPropertyBag(PersistableCollection& object, IPropertyBag* bag, IErrorLog* log,
                                  LPCOLESTR name, LONG flags);
