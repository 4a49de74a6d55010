// The automation base of every object of the object model: IDispatch served
// from the type library's cached type information, ISupportErrorInfo, the
// active flag and rich error raising from the string table.
#pragma once

#include "ObjectInfo.h"
#include "UnknownObject.h"

// Result codes and string identifiers shared by the whole object model.
namespace HvResult {
constexpr HRESULT NotActive = static_cast<HRESULT>(0x800AA21B);       // string 42805
constexpr HRESULT InvalidPropertyValue = static_cast<HRESULT>(0x800A017C); // string 10380
constexpr HRESULT ReadOnlyProperty = static_cast<HRESULT>(0x800A017F); // string 10500
constexpr HRESULT OperationFailed = static_cast<HRESULT>(0x800AA21C);  // string 10017
constexpr WORD NotActiveString = 42805;
constexpr WORD InvalidPropertyValueString = 10380;
constexpr WORD ReadOnlyPropertyString = 10500;
constexpr WORD OperationFailedString = 10017;
} // namespace HvResult

class CAutomationObject : public CUnknownObject {
public:
    // IID_IDispatch gives the primary interface; anything else no interface.
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // The IDispatch and ISupportErrorInfo bodies; the dual interfaces'
    // methods forward here (see CDualObject).
    HRESULT GetTypeInfoCount(UINT* count);
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo);
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids);
    HRESULT Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError);
    HRESULT InterfaceSupportsErrorInfo(REFIID iid);

    // Drops the references the object holds on children and owners.
    virtual void ReleaseReferences() {}
    // Module from which the object's message strings are loaded.
    virtual HINSTANCE GetResourceInstance();
    // Raises an automation error: the message is string stringId with the
    // placeholders |1 to |9 replaced by inserts (a null-terminated array, or
    // null); the source is the object type's name. Returns result.
    virtual HRESULT Exception(HRESULT result, WORD stringId, DWORD helpContext = 0,
                              const char* const* inserts = nullptr);
    // The common failure of a member of an object that is no longer active.
    HRESULT NotActiveError() { return Exception(HvResult::NotActive, HvResult::NotActiveString); }

    bool IsActive() const;
    void Deactivate();
    static bool IsActive(const CAutomationObject* object);
    static void Deactivate(CAutomationObject* object);

    // VARIANT_TRUE when other is this same object.
    VARIANT_BOOL IsSameAs(IDispatch* other);

    // The bodies of the members every object and collection of the library
    // shares (_GetObjectPointer, IsSameAs, and the test TagVariant makes):
    // an object that is no longer active answers that it is not.
    HRESULT CheckActive() { return IsActive() ? S_OK : NotActiveError(); }
    HRESULT ObjectPointerMember(const void* calledInterface, long* pointer);
    HRESULT IsSameAsMember(IDispatch* other, VARIANT_BOOL* result);

    // The body of IHvBase::_GetObjectPointer: the address of the interface
    // it was called on (E_INVALIDARG for a null out pointer).
    static HRESULT GetObjectPointer(const void* calledInterface, long* pointer);
    // The live automation object whose primary interface is at this address
    // (a value from _GetObjectPointer), or null.
    static CAutomationObject* FromObjectPointer(long pointer);
    // The same from the primary interface's address itself (no narrowing).
    static CAutomationObject* FromPrimaryInterface(const void* primary);
    // The live automation object behind object whose primary interface is
    // iid, active or not, or null: the library's own road to its objects,
    // where _GetObjectPointer answers only while the object is active.
    static CAutomationObject* FromInterface(IUnknown* object, REFIID iid);

    int ObjectType() const { return objectType_; }
    ObjectInfo& Info() const { return GetObjectInfo(objectType_); }

protected:
    CAutomationObject(IUnknown* outer, int objectType, void* primaryInterface);
    ~CAutomationObject() override;

private:
    int objectType_;
    bool holdsTypeInfo_ = false;
    bool active_ = true;
};
