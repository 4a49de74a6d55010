// The registered recordset server reached as a client reaches it: created by
// ProgID and driven late bound through IDispatch; its failures carry
// descriptions; it hands itself to a grid as a simple-binding data source.
#include "FrameworkTestSupport.h"

#include <doctest/doctest.h>
#include <HvRecordset.h>

#include <msdatsrc.h>
#include <oledb.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace {

const IID kIidDataSource = {0x7c0ffab3, 0xcd84, 0x11d0, {0x94, 0x9a, 0x00, 0xa0, 0xc9, 0x11, 0x10, 0xed}};

constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1);
constexpr HRESULT kObjectClosed = static_cast<HRESULT>(0x800A0E78);

// An argument or result that clears itself.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    Value(long n) : Value() { v.vt = VT_I4; v.lVal = n; }
    Value(int n) : Value(static_cast<long>(n)) {}
    Value(double d) : Value() { v.vt = VT_R8; v.dblVal = d; }
    Value(const wchar_t* s) : Value() { v.vt = VT_BSTR; v.bstrVal = SysAllocString(s); }
    Value(IDispatch* object) : Value()
    {
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
        object->AddRef();
    }
    static Value Missing()
    {
        Value m;
        m.v.vt = VT_ERROR;
        m.v.scode = DISP_E_PARAMNOTFOUND;
        return m;
    }
    Value(Value&& o) noexcept : v(o.v) { VariantInit(&o.v); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
    ~Value() { VariantClear(&v); }
};

// One late-bound call; a property put takes its value as the last argument.
struct Outcome {
    HRESULT hr = S_OK;
    Value result;
    EXCEPINFO exception = {};
    Outcome() = default;
    Outcome(Outcome&& o) noexcept : hr(o.hr), result(std::move(o.result)), exception(o.exception)
    {
        o.exception = EXCEPINFO{};
    }
    ~Outcome()
    {
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    std::wstring Description() const { return exception.bstrDescription ? exception.bstrDescription : L""; }
};

Outcome Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<const VARIANT*> args)
{
    Outcome out;
    DISPID id = 0;
    out.hr = DispIdOf(object, name, id);
    if (FAILED(out.hr))
        return out;
    VARIANT given[8] = {};
    const UINT count = static_cast<UINT>(args.size());
    REQUIRE(count <= 8);
    UINT i = count;
    for (const VARIANT* arg : args)
        given[--i] = *arg; // shallow: the arguments keep ownership
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params = {given, isPut ? &put : nullptr, count, isPut ? 1u : 0u};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, isPut ? nullptr : &out.result.v,
                            &out.exception, nullptr);
    return out;
}

template <class T>
Value Arg(const T& value)
{
    return Value(value);
}

const Value& Arg(const Value& value)
{
    return value;
}

const VARIANT* Ptr(const Value& value)
{
    return &value.v;
}

template <class... Args>
Outcome Call(IDispatch* object, const wchar_t* name, const Args&... args)
{
    return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Ptr(Arg(args))...});
}

template <class... Args>
Outcome Put(IDispatch* object, const wchar_t* name, const Args&... args)
{
    return Invoke(object, name, DISPATCH_PROPERTYPUT, {Ptr(Arg(args))...});
}

// The object a call answered, with its own reference.
IDispatch* ObjectOf(Outcome&& outcome)
{
    REQUIRE(outcome.hr == S_OK);
    REQUIRE(outcome.result.v.vt == VT_DISPATCH);
    return std::exchange(outcome.result.v.pdispVal, nullptr);
}

std::wstring TextOf(Outcome&& outcome)
{
    REQUIRE(outcome.hr == S_OK);
    REQUIRE(outcome.result.v.vt == VT_BSTR);
    return outcome.result.v.bstrVal;
}

double NumberOf(Outcome&& outcome)
{
    REQUIRE(outcome.hr == S_OK);
    REQUIRE(VariantChangeType(&outcome.result.v, &outcome.result.v, 0, VT_R8) == S_OK);
    return outcome.result.v.dblVal;
}

void Registered()
{
    static const bool done = RunRegsvr32On(WindowsPathOf(HV_RECORDSET_DLL), L"/s") == 0;
    REQUIRE(done);
}

IDispatch* NewRecordset()
{
    Registered();
    CLSID clsid = {};
    REQUIRE(CLSIDFromProgID(L"HvRecordset.Recordset", &clsid) == S_OK);
    CHECK(clsid == CLSID_Recordset);
    IDispatch* object = nullptr;
    REQUIRE(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&object)) == S_OK);
    return object;
}

// The analysis record: the sample's text and seven nullable doubles, opened
// with no source and no connection, cursor, lock and options -1.
IDispatch* NewAnalyses()
{
    IDispatch* rs = NewRecordset();
    Released<IDispatch> fields(ObjectOf(Call(rs, L"Fields")));
    REQUIRE(Call(fields.pointer, L"Append", L"AMOSTRA", 8, 0, 32).hr == S_OK);
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        REQUIRE(Call(fields.pointer, L"Append", name, 5, 0, 32).hr == S_OK);
    REQUIRE(Call(rs, L"Open", Value::Missing(), Value::Missing(), -1, -1, -1).hr == S_OK);
    return rs;
}

void AddSample(IDispatch* rs, const wchar_t* sample, double me)
{
    REQUIRE(Call(rs, L"AddNew").hr == S_OK);
    REQUIRE(Put(rs, L"Collect", L"AMOSTRA", sample).hr == S_OK);
    REQUIRE(Put(rs, L"Collect", L"ME", me).hr == S_OK);
    REQUIRE(Call(rs, L"Update").hr == S_OK);
}

std::wstring Sample(IDispatch* rs)
{
    return TextOf(Call(rs, L"Collect", L"AMOSTRA"));
}

} // namespace

TEST_CASE("created by ProgID: eight fields, three records read back by name in any case, moves to EOF")
{
    Released<IDispatch> rs(NewAnalyses());
    CHECK(NumberOf(Call(rs.pointer, L"State")) == 1);
    CHECK(NumberOf(Call(rs.pointer, L"RecordCount")) == 0);
    AddSample(rs.pointer, L"A1", 812.5);
    AddSample(rs.pointer, L"A2", 845.25);
    AddSample(rs.pointer, L"A3", 990.125);
    CHECK(NumberOf(Call(rs.pointer, L"RecordCount")) == 3);

    Released<IDispatch> fields(ObjectOf(Call(rs.pointer, L"Fields")));
    CHECK(NumberOf(Call(fields.pointer, L"Count")) == 8);
    REQUIRE(Call(rs.pointer, L"MoveFirst").hr == S_OK);
    CHECK(Sample(rs.pointer) == L"A1");
    CHECK(NumberOf(Call(rs.pointer, L"Collect", L"Me")) == 812.5);
    {
        Released<IDispatch> field(ObjectOf(Call(fields.pointer, L"Item", L"tEmP_eNs")));
        CHECK(TextOf(Call(field.pointer, L"Name")) == L"TEMP_ENS");
        CHECK(Call(field.pointer, L"Value").result.v.vt == VT_NULL);
        REQUIRE(Put(field.pointer, L"Value", 20.0).hr == S_OK);
        CHECK(NumberOf(Call(rs.pointer, L"Collect", 2)) == 20.0);
    }
    REQUIRE(Call(rs.pointer, L"MoveNext").hr == S_OK);
    REQUIRE(Call(rs.pointer, L"MoveNext").hr == S_OK);
    CHECK(Sample(rs.pointer) == L"A3");
    CHECK(Call(rs.pointer, L"EOF").result.v.boolVal == VARIANT_FALSE);
    REQUIRE(Call(rs.pointer, L"MoveNext").hr == S_OK);
    CHECK(Call(rs.pointer, L"EOF").result.v.boolVal == VARIANT_TRUE);
    REQUIRE(Call(rs.pointer, L"MovePrevious").hr == S_OK);
    CHECK(Sample(rs.pointer) == L"A3");
}

TEST_CASE("a clone keeps its own position over the same records")
{
    Released<IDispatch> rs(NewAnalyses());
    for (const wchar_t* sample : {L"A1", L"A2", L"A3"})
        AddSample(rs.pointer, sample, 800.0);
    REQUIRE(Call(rs.pointer, L"MoveLast").hr == S_OK);
    Released<IDispatch> copy(ObjectOf(Call(rs.pointer, L"Clone", -1)));
    CHECK(Sample(copy.pointer) == L"A1");
    REQUIRE(Call(copy.pointer, L"MoveNext").hr == S_OK);
    CHECK(Sample(copy.pointer) == L"A2");
    CHECK(Sample(rs.pointer) == L"A3");
    REQUIRE(Put(copy.pointer, L"Collect", L"AMOSTRA", L"B2").hr == S_OK);
    REQUIRE(Call(rs.pointer, L"MovePrevious").hr == S_OK);
    CHECK(Sample(rs.pointer) == L"B2");
}

TEST_CASE("a double field given a text reads it with its decimal point in every locale")
{
    Released<IDispatch> rs(NewAnalyses());
    AddSample(rs.pointer, L"A1", 0.0);
    REQUIRE(Put(rs.pointer, L"Collect", L"ME", L"812.5").hr == S_OK);
    Outcome read = Call(rs.pointer, L"Collect", L"ME");
    REQUIRE(read.result.v.vt == VT_R8);
    CHECK(read.result.v.dblVal == 812.5);

    Outcome refused = Put(rs.pointer, L"Collect", L"ME", L"oito");
    CHECK(refused.hr == DISP_E_EXCEPTION);
    CHECK(refused.exception.scode == DISP_E_TYPEMISMATCH);
    CHECK(refused.Description().find(L"\"ME\"") != std::wstring::npos);
    CHECK(NumberOf(Call(rs.pointer, L"Collect", L"ME")) == 812.5);
}

TEST_CASE("failures reach the caller as exceptions with a description")
{
    Released<IDispatch> rs(NewAnalyses());
    AddSample(rs.pointer, L"A1", 812.5);
    struct Case {
        const wchar_t* what;
        Outcome outcome;
        HRESULT code;
        const wchar_t* mentions;
    };
    Released<IDispatch> fields(ObjectOf(Call(rs.pointer, L"Fields")));
    Released<IDispatch> closed(NewRecordset());
    Case cases[] = {
        {L"unknown name", Call(rs.pointer, L"Collect", L"DENSIDADE"), kItemNotFound, L"\"DENSIDADE\""},
        {L"index past the end", Call(rs.pointer, L"Collect", 8), kItemNotFound, L"at index 8"},
        {L"unknown item", Call(fields.pointer, L"Item", L"NOPE"), kItemNotFound, L"\"NOPE\""},
        {L"field type", Call(fields.pointer, L"Append", L"N", 3), static_cast<HRESULT>(0x800A0BB9), L"type 3"},
        {L"open with a source", Call(rs.pointer, L"Open", L"SELECT"), static_cast<HRESULT>(0x800A0BB9), L"source"},
        {L"closed EOF", Call(closed.pointer, L"EOF"), kObjectClosed, L"closed"},
        {L"closed AddNew", Call(closed.pointer, L"AddNew"), kObjectClosed, L"closed"},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what, c.what + wcslen(c.what)));
        CHECK(c.outcome.hr == DISP_E_EXCEPTION);
        CHECK(c.outcome.exception.scode == c.code);
        CHECK(c.outcome.Description().find(c.mentions) != std::wstring::npos);
    }
    // The object says it supports error info for its interface.
    Released<ISupportErrorInfo> support;
    REQUIRE(rs->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()) == S_OK);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IHvRecordset) == S_OK);
}

TEST_CASE("the recordset answers DataSource: its rowset holds the records, a chapter field marked")
{
    Released<IDispatch> child(NewRecordset());
    {
        Released<IDispatch> fields(ObjectOf(Call(child.pointer, L"Fields")));
        REQUIRE(Call(fields.pointer, L"Append", L"AMOSTRA", 8, 0, 32).hr == S_OK);
        REQUIRE(Call(fields.pointer, L"Append", L"LEITURA", 5, 0, 32).hr == S_OK);
        REQUIRE(Call(child.pointer, L"Open").hr == S_OK);
    }
    Released<IDispatch> rs(NewRecordset());
    {
        Released<IDispatch> fields(ObjectOf(Call(rs.pointer, L"Fields")));
        REQUIRE(Call(fields.pointer, L"Append", L"AMOSTRA", 8, 0, 32).hr == S_OK);
    }
    Released<DataSource> none;
    CHECK(rs->QueryInterface(kIidDataSource, none.OutVoid()) == E_NOINTERFACE); // closed: nothing to bind
    REQUIRE(Call(rs.pointer, L"AppendChapter", L"LEITURAS", Value(child.pointer), L"amostra", L"AMOSTRA").hr == S_OK);
    REQUIRE(Call(rs.pointer, L"Open").hr == S_OK);
    for (const wchar_t* sample : {L"A1", L"A2", L"A3"}) {
        REQUIRE(Call(rs.pointer, L"AddNew").hr == S_OK);
        REQUIRE(Put(rs.pointer, L"Collect", L"AMOSTRA", sample).hr == S_OK);
        REQUIRE(Call(rs.pointer, L"Update").hr == S_OK);
    }

    Released<DataSource> source;
    REQUIRE(rs->QueryInterface(kIidDataSource, source.OutVoid()) == S_OK);
    LONG members = -1;
    CHECK(source->getDataMemberCount(&members) == S_OK);
    CHECK(members == 1); // the one, unnamed member
    Released<IRowset> rowset;
    REQUIRE(source->getDataMember(nullptr, IID_IRowset, reinterpret_cast<IUnknown**>(rowset.Out())) == S_OK);
    REQUIRE(rowset.pointer);

    Released<IColumnsInfo> columns;
    REQUIRE(rowset->QueryInterface(IID_IColumnsInfo, columns.OutVoid()) == S_OK);
    DBORDINAL count = 0;
    DBCOLUMNINFO* info = nullptr;
    OLECHAR* names = nullptr;
    REQUIRE(columns->GetColumnInfo(&count, &info, &names) == S_OK);
    bool chapter = false;
    for (DBORDINAL i = 0; i < count; ++i)
        if (info[i].pwszName && std::wstring(info[i].pwszName) == L"LEITURAS")
            chapter = (info[i].dwFlags & DBCOLUMNFLAGS_ISCHAPTER) != 0;
    CoTaskMemFree(info);
    CoTaskMemFree(names);
    CHECK(chapter);

    HROW rows[8] = {};
    HROW* fetched = rows;
    DBCOUNTITEM obtained = 0;
    CHECK(SUCCEEDED(rowset->GetNextRows(DB_NULL_HCHAPTER, 0, 8, &obtained, &fetched)));
    CHECK(obtained == 3);
    CHECK(rowset->ReleaseRows(obtained, rows, nullptr, nullptr, nullptr) == S_OK);
}

TEST_CASE("the server registers its class, apartment threaded, and unregisters it")
{
    Registered();
    const std::wstring dll = WindowsPathOf(HV_RECORDSET_DLL);
    wchar_t clsidText[40] = L"";
    StringFromGUID2(CLSID_Recordset, clsidText, 40);
    const std::wstring server = std::wstring(L"CLSID\\") + clsidText + L"\\InprocServer32";
    wchar_t model[32] = L"";
    DWORD size = sizeof model;
    CHECK(RegGetValueW(HKEY_CLASSES_ROOT, server.c_str(), L"ThreadingModel", RRF_RT_REG_SZ, nullptr, model, &size) ==
          ERROR_SUCCESS);
    CHECK(std::wstring(model) == L"Apartment");
    ITypeLib* library = nullptr;
    REQUIRE(LoadRegTypeLib(LIBID_HvRecordsetLib, 1, 0, 0, &library) == S_OK);
    library->Release();

    // The module stays while any of its objects lives.
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    {
        Released<IDispatch> rs(NewRecordset());
        HMODULE module = GetModuleHandleW(L"HvRecordset.dll");
        REQUIRE(module);
        auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        REQUIRE(static_cast<bool>(canUnload));
        Released<IDispatch> fields(ObjectOf(Call(rs.pointer, L"Fields")));
        rs.pointer->Release();
        rs.pointer = nullptr;
        CHECK(canUnload() == S_FALSE);
        fields.pointer->Release();
        fields.pointer = nullptr;
        CHECK(canUnload() == S_OK);
    }

    REQUIRE(RunRegsvr32On(dll, L"/s /u") == 0);
    CLSID clsid = {};
    CHECK(FAILED(CLSIDFromProgID(L"HvRecordset.Recordset", &clsid)));
    REQUIRE(RunRegsvr32On(dll, L"/s") == 0);
    CHECK(CLSIDFromProgID(L"HvRecordset.Recordset", &clsid) == S_OK);
}
