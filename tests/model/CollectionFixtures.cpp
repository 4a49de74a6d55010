// Collections and items made for the tests of the collection machinery.
#include "CollectionFixtures.h"

#include "StreamText.h"

int TestItem::live = 0;

TestItem* TestItem::Create(const CDualString* key, ChangeSubscriber* collection)
{
    return new TestItem(key, collection);
}

TestItem::TestItem(const CDualString* key, ChangeSubscriber* collection)
    : CDualObject(nullptr, ObjectType::HvAppearance), link_(collection)
{
    if (key)
        key_ = *key;
    if (collection)
        link_.RelinkSubscription(this);
    ++live;
}

TestItem::~TestItem()
{
    --live;
    if (onDestroy)
        onDestroy();
    DetachAllSubscribers();
}

HRESULT TestItem::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IHvObjectBase)) {
        *out = static_cast<IHvObjectBase*>(this);
    } else if (IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
    } else {
        return CDualObject::InternalQueryInterface(iid, out);
    }
    CUnknownObject::AddRef();
    return S_OK;
}

STDMETHODIMP TestItem::Save(IStream* stream, LONG arg)
{
    HRESULT hr = WriteStringToStream(stream, key_);
    LONG data[2] = {value, arg};
    if (SUCCEEDED(hr))
        hr = stream->Write(data, sizeof data, nullptr);
    return hr;
}

STDMETHODIMP TestItem::Load(IStream* stream, LONG)
{
    HvKeyedItem::KeyChanged();
    HRESULT hr = ReadStringFromStream(stream, key_);
    LONG data[2] = {};
    ULONG read = 0;
    if (SUCCEEDED(hr))
        hr = stream->Read(data, sizeof data, &read);
    if (SUCCEEDED(hr) && read != sizeof data)
        hr = E_FAIL;
    value = data[0];
    return hr;
}
