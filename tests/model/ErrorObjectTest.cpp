// Error objects through their automation interfaces: made from a type and
// text, from a data-error record and with mask details; read late-bound.
#include <doctest/doctest.h>

#include "DataErrorInfo.h"
#include "HvDataError.h"
#include "HvError.h"
#include "HvMaskError.h"
#include "LateBound.h"
#include "ModelTestSupport.h"

#include <Tavelle.h>

namespace {

// Stands in for a cell or row: answers its interface identifier with itself.
class FakeGridObject final : public IUnknown {
public:
    explicit FakeGridObject(const IID& iid) : iid_(iid) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
            *out = this;
            ++refs;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;

private:
    IID iid_;
};

VARIANT Bool(VARIANT_BOOL value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value;
    return v;
}

VARIANT Short(SHORT value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return v;
}

IDispatch* Dispatch(IHvError* error)
{
    return error;
}

} // namespace

TEST_CASE("a generic error carries neither data nor mask details")
{
    Ref<IHvError> error(HvError::Create(hvErrorTypeGeneric, 42, CDualString("Falhou")));
    REQUIRE(error);
    Ref<IHvDataError> data;
    Ref<IHvMaskError> mask;
    CHECK(error->get_DataError(data.Out()) == S_OK);
    CHECK(error->get_MaskError(mask.Out()) == S_OK);
    CHECK_FALSE(data);
    CHECK_FALSE(mask);

    LateResult r;
    LateGet(Dispatch(error.Get()), L"Type", r);
    CHECK(r.hr == S_OK);
    CHECK(V_I4(&r.value) == hvErrorTypeGeneric);
    LateGet(Dispatch(error.Get()), L"Code", r);
    CHECK(V_I4(&r.value) == 42);
    LateGet(Dispatch(error.Get()), L"Description", r);
    CHECK(std::wstring(V_BSTR(&r.value)) == L"Falhou");
    LateGet(Dispatch(error.Get()), L"DataError", r);
    CHECK(r.hr == S_OK);
    CHECK(V_VT(&r.value) == VT_DISPATCH);
    CHECK(V_DISPATCH(&r.value) == nullptr);
    LateGet(Dispatch(error.Get()), L"MaskError", r);
    CHECK(V_DISPATCH(&r.value) == nullptr);
}

TEST_CASE("DisplayErrorDialog and Description are the handler's to change")
{
    Ref<IHvError> error(HvError::Create(hvErrorTypeGeneric, 1, CDualString("x")));
    IDispatch* d = Dispatch(error.Get());
    LateResult r;
    LateGet(d, L"DisplayErrorDialog", r);
    CHECK(V_BOOL(&r.value) == VARIANT_TRUE);
    LatePut(d, L"DisplayErrorDialog", Bool(0), r);
    CHECK(r.hr == S_OK);
    LateGet(d, L"DisplayErrorDialog", r);
    CHECK(V_BOOL(&r.value) == VARIANT_FALSE);
    LatePut(d, L"DisplayErrorDialog", Short(1), r);
    LateGet(d, L"DisplayErrorDialog", r);
    CHECK(V_BOOL(&r.value) == VARIANT_TRUE);
    CHECK(static_cast<HvError*>(error.Get())->DisplayErrorDialog());

    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"Outra mensagem");
    LatePut(d, L"Description", text, r);
    VariantClear(&text);
    CDualString stored;
    static_cast<HvError*>(error.Get())->GetDescriptionText(stored);
    CHECK(std::string(stored.c_str()) == "Outra mensagem");

    LatePut(d, L"TagVariant", Short(7), r);
    LateGet(d, L"TagVariant", r);
    CHECK(V_VT(&r.value) == VT_I2);
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_DISPATCH;
    V_DISPATCH(&self) = d;
    LateCall(d, L"IsSameAs", {self}, r);
    CHECK(V_BOOL(&r.value) == VARIANT_TRUE);
    CHECK(error->get_Code(nullptr) == E_INVALIDARG);
}

TEST_CASE("a data error made from a type, code and text has empty details")
{
    Ref<IHvError> error(HvError::Create(hvErrorTypeData, -5, CDualString("d")));
    Ref<IHvDataError> data;
    REQUIRE(error->get_DataError(data.Out()) == S_OK);
    REQUIRE(data);
    LateResult r;
    LateGet(data.Get(), L"Source", r);
    CHECK(V_I4(&r.value) == hvSourceProvider);
    LateGet(data.Get(), L"Cell", r);
    CHECK(V_DISPATCH(&r.value) == nullptr);
    LateGet(data.Get(), L"Row", r);
    CHECK(V_DISPATCH(&r.value) == nullptr);
    LateGet(data.Get(), L"InvalidValue", r);
    CHECK(V_VT(&r.value) == VT_EMPTY);
}

TEST_CASE("an error made from a record keeps its row, cell and value beyond the record")
{
    FakeGridObject row(IID_IHvRow), cell(IID_IHvCell);
    Ref<IHvDataError> kept;
    {
        const struct { HRESULT code; long expected; } codes[] = {
            {static_cast<HRESULT>(0x80040E21), 3617}, {static_cast<HRESULT>(0x8000FFFF), -1}, {0x12348000, -32768}};
        for (const auto& c : codes) {
            DataErrorInfo record(c.code, &row, &cell);
            Ref<IHvError> error(HvError::ConstructFromRecord(hvErrorTypeData, record));
            long code = 0;
            error->get_Code(&code);
            CHECK(code == c.expected);
        }
        DataErrorInfo record(E_FAIL, &row, &cell);
        record.SetMessage(CDualString(L"Valor inválido"));
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = SysAllocString(L"abc");
        record.SetInvalidValue(&value);
        VariantClear(&value);
        Ref<IHvError> error(HvError::ConstructFromRecord(hvErrorTypeData, record));
        CHECK(row.refs == 2);
        CHECK(cell.refs == 2);
        error->get_DataError(kept.Out());
        BSTR description = nullptr;
        error->get_Description(&description);
        CHECK(std::wstring(description) == L"Valor inválido");
        SysFreeString(description);
    }
    LateResult r;
    LateGet(kept.Get(), L"InvalidValue", r);
    REQUIRE(V_VT(&r.value) == VT_BSTR);
    CHECK(std::wstring(V_BSTR(&r.value)) == L"abc");
    IHvCell* gotCell = nullptr;
    CHECK(kept->get_Cell(&gotCell) == S_OK);
    CHECK(static_cast<IUnknown*>(gotCell) == &cell);
    gotCell->Release();
    kept.Reset();
    CHECK(row.refs == 1);
    CHECK(cell.refs == 1);
}

TEST_CASE("a mask error carries the failed text, its position and CancelBeep")
{
    Ref<IHvError> error(
        HvError::ConstructWithMaskError(hvErrorTypeMask, 7, CDualString("m"), CDualString("12a4"), 2));
    Ref<IHvMaskError> mask;
    REQUIRE(error->get_MaskError(mask.Out()) == S_OK);
    REQUIRE(mask);
    CHECK(static_cast<HvError*>(error.Get())->GetMaskErrorObject() == static_cast<HvMaskError*>(mask.Get()));
    LateResult r;
    LateGet(mask.Get(), L"InvalidText", r);
    CHECK(std::wstring(V_BSTR(&r.value)) == L"12a4");
    LateGet(mask.Get(), L"StartPosition", r);
    CHECK(V_I2(&r.value) == 2);
    LateGet(mask.Get(), L"CancelBeep", r);
    CHECK(V_BOOL(&r.value) == VARIANT_FALSE);
    LatePut(mask.Get(), L"CancelBeep", Short(3), r);
    LateGet(mask.Get(), L"CancelBeep", r);
    CHECK(V_BOOL(&r.value) == VARIANT_TRUE);

    Ref<IHvError> notMask(
        HvError::ConstructWithMaskError(hvErrorTypeGeneric, 7, CDualString("m"), CDualString("x"), 0));
    Ref<IHvMaskError> none;
    notMask->get_MaskError(none.Out());
    CHECK_FALSE(none);
}

TEST_CASE("released references leave the objects answering")
{
    Ref<IHvError> error(HvError::Create(hvErrorTypeData, 1, CDualString("x")));
    static_cast<HvError*>(error.Get())->ReleaseReferences();
    Ref<IHvDataError> data;
    CHECK(error->get_DataError(data.Out()) == S_OK);
    CHECK_FALSE(data);
    long code = 0;
    CHECK(error->get_Code(&code) == S_OK);
}
