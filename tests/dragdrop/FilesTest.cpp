// The file-name list of a data object.
#include "DragDropTestSupport.h"
#include "HvDataObjectFiles.h"

namespace {

struct Files {
    HvDataObjectFiles* list = HvDataObjectFiles::Create();
    ~Files() { list->Release(); }
    HvDataObjectFiles* operator->() const { return list; }
};

VARIANT Missing()
{
    VARIANT v;
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT Index(LONG index)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = index;
    return v;
}

std::wstring Item(const Files& files, LONG index)
{
    BSTR name = nullptr;
    if (FAILED(files->get_Item(index, &name)))
        return L"<error>";
    std::wstring result = name;
    SysFreeString(name);
    return result;
}

void Add(const Files& files, const wchar_t* name, VARIANT index)
{
    BSTR text = SysAllocString(name);
    CHECK(files->Add(text, index) == S_OK);
    SysFreeString(text);
}

} // namespace

TEST_CASE("file names are added, inserted, removed and indexed from 1")
{
    Files files;
    CHECK(files->Slots() == 0);
    BSTR name = nullptr;
    CHECK(files->get_Item(1, &name) == DISP_E_BADINDEX);
    CHECK(files->Slots() == 10);

    Add(files, L"b.txt", Missing());
    Add(files, L"d.txt", Missing());
    Add(files, L"a.txt", Index(1));
    Add(files, L"c.txt", Index(3));
    LONG count = 0;
    files->get_Count(&count);
    CHECK(count == 4);
    CHECK(Item(files, 1) == L"a.txt");
    CHECK(Item(files, 2) == L"b.txt");
    CHECK(Item(files, 3) == L"c.txt");
    CHECK(Item(files, 4) == L"d.txt");

    BSTR extra = SysAllocString(L"x");
    CHECK(files->Add(extra, Index(6)) == DISP_E_BADINDEX);
    CHECK(files->Add(extra, Index(0)) == DISP_E_BADINDEX);
    SysFreeString(extra);
    CHECK(files->Remove(0) == DISP_E_BADINDEX);
    CHECK(files->Remove(5) == DISP_E_BADINDEX);
    CHECK(Item(files, 5) == L"<error>");

    CHECK(files->Remove(2) == S_OK);
    CHECK(files->Count() == 3);
    CHECK(Item(files, 2) == L"c.txt");
    CHECK(files->Clear() == S_OK);
    CHECK(files->Count() == 0);
}

TEST_CASE("the name array grows by ten slots")
{
    Files files;
    for (int i = 0; i < 10; ++i)
        Add(files, L"f", Missing());
    CHECK(files->Slots() == 10);
    Add(files, L"eleventh", Missing());
    CHECK(files->Slots() == 20);
    CHECK(Item(files, 11) == L"eleventh");
}

TEST_CASE("the enumerator walks a copy of the names")
{
    Files files;
    Add(files, L"one", Missing());
    Add(files, L"two", Missing());
    Add(files, L"three", Missing());
    ComPtr<IUnknown> unknown;
    REQUIRE(files->get__NewEnum(unknown.GetAddressOf()) == S_OK);
    ComPtr<IEnumVARIANT> names;
    REQUIRE(unknown.As(&names) == S_OK);
    ComPtr<IDispatch> notThere;
    CHECK(unknown.As(&notThere) == E_NOINTERFACE);
    files->Clear();   // the enumerator keeps its copy

    VARIANT got[2];
    ULONG fetched = 0;
    CHECK(names->Next(2, got, &fetched) == S_OK);
    CHECK(fetched == 2);
    CHECK(std::wstring(got[0].bstrVal) == L"one");
    CHECK(std::wstring(got[1].bstrVal) == L"two");
    VariantClear(&got[0]);
    VariantClear(&got[1]);

    ComPtr<IEnumVARIANT> clone;
    REQUIRE(names->Clone(clone.GetAddressOf()) == S_OK);
    CHECK(clone->Next(1, got, &fetched) == S_OK);
    CHECK(std::wstring(got[0].bstrVal) == L"three");
    VariantClear(&got[0]);

    CHECK(names->Skip(5) == S_FALSE);
    CHECK(names->Next(1, got, &fetched) == S_FALSE);
    CHECK(fetched == 0);
    CHECK(names->Reset() == S_OK);
    CHECK(names->Next(1, got, &fetched) == S_OK);
    CHECK(std::wstring(got[0].bstrVal) == L"one");
    VariantClear(&got[0]);
}
