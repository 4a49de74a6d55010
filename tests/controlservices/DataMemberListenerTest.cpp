// The control's data-source listener: which notices rebind the control's
// data member, and its IUnknown, which is the control's.
#include <doctest/doctest.h>

#include "DataMemberListener.h"

#include <string>

namespace {

struct FakeOwner final : IUnknown {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        lastIid = iid;
        *out = this;
        ++refs;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
    IID lastIid{};
};

struct FakeControl final : DataMemberHost {
    const wchar_t* BoundDataMember() override { return member; }
    bool IsDesignMode() override { return designMode; }
    HRESULT RebindDataMember(bool detach) override
    {
        rebinds += detach ? "detach " : "keep ";
        return result;
    }
    const wchar_t* member = L"Analises";
    bool designMode = false;
    HRESULT result = S_OK;
    std::string rebinds;
};

struct Fixture {
    FakeOwner owner;
    FakeControl control;
    DataMemberListener listener{&owner, control};
};

} // namespace

TEST_CASE("Data member notices: which rebind the control and how")
{
    enum Notice { Changed, Added, Removed };
    struct Case {
        Notice notice;
        const wchar_t* member;
        bool designMode;
        const char* rebinds;
    };
    const Case cases[] = {
        {Changed, L"Analises", false, "detach "}, {Changed, L"Analises", true, "detach "},
        {Changed, L"Outro", false, "keep "},      {Changed, L"Outro", true, ""},
        {Changed, nullptr, false, "keep "},       {Changed, nullptr, true, ""},
        {Changed, L"analises", true, ""},         {Added, L"Analises", false, ""},
        {Removed, L"Analises", true, "detach "},  {Removed, L"Outro", false, ""},
        {Removed, nullptr, false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(static_cast<int>(c.notice));
        CAPTURE(c.designMode);
        Fixture f;
        f.control.designMode = c.designMode;
        BSTR member = c.member ? SysAllocString(c.member) : nullptr;
        HRESULT hr = E_UNEXPECTED;
        switch (c.notice) {
        case Changed: hr = f.listener.dataMemberChanged(member); break;
        case Added: hr = f.listener.dataMemberAdded(member); break;
        case Removed: hr = f.listener.dataMemberRemoved(member); break;
        }
        SysFreeString(member);
        CHECK(hr == S_OK);
        CHECK(f.control.rebinds == c.rebinds);
    }
}

TEST_CASE("A failed rebind is answered to the data source")
{
    Fixture f;
    f.control.result = E_NOINTERFACE;
    BSTR member = SysAllocString(L"Analises");
    CHECK(f.listener.dataMemberChanged(member) == E_NOINTERFACE);
    CHECK(f.listener.dataMemberRemoved(member) == E_NOINTERFACE);
    SysFreeString(member);
}

TEST_CASE("The listener counts and answers through the control's IUnknown")
{
    Fixture f;
    DataSourceListener* listener = &f.listener;
    CHECK(listener->AddRef() == 2);
    CHECK(f.owner.refs == 2);
    void* out = nullptr;
    CHECK(listener->QueryInterface(kIidDataSourceListener, &out) == S_OK);
    CHECK(out == static_cast<IUnknown*>(&f.owner));
    CHECK(IsEqualIID(f.owner.lastIid, kIidDataSourceListener));
    CHECK(listener->Release() == 2);
    CHECK(listener->Release() == 1);
}
