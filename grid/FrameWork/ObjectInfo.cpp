// The object-info table of the control library.
#include "ObjectInfo.h"

#include "ComponentCategories.h"

#include <Tavelle.h>


// {742ED0F0-09D5-4816-8249-1A3AA34F80CD}
extern "C" const CLSID CLSID_HvPropertyPageGeneral =
    {0x742ed0f0, 0x09d5, 0x4816, {0x82, 0x49, 0x1a, 0x3a, 0xa3, 0x4f, 0x80, 0xcd}};
// {ACAE9C49-AA91-4617-B6B4-276061B4A7E5}
extern "C" const CLSID CLSID_HvPropertyPageAppearances =
    {0xacae9c49, 0xaa91, 0x4617, {0xb6, 0xb4, 0x27, 0x60, 0x61, 0xb4, 0xa7, 0xe5}};
// {1BB09171-75F3-4806-BEE1-35C5B11B7C18}
extern "C" const CLSID CLSID_HvPropertyPageValueLists =
    {0x1bb09171, 0x75f3, 0x4806, {0xbe, 0xe1, 0x35, 0xc5, 0xb1, 0x1b, 0x7c, 0x18}};
// {62B5ECC0-90D5-4B77-A108-6FE39A403908}
extern "C" const CLSID CLSID_HvPropertyPageImages =
    {0x62b5ecc0, 0x90d5, 0x4b77, {0xa1, 0x08, 0x6f, 0xe3, 0x9a, 0x40, 0x39, 0x08}};
// {431A9F04-5348-495A-96ED-10A4EBAA9A12}
extern "C" const CLSID CLSID_HvPropertyPageGroupsColumns =
    {0x431a9f04, 0x5348, 0x495a, {0x96, 0xed, 0x10, 0xa4, 0xeb, 0xaa, 0x9a, 0x12}};
// {9BA797C9-6DB5-41AF-B87B-12D40476618B}
extern "C" const CLSID CLSID_HvPropertyPageLayout =
    {0x9ba797c9, 0x6db5, 0x41af, {0xb8, 0x7b, 0x12, 0xd4, 0x04, 0x76, 0x61, 0x8b}};

namespace {

const CLSID* const kPropertyPages[] = {
    &CLSID_HvPropertyPageGeneral, &CLSID_HvPropertyPageAppearances, &CLSID_HvPropertyPageValueLists,
    &CLSID_HvPropertyPageImages, &CLSID_HvPropertyPageGroupsColumns, &CLSID_HvPropertyPageLayout,
};

const CustomVerb kCustomVerbs[] = {
    {10, 6013, 0, 3},
    {11, 6015, 0, 2},
};

constexpr const char kHelpFile[] = "Tavelle.chm";

// Misc status of the control: set client site first, alignable, activate
// when visible, inside-out, can't link inside, recompose on resize.
constexpr DWORD kControlMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ALIGNABLE |
    OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;

// Constant-initialised, so that creation functions installed from other
// static initialisers are never overwritten.
constinit ControlObjectInfo g_control = {
    {&CLSID_HvTavelle, "HvTavelle", "Halvren Tavelle Control", 1, nullptr, 1, 0,
     &IID_IHvTavelleControl, &DIID_DHvTavelleEvents, kHelpFile, nullptr, 0},
    kControlMiscStatus,
    0,
    1, 0,
    102,
    L"HvTavelleWndClass",
    0,
    static_cast<WORD>(sizeof kPropertyPages / sizeof kPropertyPages[0]), kPropertyPages,
    static_cast<WORD>(sizeof kCustomVerbs / sizeof kCustomVerbs[0]), kCustomVerbs,
    nullptr,
    kControlCategoryCount, kControlCategories,
    0, nullptr,
};

constinit ObjectInfo g_records[] = {
    {nullptr, "HvDataObject", nullptr, 1, nullptr, 1, 0, &IID_IHvDataObject, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvDataObjectFiles", nullptr, 1, nullptr, 1, 0, &IID_IHvDataObjectFiles, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvReturnLong", nullptr, 1, nullptr, 1, 0, &IID_IHvReturnLong, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvReturnShort", nullptr, 1, nullptr, 1, 0, &IID_IHvReturnShort, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvReturnBoolean", nullptr, 1, nullptr, 1, 0, &IID_IHvReturnBoolean, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvReturnFloat", nullptr, 1, nullptr, 1, 0, &IID_IHvReturnFloat, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvReturnString", nullptr, 1, nullptr, 1, 0, &IID_IHvReturnString, nullptr, kHelpFile, nullptr, 0},
    {&CLSID_HvLayout, "HvLayout", "Halvren Tavelle Layout Object", 1, nullptr, 1, 0, &IID_IHvLayout, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Appearances", nullptr, 1, nullptr, 1, 0, &IID_IHvAppearances, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvAppearance", nullptr, 1, nullptr, 1, 0, &IID_IHvAppearance, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvImages", nullptr, 1, nullptr, 1, 0, &IID_IHvImages, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvImage", nullptr, 1, nullptr, 1, 0, &IID_IHvImage, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvSelectedRows", nullptr, 1, nullptr, 1, 0, &IID_IHvSelectedRows, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvVisibleRows", nullptr, 1, nullptr, 1, 0, &IID_IHvVisibleRows, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvRow", nullptr, 1, nullptr, 1, 0, &IID_IHvRow, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Bands", nullptr, 1, nullptr, 1, 0, &IID_IHvBands, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvBand", nullptr, 1, nullptr, 1, 0, &IID_IHvBand, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvSelectedCols", nullptr, 1, nullptr, 1, 0, &IID_IHvSelectedCols, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvHeaders", nullptr, 1, nullptr, 1, 0, &IID_IHvHeaders, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvGroupCols", nullptr, 1, nullptr, 1, 0, &IID_IHvGroupCols, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvSortedCols", nullptr, 1, nullptr, 1, 0, &IID_IHvSortedCols, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Columns", nullptr, 1, nullptr, 1, 0, &IID_IHvColumns, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvColumn", nullptr, 1, nullptr, 1, 0, &IID_IHvColumn, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvSelectedCells", nullptr, 1, nullptr, 1, 0, &IID_IHvSelectedCells, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Cells", nullptr, 1, nullptr, 1, 0, &IID_IHvCells, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvCell", nullptr, 1, nullptr, 1, 0, &IID_IHvCell, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvSelected", nullptr, 1, nullptr, 1, 0, &IID_IHvSelected, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "ColScrollRegions", nullptr, 1, nullptr, 1, 0, &IID_IHvColScrollRegions, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvColScrollRegion", nullptr, 1, nullptr, 1, 0, &IID_IHvColScrollRegion, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "RowScrollRegions", nullptr, 1, nullptr, 1, 0, &IID_IHvRowScrollRegions, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvRowScrollRegion", nullptr, 1, nullptr, 1, 0, &IID_IHvRowScrollRegion, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Groups", nullptr, 1, nullptr, 1, 0, &IID_IHvGroups, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvGroup", nullptr, 1, nullptr, 1, 0, &IID_IHvGroup, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvHeader", nullptr, 1, nullptr, 1, 0, &IID_IHvHeader, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "Overrides", nullptr, 1, nullptr, 1, 0, &IID_IHvOverrides, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvOverride", nullptr, 1, nullptr, 1, 0, &IID_IHvOverride, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "ValueLists", nullptr, 1, nullptr, 1, 0, &IID_IHvValueLists, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvValueList", nullptr, 1, nullptr, 1, 0, &IID_IHvValueList, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "ValueListItems", nullptr, 1, nullptr, 1, 0, &IID_IHvValueListItems, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvValueListItem", nullptr, 1, nullptr, 1, 0, &IID_IHvValueListItem, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvError", nullptr, 1, nullptr, 1, 0, &IID_IHvError, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvDataError", nullptr, 1, nullptr, 1, 0, &IID_IHvDataError, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "UIElements", nullptr, 1, nullptr, 1, 0, &IID_IHvUIElements, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvUIElement", nullptr, 1, nullptr, 1, 0, &IID_IHvUIElement, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvTVDraw", nullptr, 1, nullptr, 1, 0, &IID_IHvTVDraw, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvUIRect", nullptr, 1, nullptr, 1, 0, &IID_IHvUIRect, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvAddNewBox", nullptr, 1, nullptr, 1, 0, &IID_IHvAddNewBox, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvAutoSizeEdit", nullptr, 1, nullptr, 1, 0, &IID_IHvAutoSizeEdit, nullptr, kHelpFile, nullptr, 0},
    {nullptr, "HvMaskError", nullptr, 1, nullptr, 1, 0, &IID_IHvMaskError, nullptr, kHelpFile, nullptr, 0},
};

ObjectInfoEntry g_table[] = {
    {ObjectKindControl, &g_control},
    {ObjectKindAutomation, &g_records[0]},
    {ObjectKindAutomation, &g_records[1]},
    {ObjectKindAutomation, &g_records[2]},
    {ObjectKindAutomation, &g_records[3]},
    {ObjectKindAutomation, &g_records[4]},
    {ObjectKindAutomation, &g_records[5]},
    {ObjectKindAutomation, &g_records[6]},
    {ObjectKindAutomation, &g_records[7]},
    {ObjectKindAutomation, &g_records[8]},
    {ObjectKindAutomation, &g_records[9]},
    {ObjectKindAutomation, &g_records[10]},
    {ObjectKindAutomation, &g_records[11]},
    {ObjectKindAutomation, &g_records[12]},
    {ObjectKindAutomation, &g_records[13]},
    {ObjectKindAutomation, &g_records[14]},
    {ObjectKindAutomation, &g_records[15]},
    {ObjectKindAutomation, &g_records[16]},
    {ObjectKindAutomation, &g_records[17]},
    {ObjectKindAutomation, &g_records[18]},
    {ObjectKindAutomation, &g_records[19]},
    {ObjectKindAutomation, &g_records[20]},
    {ObjectKindAutomation, &g_records[21]},
    {ObjectKindAutomation, &g_records[22]},
    {ObjectKindAutomation, &g_records[23]},
    {ObjectKindAutomation, &g_records[24]},
    {ObjectKindAutomation, &g_records[25]},
    {ObjectKindAutomation, &g_records[26]},
    {ObjectKindAutomation, &g_records[27]},
    {ObjectKindAutomation, &g_records[28]},
    {ObjectKindAutomation, &g_records[29]},
    {ObjectKindAutomation, &g_records[30]},
    {ObjectKindAutomation, &g_records[31]},
    {ObjectKindAutomation, &g_records[32]},
    {ObjectKindAutomation, &g_records[33]},
    {ObjectKindAutomation, &g_records[34]},
    {ObjectKindAutomation, &g_records[35]},
    {ObjectKindAutomation, &g_records[36]},
    {ObjectKindAutomation, &g_records[37]},
    {ObjectKindAutomation, &g_records[38]},
    {ObjectKindAutomation, &g_records[39]},
    {ObjectKindAutomation, &g_records[40]},
    {ObjectKindAutomation, &g_records[41]},
    {ObjectKindAutomation, &g_records[42]},
    {ObjectKindAutomation, &g_records[43]},
    {ObjectKindAutomation, &g_records[44]},
    {ObjectKindAutomation, &g_records[45]},
    {ObjectKindAutomation, &g_records[46]},
    {ObjectKindAutomation, &g_records[47]},
    {ObjectKindAutomation, &g_records[48]},
    {ObjectKindEnd, nullptr},
};

static_assert(sizeof g_table / sizeof g_table[0] == ObjectType::Count + 1);

} // namespace

ObjectInfoEntry* ObjectInfoTable()
{
    return g_table;
}

ObjectInfo& GetObjectInfo(int objectType)
{
    return *g_table[objectType].info;
}

DWORD GetObjectKind(int objectType)
{
    return g_table[objectType].kind & 0xFFFF;
}

ControlObjectInfo& GetControlObjectInfo()
{
    return g_control;
}

int FindObjectTypeByClsid(REFCLSID clsid)
{
    for (int type = 0; (g_table[type].kind & 0xFFFF) != ObjectKindEnd; ++type) {
        const CLSID* own = g_table[type].info->clsid;
        if (own && IsEqualCLSID(*own, clsid))
            return type;
    }
    return -1;
}

CreateObjectFunction SetCreateFunction(int objectType, CreateObjectFunction create)
{
    ObjectInfo& info = GetObjectInfo(objectType);
    CreateObjectFunction previous = info.create;
    info.create = create;
    return previous;
}
