// A bound grid's layout saved to a stream and loaded again through the
// registered control keeps what a header was given: a caption set to the
// empty text, and the one column scroll region it shows in.
#include "ObjectPaths.h"

using namespace bindtest;

namespace {

// Layout.Save or Layout.Load with a stream (type 2) in the variant.
HRESULT SaveOrLoad(IDispatch* layout, const wchar_t* member, VARIANT* stream)
{
    VARIANT args[2];
    VariantInit(&args[1]);
    V_VT(&args[1]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&args[1]) = stream;
    VariantInit(&args[0]);
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = 2;
    std::vector<VARIANT> reversed(args, args + 2);
    return CallByName(layout, member, DISPATCH_METHOD, reversed, nullptr);
}

} // namespace

TEST_CASE("a saved and loaded layout keeps a header's empty caption and its exclusive column scroll region")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IDispatch> control;
    REQUIRE(grid.control.As(&control) == S_OK);
    ComPtr<IDispatch> layout = ObjectAt(control.Get(), L"Layout");
    UpdateWindow(grid.window.Hwnd());

    Put(ObjectAt(layout.Get(), L"Bands.Item(0).Columns.Item(\"ME\").Header").Get(), L"Caption", Var(L""));
    ComPtr<IDispatch> second = ObjectAt(layout.Get(), L"ColScrollRegions.Item(0).Split(100)");
    Put(ObjectAt(layout.Get(), L"Bands.Item(0).Columns.Item(\"GRAU\").Header").Get(), L"ExclusiveColScrollRegion",
        Var(second.Get()));

    // Where the split put the new region.
    auto isSame = [](IDispatch* a, IDispatch* b) {
        std::vector<VARIANT> other = {Var(b).v};
        Var same;
        REQUIRE(CallByName(a, L"IsSameAs", DISPATCH_METHOD, other, &same.v) == S_OK);
        return same.v.vt == VT_BOOL && same.v.boolVal == VARIANT_TRUE;
    };
    const long place = isSame(second.Get(), ObjectAt(layout.Get(), L"ColScrollRegions.Item(1)").Get()) ? 1 : 0;
    REQUIRE(isSame(second.Get(), ObjectAt(layout.Get(), place ? L"ColScrollRegions.Item(1)" : L"ColScrollRegions.Item(0)").Get()));

    Var saved;
    REQUIRE(SaveOrLoad(layout.Get(), L"Save", &saved.v) == S_OK);
    REQUIRE(V_VT(&saved.v) == VT_UNKNOWN);
    Put(ObjectAt(layout.Get(), L"Bands.Item(0).Columns.Item(\"ME\").Header").Get(), L"Caption", Var(L"Outra"));
    Put(ObjectAt(layout.Get(), L"Bands.Item(0).Columns.Item(\"GRAU\").Header").Get(), L"ExclusiveColScrollRegion",
        Var(static_cast<IDispatch*>(nullptr)));
    const LARGE_INTEGER start{};
    ComPtr<IStream> stream;
    REQUIRE(V_UNKNOWN(&saved.v)->QueryInterface(IID_PPV_ARGS(stream.GetAddressOf())) == S_OK);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    REQUIRE(SaveOrLoad(layout.Get(), L"Load", &saved.v) == S_OK);

    Var caption = Eval(layout.Get(), L"Bands.Item(0).Columns.Item(\"ME\").Header.Caption");
    REQUIRE(caption.v.vt == VT_BSTR);
    CHECK(SysStringLen(caption.v.bstrVal) == 0);
    CHECK(Eval(layout.Get(), L"ColScrollRegions.Count").v.lVal == 2);
    Var exclusive = Eval(layout.Get(), L"Bands.Item(0).Columns.Item(\"GRAU\").Header.ExclusiveColScrollRegion");
    REQUIRE(exclusive.v.vt == VT_DISPATCH);
    REQUIRE(exclusive.v.pdispVal);
    CHECK(isSame(exclusive.v.pdispVal,
                 ObjectAt(layout.Get(), place ? L"ColScrollRegions.Item(1)" : L"ColScrollRegions.Item(0)").Get()));
    CHECK_FALSE(isSame(exclusive.v.pdispVal,
                       ObjectAt(layout.Get(), place ? L"ColScrollRegions.Item(0)" : L"ColScrollRegions.Item(1)").Get()));
    Var none = Eval(layout.Get(), L"Bands.Item(0).Columns.Item(\"ME\").Header.ExclusiveColScrollRegion");
    CHECK((none.v.vt == VT_DISPATCH && !none.v.pdispVal));
}
