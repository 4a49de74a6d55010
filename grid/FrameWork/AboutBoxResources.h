// Resource identifiers of the About box, shared by the resource script and
// the dialog code (plain macros so that the resource compiler reads them).
#pragma once

#define IDD_HV_ABOUT            1000
#define IDI_HV_CONTROL          101
#define IDC_HV_HAND             1062

#define IDC_ABOUT_ICON          101
#define IDC_ABOUT_TITLE         300
#define IDC_ABOUT_VERSION_LINE  301
#define IDC_ABOUT_FRAME         302
#define IDC_ABOUT_MAKER_FIRST   303
#define IDC_ABOUT_MAKER_LAST    307
#define IDC_ABOUT_NOTICE        308
#define IDC_ABOUT_VERSION_LABEL 314
#define IDC_ABOUT_VERSION       315
#define IDC_ABOUT_LINK          323
#define IDC_ABOUT_BUILD_LABEL   324
#define IDC_ABOUT_BUILD         325

// Texts of the About box in the string table.
#define IDS_ABOUT_PRODUCT       1030
#define IDS_ABOUT_NOTICE        1031
