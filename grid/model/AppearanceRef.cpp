// AppearanceRef: resolution, puts, detaching and the stream and
// property-bag forms of an appearance reference.
#include "AppearanceRef.h"

#include "AutomationObject.h"
#include "CollectionBlob.h"
#include "DualString.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvLayoutHost.h"
#include "HvPersistParticipant.h"
#include "StreamText.h"
#include "SubscriptionLink.h"

#include <new>

void AppearanceRef::VariantDeleter::operator()(VARIANT* value) const
{
    VariantClear(value);
    delete value;
}

AppearanceRef::AppearanceRef() = default;

AppearanceRef::~AppearanceRef()
{
    ReleaseAppearance();
    link_.reset();
}

void AppearanceRef::Init(HvLayoutHost* owner, HvAppearances* appearances, ChangeSubscriber* subscriber)
{
    owner_ = owner;
    appearances_ = appearances;
    subscriber_ = subscriber;
}

HRESULT AppearanceRef::Raise(HRESULT result, WORD stringId)
{
    return owner_ ? owner_->RaiseError(result, stringId) : E_FAIL;
}

bool AppearanceRef::IsMember(HvAppearance* appearance) const
{
    return appearance && appearances_ && appearances_->IndexOfAppearance(appearance) >= 0;
}

void AppearanceRef::Hold(HvAppearance* appearance)
{
    appearance_ = appearance;
    appearance_->AddRef();
    appearance_->AddHolder();
    counted_ = true;
    if (appearance_->IsActive() && readOnly_)
        appearance_->SetReadOnly(true);
}

void AppearanceRef::DropHeld()
{
    if (!appearance_)
        return;
    if (link_)
        link_->Unlink();
    HvAppearance* held = appearance_;
    appearance_ = nullptr;
    if (counted_)
        held->RemoveHolder();
    counted_ = false;
    held->Release();
}

void AppearanceRef::FreeKey()
{
    key_.reset();
}

void AppearanceRef::ReleaseAppearance()
{
    DropHeld();
    FreeKey();
}

void AppearanceRef::Detach()
{
    detached_ = true;
    if (link_)
        link_->Unlink();
    if (!appearance_ || !counted_)
        return;
    counted_ = false;
    const long others = appearance_->RemoveHolder();
    // A shared appearance lives on with the objects that still use it.
    if (others == 0 && appearance_->IsActive() && !IsMember(appearance_))
        appearance_->Deactivate();
}

void AppearanceRef::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (appearance_ && appearance_->IsActive())
        appearance_->SetReadOnly(readOnly);
}

HRESULT AppearanceRef::Subscribe()
{
    if (!subscriber_ || !appearance_)
        return S_OK;
    if (!link_) {
        link_.reset(new (std::nothrow) SubscriptionLink(subscriber_));
        if (!link_)
            return E_OUTOFMEMORY;
    }
    link_->RelinkSubscription(appearance_);
    return S_OK;
}

void AppearanceRef::ResolveKey()
{
    if (!key_ || !appearances_)
        return;
    HvAppearance* found = nullptr;
    if (V_VT(key_.get()) == VT_I4) {
        found = appearances_->AppearanceAt(V_I4(key_.get()));
    } else if (V_VT(key_.get()) == VT_BSTR) {
        CDualString key(V_BSTR(key_.get()));
        found = appearances_->FindAppearance(key);
    }
    if (found == appearance_)
        return;
    DropHeld();
    if (!found)
        return;
    Hold(found);
    if (!detached_)
        Subscribe();
}

HvAppearance* AppearanceRef::GetAppearance()
{
    if (key_ && !appearance_)
        ResolveKey();
    return appearance_;
}

const AppearanceData* AppearanceRef::GetAppearanceData()
{
    HvAppearance* appearance = GetAppearance();
    return appearance && appearance->HasOwnData() ? &appearance->GetAppearanceData() : nullptr;
}

PropertySinkConnection* AppearanceRef::GetFontConnection()
{
    HvAppearance* appearance = GetAppearance();
    return appearance ? appearance->GetFontConnection() : nullptr;
}

HRESULT AppearanceRef::CreateAppearance()
{
    if (detached_)
        return Raise(HvResult::NotActive, HvResult::NotActiveString);
    if (appearance_)
        return S_OK;
    if (!owner_)
        return E_FAIL;
    HvAppearance* created = nullptr;
    HRESULT hr = HvAppearance::Create(owner_, false, nullptr, nullptr, &created);
    if (FAILED(hr))
        return hr;
    Hold(created);
    created->Release(); // the reference keeps its own
    hr = Subscribe();
    if (readOnly_)
        created->SetReadOnly(true);
    return hr;
}

HRESULT AppearanceRef::QueryAppearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!appearances_)
        return E_FAIL;
    GetAppearance();
    if (!appearance_) {
        HRESULT hr = CreateAppearance();
        if (FAILED(hr))
            return hr;
    }
    return appearance_->QueryInterface(IID_IHvAppearance, reinterpret_cast<void**>(out));
}

HRESULT AppearanceRef::PutAppearanceObject(IUnknown* object, bool* changed)
{
    if (detached_)
        return Raise(HvResult::NotActive, HvResult::NotActiveString);
    bool dummy = false;
    bool& didChange = changed ? *changed : dummy;
    didChange = false;
    HvAppearance* given = object ? HvAppearance::FromObject(object) : nullptr;
    if (object && given && given == appearance_) {
        if (key_) {
            FreeKey();
            didChange = true;
        }
        return S_OK;
    }
    if (!object) {
        if (appearance_ || key_) {
            ReleaseAppearance();
            didChange = true;
        }
        return S_OK;
    }
    if (!owner_)
        return E_FAIL;
    IHvAppearance* asAppearance = nullptr;
    HRESULT hr = object->QueryInterface(IID_IHvAppearance, reinterpret_cast<void**>(&asAppearance));
    if (FAILED(hr) || !asAppearance) {
        if (!owner_->IsAlive())
            return FAILED(hr) ? hr : E_NOINTERFACE;
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    asAppearance->Release();
    if (!given)
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    given->AddRef();
    ReleaseAppearance();
    Hold(given);
    given->Release();
    hr = Subscribe();
    didChange = true;
    return hr;
}

HRESULT AppearanceRef::PutValue(const VARIANT& value, bool* changed)
{
    if (detached_)
        return Raise(HvResult::NotActive, HvResult::NotActiveString);
    bool dummy = false;
    bool& didChange = changed ? *changed : dummy;
    didChange = false;
    if (!owner_)
        return E_FAIL;
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, const_cast<VARIANT*>(&value));
    if (FAILED(hr))
        return hr;
    struct Clear {
        VARIANT& v;
        ~Clear() { VariantClear(&v); }
    } clearCopy{copy};

    switch (V_VT(&copy)) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:
        ReleaseAppearance();
        didChange = true;
        return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return PutAppearanceObject(V_UNKNOWN(&copy), changed);
    case VT_BSTR: {
        BSTR text = V_BSTR(&copy);
        if (!text || SysStringLen(text) == 0) {
            ReleaseAppearance();
            didChange = true;
            return S_OK;
        }
        if (key_ && V_VT(key_.get()) == VT_BSTR && CompareWideStrings(V_BSTR(key_.get()), text) == 0)
            return S_OK;
        std::unique_ptr<VARIANT, VariantDeleter> key(new (std::nothrow) VARIANT);
        if (!key)
            return E_OUTOFMEMORY;
        VariantInit(key.get());
        V_VT(key.get()) = VT_BSTR;
        V_BSTR(key.get()) = SysAllocStringLen(text, SysStringLen(text));
        if (!V_BSTR(key.get()))
            return E_OUTOFMEMORY;
        DropHeld();
        key_ = std::move(key);
        didChange = true;
        return S_OK;
    }
    default:
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
}

bool AppearanceRef::SetAppearance(HvAppearance* appearance)
{
    bool changed = false;
    IUnknown* object = appearance ? static_cast<IHvAppearance*>(appearance) : nullptr;
    PutAppearanceObject(object, &changed);
    return changed;
}

HRESULT AppearanceRef::Assign(const AppearanceRef& other)
{
    if (&other == this)
        return S_OK;
    ReleaseAppearance();
    const VARIANT* key = other.key_.get();
    if (key && (V_VT(key) == VT_I4 || V_VT(key) == VT_BSTR)) {
        std::unique_ptr<VARIANT, VariantDeleter> copy(new (std::nothrow) VARIANT);
        if (!copy)
            return E_OUTOFMEMORY;
        VariantInit(copy.get());
        HRESULT hr = VariantCopyInd(copy.get(), const_cast<VARIANT*>(key));
        if (FAILED(hr))
            return hr;
        key_ = std::move(copy);
        return S_OK;
    }
    if (!other.appearance_ || !other.appearance_->HasOwnData())
        return S_OK;
    HvAppearance* clone = nullptr;
    HRESULT hr = other.appearance_->CloneFor(owner_, true, &clone);
    if (FAILED(hr))
        return hr;
    Hold(clone);
    clone->Release();
    clone->SetReadOnly(readOnly_);
    return Subscribe();
}

bool AppearanceRef::IsSet()
{
    if (key_ && (V_VT(key_.get()) == VT_I4 || V_VT(key_.get()) == VT_BSTR))
        return true;
    return appearance_ && (appearance_->HasAnyCategoryData(0) || IsMember(appearance_));
}

HRESULT AppearanceRef::SaveToStream(IStream* stream, bool inlineObject, LONG flags)
{
    GetAppearance();
    const VARIANT* key = key_.get();
    const bool hasKey = key && (V_VT(key) == VT_I4 || V_VT(key) == VT_BSTR);
    if (!appearance_ && !hasKey)
        return E_FAIL;
    // A key that names no appearance yet is still saved as the key.
    if (hasKey && (!inlineObject || !appearance_)) {
        const WORD tag = V_VT(key) == VT_I4 ? TagIndex : TagKey;
        HRESULT hr = HvPersistParticipant::WriteBytes(stream, &tag, sizeof tag);
        if (FAILED(hr))
            return hr;
        if (tag == TagIndex) {
            const LONG index = V_I4(key);
            return HvPersistParticipant::WriteBytes(stream, &index, sizeof index);
        }
        return WriteBstrToStream(stream, V_BSTR(key));
    }
    if (!inlineObject && IsMember(appearance_)) {
        const CDualString* memberKey = appearance_->GetKey();
        if (memberKey && !memberKey->IsEmpty()) {
            const WORD tag = TagKey;
            HRESULT hr = HvPersistParticipant::WriteBytes(stream, &tag, sizeof tag);
            return SUCCEEDED(hr) ? WriteStringToStream(stream, *memberKey) : hr;
        }
        const WORD tag = TagIndex;
        const LONG index = appearances_->IndexOfAppearance(appearance_);
        HRESULT hr = HvPersistParticipant::WriteBytes(stream, &tag, sizeof tag);
        return SUCCEEDED(hr) ? HvPersistParticipant::WriteBytes(stream, &index, sizeof index) : hr;
    }
    const WORD tag = TagInline;
    HRESULT hr = HvPersistParticipant::WriteBytes(stream, &tag, sizeof tag);
    return SUCCEEDED(hr) ? appearance_->SaveToStream(stream, flags) : hr;
}

HRESULT AppearanceRef::LoadFromStream(IStream* stream, LONG flags)
{
    ReleaseAppearance();
    WORD tag = 0;
    HRESULT hr = HvPersistParticipant::ReadBytes(stream, &tag, sizeof tag);
    if (FAILED(hr))
        return hr;
    switch (tag) {
    case TagNone:
        return S_OK;
    case TagIndex: {
        LONG index = 0;
        hr = HvPersistParticipant::ReadBytes(stream, &index, sizeof index);
        if (FAILED(hr) || index < 0)
            return hr;
        std::unique_ptr<VARIANT, VariantDeleter> key(new (std::nothrow) VARIANT);
        if (!key)
            return E_OUTOFMEMORY;
        VariantInit(key.get());
        V_VT(key.get()) = VT_I4;
        V_I4(key.get()) = index;
        key_ = std::move(key);
        return S_OK;
    }
    case TagKey: {
        BSTR text = nullptr;
        hr = ReadBstrFromStream(stream, &text);
        if (FAILED(hr))
            return hr;
        std::unique_ptr<VARIANT, VariantDeleter> key(new (std::nothrow) VARIANT);
        if (!key) {
            SysFreeString(text);
            return E_OUTOFMEMORY;
        }
        VariantInit(key.get());
        V_VT(key.get()) = VT_BSTR;
        V_BSTR(key.get()) = text;
        // A key that reads as a number is an index.
        VARIANT number;
        VariantInit(&number);
        if (SUCCEEDED(VariantChangeType(&number, key.get(), 0, VT_I4))) {
            VariantClear(key.get());
            *key = number;
            if (V_I4(key.get()) < 0)
                return S_OK;
        }
        key_ = std::move(key);
        return S_OK;
    }
    case TagInline:
        hr = CreateAppearance();
        if (SUCCEEDED(hr))
            hr = appearance_->LoadFromStream(stream, flags);
        if (FAILED(hr))
            ReleaseAppearance();
        return hr;
    default:
        // The bytes that follow an unknown tag cannot be read.
        return E_FAIL;
    }
}

HRESULT AppearanceRef::SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name, LONG flags)
{
    if (!bag || !name)
        return E_INVALIDARG;
    return CollectionBlob::WriteEntry(bag, name, [&](IStream* stream) { return SaveToStream(stream, false, flags); });
}

HRESULT AppearanceRef::LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, LONG flags)
{
    if (!bag || !name)
        return E_INVALIDARG;
    // A bag without the entry holds no appearance.
    ReleaseAppearance();
    HRESULT hr =
        CollectionBlob::ReadEntry(bag, log, name, [&](IStream* stream) { return LoadFromStream(stream, flags); });
    return hr == S_FALSE ? S_OK : hr;
}
