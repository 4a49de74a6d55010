// The data objects on both sides of a drag, without a control: the source
// side's format list and renderers, the target side's conversions.
#include "ClipboardFormats.h"
#include "DataSource.h"
#include "DragDropScopes.h"
#include "DragDropTestSupport.h"
#include "HvDataObject.h"
#include "HvDataObjectFiles.h"
#include "HvReturnLong.h"

#include <cstring>

namespace {

constexpr HRESULT kInvalidProcedureCall = static_cast<HRESULT>(0x800A0005);
constexpr HRESULT kInvalidObjectUse = static_cast<HRESULT>(0x800A01A9);
constexpr HRESULT kFormatMismatch = static_cast<HRESULT>(0x800A01CD);
constexpr HRESULT kFormatsFrozen = static_cast<HRESULT>(0x800A02A0);
constexpr HRESULT kArgumentExpected = static_cast<HRESULT>(0x800A02A1);
constexpr HRESULT kByteArrayRequired = static_cast<HRESULT>(0x800A02A3);
constexpr HRESULT kDataNotSupplied = static_cast<HRESULT>(0x800A02A4);

VARIANT Missing()
{
    VARIANT v;
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT Short(SHORT value)
{
    VARIANT v;
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

VARIANT Object(IUnknown* object)
{
    VARIANT v;
    v.vt = VT_UNKNOWN;
    v.punkVal = object;
    return v;
}

VARIANT Bytes(const std::vector<BYTE>& bytes)
{
    VARIANT v;
    v.vt = VT_ARRAY | VT_UI1;
    v.parray = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!bytes.empty()) {
        void* data = nullptr;
        SafeArrayAccessData(v.parray, &data);
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(v.parray);
    }
    return v;
}

SHORT CustomFormat(const wchar_t* name)
{
    return static_cast<SHORT>(RegisterClipboardFormatW(name));
}

// A drag source as OLEStartDrag sees it: files, data source, data object.
struct Source {
    HvDataObjectFiles* files = HvDataObjectFiles::Create();
    CDataSource* source = CDataSource::Create(files, nullptr);
    HvDataObject* data = HvDataObject::CreateForSource(*source, nullptr, ObjectType::HvDataObject);
    ~Source()
    {
        data->Detach();
        data->Release();
        source->Release();
        files->Release();
    }
    HRESULT Set(VARIANT value, VARIANT format)
    {
        const HRESULT hr = data->SetData(value, format);
        VariantClear(&value);
        return hr;
    }
};

// The drop side of the same data.
struct Target {
    HvDataObject* data;
    explicit Target(IDataObject* dropped) : data(HvDataObject::CreateForTarget(dropped, nullptr, ObjectType::HvDataObject)) {}
    ~Target()
    {
        data->Detach();
        data->Release();
    }
};

FORMATETC Request(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL)
{
    return {format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

} // namespace

TEST_CASE("SetData checks its arguments and stores data by format")
{
    Source s;
    struct Case { const char* name; VARIANT data; VARIANT format; HRESULT result; };
    const Case cases[] = {
        {"no argument", Missing(), Missing(), kArgumentExpected},
        {"files with data", Text(L"a"), Short(15), kInvalidProcedureCall},
        {"text as a picture format", Text(L"a"), Short(2), kFormatMismatch},
        {"text as a custom format", Text(L"a"), Short(CustomFormat(L"HvDragTest.Custom")), kByteArrayRequired},
        {"an unnamed registered format", Text(L"a"), Short(static_cast<SHORT>(0xFFF0)), kFormatMismatch},
        {"a number as text", Short(42), Short(1), S_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CHECK(s.Set(c.data, c.format) == c.result);
    }
    CHECK(s.source->Formats().Count() == 1);

    SUBCASE("text without a format is CF_TEXT; a bitmap picture without one CF_DIB")
    {
        CHECK(s.Set(Text(L"hello"), Missing()) == S_OK);
        ComPtr<IPicture> picture = MakeBitmapPicture();
        CHECK(s.data->SetData(Object(picture.Get()), Missing()) == S_OK);
        VARIANT_BOOL available = VARIANT_FALSE;
        s.data->GetFormat(1, &available);
        CHECK(available == VARIANT_TRUE);
        s.data->GetFormat(8, &available);
        CHECK(available == VARIANT_TRUE);
        s.data->GetFormat(2, &available);
        CHECK(available == VARIANT_FALSE);
        CHECK(s.source->Formats().Find(CF_TEXT)->data.vt == VT_BSTR);
        CHECK(std::wstring(s.source->Formats().Find(CF_TEXT)->data.bstrVal) == L"hello");
    }
    SUBCASE("the source side refuses the target side's members")
    {
        VARIANT value;
        VariantInit(&value);
        CHECK(s.data->GetData(1, &value) == kInvalidObjectUse);
    }
}

TEST_CASE("the format list grows by five and freezes after OLEStartDrag")
{
    Source s;
    const wchar_t* names[] = {L"HvDragTest.A", L"HvDragTest.B", L"HvDragTest.C", L"HvDragTest.D"};
    CHECK(s.Set(Text(L"t"), Short(1)) == S_OK);
    for (const wchar_t* name : names)
        CHECK(s.Set(Bytes({1, 2}), Short(CustomFormat(name))) == S_OK);
    CHECK(s.source->Formats().Count() == 5);
    CHECK(s.source->Formats().Capacity() == 5);
    CHECK(s.Set(Text(L"rtf"), Short(static_cast<SHORT>(0xBF01))) == S_OK);
    CHECK(s.source->Formats().Count() == 6);
    CHECK(s.source->Formats().Capacity() == 10);

    s.source->Formats().SetFrozen(true);
    CHECK(s.Set(Bytes({1}), Short(CustomFormat(L"HvDragTest.E"))) == kFormatsFrozen);
    CHECK(TakeErrorDescription() == L"DataObject formats list may not be cleared or expanded outside of the OLEStartDrag event");
    CHECK(s.Set(Text(L"replaced"), Short(1)) == S_OK);
    CHECK(s.data->Clear() == kFormatsFrozen);
    CHECK(s.source->Formats().Count() == 6);
    s.source->Formats().SetFrozen(false);
    CHECK(s.data->Clear() == S_OK);
    CHECK(s.source->Formats().Count() == 0);
}

TEST_CASE("the data source answers format queries and renders text")
{
    Source s;
    CHECK(s.Set(Text(L"Olá mundo"), Short(1)) == S_OK);
    IDataObject* data = s.source;

    FORMATETC text = Request(CF_TEXT);
    CHECK(data->QueryGetData(&text) == S_OK);
    FORMATETC wrong = text;
    wrong.lindex = 0;
    CHECK(data->QueryGetData(&wrong) == DV_E_LINDEX);
    wrong = text;
    wrong.dwAspect = DVASPECT_ICON;
    CHECK(data->QueryGetData(&wrong) == DV_E_DVASPECT);
    wrong = Request(CF_TEXT, TYMED_ISTREAM);
    CHECK(data->QueryGetData(&wrong) == DV_E_TYMED);
    wrong = Request(CF_UNICODETEXT);
    CHECK(data->QueryGetData(&wrong) == S_FALSE);
    STGMEDIUM medium = {};
    CHECK(data->GetData(&wrong, &medium) == DV_E_FORMATETC);
    CHECK(data->QueryGetData(nullptr) == E_INVALIDARG);

    REQUIRE(data->GetData(&text, &medium) == S_OK);
    CHECK(medium.tymed == TYMED_HGLOBAL);
    CHECK(medium.pUnkForRelease == nullptr);
    {
        GlobalLockScope lock(medium.hGlobal);
        CHECK(std::string(lock.As<char>()) == "Ol\xe1 mundo");
    }
    ReleaseStgMedium(&medium);

    SUBCASE("GetDataHere writes into the caller's block, cutting what does not fit")
    {
        STGMEDIUM here = {TYMED_HGLOBAL, {}, nullptr};
        here.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 1);
        CHECK(data->GetDataHere(&text, &here) == STG_E_MEDIUMFULL);
        GlobalFree(here.hGlobal);
        here.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 4);
        CHECK(data->GetDataHere(&text, &here) == S_OK);
        {
            GlobalLockScope lock(here.hGlobal);
            CHECK(std::string(lock.As<char>()) == "Ol\xe1");
        }
        GlobalFree(here.hGlobal);
    }
    SUBCASE("the other members of the data source")
    {
        IEnumFORMATETC* formats = nullptr;
        CHECK(data->EnumFormatEtc(DATADIR_SET, &formats) == E_NOTIMPL);
        REQUIRE(data->EnumFormatEtc(DATADIR_GET, &formats) == S_OK);
        FORMATETC listed = {};
        ULONG fetched = 0;
        CHECK(formats->Next(1, &listed, &fetched) == S_OK);
        CHECK(listed.cfFormat == CF_TEXT);
        CHECK(listed.tymed == TYMED_HGLOBAL);
        CHECK(listed.lindex == -1);
        CHECK(formats->Next(1, &listed, &fetched) == S_FALSE);
        formats->Release();
        FORMATETC canonical = {};
        CHECK(data->GetCanonicalFormatEtc(&text, &canonical) == DATA_S_SAMEFORMATETC);
        CHECK(data->SetData(&text, &medium, FALSE) == E_NOTIMPL);
        DWORD connection = 0;
        CHECK(data->DAdvise(&text, 0, nullptr, &connection) == OLE_E_ADVISENOTSUPPORTED);
        CHECK(data->DUnadvise(0) == E_FAIL);
    }
}

TEST_CASE("data listed without a value that nobody supplies fails the request")
{
    Source s;
    CHECK(s.Set(Missing(), Short(1)) == S_OK);
    FORMATETC text = Request(CF_TEXT);
    STGMEDIUM medium = {};
    CHECK(s.source->GetData(&text, &medium) == kDataNotSupplied);
    CHECK(TakeErrorDescription() == L"Requested data was not supplied to the DataObject during the OLESetData event.");
    CHECK(medium.tymed == TYMED_NULL);
}

TEST_CASE("the target side converts dropped data to script values")
{
    Source s;
    Target t(s.source);
    const SHORT custom = CustomFormat(L"HvDragTest.Object");
    const SHORT bytes = CustomFormat(L"HvDragTest.Bytes");
    IHvReturnLong* object = HvReturnLong::Create(7);
    CHECK(s.Set(Text(L"texto"), Short(1)) == S_OK);
    CHECK(s.data->SetData(Object(object), Short(custom)) == S_OK);
    CHECK(s.Set(Bytes({9, 8, 7}), Short(bytes)) == S_OK);
    CHECK(s.data->SetData(Object(MakeBitmapPicture().Get()), Missing()) == S_OK);

    VARIANT value;
    VariantInit(&value);
    CHECK(t.data->GetData(1, &value) == S_OK);
    CHECK(value.vt == VT_BSTR);
    CHECK(std::wstring(value.bstrVal) == L"texto");

    CHECK(t.data->GetData(custom, &value) == S_OK);
    REQUIRE(value.vt == VT_DISPATCH);
    ComPtr<IUnknown> mine, theirs;
    object->QueryInterface(IID_PPV_ARGS(mine.GetAddressOf()));
    value.pdispVal->QueryInterface(IID_PPV_ARGS(theirs.GetAddressOf()));
    CHECK(mine == theirs);

    CHECK(t.data->GetData(bytes, &value) == S_OK);
    REQUIRE(value.vt == (VT_ARRAY | VT_UI1));
    CHECK(value.parray->rgsabound[0].cElements >= 3);
    CHECK(static_cast<BYTE*>(value.parray->pvData)[2] == 7);

    CHECK(t.data->GetData(8, &value) == S_OK);
    REQUIRE(value.vt == VT_DISPATCH);
    ComPtr<IPicture> picture;
    value.pdispVal->QueryInterface(IID_PPV_ARGS(picture.GetAddressOf()));
    SHORT type = 0;
    picture->get_Type(&type);
    CHECK(type == PICTYPE_BITMAP);
    VariantClear(&value);

    CHECK(t.data->GetData(15, &value) == kInvalidProcedureCall);
    CHECK(t.data->GetData(2, &value) == kFormatMismatch);
    VARIANT_BOOL available = VARIANT_FALSE;
    t.data->GetFormat(custom, &available);
    CHECK(available == VARIANT_TRUE);
    t.data->GetFormat(3, &available);
    CHECK(available == VARIANT_FALSE);
    CHECK(t.data->SetData(Short(1), Missing()) == kInvalidObjectUse);

    FORMATETC here = Request(static_cast<CLIPFORMAT>(custom));
    STGMEDIUM medium = {TYMED_HGLOBAL, {}, nullptr};
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 16);
    CHECK(s.source->GetDataHere(&here, &medium) == E_NOTIMPL);
    GlobalFree(medium.hGlobal);
    object->Release();
}

TEST_CASE("a file list crosses as CF_HDROP")
{
    Source s;
    const wchar_t* names[] = {L"C:\\dados\\a.txt", L"C:\\dados\\b.txt", L"C:\\dados\\c.txt"};
    for (const wchar_t* name : names)
        REQUIRE(s.files->Append(name) == S_OK);
    CHECK(s.Set(Missing(), Short(15)) == S_OK);

    Target t(s.source);
    IHvDataObjectFiles* files = nullptr;
    REQUIRE(t.data->get_Files(&files) == S_OK);
    LONG count = 0;
    files->get_Count(&count);
    CHECK(count == 3);
    for (LONG i = 1; i <= 3; ++i) {
        BSTR name = nullptr;
        files->get_Item(i, &name);
        CHECK(std::wstring(name) == names[i - 1]);
        SysFreeString(name);
    }
    BSTR fourth = SysAllocString(L"d.txt");
    CHECK(files->Add(fourth, Missing()) == S_OK);
    SysFreeString(fourth);
    IHvDataObjectFiles* again = nullptr;
    REQUIRE(t.data->get_Files(&again) == S_OK);
    again->get_Count(&count);
    CHECK(count == 4);
    again->Release();
    files->Release();

    SUBCASE("a drop without files refuses the list")
    {
        Source empty;
        CHECK(empty.Set(Text(L"x"), Missing()) == S_OK);
        Target other(empty.source);
        IHvDataObjectFiles* none = nullptr;
        CHECK(other.data->get_Files(&none) == kFormatMismatch);
        CHECK(none == nullptr);
    }
}
