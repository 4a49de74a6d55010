// The collection machinery: lookup by position, number, text, key and
// object; adding with keys and indexes; removing; clearing; enumeration;
// re-publishing of item notices; the stream and property-bag forms. Each
// case runs over both storage families (and the key index where keys count).
#include <doctest/doctest.h>

#include "CollectionFixtures.h"
#include "ModelTestSupport.h"
#include "LateBound.h"
#include "PropertyBagFake.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace {

VARIANT Int(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Real(double value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

// Owns its string.
struct Text {
    VARIANT v;
    explicit Text(const wchar_t* text)
    {
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(text);
    }
    ~Text() { VariantClear(&v); }
};

VARIANT Missing()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT Object(IUnknown* object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_UNKNOWN;
    V_UNKNOWN(&v) = object;
    return v;
}

// The internal interface, beside the dispatch methods of the same names.
template <class T>
HvCollectionImpl* Impl(T* collection)
{
    return static_cast<HvCollectionImpl*>(collection);
}

std::string KeyOf(IDispatch* item)
{
    HvKeyedItem* keyed = HvKeyedItem::FromObject(item);
    return keyed ? keyed->GetKey()->c_str() : "?";
}

template <class TCollection>
struct Filled {
    TCollection* c = TCollection::Create();
    Filled(std::initializer_list<const wchar_t*> keys = {L"alpha", L"beta", L"gamma", L"delta", L"eps"})
    {
        for (const wchar_t* key : keys) {
            Ref<IDispatch> added;
            BSTR text = SysAllocString(key);
            REQUIRE(c->AddInternal(text, nullptr, added.Out(), 0) == S_OK);
            SysFreeString(text);
        }
        c->log.calls.clear();
    }
    ~Filled() { c->Release(); }
    std::string Key(LONG position) { return c->ItemAtPosition(position)->GetKey()->c_str(); }
};

HRESULT AddKeyed(HvCollectionImpl* c, const wchar_t* key, std::string* gotKey = nullptr, VARIANT* index = nullptr)
{
    Text k(key);
    VARIANT none = Missing();
    Ref<IDispatch> out;
    HRESULT hr = c->Add(&k.v, index ? index : &none, out.Out(), 0);
    if (gotKey && out)
        *gotKey = KeyOf(out.Get());
    return hr;
}

} // namespace

TEST_CASE_TEMPLATE("Item finds by integer, number, numeric text and key", T, VectorCollection, ListCollection, IndexedCollection)
{
    Filled<T> f;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        VARIANT index;
        const char* expected; // null: 42804
    };
    Text three(L"3"), minusHalf(L"-0,5"), beta(L"BeTa"), none(L"zeta"), empty(L"");
    LONG byRefTarget = 1;
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_I4 | VT_BYREF;
    V_I4REF(&byRef) = &byRefTarget;
    VARIANT nothing;
    VariantInit(&nothing);
    VARIANT null;
    VariantInit(&null);
    V_VT(&null) = VT_NULL;
    const Case cases[] = {
        {"integer 0", Int(0), "alpha"},
        {"integer 4", Int(4), "eps"},
        {"2.9 truncates", Real(2.9), "gamma"},
        {"-0.5 truncates to 0", Real(-0.5), "alpha"},
        {"numeric text", three.v, "delta"},
        {"key, any case", beta.v, "beta"},
        {"by reference", byRef, "beta"},
        {"past the end", Int(5), nullptr},
        {"negative", Int(-1), nullptr},
        {"-1.5", Real(-1.5), nullptr},
        {"NaN", Real(nan), nullptr},
        {"infinity", Real(inf), nullptr},
        {"huge", Real(1e30), nullptr},
        {"unknown key", none.v, nullptr},
        {"empty text", empty.v, nullptr},
        {"empty", nothing, nullptr},
        {"null", null, nullptr},
        {"missing", Missing(), nullptr},
        {"null object", Object(nullptr), nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        Ref<IDispatch> item;
        VARIANT index = c.index;
        HRESULT hr = f.c->Item(&index, item.Out());
        if (c.expected) {
            REQUIRE(hr == S_OK);
            CHECK(KeyOf(item.Get()) == c.expected);
        } else {
            CHECK(hr == CollectionError::BadIndex);
            CHECK(LastErrorDescription() == L"Specified index is invalid");
            CHECK_FALSE(item);
        }
    }
    SUBCASE("an object is never an index for Item, even one of the collection's own")
    {
        Ref<IDispatch> first;
        VARIANT zero = Int(0);
        REQUIRE(f.c->Item(&zero, first.Out()) == S_OK);
        VARIANT object = Object(first.Get());
        Ref<IDispatch> again;
        CHECK(f.c->Item(&object, again.Out()) == CollectionError::BadIndex);
    }
    SUBCASE("null arguments")
    {
        VARIANT zero = Int(0);
        Ref<IDispatch> item;
        CHECK(f.c->Item(nullptr, item.Out()) == E_INVALIDARG);
        CHECK(f.c->Item(&zero, nullptr) == E_INVALIDARG);
    }
}

TEST_CASE_TEMPLATE("Add refuses numeric, non-text and duplicate keys", T, VectorCollection, ListCollection, IndexedCollection)
{
    Filled<T> f({L"Name"});
    struct Case {
        const wchar_t* key;
        HRESULT expected;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"3", CollectionError::KeyNotString, L"The Key value has to be a string"},
        {L"1e2", CollectionError::KeyNotString, L"The Key value has to be a string"},
        {L"4,5", CollectionError::KeyNotString, L"The Key value has to be a string"},
        {L" -7 ", CollectionError::KeyNotString, L"The Key value has to be a string"},
        {L"NAME", CollectionError::DuplicateKey, L"The Key value already exists"},
        {L"name", CollectionError::DuplicateKey, L"The Key value already exists"},
    };
    const int liveBefore = TestItem::live;
    for (const Case& c : cases) {
        CAPTURE(std::string(CDualString(c.key).c_str()));
        CHECK(AddKeyed(f.c, c.key) == c.expected);
        CHECK(LastErrorDescription() == c.text);
    }
    CHECK(TestItem::live == liveBefore);
    CHECK(f.c->ItemCount() == 1);

    VARIANT number = Int(5), none = Missing();
    Ref<IDispatch> out;
    CHECK(f.c->Add(&number, &none, out.Out(), 0) == CollectionError::KeyNotString);

    std::string got;
    CHECK(AddKeyed(f.c, L"Name2", &got) == S_OK);
    CHECK(got == "Name2");
    CHECK(AddKeyed(f.c, L"") == S_OK); // no key at all
    CHECK(f.c->ItemCount() == 3);
}

TEST_CASE_TEMPLATE("Add places items by index", T, VectorCollection, ListCollection)
{
    Filled<T> f({L"a", L"b"});
    VARIANT two = Int(2), zero = Int(0), half = Real(1.5);
    Text numeric(L"1");
    CHECK(AddKeyed(f.c, L"end", nullptr, &two) == S_OK); // index == count appends
    CHECK(AddKeyed(f.c, L"first", nullptr, &zero) == S_OK);
    CHECK(AddKeyed(f.c, L"mid", nullptr, &half) == S_OK);
    CHECK(AddKeyed(f.c, L"text", nullptr, &numeric.v) == S_OK);
    CHECK(f.Key(0) == "first");
    CHECK(f.Key(1) == "text");
    CHECK(f.Key(2) == "mid");
    CHECK(f.Key(3) == "a");
    CHECK(f.Key(5) == "end");
    CHECK(f.c->log.calls[1] == "added end 2");

    const int liveBefore = TestItem::live;
    const LONG count = f.c->ItemCount();
    VARIANT past = Int(count + 1), nan = Real(std::nan("")), huge = Real(3e9);
    for (VARIANT* bad : {&past, &nan, &huge}) {
        CHECK(AddKeyed(f.c, L"late", nullptr, bad) == CollectionError::BadIndex);
        CHECK(f.c->ItemCount() == count);
        CHECK(TestItem::live == liveBefore);
    }
}

TEST_CASE("a collection without keys accepts any key and ignores it")
{
    VectorCollection* c = VectorCollection::Create(false);
    std::string got = "?";
    CHECK(AddKeyed(c, L"3", &got) == S_OK);
    CHECK(got.empty());
    CHECK(AddKeyed(c, L"3") == S_OK);
    Text key(L"x");
    Ref<IDispatch> item;
    CHECK(c->Item(&key.v, item.Out()) == CollectionError::BadIndex);
    c->Release();
}

TEST_CASE_TEMPLATE("Remove by position, key and object", T, VectorCollection, ListCollection, IndexedCollection)
{
    Filled<T> f;
    VARIANT one = Int(1);
    Text key(L"DELTA");
    CHECK(Impl(f.c)->Remove(&one) == S_OK);
    CHECK(Impl(f.c)->Remove(&key.v) == S_OK);
    CHECK(f.c->log.calls == std::vector<std::string>{"before-remove beta", "removed beta", "before-remove delta",
                                                      "removed delta"});
    Ref<IDispatch> gamma;
    VARIANT pos = Int(1);
    REQUIRE(f.c->Item(&pos, gamma.Out()) == S_OK);
    VARIANT object = Object(gamma.Get());
    CHECK(Impl(f.c)->Remove(&object) == S_OK);
    CHECK(f.c->ItemCount() == 2);
    CHECK(f.Key(0) == "alpha");
    CHECK(f.Key(1) == "eps");

    SUBCASE("an item of another collection, a removed item or a foreign object is refused")
    {
        Filled<T> other({L"alpha"});
        Ref<IDispatch> foreign;
        VARIANT zero = Int(0);
        REQUIRE(other.c->Item(&zero, foreign.Out()) == S_OK);
        for (IUnknown* bad : {static_cast<IUnknown*>(foreign.Get()), static_cast<IUnknown*>(gamma.Get()),
                              static_cast<IUnknown*>(static_cast<IHvCollectionBaseWithClear*>(other.c))}) {
            VARIANT o = Object(bad);
            CHECK(Impl(f.c)->Remove(&o) == CollectionError::BadObject);
            CHECK(LastErrorDescription() == L"Error accessing passed in object");
        }
        CHECK(f.c->ItemCount() == 2);
    }
    SUBCASE("a vetoed removal reports success and removes nothing")
    {
        f.c->log.removeAnswer = 1;
        VARIANT zero = Int(0);
        CHECK(Impl(f.c)->Remove(&zero) == S_OK);
        CHECK(f.c->ItemCount() == 2);
        f.c->log.removeAnswer = E_ACCESSDENIED;
        CHECK(Impl(f.c)->Remove(&zero) == E_ACCESSDENIED);
    }
    SUBCASE("a read-only collection refuses")
    {
        f.c->readOnly_ = true;
        VARIANT zero = Int(0);
        CHECK(Impl(f.c)->Remove(&zero) == CollectionError::ReadOnly);
        CHECK(LastErrorDescription() == L"This collection is read-only.");
        CHECK(AddKeyed(f.c, L"new") == CollectionError::ReadOnly);
    }
}

TEST_CASE_TEMPLATE("Clear empties the storage before it lets the items go", T, VectorCollection, ListCollection)
{
    Filled<T> f({L"a", L"b", L"c"});
    LONG countSeenByItem = -1;
    static_cast<TestItem*>(f.c->ItemAtPosition(1))->onDestroy = [&] { countSeenByItem = f.c->ItemCount(); };
    f.c->log.notifyEach = true;
    const int liveBefore = TestItem::live;
    CHECK(f.c->Clear() == S_OK);
    CHECK(countSeenByItem == 0);
    CHECK(TestItem::live == liveBefore - 3);
    CHECK(f.c->log.calls == std::vector<std::string>{"before-clear 00", "removed a clear", "removed b clear",
                                                      "removed c clear", "cleared"});
    SUBCASE("an empty read-only collection clears without hooks")
    {
        f.c->readOnly_ = true;
        f.c->log.calls.clear();
        CHECK(f.c->Clear() == S_OK);
        CHECK(f.c->log.calls.empty());
    }
}

TEST_CASE_TEMPLATE("Clear: read-only, and a refusing hook", T, VectorCollection, ListCollection)
{
    Filled<T> f({L"a", L"b"});
    f.c->readOnly_ = true;
    CHECK(f.c->Clear() == CollectionError::ReadOnly);
    CHECK(f.c->ClearCollection(true, 1) == S_OK); // the owner's forced clear
    f.c->readOnly_ = false;
    AddKeyed(f.c, L"x");
    f.c->log.clearAnswer = E_ABORT;
    CHECK(f.c->Clear() == E_ABORT);
    CHECK(f.c->ItemCount() == 1);
}

TEST_CASE_TEMPLATE("enumeration is a snapshot and counts past 32767", T, VectorCollection, ListCollection)
{
    T* c = T::Create(false);
    constexpr LONG kItems = 40000;
    for (LONG i = 0; i < kItems; ++i) {
        TestItem* item = TestItem::Create(nullptr, c);
        item->value = i;
        REQUIRE(c->InsertItem(-1, item, false, 0) == S_OK);
    }
    Ref<IUnknown> unknown;
    REQUIRE(c->get__NewEnum(unknown.Out()) == S_OK);
    Ref<IEnumVARIANT> enumerator;
    REQUIRE(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(enumerator.Out())) == S_OK);

    VARIANT first = Int(0);
    CHECK(Impl(c)->Remove(&first) == S_OK);
    CHECK(c->Clear() == S_OK);

    LONG seen = 0;
    bool inOrder = true;
    VARIANT batch[100];
    ULONG fetched = 0;
    while (enumerator->Next(100, batch, &fetched) == S_OK || fetched > 0) {
        for (ULONG i = 0; i < fetched; ++i) {
            auto* item = static_cast<TestItem*>(HvKeyedItem::FromObject(V_DISPATCH(&batch[i])));
            inOrder = inOrder && item && item->value == seen;
            ++seen;
            VariantClear(&batch[i]);
        }
        if (fetched < 100)
            break;
    }
    CHECK(inOrder);
    CHECK(seen == kItems);
    enumerator.Reset();
    unknown.Reset();
    c->Release();
}

TEST_CASE("an item's notice reaches the collection's watchers under the owner property's identifier")
{
    struct Watcher : ChangeSubscriber {
        std::vector<ChangeNotice> seen;
        std::vector<ChangeNotice> inner;
        void OnChange(const ChangeNotice* n) override
        {
            seen.push_back(*n);
            inner.push_back(*reinterpret_cast<const ChangeNotice*>(n->argument));
        }
        unsigned long AddRefSubscriber() override { return 1; }
        unsigned long ReleaseSubscriber() override { return 1; }
    } watcher;
    Filled<VectorCollection> f({L"a"});
    SubscriptionLink link(&watcher);
    link.RelinkSubscription(f.c);
    auto* item = static_cast<TestItem*>(f.c->ItemAtPosition(0));
    item->NotifySubscribers(1234, 5);
    REQUIRE(watcher.seen.size() == 1);
    CHECK(watcher.seen[0].what == 1200);
    CHECK(watcher.seen[0].publisher == static_cast<ChangePublisher*>(f.c));
    CHECK(watcher.inner[0].what == 1234);
    CHECK(watcher.inner[0].argument == 5);
    CHECK(watcher.inner[0].publisher == static_cast<ChangePublisher*>(item));
}

namespace {

std::vector<BYTE> SaveCollection(HvCollectionImpl* c, LONG arg = 0)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(c->Save(stream.Get(), arg) == S_OK);
    return StreamBytes(stream.Get());
}

HRESULT LoadCollection(HvCollectionImpl* c, const std::vector<BYTE>& bytes)
{
    Ref<IStream> stream(NewStream(bytes));
    return c->Load(stream.Get(), 0);
}

} // namespace

TEST_CASE_TEMPLATE("stream form round trip", T, VectorCollection, ListCollection, IndexedCollection)
{
    Filled<T> f({L"ab", L"c"});
    static_cast<TestItem*>(f.c->ItemAtPosition(1))->value = 0x01020304;
    const std::vector<BYTE> bytes = SaveCollection(f.c, 7);
    const std::vector<BYTE> expected = {2, 0, 0, 0, 100, 0, 0, 0,                  // count, version
                                        2, 0, 'a', 'b', 0, 0, 0, 0, 7, 0, 0, 0,   // item "ab"
                                        1, 0, 'c', 4, 3, 2, 1, 7, 0, 0, 0};       // item "c"
    CHECK(bytes == expected);

    Filled<T> loaded({L"old"});
    REQUIRE(LoadCollection(loaded.c, bytes) == S_OK);
    CHECK(loaded.c->ItemCount() == 2);
    CHECK(loaded.Key(0) == "ab");
    CHECK(static_cast<TestItem*>(loaded.c->ItemAtPosition(1))->value == 0x01020304);
    std::vector<BYTE> again = SaveCollection(loaded.c, 7);
    CHECK(again == bytes);

    SUBCASE("counts outside 0..10000 fail before any item is made")
    {
        for (LONG bad : {10001L, -1L}) {
            std::vector<BYTE> b = bytes;
            CopyMemory(b.data(), &bad, 4);
            const int liveBefore = TestItem::live;
            const LONG had = loaded.c->ItemCount();
            CHECK(LoadCollection(loaded.c, b) == E_FAIL);
            CHECK(loaded.c->ItemCount() == 0);
            CHECK(TestItem::live == liveBefore - had);
        }
    }
    SUBCASE("a truncated stream fails and keeps what was read")
    {
        for (size_t length : {size_t(0), size_t(3), size_t(7), size_t(15), bytes.size() - 1}) {
            CAPTURE(length);
            CHECK(FAILED(LoadCollection(loaded.c, std::vector<BYTE>(bytes.begin(), bytes.begin() + length))));
            CHECK(loaded.c->ItemCount() == (length > 20 ? 2 : length > 8 ? 1 : 0));
        }
    }
}

TEST_CASE("the key index follows removals, loads and key changes, and finds the first of equal keys")
{
    Filled<IndexedCollection> f({L"alpha", L"beta", L"gamma"});
    auto find = [&](const char* key) -> std::string {
        CDualString text(key);
        HvKeyedItem* item = f.c->FindVectorItemByKey(&text);
        return item ? item->GetKey()->c_str() : "-";
    };
    CHECK(find("BETA") == "beta");
    VARIANT one = Int(1);
    REQUIRE(Impl(f.c)->Remove(&one) == S_OK);
    CHECK(find("beta") == "-");
    CHECK(AddKeyed(f.c, L"Beta") == S_OK);
    CHECK(find("beta") == "Beta");

    // A key changed in place, reported as the items report it.
    TestItem* gamma = static_cast<TestItem*>(f.c->ItemAtPosition(1));
    gamma->key_.AssignAnsi("omega");
    HvKeyedItem::KeyChanged();
    CHECK(find("gamma") == "-");
    CHECK(find("OMEGA") == "omega");
    CHECK(AddKeyed(f.c, L"gamma") == S_OK);
    CHECK(AddKeyed(f.c, L"Omega") == CollectionError::DuplicateKey);

    // A stream may hold equal keys: the first in storage order answers.
    Filled<ListCollection> twice({L"x", L"dup", L"y"});
    static_cast<TestItem*>(twice.c->ItemAtPosition(0))->key_.AssignAnsi("DUP");
    static_cast<TestItem*>(twice.c->ItemAtPosition(0))->value = 1;
    REQUIRE(LoadCollection(f.c, SaveCollection(twice.c)) == S_OK);
    CDualString dup("dup");
    HvKeyedItem* first = f.c->FindVectorItemByKey(&dup);
    REQUIRE(first);
    CHECK(static_cast<TestItem*>(first)->value == 1);
    CHECK(find("alpha") == "-");
    CHECK(find("y") == "y");
    CHECK(f.c->Clear() == S_OK);
    CHECK(find("y") == "-");
}

TEST_CASE("keys fold alike exactly when the collections call them equal")
{
    const char* texts[] = {"name", "NAME", "Name ", " name", "na-me", "name-", "na'me", "nam\xe9", "NAM\xc9",
                           "name\x01", "Stra\xdf" "e", "STRASSE", "a", "A", "b", "\xe6", "ae", "1e2x", "\xa0", "_"};
    std::vector<std::string> folded;
    for (const char* text : texts) {
        std::string f;
        REQUIRE(KeyIndex::Fold(text, &f));
        folded.push_back(f);
    }
    for (size_t i = 0; i < std::size(texts); ++i)
        for (size_t j = 0; j < std::size(texts); ++j) {
            CAPTURE(texts[i]);
            CAPTURE(texts[j]);
            CHECK((folded[i] == folded[j]) == HvCollectionImpl::KeysEqual(texts[i], texts[j]));
        }
    std::string none;
    CHECK_FALSE(KeyIndex::Fold("", &none));
    CHECK_FALSE(KeyIndex::Fold(nullptr, &none));
}

TEST_CASE("property-bag form: one blob entry, none for an empty collection")
{
    Filled<VectorCollection> f({L"k1", L"k2"});
    MemoryBag bag;
    CHECK(f.c->SaveToPropertyBag(&bag, L"Appearances", 0) == S_OK);
    REQUIRE(bag.Has(L"Appearances"));
    CHECK(V_VT(&bag.At(L"Appearances")) == VT_UNKNOWN);

    Filled<VectorCollection> loaded({L"x"});
    CHECK(loaded.c->LoadFromPropertyBag(&bag, nullptr, L"Appearances", 0) == S_OK);
    CHECK(loaded.c->ItemCount() == 2);
    CHECK(loaded.Key(1) == "k2");
    CHECK_FALSE(loaded.c->IsBusy());

    Filled<VectorCollection> empty({});
    MemoryBag emptyBag;
    CHECK(empty.c->SaveToPropertyBag(&emptyBag, L"Appearances", 0) == S_OK);
    CHECK_FALSE(emptyBag.Has(L"Appearances"));
    CHECK(loaded.c->LoadFromPropertyBag(&emptyBag, nullptr, L"Appearances", 0) == S_OK);
    CHECK(loaded.c->ItemCount() == 0);
}

TEST_CASE("late-bound clients see Count, _NewEnum, Remove and Clear with the conventions' errors")
{
    Filled<VectorCollection> f({L"a", L"b", L"c"});
    IDispatch* d = static_cast<IHvCollectionBaseWithClear*>(f.c);
    CHECK(DispIdOf(d, L"Count") == 2000);
    CHECK(DispIdOf(d, L"Remove") == 2002);
    CHECK(DispIdOf(d, L"Clear") == -554);
    LateResult r;
    LateGet(d, L"Count", r);
    REQUIRE(r.hr == S_OK);
    CHECK(V_I4(&r.value) == 3);

    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"B");
    LateCall(d, L"Remove", {text}, r);
    VariantClear(&text);
    CHECK(r.hr == S_OK);
    LateCall(d, L"Remove", {Int(9)}, r);
    CHECK(r.hr == DISP_E_EXCEPTION);
    CHECK(r.scode == CollectionError::BadIndex);
    CHECK(r.description == L"Specified index is invalid");
    LateCall(d, L"Remove", {}, r); // the index is not optional
    CHECK(r.hr == DISP_E_BADPARAMCOUNT);

    // _NewEnum is restricted: clients reach it by its identifier, as For Each does.
    DISPPARAMS none = {};
    VARIANT enumerator;
    VariantInit(&enumerator);
    CHECK(d->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &enumerator,
                    nullptr, nullptr) == S_OK);
    CHECK(V_VT(&enumerator) == VT_UNKNOWN);
    VariantClear(&enumerator);

    f.c->readOnly_ = true;
    LateCall(d, L"Clear", {}, r);
    CHECK(r.scode == CollectionError::ReadOnly);
    CHECK(r.description == L"This collection is read-only.");
    f.c->readOnly_ = false;
    LateCall(d, L"Clear", {}, r);
    CHECK(r.hr == S_OK);
    LateGet(d, L"Count", r);
    CHECK(V_I4(&r.value) == 0);
}
