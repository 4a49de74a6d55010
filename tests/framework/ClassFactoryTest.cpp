// The class factory, creation through the object-info table and unloading.
#include "ClassFactory.h"
#include "ElementCursors.h"
#include "FrameworkTestSupport.h"
#include "Module.h"
#include "ModuleHooks.h"
#include "TestObjects.h"

#include <Tavelle.h>

#include <doctest/doctest.h>

namespace {

int g_created = 0;

IUnknown* CreateTestObject(IUnknown* outer)
{
    ++g_created;
    return (new TestLongObject(outer))->PrivateUnknown();
}

// An aggregating object that only counts references.
class CountingOuter final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++count; }
    STDMETHODIMP_(ULONG) Release() override { return --count; }
    ULONG count = 1;
};

// Installs a stand-in creation function for the layout's record for the
// length of a test, so that the factory has something to build.
struct StandInCreator {
    CreateObjectFunction previous;
    StandInCreator() : previous(SetCreateFunction(ObjectType::HvLayout, CreateTestObject)) {}
    ~StandInCreator() { SetCreateFunction(ObjectType::HvLayout, previous); }
};

} // namespace

TEST_CASE("DllGetClassObject answers only the creatable types")
{
    Released<IClassFactory> factory;
    CHECK(DllGetClassObject(CLSID_HvBand, IID_IClassFactory, factory.OutVoid()) == CLASS_E_CLASSNOTAVAILABLE);
    CHECK(factory.pointer == nullptr);
    CHECK(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, nullptr) == E_INVALIDARG);
    CHECK(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, factory.OutVoid()) == S_OK);
    Released<IDispatch> wrong;
    CHECK(factory->QueryInterface(IID_IDispatch, wrong.OutVoid()) == E_NOINTERFACE);
    CHECK(FindObjectTypeByClsid(CLSID_HvTavelle) == ObjectType::HvTavelle);
    CHECK(FindObjectTypeByClsid(CLSID_HvLayout) == ObjectType::HvLayout);
}

TEST_CASE("DllCanUnloadNow while a factory or a server lock is held")
{
    REQUIRE(DllCanUnloadNow() == S_OK);
    {
        Released<IClassFactory> factory;
        REQUIRE(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, factory.OutVoid()) == S_OK);
        CHECK(DllCanUnloadNow() == S_FALSE);
        CHECK(factory->LockServer(TRUE) == S_OK);
    }
    CHECK(DllCanUnloadNow() == S_FALSE);
    {
        Released<IClassFactory> factory;
        REQUIRE(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, factory.OutVoid()) == S_OK);
        CHECK(factory->LockServer(FALSE) == S_OK);
    }
    CHECK(DllCanUnloadNow() == S_OK);
}

TEST_CASE("CreateInstance through the record's creation function")
{
    StandInCreator standIn;
    Released<IClassFactory> factory;
    REQUIRE(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, factory.OutVoid()) == S_OK);
    CHECK(factory->CreateInstance(nullptr, IID_IDispatch, nullptr) == E_INVALIDARG);

    SUBCASE("without an outer object the new object is queried and its creation reference dropped")
    {
        Released<IDispatch> object;
        REQUIRE(factory->CreateInstance(nullptr, IID_IDispatch, object.OutVoid()) == S_OK);
        CHECK(object->AddRef() == 2);
        object->Release();
    }
    SUBCASE("an outer object may only ask for IUnknown; anything else leaves no object alive")
    {
        CountingOuter outerObject;
        IUnknown* outer = &outerObject;
        LONG before = LibraryObjectCount();
        void* out = reinterpret_cast<void*>(1);
        CHECK(factory->CreateInstance(outer, IID_IDispatch, &out) == E_INVALIDARG);
        CHECK(out == nullptr);
        CHECK(LibraryObjectCount() == before);
    }
    SUBCASE("an unknown interface releases the new object")
    {
        TestLongObject::destroyed = 0;
        Released<IStream> stream;
        CHECK(factory->CreateInstance(nullptr, IID_IStream, stream.OutVoid()) == E_NOINTERFACE);
        CHECK(TestLongObject::destroyed == 1);
    }
}

// Defined with the layout object, which installs the creation function of
// entry 8; referring to it links the layout in.
extern "C" int HvLayoutClassLinked;

TEST_CASE("the layout's class creates HvLayout")
{
    REQUIRE(HvLayoutClassLinked == 1);
    Released<IClassFactory> factory;
    REQUIRE(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, factory.OutVoid()) == S_OK);
    Released<IHvLayout> layout;
    CHECK(factory->CreateInstance(nullptr, IID_IHvLayout, layout.OutVoid()) == S_OK);
}

// Defined with the control object, which installs the creation function of
// entry 0 and the control's module hooks; referring to it links it in.
extern "C" int HvTavelleClassLinked;

TEST_CASE("the control's class creates HvTavelle")
{
    REQUIRE(HvTavelleClassLinked == 1);
    Released<IClassFactory> factory;
    REQUIRE(DllGetClassObject(CLSID_HvTavelle, IID_IClassFactory, factory.OutVoid()) == S_OK);
    Released<IHvTavelleControl> control;
    CHECK(factory->CreateInstance(nullptr, IID_IHvTavelleControl, control.OutVoid()) == S_OK);
}

TEST_CASE("without a creation function the factory reports the class as not implemented")
{
    Released<IClassFactory> factory;
    REQUIRE(DllGetClassObject(CLSID_HvTavelle, IID_IClassFactory, factory.OutVoid()) == S_OK);
    if (GetObjectInfo(ObjectType::HvTavelle).create)
        return; // the control is linked in
    Released<IUnknown> object;
    CHECK(factory->CreateInstance(nullptr, IID_IUnknown, object.OutVoid()) == E_NOTIMPL);
}

TEST_CASE("module start-up hooks of the display and the control")
{
    REQUIRE(HvTavelleClassLinked == 1);
    CHECK(static_cast<bool>(GetModuleHooks(ModuleHookSlot::Control).startUp));
    CHECK(static_cast<bool>(GetModuleHooks(ModuleHookSlot::Control).shutDown));

    // The display loads its element cursors at start-up and forgets them
    // (with its other resources) at shut-down; a module started again loads
    // them again.
    const ModuleHooks display = GetModuleHooks(ModuleHookSlot::Display);
    REQUIRE((display.startUp == &LoadElementCursors));
    REQUIRE((display.shutDown == &ReleaseDisplayResources));
    display.shutDown();
    display.startUp();
    for (WORD id : {ElementCursor::Connector, ElementCursor::ConnectorAlternate, ElementCursor::SizeColumnRegions,
                    ElementCursor::SizeRowRegions, ElementCursor::SizeBoth}) {
        CAPTURE(id);
        CHECK(GetElementCursor(id) != nullptr);
    }
    CHECK(GetElementCursor(ElementCursor::SizeBoth + 1) == nullptr);
}
