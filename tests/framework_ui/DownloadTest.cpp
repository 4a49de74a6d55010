// Asynchronous URL downloads of a control: the callback's data pieces, the
// control's lifetime, the container's bind host and real file downloads.
#include "BindStatusCallback.h"
#include "UiTestControl.h"
#include "UrlDownload.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

// Holds the test's one reference on a control.
struct ControlRef {
    UiTestControl* control = UiTestControl::Create();
    ~ControlRef()
    {
        if (control)
            control->Release();
    }
    UiTestControl* operator->() const { return control; }
};

// A bind host that records what it is asked and binds nothing.
class StubBindHost final : public IBindHost
{
public:
    std::vector<std::wstring> createdFor;
    std::wstring boundName;
    IBindStatusCallback* boundCallback = nullptr;  // counted
    bool boundStream = false;

    ~StubBindHost()
    {
        if (boundCallback)
            boundCallback->Release();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IBindHost) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) override
    {
        createdFor.push_back(name);
        return CreateURLMonikerEx(nullptr, name, moniker, 0);
    }
    STDMETHODIMP MonikerBindToStorage(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                      REFIID iid, void** object) override
    {
        *object = nullptr;
        boundCallback = callback;
        callback->AddRef();
        boundStream = iid == IID_IStream && context == nullptr;
        IBindCtx* own = nullptr;
        CreateBindCtx(0, &own);
        LPOLESTR name = nullptr;
        if (SUCCEEDED(moniker->GetDisplayName(own, nullptr, &name)) && name) {
            boundName = name;
            CoTaskMemFree(name);
        }
        own->Release();
        return S_OK;
    }
    STDMETHODIMP MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOTIMPL;
    }
};

// A client site that offers a bind host through its service provider, by
// itself, or not at all.
class StubSite final : public IOleClientSite, public IServiceProvider
{
public:
    enum class Offer { ServiceProvider, Itself, Nothing };
    explicit StubSite(Offer offer) : offer_(offer) {}
    StubBindHost host;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IServiceProvider && offer_ == Offer::ServiceProvider)
            *out = static_cast<IServiceProvider*>(this);
        else if (iid == IID_IBindHost && offer_ == Offer::Itself)
            *out = &host;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override
    {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override
    {
        if (service == IID_IBindHost)
            return host.QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }

private:
    Offer offer_;
};

// A memory stream of the given bytes, read from its start.
IStream* StreamOf(const std::string& bytes)
{
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('A' + i % 23);
    return bytes;
}

// A file in the temporary folder, deleted with the object.
struct TempFile {
    std::wstring path;
    explicit TempFile(const std::string& bytes)
    {
        wchar_t folder[MAX_PATH] = {};
        wchar_t name[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"hvu", 0, name);
        path = name;
        HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~TempFile() { DeleteFileW(path.c_str()); }
    std::wstring Url() const
    {
        std::wstring url = L"file:///" + path;
        for (wchar_t& c : url)
            if (c == L'\\')
                c = L'/';
        return url;
    }
};

// Runs the thread's messages until done() or a bounded wait has passed.
template <class Done>
bool PumpUntil(Done done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 15000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

std::string Joined(const std::vector<UiTestControl::Piece>& pieces)
{
    std::string all;
    for (const auto& piece : pieces)
        all += piece.bytes;
    return all;
}

} // namespace

TEST_CASE("download callback: data reaches the control as the new bytes of each notice")
{
    ControlRef control;
    auto* callback = new CBindStatusCallback(control.control, 42);
    const std::string data = Pattern(400);
    IStream* stream = StreamOf(data);
    STGMEDIUM medium = {};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream;

    CHECK(callback->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION, 100, nullptr, &medium) == S_OK);
    CHECK(callback->OnDataAvailable(BSCF_INTERMEDIATEDATANOTIFICATION, 250, nullptr, &medium) == S_OK);
    // Nothing new, and a total below what was delivered: nothing is called.
    CHECK(callback->OnDataAvailable(BSCF_INTERMEDIATEDATANOTIFICATION, 250, nullptr, &medium) == S_OK);
    CHECK(callback->OnDataAvailable(BSCF_INTERMEDIATEDATANOTIFICATION, 0, nullptr, &medium) == S_OK);
    CHECK(callback->OnDataAvailable(BSCF_LASTDATANOTIFICATION, 400, nullptr, &medium) == S_OK);

    REQUIRE(control->pieces.size() == 3);
    CHECK(control->pieces[0].bytes.size() == 100);
    CHECK(control->pieces[1].bytes.size() == 150);
    CHECK(control->pieces[2].bytes.size() == 150);
    for (const auto& piece : control->pieces) {
        CHECK(piece.tag == 42);
        CHECK(piece.terminated);
    }
    CHECK(control->pieces[2].flags == BSCF_LASTDATANOTIFICATION);
    CHECK(Joined(control->pieces) == data);
    CHECK(callback->BytesDelivered() == 400);

    // The last notice let go of the stream: ours is the only reference.
    stream->AddRef();
    CHECK(stream->Release() == 1);
    stream->Release();
    callback->Release();
}

TEST_CASE("download callback: interfaces, bind information, progress and stop")
{
    ControlRef control;
    auto* callback = new CBindStatusCallback(control.control, 7);

    IUnknown* unknown = nullptr;
    CHECK(callback->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)) == S_OK);
    CHECK(unknown == static_cast<IUnknown*>(callback));
    unknown->Release();
    void* other = &other;
    CHECK(callback->QueryInterface(IID_IStream, &other) == E_NOINTERFACE);
    CHECK(other == nullptr);
    LONG priority = 0;
    CHECK(callback->GetPriority(&priority) == E_NOTIMPL);
    CHECK(callback->OnObjectAvailable(IID_IUnknown, nullptr) == E_NOTIMPL);

    BINDINFO info;
    memset(&info, 0xCC, sizeof(info));
    info.cbSize = sizeof(info);
    DWORD flags = 0;
    CHECK(callback->GetBindInfo(&flags, &info) == S_OK);
    CHECK(flags == (BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE));
    CHECK(info.cbSize == sizeof(BINDINFO));
    CHECK(info.szExtraInfo == nullptr);
    CHECK(info.stgmedData.tymed == TYMED_NULL);
    CHECK(info.grfBindInfoF == 0);
    CHECK(info.dwBindVerb == BINDVERB_GET);
    CHECK(info.szCustomVerb == nullptr);
    CHECK(info.dwCodePage == 0xCCCCCCCCu);  // the caller's own settings stay

    control->progressAnswer = E_ABORT;
    CHECK(callback->OnProgress(1, 10, BINDSTATUS_BEGINDOWNLOADDATA, L"x") == E_ABORT);
    REQUIRE(control->progressTags.size() == 1);
    CHECK(control->progressTags[0] == 7);
    CHECK(control->progressCodes[0] == BINDSTATUS_BEGINDOWNLOADDATA);

    // The callback holds the control until the binding stops.
    UiTestControl* raw = control.control;
    control.control = nullptr;
    const int alive = UiTestControl::Alive();
    raw->Release();
    CHECK(UiTestControl::Alive() == alive);
    CHECK(callback->OnStopBinding(S_OK, nullptr) == S_OK);
    CHECK(UiTestControl::Alive() == alive - 1);
    CHECK(callback->OnProgress(2, 10, BINDSTATUS_ENDDOWNLOADDATA, nullptr) == S_OK);
    callback->Release();
}

TEST_CASE("download: the container's bind host")
{
    const wchar_t url[] = L"http://127.0.0.1:9/layout.dat";
    SUBCASE("through the site's service provider, the host makes the moniker")
    {
        StubSite site(StubSite::Offer::ServiceProvider);
        ControlRef control;
        control->SetClientSite(&site);
        CHECK(StartUrlDownload(control.control, 5, url, true) == S_OK);
        REQUIRE(site.host.createdFor.size() == 1);
        CHECK(site.host.createdFor[0] == url);
        CHECK(site.host.boundStream);
        REQUIRE(site.host.boundCallback != nullptr);
        // The callback handed over is the control's, with its tag.
        site.host.boundCallback->OnProgress(0, 0, BINDSTATUS_CONNECTING, nullptr);
        REQUIRE(control->progressTags.size() == 1);
        CHECK(control->progressTags[0] == 5);
        CHECK(control->GetBindHost() == &site.host);
        control->SetClientSite(nullptr);
    }
    SUBCASE("the site itself, with the URL library making the moniker")
    {
        StubSite site(StubSite::Offer::Itself);
        ControlRef control;
        control->SetClientSite(&site);
        CHECK(StartUrlDownload(control.control, 6, url, false) == S_OK);
        CHECK(site.host.createdFor.empty());
        CHECK(site.host.boundName == url);
        control->SetClientSite(nullptr);
    }
    SUBCASE("no bind host when the caller insists on one")
    {
        StubSite site(StubSite::Offer::Nothing);
        ControlRef control;
        control->SetClientSite(&site);
        CHECK(control->GetBindHost() == nullptr);
        CHECK(StartUrlDownload(control.control, 1, url, true) == E_NOINTERFACE);
        CHECK(control->pieces.empty());
        control->SetClientSite(nullptr);
    }
    CHECK(StartUrlDownload(nullptr, 1, url, false) == E_INVALIDARG);
}

TEST_CASE("download: a file reaches the control whole, and the control lives until the end")
{
    const std::string data = Pattern(70000);
    TempFile file(data);
    const int alive = UiTestControl::Alive();
    UiTestControl* control = UiTestControl::Create();
    const HRESULT started = StartUrlDownload(control, 9, file.Url().c_str(), false);
    CHECK(SUCCEEDED(started));
    // The binding holds the control until it stops; then ours is the only
    // reference left.
    CHECK(PumpUntil([&] {
        control->AddRef();
        return control->Release() == 1;
    }));
    const std::string received = Joined(control->pieces);
    CHECK(received.size() == data.size());
    CHECK(received == data);
    for (const auto& piece : control->pieces) {
        CHECK(piece.tag == 9);
        CHECK(piece.terminated);
    }
    control->Release();
    CHECK(UiTestControl::Alive() == alive);
}
