// Persistence of the control base in its three media: the stream layout,
// round trips through streams, the storage stream "Contents" and property
// bags (binary state through a bag included), broken streams that must
// leave the control as it was, the dirty flag, and the memory-block object.
#include "ControlBaseTestSupport.h"

#include "PersistHGlobal.h"
#include "PropertyBag.h"
#include "Units.h"

#include <algorithm>
#include <vector>

using hv::container::PropertyBag;

namespace {

const BYTE kState[8] = {9, 8, 7, 6, 5, 4, 3, 2};
const COLORREF kColour = RGB(0x11, 0x22, 0x33);

void Rewind(IStream* stream)
{
    const LARGE_INTEGER start = {};
    REQUIRE(stream->Seek(start, STREAM_SEEK_SET, nullptr) == S_OK);
}

ComPtr<IStream> NewStream(const std::vector<BYTE>& bytes = {})
{
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    if (!bytes.empty()) {
        ULONG written = 0;
        REQUIRE(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written) == S_OK);
        Rewind(stream.Get());
    }
    return stream;
}

std::vector<BYTE> BytesOf(IStream* stream)
{
    STATSTG status{};
    REQUIRE(stream->Stat(&status, STATFLAG_NONAME) == S_OK);
    std::vector<BYTE> bytes(status.cbSize.LowPart);
    Rewind(stream);
    ULONG read = 0;
    if (!bytes.empty())
        REQUIRE(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read) == S_OK);
    return bytes;
}

DWORD WordAt(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD word = 0;
    CopyMemory(&word, bytes.data() + offset, sizeof(word));
    return word;
}

// A control sized 150 x 80 pixels with its own colour and state bytes.
void Prepare(HostedControl& hosted)
{
    SIZEL size = {PixelsToHimetricX(150), PixelsToHimetricY(80)};
    REQUIRE(hosted.host.OleObject()->SetExtent(DVASPECT_CONTENT, &size) == S_OK);
    hosted.control->SetPaintColour(kColour);
    hosted.control->SetState(kState);
}

bool SameState(const TestControl& control, const BYTE* state)
{
    return std::equal(state, state + 8, control.State());
}

void CheckPrepared(const TestControl& control)
{
    CHECK(control.ExtentPixels().cx == 150);
    CHECK(control.ExtentPixels().cy == 80);
    CHECK(control.PaintColour() == kColour);
    CHECK(SameState(control, kState));
}

void CheckUntouched(const TestControl& control)
{
    CHECK(control.ExtentPixels().cx == 200);
    CHECK(control.ExtentPixels().cy == 100);
    CHECK(control.PaintColour() == TestControlSettings().paintColour);
    CHECK(SameState(control, TestControlSettings().state));
}

// A hosted control sized as the host's position (200 x 100 pixels).
struct SizedControl : HostedControl {
    SizedControl()
    {
        SIZEL size = {PixelsToHimetricX(200), PixelsToHimetricY(100)};
        REQUIRE(host.OleObject()->SetExtent(DVASPECT_CONTENT, &size) == S_OK);
    }
};

} // namespace

TEST_CASE("A stream holds the standard header, extent and version, then the control's state, and loads back")
{
    HostedControl saved;
    Prepare(saved);
    auto persist = saved.Query<IPersistStreamInit>();
    CHECK(persist->IsDirty() == S_OK);
    auto stream = NewStream();
    saved.Log().Clear();
    REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
    CHECK(persist->IsDirty() == S_FALSE);
    CHECK(saved.Log().Count(L"OnSave") == 1);

    const std::vector<BYTE> bytes = BytesOf(stream.Get());
    REQUIRE(bytes.size() == 20 + 12);
    CHECK(WordAt(bytes, 0) == 0x12344321);
    CHECK(WordAt(bytes, 4) == 8);
    CHECK(static_cast<LONG>(WordAt(bytes, 8)) == PixelsToHimetricX(150));
    CHECK(static_cast<LONG>(WordAt(bytes, 12)) == PixelsToHimetricY(80));
    CHECK(WordAt(bytes, 16) == 0x10000);
    CHECK(WordAt(bytes, 20) == kColour);

    HostedControl loaded;
    auto target = loaded.Query<IPersistStreamInit>();
    Rewind(stream.Get());
    const HRESULT dirtyBefore = target->IsDirty();
    REQUIRE(target->Load(stream.Get()) == S_OK);
    CheckPrepared(*loaded.control);
    CHECK(loaded.control->LoadedStateVersion() == 0x10000);
    CHECK(target->IsDirty() == dirtyBefore);

    // Saving without clearing keeps the flag.
    auto again = NewStream();
    REQUIRE(target->Save(again.Get(), FALSE) == S_OK);
    CHECK(BytesOf(again.Get()) == bytes);
}

TEST_CASE("Extents of zero survive a stream; a stream without a version word loads version 0")
{
    HostedControl hosted;
    SIZEL none = {0, 0};
    REQUIRE(hosted.host.OleObject()->SetExtent(DVASPECT_CONTENT, &none) == S_OK);
    auto stream = NewStream();
    REQUIRE(hosted.Query<IPersistStreamInit>()->Save(stream.Get(), TRUE) == S_OK);
    HostedControl loaded;
    Rewind(stream.Get());
    REQUIRE(loaded.Query<IPersistStreamInit>()->Load(stream.Get()) == S_OK);
    CHECK(loaded.control->ExtentPixels().cx == 0);
    CHECK(loaded.control->ExtentPixels().cy == 0);

    std::vector<BYTE> bytes = BytesOf(stream.Get());
    bytes.resize(16);
    auto cut = NewStream(bytes);
    CHECK(loaded.control->LoadStandardState(cut.Get()) == S_OK);
    CHECK(loaded.control->LoadedStateVersion() == 0);
}

TEST_CASE("A truncated or corrupted stream fails the load and leaves the control as it was")
{
    HostedControl source;
    Prepare(source);
    auto stream = NewStream();
    REQUIRE(source.Query<IPersistStreamInit>()->Save(stream.Get(), TRUE) == S_OK);
    const std::vector<BYTE> whole = BytesOf(stream.Get());

    constexpr size_t kNoPatch = ~size_t{0};
    struct Case {
        const char* name;
        size_t length;          // bytes kept
        size_t patchAt;         // offset of a word to replace, or kNoPatch
        DWORD patch;
        HRESULT result;         // 0: any failure
    };
    const Case cases[] = {
        {"empty", 0, kNoPatch, 0, E_UNEXPECTED},
        {"half a header", 6, kNoPatch, 0, E_UNEXPECTED},
        {"header only", 8, kNoPatch, 0, E_FAIL},
        {"half an extent", 12, kNoPatch, 0, E_FAIL},
        {"part of the version", 18, kNoPatch, 0, E_FAIL},
        {"no own state", 20, kNoPatch, 0, 0},
        {"part of the own state", 27, kNoPatch, 0, 0},
        {"bad magic", whole.size(), 0, 0x12344322, E_UNEXPECTED},
        {"bad block size", whole.size(), 4, 9, E_UNEXPECTED},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        std::vector<BYTE> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(c.length));
        if (c.patchAt != kNoPatch)
            CopyMemory(bytes.data() + c.patchAt, &c.patch, sizeof(c.patch));
        SizedControl target;
        auto persist = target.Query<IPersistStreamInit>();
        const HRESULT dirty = persist->IsDirty();
        auto broken = NewStream(bytes);
        const HRESULT hr = persist->Load(broken.Get());
        CHECK(FAILED(hr));
        if (c.result)
            CHECK(hr == c.result);
        CheckUntouched(*target.control);
        CHECK(persist->IsDirty() == dirty);
    }
}

TEST_CASE("A storage keeps the state in its stream \"Contents\"; SaveCompleted clears the dirty flag once")
{
    HostedControl saved;
    Prepare(saved);
    ComPtr<IStorage> storage;
    REQUIRE(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                             storage.GetAddressOf()) == S_OK);
    auto persist = saved.Query<IPersistStorage>();
    saved.Log().Clear();
    REQUIRE(persist->Save(storage.Get(), FALSE) == S_OK);
    CHECK(persist->IsDirty() == S_OK);
    CHECK(saved.Log().Count(L"OnSave") == 0);
    CHECK(persist->SaveCompleted(nullptr) == S_OK);
    CHECK(persist->IsDirty() == S_FALSE);
    CHECK(saved.Log().Count(L"OnSave") == 1);
    CHECK(persist->SaveCompleted(nullptr) == S_OK);
    CHECK(saved.Log().Count(L"OnSave") == 1);

    ComPtr<IStream> contents;
    REQUIRE(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                contents.GetAddressOf()) == S_OK);
    auto plain = NewStream();
    REQUIRE(saved.Query<IPersistStreamInit>()->Save(plain.Get(), FALSE) == S_OK);
    CHECK(BytesOf(contents.Get()) == BytesOf(plain.Get()));
    contents.Reset();

    HostedControl loaded;
    REQUIRE(loaded.Query<IPersistStorage>()->Load(storage.Get()) == S_OK);
    CheckPrepared(*loaded.control);

    // A storage without the stream, and a save that cannot create it.
    ComPtr<IStorage> empty;
    REQUIRE(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                             empty.GetAddressOf()) == S_OK);
    CHECK(loaded.Query<IPersistStorage>()->Load(empty.Get()) == STG_E_FILENOTFOUND);
    // A storage opened for reading only.
    ComPtr<ILockBytes> bytes;
    REQUIRE(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.GetAddressOf()) == S_OK);
    ComPtr<IStorage> writable;
    REQUIRE(StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                         writable.GetAddressOf()) == S_OK);
    REQUIRE(writable->Commit(STGC_DEFAULT) == S_OK);
    writable.Reset();
    ComPtr<IStorage> readOnly;
    REQUIRE(StgOpenStorageOnILockBytes(bytes.Get(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                       readOnly.GetAddressOf()) == S_OK);
    auto target = loaded.Query<IPersistStorage>();
    loaded.control->SetDirty(true);
    loaded.Log().Clear();
    CHECK(FAILED(target->Save(readOnly.Get(), FALSE)));
    CHECK(target->SaveCompleted(nullptr) == S_OK);
    CHECK(target->IsDirty() == S_OK);
    CHECK(loaded.Log().Count(L"OnSave") == 0);
}

TEST_CASE("A property bag holds the extent, the version, the control's entries and its binary state")
{
    HostedControl saved;
    Prepare(saved);
    ComPtr<PropertyBag> bag;
    *bag.GetAddressOf() = PropertyBag::Create();
    auto persist = saved.Query<IPersistPropertyBag>();
    REQUIRE(persist->Save(bag.Get(), FALSE, TRUE) == S_OK);
    CHECK(saved.Query<IPersistStreamInit>()->IsDirty() == S_OK);

    struct Entry {
        const wchar_t* name;
        VARTYPE type;
    };
    for (const Entry& e : {Entry{L"_ExtentX", VT_I4}, Entry{L"_ExtentY", VT_I4}, Entry{L"_Version", VT_I4},
                           Entry{L"Colour", VT_I4}, Entry{L"State", VT_UNKNOWN}}) {
        CAPTURE(std::wstring(e.name));
        const VARIANT* value = bag->Find(e.name);
        REQUIRE(value);
        CHECK(value->vt == e.type);
    }
    CHECK(bag->Find(L"_ExtentX")->lVal == PixelsToHimetricX(150));
    CHECK(bag->Find(L"_Version")->lVal == 0x10000);

    // The binary entry carries exactly the bytes the state object wrote.
    ComPtr<IPersistStream> blob;
    REQUIRE(bag->Find(L"State")->punkVal->QueryInterface(IID_IPersistStream,
                                                          reinterpret_cast<void**>(blob.GetAddressOf())) == S_OK);
    ULARGE_INTEGER size{};
    CHECK(blob->GetSizeMax(&size) == S_OK);
    CHECK(size.QuadPart == 4 + 8);

    HostedControl loaded;
    REQUIRE(loaded.Query<IPersistPropertyBag>()->Load(bag.Get(), nullptr) == S_OK);
    CheckPrepared(*loaded.control);
    CHECK(loaded.control->LoadedStateVersion() == 0x10000);

    REQUIRE(persist->Save(bag.Get(), TRUE, TRUE) == S_OK);
    CHECK(saved.Query<IPersistStreamInit>()->IsDirty() == S_FALSE);
}

TEST_CASE("Missing bag entries: the default extent, the current version, and a missing binary entry")
{
    SettingsGuard guard;
    ComPtr<PropertyBag> bag;
    *bag.GetAddressOf() = PropertyBag::Create();
    TestSettings().stateItems = 0;
    HostedControl saved;
    REQUIRE(saved.Query<IPersistPropertyBag>()->Save(bag.Get(), TRUE, TRUE) == S_OK);
    CHECK_FALSE(bag->Has(L"State"));

    // Loading the entry that was never written fails, and changes nothing.
    SizedControl target;
    CHECK(target.Query<IPersistPropertyBag>()->Load(bag.Get(), nullptr) == E_FAIL);
    CheckUntouched(*target.control);

    ComPtr<PropertyBag> partial;
    *partial.GetAddressOf() = PropertyBag::Create();
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 1000;
    partial->Write(L"_ExtentY", &value);
    partial->Write(L"Colour", &value);
    TestSettings().stateItems = 1;
    HostedControl source;
    REQUIRE(source.Query<IPersistPropertyBag>()->Save(bag.Get(), TRUE, TRUE) == S_OK);
    VARIANT state;
    VariantInit(&state);
    REQUIRE(VariantCopy(&state, const_cast<VARIANT*>(bag->Find(L"State"))) == S_OK);
    partial->Write(L"State", &state);
    VariantClear(&state);

    SizedControl loaded;
    loaded.control->SetCurrentStateVersion(0x20000);
    REQUIRE(loaded.Query<IPersistPropertyBag>()->Load(partial.Get(), nullptr) == S_OK);
    CHECK(loaded.control->ExtentPixels().cx == 100);
    CHECK(loaded.control->ExtentPixels().cy == 50);
    CHECK(loaded.control->LoadedStateVersion() == 0x20000);
}

TEST_CASE("A binary entry whose block is inconsistent fails the load cleanly")
{
    struct Case {
        const char* name;
        std::vector<BYTE> block;   // the raw memory block of the entry
    };
    const BYTE goodCount[4] = {8, 0, 0, 0};
    std::vector<BYTE> good(goodCount, goodCount + 4);
    good.insert(good.end(), kState, kState + 8);
    const Case cases[] = {
        {"block below 4 bytes", {1, 2}},
        {"count beyond the block", {200, 0, 0, 0, 1, 2, 3}},
        {"count that wraps", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}},
        {"state cut short", {4, 0, 0, 0, 1, 2, 3, 4}},
        {"good", good},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, c.block.size());
        REQUIRE(block);
        CopyMemory(GlobalLock(block), c.block.data(), c.block.size());
        GlobalUnlock(block);
        ComPtr<IPersistStream> blob;
        *blob.GetAddressOf() = CPersistHGlobal::Create(block);
        REQUIRE(blob);

        ComPtr<PropertyBag> bag;
        *bag.GetAddressOf() = PropertyBag::Create();
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = static_cast<LONG>(kColour);
        bag->Write(L"Colour", &value);
        value.vt = VT_UNKNOWN;
        value.punkVal = blob.Get();
        bag->Write(L"State", &value);

        SizedControl target;
        const HRESULT hr = target.Query<IPersistPropertyBag>()->Load(bag.Get(), nullptr);
        if (c.block == good) {
            CHECK(hr == S_OK);
            CHECK(SameState(*target.control, kState));
        } else {
            CHECK(hr == E_FAIL);
            CheckUntouched(*target.control);
        }
    }
}

TEST_CASE("CPersistHGlobal: stream form, a short stream keeps the previous block, counts are checked")
{
    HGLOBAL block = CPersistHGlobal::MakeBlock(kState, 8);
    REQUIRE(block);
    ComPtr<CPersistHGlobal> blob;
    *blob.GetAddressOf() = CPersistHGlobal::Create(block);
    REQUIRE(blob);
    ComPtr<IPersist> persist;
    CHECK(blob->QueryInterface(IID_IPersist, reinterpret_cast<void**>(persist.GetAddressOf())) == S_OK);
    ComPtr<IUnknown> other;
    CHECK(blob->QueryInterface(IID_IStream, reinterpret_cast<void**>(other.GetAddressOf())) == E_NOINTERFACE);
    CHECK(other == nullptr);
    CLSID clsid{};
    CHECK(blob->GetClassID(&clsid) == S_OK);
    CHECK(IsEqualCLSID(clsid, CLSID_HvPersistHGlobal));
    CHECK(blob->IsDirty() == S_OK);

    auto stream = NewStream();
    REQUIRE(blob->Save(stream.Get(), TRUE) == S_OK);
    const std::vector<BYTE> form = BytesOf(stream.Get());
    REQUIRE(form.size() == 12);
    CHECK(WordAt(form, 0) == 8);

    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case broken[] = {
        {"no count", {}},
        {"part of a count", {8, 0}},
        {"fewer bytes than counted", {8, 0, 0, 0, 1, 2, 3}},
        {"a count that wraps", {0xFD, 0xFF, 0xFF, 0xFF, 1}},
    };
    for (const Case& c : broken) {
        CAPTURE(c.name);
        auto input = NewStream(c.bytes);
        CHECK(blob->Load(input.Get()) == E_FAIL);
        CHECK(blob->GetHGlobal() == block);
    }

    std::vector<BYTE> next = {3, 0, 0, 0, 0xA, 0xB, 0xC};
    auto input = NewStream(next);
    REQUIRE(blob->Load(input.Get()) == S_OK);
    ULARGE_INTEGER size{};
    CHECK(blob->GetSizeMax(&size) == S_OK);
    CHECK(size.QuadPart == 7);
    auto output = NewStream();
    REQUIRE(blob->Save(output.Get(), FALSE) == S_OK);
    CHECK(BytesOf(output.Get()) == next);
}

TEST_CASE("The dirty flag: InitNew sets it, a changed extent sets it, saving with clear-dirty clears it")
{
    HostedControl hosted;
    auto persist = hosted.Query<IPersistStreamInit>();
    CHECK(persist->IsDirty() == S_OK);
    auto stream = NewStream();
    REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
    CHECK(persist->IsDirty() == S_FALSE);
    SIZEL same{};
    REQUIRE(hosted.host.OleObject()->GetExtent(DVASPECT_CONTENT, &same) == S_OK);
    REQUIRE(hosted.host.OleObject()->SetExtent(DVASPECT_CONTENT, &same) == S_OK);
    CHECK(persist->IsDirty() == S_FALSE);
    SIZEL larger = {same.cx * 2, same.cy};
    REQUIRE(hosted.host.OleObject()->SetExtent(DVASPECT_CONTENT, &larger) == S_OK);
    CHECK(persist->IsDirty() == S_OK);

    REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
    CHECK(persist->InitNew() == S_OK);
    CHECK(persist->IsDirty() == S_OK);
    CHECK(persist->GetSizeMax(nullptr) == E_NOTIMPL);
}
