// The grid's automation interface as the type library publishes it: every
// member's name, dispatch identifier, kind and vtable slot, through the
// bases IHvBase, IHvObjectBase and IHvLayoutBase; and one call through the
// vtable of a control made from the registered library for each group of
// slots.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "FrameworkTestSupport.h"

#include <doctest/doctest.h>
#include <Tavelle.h>

#include <map>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

enum class Kind { Get, Put, PutRef, Method };

struct Slot {
    int slot;
    const wchar_t* name;
    Kind kind;
    MEMBERID id;
};

const Slot kSlots[] = {
    {7, L"_GetObjectPointer", Kind::Method, 2183},
    {8, L"TagVariant", Kind::Get, 39},
    {9, L"TagVariant", Kind::Put, 39},
    {10, L"TagVariant", Kind::PutRef, 39},
    {11, L"IsSameAs", Kind::Method, 1048},
    {12, L"AddNewBox", Kind::Get, 1185},
    {13, L"AlphaBlendEnabled", Kind::Get, 2171},
    {14, L"AlphaBlendEnabled", Kind::Put, 2171},
    {15, L"Appearances", Kind::Get, 1200},
    {16, L"Appearance", Kind::Get, -520},
    {17, L"Appearance", Kind::PutRef, -520},
    {18, L"Appearance", Kind::Put, -520},
    {19, L"Bands", Kind::Get, 1187},
    {20, L"DrawFilter", Kind::Get, 1281},
    {21, L"DrawFilter", Kind::Put, 1281},
    {22, L"DrawFilter", Kind::PutRef, 1281},
    {23, L"DataFilter", Kind::Get, 1309},
    {24, L"DataFilter", Kind::Put, 1309},
    {25, L"DataFilter", Kind::PutRef, 1309},
    {26, L"Override", Kind::Get, 1031},
    {27, L"Override", Kind::PutRef, 1031},
    {28, L"Override", Kind::Put, 1031},
    {29, L"BorderStyle", Kind::Get, -504},
    {30, L"BorderStyle", Kind::Put, -504},
    {31, L"Caption", Kind::Get, -518},
    {32, L"Caption", Kind::Put, -518},
    {33, L"CaptionAppearance", Kind::Get, 1251},
    {34, L"CaptionAppearance", Kind::PutRef, 1251},
    {35, L"CaptionAppearance", Kind::Put, 1251},
    {36, L"ColScrollRegions", Kind::Get, 1192},
    {37, L"Enabled", Kind::Get, -514},
    {38, L"Enabled", Kind::Put, -514},
    {39, L"EstimatedRows", Kind::Get, 1195},
    {40, L"EstimatedRows", Kind::Put, 1195},
    {41, L"Font", Kind::Get, -512},
    {42, L"Font", Kind::Put, -512},
    {43, L"Font", Kind::PutRef, -512},
    {44, L"InterBandSpacing", Kind::Get, 2152},
    {45, L"InterBandSpacing", Kind::Put, 2152},
    {46, L"MaxColScrollRegions", Kind::Get, 2108},
    {47, L"MaxColScrollRegions", Kind::Put, 2108},
    {48, L"MaxRowScrollRegions", Kind::Get, 2109},
    {49, L"MaxRowScrollRegions", Kind::Put, 2109},
    {50, L"Overrides", Kind::Get, 1188},
    {51, L"RowConnectorColor", Kind::Get, 2172},
    {52, L"RowConnectorColor", Kind::Put, 2172},
    {53, L"RowConnectorStyle", Kind::Get, 2173},
    {54, L"RowConnectorStyle", Kind::Put, 2173},
    {55, L"RowScrollRegions", Kind::Get, 2107},
    {56, L"ScrollBars", Kind::Get, -535},
    {57, L"ScrollBars", Kind::Put, -535},
    {58, L"SortFilter", Kind::Get, 2205},
    {59, L"SortFilter", Kind::Put, 2205},
    {60, L"SortFilter", Kind::PutRef, 2205},
    {61, L"TabNavigation", Kind::Get, 2111},
    {62, L"TabNavigation", Kind::Put, 2111},
    {63, L"TipDelay", Kind::Get, 2112},
    {64, L"TipDelay", Kind::Put, 2112},
    {65, L"ValueLists", Kind::Get, 2141},
    {66, L"ViewStyle", Kind::Get, 2114},
    {67, L"ViewStyle", Kind::Put, 2114},
    {68, L"ViewStyleBand", Kind::Get, 2115},
    {69, L"ViewStyleBand", Kind::Put, 2115},
    {70, L"BorderStyleCaption", Kind::Get, 2206},
    {71, L"BorderStyleCaption", Kind::Put, 2206},
    {72, L"ActiveCell", Kind::Get, 1004},
    {73, L"ActiveCell", Kind::Put, 1004},
    {74, L"ActiveCell", Kind::PutRef, 1004},
    {75, L"ActiveColScrollRegion", Kind::Get, 1005},
    {76, L"ActiveColScrollRegion", Kind::Put, 1005},
    {77, L"ActiveColScrollRegion", Kind::PutRef, 1005},
    {78, L"ActiveRow", Kind::Get, 1006},
    {79, L"ActiveRow", Kind::Put, 1006},
    {80, L"ActiveRow", Kind::PutRef, 1006},
    {81, L"ActiveRowScrollRegion", Kind::Get, 1008},
    {82, L"ActiveRowScrollRegion", Kind::Put, 1008},
    {83, L"ActiveRowScrollRegion", Kind::PutRef, 1008},
    {84, L"DataMember", Kind::Get, 2120},
    {85, L"DataMember", Kind::Put, 2120},
    {86, L"DataSource", Kind::Get, 2122},
    {87, L"DataSource", Kind::PutRef, 2122},
    {88, L"EventEnabled", Kind::Get, 1268},
    {89, L"EventEnabled", Kind::Put, 1268},
    {90, L"hWnd", Kind::Get, -515},
    {91, L"hWndEdit", Kind::Get, 2123},
    {92, L"IsInEditMode", Kind::Get, 2187},
    {93, L"Redraw", Kind::Get, 2105},
    {94, L"Redraw", Kind::Put, 2105},
    {95, L"Selected", Kind::Get, -527},
    {96, L"UpdateMode", Kind::Get, 1256},
    {97, L"UpdateMode", Kind::Put, 1256},
    {98, L"UseImageList", Kind::Get, 2124},
    {99, L"UseImageList", Kind::Put, 2124},
    {100, L"ImageList", Kind::Get, 2101},
    {101, L"ImageList", Kind::PutRef, 2101},
    {102, L"ImageList", Kind::Put, 2101},
    {103, L"Images", Kind::Get, 2100},
    {104, L"ImagesURL", Kind::Get, 2102},
    {105, L"ImagesURL", Kind::Put, 2102},
    {106, L"Layout", Kind::Get, 1201},
    {107, L"DialogStrings", Kind::Get, 1194},
    {108, L"DialogStrings", Kind::Put, 1194},
    {109, L"ImagesMasking", Kind::Get, 2188},
    {110, L"ImagesMasking", Kind::Put, 2188},
    {111, L"OLEDropMode", Kind::Get, 1551},
    {112, L"OLEDropMode", Kind::Put, 1551},
    {113, L"AboutBox", Kind::Method, -552},
    {114, L"CancelUpdate", Kind::Method, 2125},
    {115, L"CollapseAll", Kind::Method, 1097},
    {116, L"ExpandAll", Kind::Method, 1283},
    {117, L"DeleteSelectedRows", Kind::Method, 2126},
    {118, L"GetRow", Kind::Method, 2127},
    {119, L"GetRowFromBookmark", Kind::Method, 2128},
    {120, L"GetUIElement", Kind::Method, 1302},
    {121, L"GetUIElementPopup", Kind::Method, 2201},
    {122, L"OLEDrag", Kind::Method, 1552},
    {123, L"PerformAction", Kind::Method, 2190},
    {124, L"PostMessage", Kind::Method, 2167},
    {125, L"ResolveAppearance", Kind::Method, 1101},
    {126, L"Refresh", Kind::Method, -550},
    {127, L"Update", Kind::Method, 2136},
    {128, L"UIElementFromPoint", Kind::Method, 2137},
    {129, L"PlaySoundFile", Kind::Method, 30},
};

Kind KindOf(const FUNCDESC& function)
{
    switch (function.invkind) {
    case INVOKE_PROPERTYGET:
        return Kind::Get;
    case INVOKE_PROPERTYPUT:
        return Kind::Put;
    case INVOKE_PROPERTYPUTREF:
        return Kind::PutRef;
    default:
        return Kind::Method;
    }
}

struct Member {
    std::wstring name;
    Kind kind;
    MEMBERID id;
};

// Every function of an interface and of its bases down to IDispatch, by
// vtable slot.
void CollectSlots(ITypeInfo* info, std::map<int, Member>& slots)
{
    TYPEATTR* attributes = nullptr;
    REQUIRE(info->GetTypeAttr(&attributes) == S_OK);
    const bool isDispatch = IsEqualGUID(attributes->guid, IID_IDispatch);
    const WORD functions = attributes->cFuncs;
    const WORD bases = attributes->cImplTypes;
    info->ReleaseTypeAttr(attributes);
    if (isDispatch)
        return;
    for (WORD i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        REQUIRE(info->GetFuncDesc(i, &function) == S_OK);
        BSTR name = nullptr;
        info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
        slots[function->oVft / static_cast<int>(sizeof(void*))] = {name ? name : L"", KindOf(*function),
                                                                     function->memid};
        SysFreeString(name);
        info->ReleaseFuncDesc(function);
    }
    if (bases == 0)
        return;
    HREFTYPE reference = 0;
    REQUIRE(info->GetRefTypeOfImplType(0, &reference) == S_OK);
    Released<ITypeInfo> base;
    REQUIRE(info->GetRefTypeInfo(reference, base.Out()) == S_OK);
    CollectSlots(base.pointer, slots);
}

std::wstring OcxPath()
{
    return WindowsPathOf(HV_TAVELLE_OCX);
}

} // namespace

TEST_CASE("the control's interface: 123 members in slots 7-129 with their names, identifiers and kinds")
{
    Released<ITypeLib> library;
    REQUIRE(LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, library.Out()) == S_OK);
    Released<ITypeInfo> dispatch;
    REQUIRE(library->GetTypeInfoOfGuid(IID_IHvTavelleControl, dispatch.Out()) == S_OK);
    // The dual interface's vtable half.
    HREFTYPE reference = 0;
    REQUIRE(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference) == S_OK);
    Released<ITypeInfo> vtable;
    REQUIRE(dispatch->GetRefTypeInfo(reference, vtable.Out()) == S_OK);

    std::map<int, Member> slots;
    CollectSlots(vtable.pointer, slots);
    CHECK(slots.size() == std::size(kSlots));
    for (const Slot& expected : kSlots) {
        CAPTURE(expected.slot);
        CAPTURE(std::wstring(expected.name));
        auto found = slots.find(expected.slot);
        REQUIRE(found != slots.end());
        CHECK(found->second.name == expected.name);
        CHECK(found->second.id == expected.id);
        CHECK(static_cast<int>(found->second.kind) == static_cast<int>(expected.kind));
    }
    CHECK(slots.rbegin()->first == 129);

    // The layout keeps its own vtable: its members after the shared ones.
    Released<ITypeInfo> layoutDispatch;
    REQUIRE(library->GetTypeInfoOfGuid(IID_IHvLayout, layoutDispatch.Out()) == S_OK);
    REQUIRE(layoutDispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference) == S_OK);
    Released<ITypeInfo> layout;
    REQUIRE(layoutDispatch->GetRefTypeInfo(reference, layout.Out()) == S_OK);
    std::map<int, Member> layoutSlots;
    CollectSlots(layout.pointer, layoutSlots);
    CHECK(layoutSlots[19].name == L"Bands");
    CHECK(layoutSlots[71].name == L"BorderStyleCaption");
    CHECK(layoutSlots[72].name == L"Grid");
    CHECK(layoutSlots.rbegin()->first == 77);
}

TEST_CASE("one vtable call in each group of slots of a control made from the registered library")
{
    REQUIRE(RunRegsvr32On(OcxPath(), L"/s") == 0);
    ComPtr<IHvTavelleControl> control;
    REQUIRE(CoCreateInstance(CLSID_HvTavelle, nullptr, CLSCTX_INPROC_SERVER, IID_IHvTavelleControl,
                             reinterpret_cast<void**>(control.GetAddressOf())) == S_OK);

    // The shared bases answer with the control itself; the layout's own
    // interface is another object's.
    ComPtr<IUnknown> base;
    REQUIRE(control->QueryInterface(IID_IHvLayoutBase, reinterpret_cast<void**>(base.GetAddressOf())) == S_OK);
    CHECK(base.Get() == static_cast<IUnknown*>(control.Get()));
    ComPtr<IUnknown> objectBase;
    CHECK(control->QueryInterface(IID_IHvObjectBase, reinterpret_cast<void**>(objectBase.GetAddressOf())) == S_OK);
    ComPtr<IUnknown> layoutFace;
    CHECK(control->QueryInterface(IID_IHvLayout, reinterpret_cast<void**>(layoutFace.GetAddressOf())) ==
          E_NOINTERFACE);

    // Slots 12-71 reach the layout.
    BSTR caption = SysAllocString(L"Analises");
    CHECK(control->put_Caption(caption) == S_OK);
    SysFreeString(caption);
    ComPtr<IHvLayout> layout;
    REQUIRE(control->get_Layout(layout.GetAddressOf()) == S_OK);
    BSTR read = nullptr;
    REQUIRE(layout->get_Caption(&read) == S_OK);
    CHECK(std::wstring(read) == L"Analises");
    SysFreeString(read);

    // Kept by the control, with its guard.
    CHECK(control->put_UpdateMode(hvUpdateOnUpdate) == S_OK);
    CHECK(control->put_UpdateMode(static_cast<Constants_UpdateMode>(3)) == static_cast<HRESULT>(0x800A017C));
    Constants_UpdateMode mode = hvUpdateOnRowChange;
    CHECK(control->get_UpdateMode(&mode) == S_OK);
    CHECK(mode == hvUpdateOnUpdate);
    BSTR text = nullptr;
    CHECK(control->get_DialogStrings(static_cast<Constants_DialogStrings>(11), &text) ==
          static_cast<HRESULT>(0x800A9C42));
    CHECK(control->get_DialogStrings(hvDataErrorCaption, &text) == S_OK);
    CHECK(std::wstring(text) == L"Error");
    SysFreeString(text);

    // Data binding: no rows without a source.
    ComPtr<IHvRow> row;
    CHECK(control->GetRow(hvChildRowFirst, row.GetAddressOf()) == static_cast<HRESULT>(0x800A9C47));
    CHECK(control->GetRow(static_cast<Constants_ChildRow>(2), row.GetAddressOf()) == E_INVALIDARG);

    // Active objects: none yet.
    CHECK(control->get_ActiveRow(row.GetAddressOf()) == S_OK);
    CHECK(!row);
}
