// The images collection over an external image-list control: the candidates
// found on the container, choosing one by object, name or number, the
// lookups that go to it with UseImageList, its change notices, and the
// persisted name.
#include "Canvas.h"
#include "FakeImageList.h"
#include "HvImages.h"

#include <doctest/doctest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const HRESULT kNotReady = static_cast<HRESULT>(0x800AA221);

struct SiteHost final : HvImagesHost {
    FakeContainer* container = nullptr;
    std::vector<DISPID> changes;
    void OnImagesChanged(DISPID dispid) override { changes.push_back(dispid); }
    void SetDirty() override {}
    void Invalidate() override {}
    bool IsAlive() override { return true; }
    int CountImagesAt(const char*, DecodedImageList&) override { return 0; }
    IBindHost* GetBindHost() override { return nullptr; }
    IOleClientSite* GetClientSite() override
    {
        return container ? static_cast<IOleClientSite*>(container) : nullptr;
    }
};

// A container with "Icons" (three 12 x 10 images keyed a, "" and c), "Small"
// member 2 of a control array (16 x 16, no images yet) and a text box.
struct Form {
    FakeContainer container;
    FakeImageListControl* icons = new FakeImageListControl(L"Icons", -1, 12, 10);
    FakeImageListControl* small = new FakeImageListControl(L"Small", 2, 16, 16);
    SiteHost host;
    HvImages* images;

    Form()
    {
        icons->AddImage(L"a", RGB(255, 0, 0));
        icons->AddImage(L"", RGB(0, 255, 0));
        icons->AddImage(L"c", RGB(0, 0, 255));
        container.Add(static_cast<IDispatch*>(icons));
        IUnknown* plain = MakePlainObject();
        container.Add(plain);
        plain->Release();
        container.Add(static_cast<IDispatch*>(small));
        host.container = &container;
        images = HvImages::Create(&host, false);
    }
    ~Form()
    {
        images->Release();
        container.RemoveAll();
        icons->Release();
        small->Release();
    }
    std::vector<std::wstring> Strings(DISPID dispid)
    {
        ULONG count = 0;
        LPOLESTR* strings = nullptr;
        std::vector<std::wstring> result;
        if (FAILED(images->GetPredefinedStrings(dispid, &count, &strings)))
            return {L"failed"};
        for (ULONG i = 0; i < count; ++i) {
            result.push_back(strings[i]);
            CoTaskMemFree(strings[i]);
        }
        CoTaskMemFree(strings);
        return result;
    }
    // Whether the attached control is object (null: none attached).
    bool Attached(IDispatch* object)
    {
        IDispatch* control = images->GetImageListControl();
        const bool same = control == object;
        if (control)
            control->Release();
        return same;
    }
};

VARIANT Short(short value)
{
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return v;
}

struct Text {
    VARIANT v;
    explicit Text(const wchar_t* text) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(text); }
    ~Text() { VariantClear(&v); }
};

class Bag final : public IPropertyBag {
public:
    ~Bag()
    {
        for (auto& entry : values_)
            VariantClear(&entry.second);
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        auto found = values_.find(name);
        return found == values_.end() ? E_INVALIDARG : VariantCopy(value, &found->second);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopy(&copy, value);
        if (SUCCEEDED(hr))
            values_[name] = copy;
        return hr;
    }
    std::wstring TextOf(const wchar_t* name)
    {
        auto found = values_.find(name);
        if (found == values_.end())
            return L"<missing>";
        return V_VT(&found->second) == VT_BSTR && V_BSTR(&found->second) ? V_BSTR(&found->second) : L"";
    }

private:
    std::map<std::wstring, VARIANT> values_;
};

} // namespace

TEST_CASE("the container's image-list controls are the candidates, (None) first")
{
    Form form;
    CHECK(form.Strings(2101) == std::vector<std::wstring>{L"(None)", L"Icons", L"Small(2)"});
    CHECK(form.container.lastFlags == OLECONTF_EMBEDDINGS);
    long number = -1;
    CHECK(form.images->GetImageListChoice(2101, &number) == S_OK);
    CHECK(number == 0);
    CHECK(form.images->GetImageListChoice(2100, &number) == S_FALSE);
    CHECK(number == 0);

    CHECK(form.images->SetImageListChoice(2101, 2) == S_OK);
    CHECK(form.Attached(form.small));
    CHECK(form.small->Connected());
    CHECK(form.images->GetImageListChoice(2101, &number) == S_OK);
    CHECK(number == 2);
    CHECK(form.images->SetImageListChoice(2101, 3) == S_FALSE);
    CHECK(form.images->SetImageListChoice(2100, 1) == S_FALSE);
    CHECK(form.Attached(form.small));

    // The control leaves the form: the choice falls back to (None).
    form.container.RemoveAll();
    CHECK(form.images->GetImageListChoice(2101, &number) == S_OK);
    CHECK(number == 0);
    CHECK(form.Attached(nullptr));
    CHECK_FALSE(form.small->Connected());
}

TEST_CASE("choosing a control by object needs one that holds images")
{
    Form form;
    CHECK(form.images->SetImageListControl(form.small) == kNotReady);
    CHECK(form.Attached(nullptr));
    REQUIRE(form.images->SetImageListControl(form.icons) == S_OK);
    CHECK(form.Attached(form.icons));
    CHECK(form.images->ImageListName().Compare("Icons") == 0);
    CHECK(form.host.changes.back() == 2101);
    CHECK(form.images->SetImageListControl(nullptr) == S_OK);
    CHECK(form.Attached(nullptr));
    CHECK_FALSE(form.icons->Connected());
}

TEST_CASE("with UseImageList the lookups answer from the attached control")
{
    Form form;
    REQUIRE(form.images->SetImageListControl(form.icons) == S_OK);
    SIZE size = {};
    form.images->GetImageSize(size);
    CHECK(size.cx == 0);   // own images until UseImageList is on
    form.images->SetUseImageList(true);
    form.images->GetImageSize(size);
    CHECK(size.cx == 12);
    CHECK(size.cy == 10);

    Text keyC(L"C");
    CHECK(form.images->IndexFromVariant(keyC.v) == 3);
    CHECK(form.images->IndexFromVariant(Short(2)) == 2);
    CHECK(form.images->IndexFromVariant(Short(7)) == 0);
    Text unknown(L"zz");
    CHECK(form.images->IndexFromVariant(unknown.v) == 0);

    IPictureDisp* picture = form.images->GetPictureFromVariant(keyC.v);
    REQUIRE(picture);
    IPictureDisp* expected = form.icons->Images()[2].picture.GetPictureDisp();
    CHECK(picture == expected);
    picture->Release();
    expected->Release();
    CHECK(form.images->GetPictureFromVariant(Short(0)) == nullptr);

    CHECK(form.images->GetHImageList(true) == form.icons->Handle());
    CHECK(form.Strings(2100) == std::vector<std::wstring>{L"a", L"2", L"c"});

    // A change inside the control drops the handle and tells the owner twice.
    form.host.changes.clear();
    form.icons->FireChanged();
    CHECK(form.host.changes == std::vector<DISPID>{2101, 2101});
    CHECK(form.images->GetHImageList(true) == form.icons->Handle());

    form.images->SetUseImageList(false);
    CHECK(form.images->IndexFromVariant(keyC.v) == 0);   // no own images
}

TEST_CASE("a selected name is saved and found again on the container")
{
    Form form;
    form.small->AddImage(L"x", RGB(1, 2, 3));
    form.Strings(2101);   // the browser lists the candidates before a choice
    REQUIRE(form.images->SetImageListChoice(2101, 2) == S_OK);

    SUBCASE("stream")
    {
        IStream* stream = nullptr;
        REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)));
        REQUIRE(form.images->SaveToStream(stream) == S_OK);
        HvImages* copy = HvImages::Create(&form.host, true);
        LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        REQUIRE(copy->LoadFromStream(stream) == S_OK);
        CHECK(copy->ImageListName().Compare("Small(2)") == 0);
        IDispatch* control = copy->GetImageListControl();
        CHECK(control == form.small);
        if (control)
            control->Release();
        copy->Release();
        stream->Release();
    }
    SUBCASE("property bag, also when the control is not there")
    {
        Bag bag;
        REQUIRE(form.images->SaveToPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
        CHECK(bag.TextOf(L"ImageList") == L"Small(2)");

        FakeContainer empty;
        SiteHost elsewhere;
        elsewhere.container = &empty;
        HvImages* lost = HvImages::Create(&elsewhere, true);
        REQUIRE(lost->LoadFromPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
        IDispatch* control = lost->GetImageListControl();
        CHECK(control == nullptr);
        Bag again;
        REQUIRE(lost->SaveToPropertyBag(&again, L"ImageList", L"Images") == S_OK);
        CHECK(again.TextOf(L"ImageList") == L"Small(2)");   // the name is kept, not lost
        lost->Release();

        HvImages* found = HvImages::Create(&form.host, true);
        REQUIRE(found->LoadFromPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
        control = found->GetImageListControl();
        CHECK(control == form.small);
        if (control)
            control->Release();
        found->Release();
    }
}

TEST_CASE("SetImageListName splits a control-array index off the name")
{
    Form form;
    struct Case {
        const char* text;
        const char* selected;
        bool attachesIcons;
    };
    const Case cases[] = {
        {"Icons", "Icons", true},     {"Small(2)", "Small(2)", false}, {"Small()", "Small()", false},
        {"Icons(7", "Icons(7", false}, {"(None)", "(None)", false},    {"<None>", "(None)", false},
        {"", "(None)", false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        form.images->SetImageListName(c.text);
        CHECK(form.images->ImageListName().Compare(c.selected) == 0);
        IDispatch* control = form.images->GetImageListControl();
        CHECK((control == form.icons) == c.attachesIcons);
        if (control)
            control->Release();
    }
    form.images->SetImageListName("Small(2)");
    IDispatch* control = form.images->GetImageListControl();
    CHECK(control == form.small);
    if (control)
        control->Release();
    Bag bag;
    form.images->SetImageListName("(None)");
    REQUIRE(form.images->SaveToPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
    CHECK(bag.TextOf(L"ImageList") == L"<missing>");
}

TEST_CASE("on a Visual Basic form a control whose window is gone is forgotten")
{
    Form form;
    form.container.visualBasic = true;
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    REQUIRE(window);
    form.icons->SetWindow(window);
    REQUIRE(form.images->SetImageListControl(form.icons) == S_OK);
    form.images->RefreshFromImageList();
    CHECK(form.Attached(form.icons));
    DestroyWindow(window);
    form.images->RefreshFromImageList();
    CHECK(form.Attached(nullptr));
    CHECK(form.images->ImageListName().Compare("(None)") == 0);
    CHECK_FALSE(form.icons->Connected());
}
