// AppearanceRef: an object's reference to its appearance: a member of the
// layout's Appearances named by index or key (resolved lazily, again on each
// use until it resolves), or a private appearance made for the object on
// first use. The owning object's subscriber follows the current appearance.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <Tavelle.h>

#include <memory>

class AppearanceData;
class ChangeSubscriber;
class HvAppearance;
class HvAppearances;
class HvLayoutHost;
class PropertySinkConnection;
class SubscriptionLink;

class AppearanceRef {
public:
    static constexpr WORD TagNone = 0;
    static constexpr WORD TagIndex = VT_I4;
    static constexpr WORD TagKey = VT_BSTR;
    static constexpr WORD TagInline = VT_DISPATCH;

    AppearanceRef();
    ~AppearanceRef();
    AppearanceRef(const AppearanceRef&) = delete;
    AppearanceRef& operator=(const AppearanceRef&) = delete;

    // owner, appearances and subscriber are not owned; each may be null.
    void Init(HvLayoutHost* owner, HvAppearances* appearances, ChangeSubscriber* subscriber);

    void ReleaseAppearance();
    // The owner was deactivated: stop listening, refuse every later put, and
    // end a private appearance that nobody else holds.
    void Detach();
    void SetReadOnly(bool readOnly);
    bool IsDetached() const { return detached_; }

    // The appearance (key resolved first), not add-ref'd, or null.
    HvAppearance* GetAppearance();
    // Its data block, or null when there is none yet.
    const AppearanceData* GetAppearanceData();
    PropertySinkConnection* GetFontConnection();

    // The getter of an appearance property: makes a private appearance
    // when none is held.
    HRESULT QueryAppearance(IHvAppearance** out);
    HRESULT CreateAppearance();
    HRESULT PutAppearanceObject(IUnknown* object, bool* changed);
    HRESULT PutValue(const VARIANT& value, bool* changed);
    // PutAppearanceObject without errors for the caller: whether it changed.
    bool SetAppearance(HvAppearance* appearance);
    // Copies other's key, or a clone of its appearance when it has data.
    HRESULT Assign(const AppearanceRef& other);
    bool IsSet();

    // The key held (VT_I4 index or VT_BSTR key), or null.
    const VARIANT* Key() const { return key_.get(); }

    // Stream form: a 16-bit tag, then an index, a key or the appearance.
    HRESULT SaveToStream(IStream* stream, bool inlineObject, LONG flags);
    HRESULT LoadFromStream(IStream* stream, LONG flags);
    // The stream form as one binary entry of a property bag.
    HRESULT SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name, LONG flags);
    HRESULT LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, LONG flags);

private:
    struct VariantDeleter {
        void operator()(VARIANT* value) const;
    };

    HRESULT Raise(HRESULT result, WORD stringId);
    void ResolveKey();
    HRESULT Subscribe();
    void Hold(HvAppearance* appearance);
    void DropHeld();
    void FreeKey();
    bool IsMember(HvAppearance* appearance) const;

    HvLayoutHost* owner_ = nullptr;
    HvAppearances* appearances_ = nullptr;
    ChangeSubscriber* subscriber_ = nullptr;
    HvAppearance* appearance_ = nullptr;     // one reference
    bool counted_ = false;                   // counted among its holders
    std::unique_ptr<SubscriptionLink> link_;
    std::unique_ptr<VARIANT, VariantDeleter> key_;
    bool detached_ = false;
    bool readOnly_ = false;
};
