// The images collection: adding, finding, keys, removal, image size, the
// stream and property-bag forms, and the image list built from the images.
#include "Canvas.h"
#include "HvImages.h"
#include "PersistHGlobal.h"

#include <doctest/doctest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct NullHost final : HvImagesHost {
    int changes = 0;
    std::vector<DISPID> notices;
    void OnImagesChanged(DISPID dispid) override
    {
        ++changes;
        notices.push_back(dispid);
    }
    void SetDirty() override {}
    void Invalidate() override {}
    bool IsAlive() override { return true; }
    int CountImagesAt(const char*, DecodedImageList&) override { return 0; }
    IBindHost* GetBindHost() override { return nullptr; }
};

VARIANT Missing()
{
    VARIANT v;
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT Number(double value)
{
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

// Owns the BSTR of a text argument.
struct Text {
    VARIANT v;
    explicit Text(const wchar_t* text) { V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(text); }
    ~Text() { VariantClear(&v); }
};

struct Fixture {
    NullHost host;
    HvImages* images = HvImages::Create(&host, false);
    ~Fixture() { images->Release(); }

    // Adds an image of w x h pixels keyed key (none for null) at index.
    HRESULT Add(VARIANT index, const wchar_t* key = nullptr, int w = 16, int h = 16)
    {
        InterfacePtr picture;
        MakeBitmapPicture(picture, w, h, [](int, int) { return RGB(255, 0, 0); });
        VARIANT pic;
        V_VT(&pic) = VT_DISPATCH;
        V_DISPATCH(&pic) = picture.GetPictureDisp();
        Text keyText(key ? key : L"");
        IHvImage* image = nullptr;
        HRESULT hr = images->Add(index, key ? keyText.v : Missing(), pic, &image);
        if (image)
            image->Release();
        VariantClear(&pic);
        return hr;
    }
    std::wstring KeyAt(long index)
    {
        IHvImage* image = nullptr;
        if (FAILED(images->get_Item(Number(index), &image)))
            return L"?";
        BSTR key = nullptr;
        image->get_Key(&key);
        std::wstring text = key ? key : L"";
        SysFreeString(key);
        image->Release();
        return text;
    }
    SIZE Size()
    {
        SIZE size;
        images->GetImageSize(size);
        return size;
    }
};

} // namespace

TEST_CASE("Add appends unless an existing index is given")
{
    Fixture f;
    CHECK(f.Add(Missing(), L"a") == S_OK);
    CHECK(f.Add(Number(0), L"b") == S_OK);
    CHECK(f.Add(Number(9), L"c") == S_OK);
    CHECK(f.Add(Number(1), L"front") == S_OK);
    long count = 0;
    f.images->get_Count(&count);
    CHECK(count == 4);
    CHECK(f.KeyAt(1) == L"front");
    CHECK(f.KeyAt(2) == L"a");
    CHECK(f.KeyAt(4) == L"c");
    IHvImage* image = nullptr;
    REQUIRE(f.images->get_Item(Number(2), &image) == S_OK);
    short index = 0;
    image->get_Index(&index);
    CHECK(index == 2);
    image->Release();

    VARIANT object;
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = f.images->Interface();
    CHECK(f.Add(object) == static_cast<HRESULT>(0x800AA21D));
    Text numberKey(L"12");
    CHECK(f.images->Add(Missing(), Number(3), Missing(), &image) == static_cast<HRESULT>(0x800AA21E));
    f.images->get_Count(&count);
    CHECK(count == 4);   // failed adds change nothing
}

TEST_CASE("Item by key, by number and its errors")
{
    Fixture f;
    f.Add(Missing(), L"One");
    f.Add(Missing(), L"Two");
    f.Add(Missing(), L"Three");
    IHvImage* image = nullptr;
    Text empty(L"");
    CHECK(f.images->get_Item(empty.v, &image) == static_cast<HRESULT>(0x800AA21F));
    Text unknown(L"four");
    CHECK(f.images->get_Item(unknown.v, &image) == static_cast<HRESULT>(0x800AA21D));
    CHECK(f.images->get_Item(Number(0), &image) == static_cast<HRESULT>(0x800AA21D));
    CHECK(f.images->get_Item(Number(4), &image) == static_cast<HRESULT>(0x800AA21D));
    CHECK(f.KeyAt(static_cast<long>(2.9)) == L"Two");
    REQUIRE(f.images->get_Item(Number(2.9), &image) == S_OK);
    short index = 0;
    image->get_Index(&index);
    CHECK(index == 2);
    image->Release();
    Text mixedCase(L"tHREE");
    REQUIRE(f.images->get_Item(mixedCase.v, &image) == S_OK);
    image->Release();

    VARIANT key;
    V_VT(&key) = VT_I2;
    V_I2(&key) = 3;
    CHECK(f.images->IndexFromVariant(key) == 3);
    V_I2(&key) = 4;
    CHECK(f.images->IndexFromVariant(key) == 0);
    CHECK(f.images->IndexFromVariant(mixedCase.v) == 3);
}

TEST_CASE("keys must be texts and unique whatever their letter case")
{
    Fixture f;
    f.Add(Missing(), L"Alpha");
    f.Add(Missing(), L"Beta");
    IHvImage* beta = nullptr;
    REQUIRE(f.images->get_Item(Number(2), &beta) == S_OK);
    BSTR digits = SysAllocString(L"123");
    BSTR taken = SysAllocString(L"ALPHA");
    BSTR same = SysAllocString(L"Beta");
    CHECK(beta->put_Key(digits) == static_cast<HRESULT>(0x800AA21E));
    CHECK(beta->put_Key(taken) == static_cast<HRESULT>(0x800A797D));
    CHECK(beta->put_Key(same) == S_OK);
    CHECK(beta->put_Key(nullptr) == S_OK);
    CHECK(f.KeyAt(2) == L"");
    SysFreeString(digits);
    SysFreeString(taken);
    SysFreeString(same);
    beta->Release();
}

TEST_CASE("Remove by key, number or object, and the image size")
{
    Fixture f;
    f.Add(Missing(), L"a", 16, 8);
    f.Add(Missing(), L"b", 32, 32);
    CHECK(f.Size().cx == 16);
    CHECK(f.Size().cy == 8);
    Text missingKey(L"zz");
    CHECK(f.images->Remove(missingKey.v) == static_cast<HRESULT>(0x800AA21C));
    CHECK(f.images->Remove(Number(7)) == static_cast<HRESULT>(0x800AA21C));
    IHvImage* b = nullptr;
    REQUIRE(f.images->get_Item(Number(2), &b) == S_OK);
    VARIANT object;
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = b;
    CHECK(f.images->Remove(object) == S_OK);
    short index = -1;
    b->get_Index(&index);
    CHECK(index == 0);   // the client's image has left the collection
    b->Release();
    Text a(L"A");
    CHECK(f.images->Remove(a.v) == S_OK);
    CHECK(f.Size().cx == 0);
    CHECK(f.Size().cy == 0);
    f.Add(Missing(), nullptr, 24, 12);
    CHECK(f.Size().cx == 24);
    CHECK(f.Size().cy == 12);
}

TEST_CASE("moving an image by its Index renumbers the others")
{
    Fixture f;
    f.Add(Missing(), L"a");
    f.Add(Missing(), L"b");
    f.Add(Missing(), L"c");
    IHvImage* c = nullptr;
    REQUIRE(f.images->get_Item(Number(3), &c) == S_OK);
    HIMAGELIST before = f.images->GetHImageList(false);
    REQUIRE(before);
    f.host.notices.clear();
    CHECK(c->put_Index(4) == static_cast<HRESULT>(0x800AA21D));
    CHECK(c->put_Index(3) == S_OK);   // where it is: nothing moves
    CHECK(f.host.notices.empty());
    CHECK(c->put_Index(1) == S_OK);
    c->Release();
    CHECK(f.KeyAt(1) == L"c");
    CHECK(f.KeyAt(2) == L"a");
    CHECK(f.KeyAt(3) == L"b");
    // The owner hears of the new order, and the image list is made again.
    CHECK(f.host.notices == std::vector<DISPID>{2100, 1200});
    CHECK(ImageList_GetImageCount(f.images->GetHImageList(false)) == 3);
}

TEST_CASE("an index or key names an image only within 1..Count")
{
    Fixture f;
    f.Add(Missing(), L"a");
    f.Add(Missing(), L"b");
    struct Case {
        VARIANT value;
        short expected;
    };
    auto shortValue = [](SHORT n) {
        VARIANT v;
        V_VT(&v) = VT_I2;
        V_I2(&v) = n;
        return v;
    };
    Text b(L"B");
    Text none(L"z");
    const Case cases[] = {
        {shortValue(-1), 0}, {shortValue(-32768), 0}, {shortValue(0), 0}, {shortValue(1), 1},
        {shortValue(2), 2},  {shortValue(3), 0},      {b.v, 2},          {none.v, 0},
        {Number(1), 0},   // only VT_I2 is an index here
    };
    for (const Case& c : cases) {
        CAPTURE(V_VT(&c.value));
        CHECK(f.images->IndexFromVariant(c.value) == c.expected);
    }
}

TEST_CASE("a batch sends its notices once, at the end")
{
    Fixture f;
    IHvImagesBatch* batch = nullptr;
    REQUIRE(f.images->QueryInterface(IID_IHvImagesBatch, reinterpret_cast<void**>(&batch)) == S_OK);
    batch->BeginUpdate();
    f.Add(Missing());
    f.Add(Missing());
    f.images->Clear();
    CHECK(f.host.changes == 0);
    batch->EndUpdate();
    CHECK(f.host.changes == 2);   // Images, then the content notice
    CHECK(f.Size().cx == 0);
    batch->Release();
}

TEST_CASE("the enumerator walks a snapshot of the images")
{
    Fixture f;
    f.Add(Missing(), L"a");
    f.Add(Missing(), L"b");
    IUnknown* unknown = nullptr;
    REQUIRE(f.images->get__NewEnum(&unknown) == S_OK);
    IEnumVARIANT* items = nullptr;
    REQUIRE(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)) == S_OK);
    unknown->Release();
    f.images->Clear();
    VARIANT got[3];
    ULONG fetched = 0;
    CHECK(items->Next(3, got, &fetched) == S_FALSE);
    CHECK(fetched == 2);
    for (ULONG i = 0; i < fetched; ++i)
        VariantClear(&got[i]);
    items->Release();
}

TEST_CASE("the stream form round-trips, and version 100 takes the sizes from the first image")
{
    Fixture f;
    f.Add(Missing(), L"first", 20, 10);
    f.Add(Missing(), nullptr, 4, 4);
    IStream* stream = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)));
    REQUIRE(f.images->SaveToStream(stream) == S_OK);

    Fixture copy;
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    REQUIRE(copy.images->LoadFromStream(stream) == S_OK);
    CHECK(copy.images->Count() == 2);
    CHECK(copy.KeyAt(1) == L"first");
    CHECK(copy.Size().cx == 20);
    CHECK(copy.Size().cy == 10);
    CHECK(copy.host.changes == 0);   // loading sends no notices

    // Version 100: magic, version, count, then the records at once.
    IStream* old = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &old)));
    const DWORD magic = 0x35830129;
    const LONG version = 100;
    const SHORT count = 2;
    old->Write(&magic, 4, nullptr);
    old->Write(&version, 4, nullptr);
    old->Write(&count, 2, nullptr);
    LARGE_INTEGER records = {};
    records.QuadPart = 4 + 4 + 2 + 16 + 2;   // the version 102 header of the saved stream
    stream->Seek(records, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER all = {};
    all.QuadPart = 1 << 20;
    stream->CopyTo(old, all, nullptr, nullptr);
    old->Seek(start, STREAM_SEEK_SET, nullptr);
    Fixture legacy;
    REQUIRE(legacy.images->LoadFromStream(old) == S_OK);
    CHECK(legacy.images->Count() == 2);
    CHECK(legacy.Size().cx == 20);
    CHECK(legacy.Size().cy == 10);

    // A stream that breaks off inside its records leaves the images as
    // they were.
    IStream* cut = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &cut)));
    STATSTG whole = {};
    stream->Stat(&whole, STATFLAG_NONAME);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER most = {};
    most.QuadPart = whole.cbSize.QuadPart - 3;
    stream->CopyTo(cut, most, nullptr, nullptr);
    cut->Seek(start, STREAM_SEEK_SET, nullptr);
    Fixture kept;
    kept.Add(Missing(), L"old", 6, 6);
    kept.host.changes = 0;
    CHECK(FAILED(kept.images->LoadFromStream(cut)));
    CHECK(kept.images->Count() == 1);
    CHECK(kept.KeyAt(1) == L"old");
    CHECK(kept.Size().cx == 6);
    CHECK(kept.host.changes == 0);
    cut->Release();

    IStream* wrong = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &wrong)));
    const DWORD bad = 0x12345678;
    wrong->Write(&bad, 4, nullptr);
    wrong->Seek(start, STREAM_SEEK_SET, nullptr);
    CHECK(legacy.images->LoadFromStream(wrong) == E_FAIL);
    CHECK(legacy.images->Count() == 2);
    wrong->Release();
    old->Release();
    stream->Release();
}

namespace {

class Bag final : public IPropertyBag {
public:
    ~Bag()
    {
        for (auto& entry : values_)
            VariantClear(&entry.second);
    }
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
        auto found = values_.find(name);
        if (found == values_.end())
            return E_INVALIDARG;
        return VariantCopy(value, &found->second);
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
    bool Has(const wchar_t* name) const { return values_.count(name) != 0; }

private:
    std::map<std::wstring, VARIANT> values_;
};

} // namespace

TEST_CASE("the property-bag form carries the images as one blob")
{
    Fixture f;
    Bag bag;
    REQUIRE(f.images->SaveToPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
    CHECK_FALSE(bag.Has(L"Images"));   // nothing to write
    f.Add(Missing(), L"k", 12, 6);
    REQUIRE(f.images->SaveToPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
    CHECK(bag.Has(L"Images"));
    CHECK_FALSE(bag.Has(L"ImageList"));

    Fixture copy;
    REQUIRE(copy.images->LoadFromPropertyBag(&bag, L"ImageList", L"Images") == S_OK);
    CHECK(copy.images->Count() == 1);
    CHECK(copy.KeyAt(1) == L"k");
    CHECK(copy.Size().cx == 12);

    Bag empty;
    CHECK(copy.images->LoadFromPropertyBag(&empty, L"ImageList", L"Images") == S_OK);
    CHECK(copy.images->Count() == 1);   // a missing property leaves the images

    // The blob holds exactly the bytes of the stream form without the name
    // (whose empty text takes 2 bytes), nothing of the memory beyond them.
    IStream* form = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &form)));
    REQUIRE(f.images->SaveToStream(form) == S_OK);
    STATSTG formSize = {};
    form->Stat(&formSize, STATFLAG_NONAME);
    form->Release();
    VARIANT blob;
    VariantInit(&blob);
    REQUIRE(bag.Read(L"Images", &blob, nullptr) == S_OK);
    IPersistStream* persist = nullptr;
    REQUIRE(V_UNKNOWN(&blob)->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist)) == S_OK);
    IStream* saved = nullptr;
    REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &saved)));
    REQUIRE(persist->Save(saved, FALSE) == S_OK);
    STATSTG savedSize = {};
    saved->Stat(&savedSize, STATFLAG_NONAME);
    LARGE_INTEGER start = {};
    saved->Seek(start, STREAM_SEEK_SET, nullptr);
    DWORD count = 0;
    saved->Read(&count, 4, nullptr);
    CHECK(count == formSize.cbSize.QuadPart - 2);
    CHECK(savedSize.cbSize.QuadPart == 4 + count);
    saved->Release();
    persist->Release();
    VariantClear(&blob);
}

TEST_CASE("an image list is built from the own images at the image size")
{
    Fixture f;
    CHECK(f.images->GetHImageList(true) == nullptr);
    f.Add(Missing(), nullptr, 16, 16);
    f.Add(Missing(), nullptr, 8, 8);
    HIMAGELIST list = f.images->GetHImageList(true);
    REQUIRE(list);
    CHECK(ImageList_GetImageCount(list) == 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    CHECK(cx == 16);
    CHECK(cy == 16);
    CHECK(f.images->GetHImageList(true) == list);
    f.Add(Missing());   // a change drops the list; it is built again on use
    HIMAGELIST rebuilt = f.images->GetHImageList(false);
    REQUIRE(rebuilt);
    CHECK(ImageList_GetImageCount(rebuilt) == 3);
    IMAGEINFO info = {};
    REQUIRE(ImageList_GetImageInfo(rebuilt, 0, &info));
    CHECK(info.hbmMask == nullptr);
    // Asked with masks, the list is built again with them.
    HIMAGELIST masked = f.images->GetHImageList(true);
    REQUIRE(ImageList_GetImageInfo(masked, 0, &info));
    CHECK(info.hbmMask != nullptr);
    CHECK(f.images->GetHImageList(true) == masked);
}

TEST_CASE("predefined strings list keys, or positions for images without one")
{
    Fixture f;
    f.Add(Missing(), L"a");
    f.Add(Missing());
    ULONG count = 0;
    LPOLESTR* strings = nullptr;
    REQUIRE(f.images->GetPredefinedStrings(2100, &count, &strings) == S_OK);
    REQUIRE(count == 2);
    CHECK(std::wstring(strings[0]) == L"a");
    CHECK(std::wstring(strings[1]) == L"2");
    for (ULONG i = 0; i < count; ++i)
        CoTaskMemFree(strings[i]);
    CoTaskMemFree(strings);
    long width = 0;
    CHECK(f.images->GetImageWidthFor(2101, &width) == static_cast<HRESULT>(0x800A017C));
    CHECK(f.images->GetImageWidthFor(2100, &width) == S_OK);
    CHECK(width == 16);
}

TEST_CASE("a masked image list leaves out each image's bottom-left colour")
{
    Fixture f;
    f.Add(Missing(), nullptr, 8, 8);   // one colour: all of it is mask
    for (bool masked : {false, true}) {
        CAPTURE(masked);
        HIMAGELIST list = f.images->GetHImageList(masked);
        REQUIRE(list);
        Canvas canvas(16, 16, RGB(255, 255, 255));
        ImageList_Draw(list, 0, canvas.Dc(), 0, 0, masked ? ILD_TRANSPARENT : ILD_NORMAL);
        CHECK(canvas.At(4, 4) == (masked ? RGB(255, 255, 255) : RGB(255, 0, 0)));
    }
}
