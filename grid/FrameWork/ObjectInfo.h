// The object-info table: one record per automation object type of the
// library, indexed by object type. It drives the class factory, the type
// information cache, error raising, connection points and self-registration.
#pragma once

#include <windows.h>
#include <ole2.h>

// Creation function of a creatable type: the new object's non-delegating
// IUnknown with one reference, or null when it could not be made.
using CreateObjectFunction = IUnknown* (*)(IUnknown* outer);

// Positions in the object-info table.
namespace ObjectType {
enum : int {
    HvTavelle = 0, HvDataObject, HvDataObjectFiles, HvReturnLong, HvReturnShort,
    HvReturnBoolean, HvReturnFloat, HvReturnString, HvLayout, Appearances,
    HvAppearance, HvImages, HvImage, HvSelectedRows, HvVisibleRows,
    HvRow, Bands, HvBand, HvSelectedCols, HvHeaders,
    HvGroupCols, HvSortedCols, Columns, HvColumn, HvSelectedCells,
    Cells, HvCell, HvSelected, ColScrollRegions, HvColScrollRegion,
    RowScrollRegions, HvRowScrollRegion, Groups, HvGroup, HvHeader,
    Overrides, HvOverride, ValueLists, HvValueList, ValueListItems,
    HvValueListItem, HvError, HvDataError, UIElements, HvUIElement,
    HvTVDraw, HvUIRect, HvAddNewBox, HvAutoSizeEdit, HvMaskError,
    Count
};
} // namespace ObjectType

// How a record is registered (only the low 16 bits are tested).
enum ObjectKind : DWORD {
    ObjectKindPlain = 0,
    ObjectKindAutomation = 1,
    ObjectKindControl = 2,
    ObjectKindPlainAlternate = 3,
    ObjectKindEnd = 0xFFFF,
};

struct ObjectInfo {
    const CLSID* clsid;             // null: clients cannot create the type
    const char* name;               // error source and ProgID part
    const char* description;        // null: "<name> Object"
    DWORD apartment;                // non-zero: ThreadingModel "Apartment"
    CreateObjectFunction create;    // null for non-creatable types
    DWORD versionMajor;             // type-library version of the type information
    DWORD versionMinor;
    const IID* iid;                 // the type's dual interface
    const IID* eventIid;            // its event interface, or null
    const char* helpFile;
    ITypeInfo* typeInfo;            // cache, guarded by the global critical section
    LONG typeInfoHolders;
};

// A custom verb whose name is a string-table identifier.
struct CustomVerb {
    LONG verb;
    UINT nameStringId;
    DWORD flags;
    DWORD attributes;
};

// The control's record carries its OLE registration and activation data.
struct ControlObjectInfo : ObjectInfo {
    DWORD miscStatus;
    DWORD pointerActivationPolicy;
    WORD opaque;
    WORD windowless;
    WORD toolboxBitmapId;
    const wchar_t* windowClassName;
    WORD windowClassRegistered;     // guarded by the global critical section
    WORD propertyPageCount;
    const CLSID* const* propertyPages;
    WORD customVerbCount;
    const CustomVerb* customVerbs;
    void* reflector;
    WORD implementedCategoryCount;
    const GUID* const* implementedCategories;
    WORD requiredCategoryCount;
    const GUID* const* requiredCategories;
};

struct ObjectInfoEntry {
    DWORD kind;
    ObjectInfo* info;
};

// The table, terminated by {ObjectKindEnd, null}.
ObjectInfoEntry* ObjectInfoTable();
// The record of an object type (0 to ObjectType::Count - 1).
ObjectInfo& GetObjectInfo(int objectType);
DWORD GetObjectKind(int objectType);
ControlObjectInfo& GetControlObjectInfo();
// The creatable type with this class identifier, or -1.
int FindObjectTypeByClsid(REFCLSID clsid);

// Installs the creation function of a creatable type; the code that
// implements the control (entry 0) and the layout (entry 8) calls this
// from a static initialiser of its own. Returns the previous function.
CreateObjectFunction SetCreateFunction(int objectType, CreateObjectFunction create);

// Fixed identifiers of the library.
extern "C" const CLSID CLSID_HvPropertyPageGeneral;
extern "C" const CLSID CLSID_HvPropertyPageAppearances;
extern "C" const CLSID CLSID_HvPropertyPageValueLists;
extern "C" const CLSID CLSID_HvPropertyPageImages;
extern "C" const CLSID CLSID_HvPropertyPageGroupsColumns;
extern "C" const CLSID CLSID_HvPropertyPageLayout;
