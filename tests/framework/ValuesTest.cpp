// Variant holders and the framework enumerator.
#include <doctest/doctest.h>

#include "EnumObject.h"
#include "FrameworkFixtures.h"
#include "StreamText.h"
#include "VariantPair.h"
#include "VariantValue.h"

#include <string>

namespace {

class CountingOwner : public VariantValueOwner
{
public:
    void OnVariantValueChanged(DWORD cookie) override { cookies.push_back(cookie); }
    std::vector<DWORD> cookies;
};

VARIANT Number(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// Owns a BSTR variant for the length of a test.
struct Text
{
    explicit Text(const wchar_t* text)
    {
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
    }
    ~Text() { VariantClear(&v); }
    VARIANT v;
};

std::wstring HeldText(const CVariantValue& holder)
{
    VARIANT out;
    VariantInit(&out);
    REQUIRE(holder.GetValue(&out) == S_OK);
    REQUIRE(out.vt == VT_BSTR);
    std::wstring text(out.bstrVal, SysStringLen(out.bstrVal));
    VariantClear(&out);
    return text;
}

VARTYPE HeldType(const CVariantValue& holder)
{
    VARIANT out;
    VariantInit(&out);
    holder.GetValue(&out);
    const VARTYPE type = out.vt;
    VariantClear(&out);
    return type;
}

} // namespace

TEST_CASE("CVariantValue notifies its owner of real changes only")
{
    CountingOwner owner;
    CVariantValue holder(&owner, 39);
    CHECK(holder.IsEmpty());
    CHECK(HeldType(holder) == VT_EMPTY);

    SUBCASE("numbers: a change beyond the first 32 bits is still a change")
    {
        REQUIRE(holder.SetValue(Number(1.0)) == S_OK);
        REQUIRE(holder.SetValue(Number(2.0)) == S_OK);
        CHECK(owner.cookies == std::vector<DWORD>{39, 39});
        VARIANT out;
        VariantInit(&out);
        holder.GetValue(&out);
        CHECK(out.vt == VT_R8);
        CHECK(out.dblVal == 2.0);
        REQUIRE(holder.SetValue(Number(2.0)) == S_OK);
        CHECK(owner.cookies.size() == 2);
        REQUIRE(holder.SetValue(Long(2)) == S_OK); // another type is a change
        CHECK(owner.cookies.size() == 3);
    }
    SUBCASE("texts: the same BSTR is ignored, an equal text in another BSTR is copied")
    {
        Text first(L"tag");
        REQUIRE(holder.SetValue(first.v) == S_OK);
        CHECK(owner.cookies.size() == 1);
        REQUIRE(holder.Value() != nullptr);
        // The holder copied: its BSTR is not the caller's.
        CHECK(holder.Value()->bstrVal != first.v.bstrVal);

        // Handing the holder's own BSTR back changes nothing.
        const VARIANT same = *holder.Value();
        REQUIRE(holder.SetValue(same) == S_OK);
        CHECK(owner.cookies.size() == 1);
        CHECK(holder.Value()->bstrVal == same.bstrVal);

        Text equal(L"tag");
        REQUIRE(holder.SetValue(equal.v) == S_OK);
        CHECK(owner.cookies.size() == 2);
        CHECK(HeldText(holder) == L"tag");
    }
    SUBCASE("an empty text is stored as no value and still notifies")
    {
        REQUIRE(holder.SetValue(Number(5)) == S_OK);
        Text empty(L"");
        REQUIRE(holder.SetValue(empty.v) == S_OK);
        CHECK(holder.IsEmpty());
        CHECK(HeldType(holder) == VT_EMPTY);
        CHECK(owner.cookies.size() == 2);
    }
    SUBCASE("a by-reference value is stored dereferenced")
    {
        LONG target = 7;
        VARIANT byref;
        VariantInit(&byref);
        byref.vt = VT_I4 | VT_BYREF;
        byref.plVal = &target;
        REQUIRE(holder.SetValueRef(&byref) == S_OK);
        target = 8;
        VARIANT out;
        VariantInit(&out);
        holder.GetValue(&out);
        CHECK(out.vt == VT_I4);
        CHECK(out.lVal == 7);
    }
    SUBCASE("Copy and Clear send no notice")
    {
        CVariantValue other;
        REQUIRE(other.SetValue(Number(3.5)) == S_OK);
        REQUIRE(holder.Copy(other) == S_OK);
        CHECK(HeldType(holder) == VT_R8);
        CVariantValue empty;
        REQUIRE(holder.Copy(empty) == S_OK);
        CHECK(holder.IsEmpty());
        CHECK(owner.cookies.empty());
    }
    SUBCASE("Null and Error count as empty")
    {
        VARIANT null;
        VariantInit(&null);
        null.vt = VT_NULL;
        holder.SetValue(null);
        CHECK(holder.IsEmpty());
        VARIANT missing;
        VariantInit(&missing);
        missing.vt = VT_ERROR;
        missing.scode = DISP_E_PARAMNOTFOUND;
        holder.SetValue(missing);
        CHECK(holder.IsEmpty());
    }
}

TEST_CASE("CVariantValue persists as text in streams and property bags")
{
    struct Row { const char* what; VARIANT value; bool empty; };
    Text text(L"a\u00e7\u00e3o");
    VARIANT empty;
    VariantInit(&empty);
    const Row rows[] = {
        {"text", text.v, false},
        {"number", Long(5), false},
        {"empty", empty, true},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        CountingOwner owner;
        CVariantValue holder;
        holder.SetValue(row.value);

        ComPtr<IStream> stream = MakeStream();
        REQUIRE(holder.SaveToStream(stream.Get()) == S_OK);
        Rewind(stream.Get());
        CVariantValue fromStream(&owner, 1);
        fromStream.SetValue(Number(9)); // replaced by what is loaded
        owner.cookies.clear();
        REQUIRE(fromStream.LoadFromStream(stream.Get()) == S_OK);

        MemoryPropertyBag bag;
        REQUIRE(holder.SaveToPropertyBag(&bag, L"TagVariant") == S_OK);
        CHECK(bag.Has(L"TagVariant") == !row.empty);
        CVariantValue fromBag(&owner, 1);
        fromBag.SetValue(Number(9));
        owner.cookies.clear();
        const HRESULT read = fromBag.LoadFromPropertyBag(&bag, L"TagVariant", nullptr);
        CHECK(SUCCEEDED(read) == !row.empty);
        CHECK(owner.cookies.empty());

        if (row.empty) {
            CHECK(fromStream.IsEmpty());
            CHECK(fromBag.IsEmpty());
        } else {
            const std::wstring expected = row.value.vt == VT_BSTR ? std::wstring(row.value.bstrVal) : L"5";
            CHECK(HeldText(fromStream) == expected);
            CHECK(HeldText(fromBag) == expected);
        }
    }
}

TEST_CASE("CVariantValue: a number is saved in the user's locale; objects and damage")
{
    CVariantValue holder;
    holder.SetValue(Number(1.5));
    ComPtr<IStream> stream = MakeStream();
    REQUIRE(holder.SaveToStream(stream.Get()) == S_OK);
    Rewind(stream.Get());
    BSTR text = nullptr;
    REQUIRE(ReadBstrFromStream(stream.Get(), &text) == S_OK);
    const bool comma = GetUserDefaultLCID() == 0x0416;
    CHECK(std::wstring(text) == (comma ? L"1,5" : L"1.5"));
    SysFreeString(text);

    SUBCASE("an object without a text form is written as the empty text")
    {
        MemoryPropertyBag object;
        VARIANT unknown;
        VariantInit(&unknown);
        unknown.vt = VT_UNKNOWN;
        unknown.punkVal = &object;
        CVariantValue objectHolder;
        objectHolder.SetValue(unknown);
        ComPtr<IStream> out = MakeStream();
        REQUIRE(objectHolder.SaveToStream(out.Get()) == S_OK);
        CHECK(StreamBytes(out.Get()) == std::vector<BYTE>{0, 0});
        MemoryPropertyBag bag;
        CHECK(FAILED(objectHolder.SaveToPropertyBag(&bag, L"TagVariant")));
        CHECK_FALSE(bag.Has(L"TagVariant"));
    }
    SUBCASE("a damaged stream is reported and the value is kept")
    {
        ComPtr<IStream> damaged = MakeStream({9, 0, 'x'});
        CHECK(holder.LoadFromStream(damaged.Get()) == StreamTextTruncated);
        CHECK(HeldType(holder) == VT_R8);
    }
}

TEST_CASE("VariantPair keeps the value before the last change")
{
    VariantPair pair;
    VARIANT out;
    VariantInit(&out);
    REQUIRE(pair.GetFirst(&out) == S_OK);
    CHECK(out.vt == VT_EMPTY);

    REQUIRE(pair.SetFirst(Long(1)) == S_OK);
    REQUIRE(pair.SetFirst(Long(2)) == S_OK);
    REQUIRE(pair.GetSecond(&out) == S_OK);
    CHECK(out.lVal == 1);
    pair.MoveSecondToFirst();
    REQUIRE(pair.GetFirst(&out) == S_OK);
    CHECK(out.vt == VT_I4);
    CHECK(out.lVal == 1);
    CHECK_FALSE(pair.HasSecond());
    REQUIRE(pair.GetSecond(&out) == S_OK);
    CHECK(out.vt == VT_EMPTY);

    Text original(L"original");
    REQUIRE(pair.SetSecond(original.v) == S_OK);
    REQUIRE(pair.GetSecond(&out) == S_OK);
    CHECK(std::wstring(out.bstrVal) == L"original");
    VariantClear(&out);
    pair.Clear();
    CHECK_FALSE(pair.HasFirst());
    CHECK_FALSE(pair.HasSecond());
}

namespace {

// An IEnumVARIANT over the texts given, owned by owner.
ComPtr<IEnumVARIANT> TextEnumerator(std::initializer_list<const wchar_t*> texts, IUnknown* owner)
{
    EnumElementArray elements(static_cast<ULONG>(texts.size()), sizeof(VARIANT), ClearVariantElement);
    REQUIRE(elements.Data() != nullptr);
    ULONG i = 0;
    for (const wchar_t* text : texts) {
        auto* element = static_cast<VARIANT*>(elements.At(i++));
        element->vt = VT_BSTR;
        element->bstrVal = SysAllocString(text);
    }
    ComPtr<IEnumVARIANT> enumerator;
    REQUIRE(CEnumObject::Create(IID_IEnumVARIANT, std::move(elements), CopyVariantElement, owner,
                                reinterpret_cast<void**>(enumerator.GetAddressOf())) == S_OK);
    return enumerator;
}

std::wstring NextText(IEnumVARIANT* enumerator)
{
    VARIANT out;
    VariantInit(&out);
    ULONG fetched = 99;
    if (enumerator->Next(1, &out, &fetched) != S_OK || fetched != 1)
        return L"<none>";
    std::wstring text(out.bstrVal);
    VariantClear(&out);
    return text;
}

} // namespace

TEST_CASE("CEnumObject: Next, Skip and Reset")
{
    RecordingSink owner;
    ComPtr<IEnumVARIANT> enumerator = TextEnumerator({L"a", L"b", L"c"}, owner.Dispatch());
    CHECK(owner.refs == 2);

    VARIANT out[10];
    for (VARIANT& v : out)
        VariantInit(&v);
    ULONG fetched = 0;
    CHECK(enumerator->Next(10, out, &fetched) == S_FALSE);
    CHECK(fetched == 3);
    CHECK(std::wstring(out[0].bstrVal) == L"a");
    CHECK(std::wstring(out[2].bstrVal) == L"c");
    for (VARIANT& v : out)
        VariantClear(&v);
    CHECK(enumerator->Next(1, out, &fetched) == S_FALSE);
    CHECK(fetched == 0);

    CHECK(enumerator->Reset() == S_OK);
    CHECK(enumerator->Next(1, out, nullptr) == S_OK);
    VariantClear(&out[0]);
    CHECK(enumerator->Next(2, nullptr, &fetched) == E_POINTER);
    CHECK(fetched == 0);

    SUBCASE("Skip clamps at the end, whatever the count")
    {
        CHECK(enumerator->Skip(1) == S_OK);
        CHECK(NextText(enumerator.Get()) == L"c");
        enumerator->Reset();
        CHECK(enumerator->Skip(5) == S_FALSE);
        CHECK(NextText(enumerator.Get()) == L"<none>");
        enumerator->Reset();
        enumerator->Skip(1);
        CHECK(enumerator->Skip(0xFFFFFFFF) == S_FALSE);
        CHECK(NextText(enumerator.Get()) == L"<none>");
        enumerator->Reset();
        CHECK(NextText(enumerator.Get()) == L"a");
    }
    SUBCASE("interfaces: its own identifier and IUnknown only")
    {
        ComPtr<IUnknown> unknown;
        CHECK(enumerator.As(&unknown) == S_OK);
        ComPtr<IEnumConnections> other;
        CHECK(enumerator->QueryInterface(IID_IEnumConnections, reinterpret_cast<void**>(other.GetAddressOf())) == E_NOINTERFACE);
        CHECK(other.Get() == nullptr);
    }
    enumerator.Reset();
    CHECK(owner.refs == 1);
}

TEST_CASE("CEnumObject: a clone keeps its position and outlives its source")
{
    RecordingSink owner;
    ComPtr<IEnumVARIANT> source = TextEnumerator({L"a", L"b", L"c"}, owner.Dispatch());
    CHECK(NextText(source.Get()) == L"a");
    CHECK(source->Clone(nullptr) == E_POINTER);
    ComPtr<IEnumVARIANT> clone;
    REQUIRE(source->Clone(clone.GetAddressOf()) == S_OK);
    source.Reset();
    CHECK(owner.refs == 2);
    CHECK(NextText(clone.Get()) == L"b");
    ComPtr<IEnumVARIANT> second;
    REQUIRE(clone->Clone(second.GetAddressOf()) == S_OK);
    clone.Reset();
    CHECK(NextText(second.Get()) == L"c");
    second->Reset();
    CHECK(NextText(second.Get()) == L"a");
    CHECK(clone.Get() == nullptr);
    second.Reset();
    CHECK(owner.refs == 1);
}

TEST_CASE("CEnumObject holds references on the interfaces it hands out")
{
    RecordingSink first;
    RecordingSink second;
    EnumElementArray elements(2, sizeof(IUnknown*), ClearInterfaceElement);
    REQUIRE(elements.Data() != nullptr);
    IUnknown* pointers[] = {first.Dispatch(), second.Dispatch()};
    for (ULONG i = 0; i < 2; ++i) {
        pointers[i]->AddRef();
        *static_cast<IUnknown**>(elements.At(i)) = pointers[i];
    }
    ComPtr<IEnumConnectionPoints> enumerator;
    REQUIRE(CEnumObject::Create(IID_IEnumConnectionPoints, std::move(elements), CopyInterfaceElement, nullptr,
                                reinterpret_cast<void**>(enumerator.GetAddressOf())) == S_OK);
    CHECK(first.refs == 2);
    IConnectionPoint* out[2] = {};
    ULONG fetched = 0;
    REQUIRE(enumerator->Next(2, out, &fetched) == S_OK);
    CHECK(fetched == 2);
    CHECK(first.refs == 3);
    CHECK(second.refs == 3);
    out[0]->Release();
    out[1]->Release();
    enumerator.Reset();
    CHECK(first.refs == 1);
    CHECK(second.refs == 1);

    SUBCASE("an enumerator of nothing")
    {
        ComPtr<IEnumConnections> none;
        REQUIRE(CEnumObject::Create(IID_IEnumConnections, EnumElementArray(), CopyConnectDataElement, nullptr,
                                    reinterpret_cast<void**>(none.GetAddressOf())) == S_OK);
        CONNECTDATA data = {};
        CHECK(none->Next(1, &data, &fetched) == S_FALSE);
        CHECK(fetched == 0);
        CHECK(none->Skip(1) == S_FALSE);
    }
}
