// Writes the workbook that LibreOffice reads back (readback.sh): the
// registered application driven late bound, as the program drives it.
// Usage: spreadsheet_readback_writer SERVER.dll (the hand-over folder comes
// from the environment).
#include "FrameworkTestSupport.h"

#include <LateObject.h>

#include <cstdio>

using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;

namespace {

void Fill(const LateObject& app, const wchar_t* range, int themeColor, double tint)
{
    app.Object(L"Range", {range}).Call(L"Select");
    LateObject interior = app.Object(L"Selection").Object(L"Interior");
    interior.Put(L"Pattern", 1);
    interior.Put(L"PatternColorIndex", -4105);
    interior.Put(L"ThemeColor", themeColor);
    interior.Put(L"TintAndShade", tint);
}

void Write(const LateObject& app)
{
    app.Object(L"Workbooks").Call(L"Add");
    LateObject sheets = app.Object(L"ActiveWorkbook").Object(L"Sheets");
    sheets.Call(L"Add");
    for (int n = static_cast<int>(V_I4(&sheets.Value(L"Count").Get())); n >= 3; --n)
        sheets.Object(L"Item", {n}).Call(L"Delete");
    sheets.Object(L"Item", {1}).Put(L"Name", L"Tabela 1");
    sheets.Object(L"Item", {2}).Put(L"Name", L"Tabela 2");
    sheets.Object(L"Item", {1}).Call(L"Select");

    app.Object(L"Cells").Call(L"Select");
    app.Object(L"Selection").Object(L"Font").Put(L"Name", L"Arial");

    app.Object(L"Range", {L"A1:A3"}).Call(L"Merge");
    Fill(app, L"A1:A3", 1, -0.149998474074526);

    app.Object(L"Range", {app.Object(L"Cells", {4, 1}).Get(), app.Object(L"Cells", {5, 1}).Get()}).Call(L"Select");
    LateObject heading = app.Object(L"Selection");
    heading.Call(L"Merge");
    heading.Put(L"HorizontalAlignment", -4108);
    heading.Put(L"VerticalAlignment", -4107);
    heading.Put(L"WrapText", true);
    heading.Object(L"Font").Put(L"Bold", true);
    heading.Object(L"Interior").Put(L"Color", 65535);
    app.Object(L"Cells", {4, 1}).Put(L"Value", L"Massa específica lida (kg/m³)");

    app.Object(L"Range", {L"B1:K1"}).Call(L"Merge");
    app.Object(L"Cells", {1, 2}).Put(L"Value", L"Instrução de uso");
    Fill(app, L"B3:K3", 9, 0.799981688894314);

    app.Object(L"Columns", {L"B:B"}).Call(L"Select");
    app.Object(L"Selection").Put(L"Style", L"Comma");
    app.Object(L"Selection").Put(L"NumberFormat", L"_(* #,##0.0_);_(* (#,##0.0);_(* \"-\"??_);_(@_)");
    app.Object(L"Cells", {5, 2}).Put(L"Value", 20);
    app.Object(L"Cells", {6, 1}).Put(L"Value", 812.5);
    app.Object(L"Cells", {6, 1}).Put(L"Style", L"Comma");
    app.Object(L"Cells", {6, 3}).Put(L"Value", LateArg::Date(46086));  // 5 March 2026
    app.Object(L"Cells", {6, 3}).Put(L"NumberFormat", L"dd/mm/yy;@");
    app.Object(L"Cells", {6, 4}).Put(L"Value", L"x");
    app.Object(L"Cells", {6, 5}).Put(L"Value", LateArg::Null());
    app.Object(L"Cells", {6, 6}).Put(L"Value", 0.99674);

    app.Object(L"Sheets", {2}).Call(L"Select");
    app.Object(L"Cells", {1, 1}).Put(L"Value", L"segunda");
    app.Object(L"Sheets", {1}).Call(L"Select");
    app.Put(L"Visible", true);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || FAILED(OleInitialize(nullptr)))
        return 2;
    int status = 0;
    if (RunRegsvr32On(argv[1], L"/s") != 0) {
        std::printf("registration failed\n");
        status = 1;
    } else {
        try {
            Write(LateObject::Create(L"Excel.Application"));
        } catch (const AutomationError& e) {
            std::printf("automation error 0x%08lX: %ls\n", static_cast<unsigned long>(e.Result()), e.Description().c_str());
            status = 1;
        }
    }
    OleUninitialize();
    return status;
}
