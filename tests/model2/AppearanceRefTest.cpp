// Appearance references: resolution by index, key and object, relinking,
// detaching shared appearances, and the stream and property-bag forms.
#include <doctest/doctest.h>

#include "Model2Support.h"

#include "HvAppearance.h"

#include <map>

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);

HvAppearance* AddAppearance(FakeLayout& layout, const wchar_t* key)
{
    VARIANT text = key ? MakeText(key) : Missing();
    IHvAppearance* added = nullptr;
    REQUIRE(layout.Appearances()->Add(text, &added) == S_OK);
    VariantClear(&text);
    HvAppearance* appearance = HvAppearance::FromObject(added);
    added->Release(); // the collection keeps its own
    return appearance;
}

bool PutKey(AppearanceRef& ref, const wchar_t* key)
{
    VARIANT text = MakeText(key);
    bool changed = false;
    CHECK(ref.PutValue(text, &changed) == S_OK);
    VariantClear(&text);
    return changed;
}

// A property bag over a map, as a container would keep one.
class MemoryBag final : public IPropertyBag {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        auto found = entries.find(name);
        if (found == entries.end())
            return E_INVALIDARG;
        VariantClear(value);
        return VariantCopy(value, &found->second);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopy(&copy, value);
        if (SUCCEEDED(hr)) {
            VariantClear(&entries[name]);
            entries[name] = copy;
        }
        return hr;
    }
    ~MemoryBag()
    {
        for (auto& entry : entries)
            VariantClear(&entry.second);
    }
    std::map<std::wstring, VARIANT> entries;
};

std::vector<BYTE> SaveRef(AppearanceRef& ref, bool inlineObject)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(ref.SaveToStream(stream.Get(), inlineObject, 0) == S_OK);
    return StreamBytes(stream.Get());
}

} // namespace

TEST_CASE("model2: a reference resolves by key lazily, by index and by object, and relinks")
{
    FakeLayout layout;
    NoticeRecorder owner;
    AppearanceRef ref;
    ref.Init(&layout, layout.Appearances(), &owner);

    // A key that names nothing yet is kept and tried again on each use.
    CHECK(PutKey(ref, L"Warn"));
    CHECK_FALSE(PutKey(ref, L"Warn"));
    CHECK(ref.GetAppearance() == nullptr);
    HvAppearance* red = AddAppearance(layout, L"Red");
    HvAppearance* warn = AddAppearance(layout, L"WARN");
    CHECK(ref.GetAppearance() == warn);
    warn->put_BackColor(0xFF);
    REQUIRE(owner.notices.size() == 1);
    CHECK(owner.notices[0].publisher == static_cast<ChangePublisher*>(warn));

    // A new key relinks the owner to the new appearance on the next use.
    CHECK(PutKey(ref, L"Red"));
    CHECK(ref.GetAppearance() == red);
    owner.Clear();
    warn->put_BackColor(0xFE);
    CHECK(owner.notices.empty());
    red->put_ForeColor(0x1);
    CHECK(owner.notices.size() == 1);

    // The held appearance put again drops the key: a change, once.
    bool changed = false;
    CHECK(ref.PutAppearanceObject(static_cast<IHvAppearance*>(red), &changed) == S_OK);
    CHECK(changed);
    CHECK(ref.Key() == nullptr);
    CHECK(ref.PutAppearanceObject(static_cast<IHvAppearance*>(red), &changed) == S_OK);
    CHECK_FALSE(changed);

    // An object is shared, not copied.
    CHECK(ref.PutAppearanceObject(static_cast<IHvAppearance*>(warn), &changed) == S_OK);
    CHECK(ref.GetAppearance() == warn);

    // Numbers are refused: an index comes only from a loaded layout.
    VARIANT number = MakeI4(3);
    CHECK(ref.PutValue(number, &changed) == kInvalidValue);
    CHECK(LastErrorDescription() == L"Invalid property value");
    CHECK(ref.GetAppearance() == warn);
    // Objects that are no appearance are refused the same way.
    Ref<IPictureDisp> picture(NewBitmapPicture(1, 1));
    CHECK(ref.PutAppearanceObject(picture.Get(), &changed) == kInvalidValue);

    // An empty value lets go.
    VARIANT empty;
    VariantInit(&empty);
    CHECK(ref.PutValue(empty, &changed) == S_OK);
    CHECK(changed);
    CHECK(ref.GetAppearance() == nullptr);

    // Index keys come from streams: tag 8 with "1" is index 1.
    Ref<IStream> stream(NewStream({8, 0, 1, 0, '1'}));
    REQUIRE(ref.LoadFromStream(stream.Get(), 0) == S_OK);
    REQUIRE(ref.Key() != nullptr);
    CHECK(V_VT(ref.Key()) == VT_I4);
    CHECK(ref.GetAppearance() == warn);
}

TEST_CASE("model2: reading makes one private appearance; a shared one outlives one holder")
{
    FakeLayout layout;
    NoticeRecorder ownerA;
    NoticeRecorder ownerB;
    AppearanceRef a;
    AppearanceRef b;
    a.Init(&layout, layout.Appearances(), &ownerA);
    b.Init(&layout, layout.Appearances(), &ownerB);

    Ref<IHvAppearance> first;
    Ref<IHvAppearance> second;
    REQUIRE(a.QueryAppearance(first.Out()) == S_OK);
    REQUIRE(a.QueryAppearance(second.Out()) == S_OK);
    CHECK(first.Get() == second.Get());
    HvAppearance* shared = a.GetAppearance();
    bool changed = false;
    REQUIRE(b.PutAppearanceObject(first.Get(), &changed) == S_OK);
    // A reference assigned itself keeps what it holds.
    CHECK(b.Assign(b) == S_OK);
    CHECK(b.GetAppearance() == shared);

    // The first holder goes: the appearance stays for the second.
    a.Detach();
    CHECK(shared->IsActive());
    CHECK(a.PutValue(MakeI4(0), &changed) == kNotActive);
    CHECK(a.CreateAppearance() == kNotActive);
    shared->put_BackColor(0x10);
    CHECK(ownerA.notices.empty());
    CHECK(ownerB.notices.size() == 1);
    b.Detach();
    CHECK_FALSE(shared->IsActive());

    // A member of Appearances is never ended by its users.
    AppearanceRef c;
    c.Init(&layout, layout.Appearances(), nullptr);
    HvAppearance* member = AddAppearance(layout, L"Member");
    PutKey(c, L"Member");
    CHECK(c.GetAppearance() == member);
    c.Detach();
    CHECK(member->IsActive());
}

TEST_CASE("model2: reference stream forms by index, key and inline")
{
    FakeLayout layout;
    AppearanceRef ref;
    ref.Init(&layout, layout.Appearances(), nullptr);
    AddAppearance(layout, nullptr);
    HvAppearance* named = AddAppearance(layout, L"Named");
    HvAppearance* unkeyed = layout.Appearances()->AppearanceAt(0);

    // Nothing to save.
    Ref<IStream> nothing(NewStream());
    CHECK(ref.SaveToStream(nothing.Get(), false, 0) == E_FAIL);
    CHECK_FALSE(ref.IsSet());

    // A key that does not resolve yet is saved as the key.
    PutKey(ref, L"Later");
    CHECK(ref.IsSet());
    const std::vector<BYTE> later = SaveRef(ref, false);
    CHECK(later == std::vector<BYTE>{8, 0, 5, 0, 'L', 'a', 't', 'e', 'r'});
    CHECK(SaveRef(ref, true) == later);

    // Members by key, or by position when they have none.
    ref.SetAppearance(named);
    CHECK(SaveRef(ref, false) == std::vector<BYTE>{8, 0, 5, 0, 'N', 'a', 'm', 'e', 'd'});
    ref.SetAppearance(unkeyed);
    CHECK(SaveRef(ref, false) == std::vector<BYTE>{3, 0, 0, 0, 0, 0});

    // A private appearance, or any with inline asked, is written whole.
    named->put_ForeColor(0x123456);
    ref.SetAppearance(named);
    const std::vector<BYTE> inlined = SaveRef(ref, true);
    REQUIRE(inlined.size() > 2);
    CHECK(inlined[0] == 9);
    AppearanceRef loaded;
    loaded.Init(&layout, layout.Appearances(), nullptr);
    Ref<IStream> stream(NewStream(inlined));
    REQUIRE(loaded.LoadFromStream(stream.Get(), 0) == S_OK);
    REQUIRE(loaded.GetAppearance() != nullptr);
    CHECK(loaded.GetAppearance() != named);
    CHECK(loaded.GetAppearanceData()->ForeColor() == 0x123456);
    CHECK(SaveRef(loaded, true) == inlined);
    // The private copy was saved inline even when by reference is asked.
    CHECK(SaveRef(loaded, false) == inlined);

    // Tag 0 is nothing; a negative index leaves the reference empty.
    Ref<IStream> none(NewStream({0, 0}));
    CHECK(loaded.LoadFromStream(none.Get(), 0) == S_OK);
    CHECK_FALSE(loaded.IsSet());
    Ref<IStream> negative(NewStream({3, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    CHECK(loaded.LoadFromStream(negative.Get(), 0) == S_OK);
    CHECK_FALSE(loaded.IsSet());

    // Corrupted streams fail and leave the reference empty.
    Ref<IStream> unknownTag(NewStream({7, 0, 1, 2}));
    CHECK(FAILED(loaded.LoadFromStream(unknownTag.Get(), 0)));
    for (size_t cut = 1; cut < inlined.size(); ++cut) {
        CAPTURE(cut);
        Ref<IStream> shortStream(NewStream(std::vector<BYTE>(inlined.begin(), inlined.begin() + cut)));
        CHECK(FAILED(loaded.LoadFromStream(shortStream.Get(), 0)));
        CHECK(loaded.GetAppearance() == nullptr);
    }
}

TEST_CASE("model2: reference property-bag form")
{
    FakeLayout layout;
    AppearanceRef ref;
    ref.Init(&layout, layout.Appearances(), nullptr);
    PutKey(ref, L"Header");
    MemoryBag bag;
    CHECK(ref.SaveToPropertyBag(nullptr, L"Appearance", 0) == E_INVALIDARG);
    REQUIRE(ref.SaveToPropertyBag(&bag, L"Appearance", 0) == S_OK);
    REQUIRE(bag.entries.count(L"Appearance") == 1);
    CHECK(V_VT(&bag.entries[L"Appearance"]) == VT_UNKNOWN);

    AppearanceRef loaded;
    loaded.Init(&layout, layout.Appearances(), nullptr);
    REQUIRE(loaded.LoadFromPropertyBag(&bag, nullptr, L"Appearance", 0) == S_OK);
    REQUIRE(loaded.Key() != nullptr);
    CHECK(std::wstring(V_BSTR(loaded.Key())) == L"Header");
    // No entry is no appearance.
    CHECK(loaded.LoadFromPropertyBag(&bag, nullptr, L"Missing", 0) == S_OK);
    CHECK_FALSE(loaded.IsSet());
}
