// The identity of every COM object of the library: controlling unknown,
// non-delegating unknown, reference count, final release and liveness.
#pragma once

#include <windows.h>
#include <ole2.h>

// Private identifier answered by every object of the library with its own
// IDispatch, even when the object is aggregated.
extern "C" const IID IID_IHvPrivateObject;

class CUnknownObject;

// The non-delegating unknown embedded in every object: it owns the object's
// reference count.
class CPrivateUnknown final : public IUnknown {
public:
    explicit CPrivateUnknown(CUnknownObject& owner) : owner_(owner) {}
    CPrivateUnknown(const CPrivateUnknown&) = delete;
    CPrivateUnknown& operator=(const CPrivateUnknown&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    ULONG Count() const { return count_; }

private:
    CUnknownObject& owner_;
    ULONG count_ = 1;
};

// Base of every COM object of the library. An object is born with one
// reference, held by its creator, and is deleted by its last Release.
class CUnknownObject {
public:
    CUnknownObject(const CUnknownObject&) = delete;
    CUnknownObject& operator=(const CUnknownObject&) = delete;

    // AddRef, Release and QueryInterface of the object's public interfaces:
    // they go to the controlling unknown, except the private identifier.
    ULONG AddRef() { return controlling_->AddRef(); }
    ULONG Release() { return controlling_->Release(); }
    HRESULT ForwardQueryInterface(REFIID iid, void** out);

    // The object's own answer to QueryInterface; classes answer their own
    // interfaces and end by calling their base's.
    virtual HRESULT InternalQueryInterface(REFIID iid, void** out);

    IUnknown* PrivateUnknown() { return &private_; }
    IUnknown* ControllingUnknown() const { return controlling_; }
    void* PrimaryInterface() const { return primary_; }
    bool IsAggregated() const { return controlling_ != &private_; }
    ULONG ReferenceCount() const { return private_.Count(); }

protected:
    // outer: the aggregating object's unknown (not counted), or null.
    // primaryInterface: the interface handed out for IDispatch (not counted).
    CUnknownObject(IUnknown* outer, void* primaryInterface);
    virtual ~CUnknownObject();

    // Runs once, before the object is deleted, with the count held at 2 so
    // that AddRef/Release pairs made during tear-down cannot delete it again.
    virtual void OnFinalRelease() {}
    // Runs when a second reference is taken (shared true) and when the count
    // falls back to one (shared false): an object that lends its owner's
    // life to whoever else holds it takes or drops that reference here. The
    // object may be gone when a false call returns.
    virtual void OnSharedChange(bool /*shared*/) {}

private:
    friend class CPrivateUnknown;

    IUnknown* controlling_;
    void* primary_;
    const CUnknownObject* self_;
    CPrivateUnknown private_;
};

// Ends every InternalQueryInterface chain.
HRESULT ReturnNoInterface(void** out);

// True while object designates a live object of this library. Never reads
// the object, so any pointer value may be tested.
bool IsValidObjectPointer(const CUnknownObject* object);
