// The corpus's load roads: each target a fresh grid control and one of its
// stored forms.
#include "CorpusTargets.h"

#include "CorpusBag.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvOverride.h"
#include "HvTavelle.h"
#include "HvValueList.h"
#include "Late.h"
#include "PropertyBag.h"

#include <cstring>
#include <stdexcept>

namespace corpus {

namespace {

// A memory stream over a copy of the bytes, at its start.
IStream* StreamOver(const Bytes& bytes)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        throw std::runtime_error("no memory stream");
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

Bytes BytesOf(IStream* stream)
{
    Bytes bytes;
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)))
        return bytes;
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    bytes.resize(status.cbSize.LowPart);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

// Runs body with a new memory stream and answers its bytes.
template <class Body>
HRESULT SaveThrough(Bytes& output, Body body)
{
    IStream* stream = StreamOver({});
    const HRESULT hr = body(stream);
    if (SUCCEEDED(hr))
        output = BytesOf(stream);
    stream->Release();
    return hr;
}

std::wstring TempPath(const wchar_t* what)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"hvcorpus-" + std::to_wstring(GetCurrentProcessId()) + L"-" + what;
}

// The compound file's stream as bytes.
HRESULT ReadDocfileStream(IStorage* storage, const wchar_t* name, Bytes& output)
{
    IStream* stream = nullptr;
    HRESULT hr = storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(hr))
        return hr;
    output = BytesOf(stream);
    stream->Release();
    return S_OK;
}

HRESULT WriteDocfileStream(IStorage* storage, const wchar_t* name, const Bytes& bytes)
{
    IStream* stream = nullptr;
    HRESULT hr = storage->CreateStream(name, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(hr))
        return hr;
    ULONG written = 0;
    if (!bytes.empty())
        hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Release();
    return SUCCEEDED(hr) ? storage->Commit(STGC_DEFAULT) : hr;
}

// --- the control ------------------------------------------------------------

class ControlStream : public Target {
public:
    HRESULT Load(const Bytes& input) override
    {
        IPersistStreamInit* persist = grid_.Query<IPersistStreamInit>(IID_IPersistStreamInit);
        IStream* stream = StreamOver(input);
        const HRESULT hr = persist->Load(stream);
        stream->Release();
        persist->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        IPersistStreamInit* persist = grid_.Query<IPersistStreamInit>(IID_IPersistStreamInit);
        const HRESULT hr = SaveThrough(output, [&](IStream* stream) { return persist->Save(stream, TRUE); });
        persist->Release();
        return hr;
    }
};

class ControlStorage : public Target {
public:
    HRESULT Load(const Bytes& input) override
    {
        IStorage* storage = nullptr;
        HRESULT hr = NewStorage(&storage);
        if (SUCCEEDED(hr))
            hr = WriteDocfileStream(storage, L"Contents", input);
        IPersistStorage* persist = grid_.Query<IPersistStorage>(IID_IPersistStorage);
        if (SUCCEEDED(hr)) {
            hr = persist->Load(storage);
            persist->HandsOffStorage();
        }
        persist->Release();
        if (storage)
            storage->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        IStorage* storage = nullptr;
        HRESULT hr = NewStorage(&storage);
        IPersistStorage* persist = grid_.Query<IPersistStorage>(IID_IPersistStorage);
        if (SUCCEEDED(hr))
            hr = persist->Save(storage, FALSE);
        if (SUCCEEDED(hr)) {
            persist->SaveCompleted(nullptr);
            hr = ReadDocfileStream(storage, L"Contents", output);
        }
        persist->Release();
        if (storage)
            storage->Release();
        return hr;
    }

private:
    static HRESULT NewStorage(IStorage** out)
    {
        ILockBytes* bytes = nullptr;
        HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
        if (FAILED(hr))
            return hr;
        hr = StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, out);
        bytes->Release();
        return hr;
    }
};

class ControlBag : public Target {
public:
    HRESULT Load(const Bytes& input) override
    {
        BagEntries entries;
        if (!DeserialiseBag(input, entries))
            throw std::runtime_error("the input holds no bag");
        hv::container::PropertyBag* bag = MakeBag(entries);
        IPersistPropertyBag* persist = grid_.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
        const HRESULT hr = persist->Load(bag, nullptr);
        persist->Release();
        bag->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        hv::container::PropertyBag* bag = hv::container::PropertyBag::Create();
        IPersistPropertyBag* persist = grid_.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
        const HRESULT hr = persist->Save(bag, TRUE, FALSE);
        if (SUCCEEDED(hr))
            output = SerialiseBag(EntriesOf(*bag));
        persist->Release();
        bag->Release();
        return hr;
    }
};

// --- the layout ---------------------------------------------------------------

class LayoutTarget : public Target {
protected:
    IHvLayout* Layout() { return static_cast<IHvLayout*>(&grid_.Layout()); }
    HRESULT LoadFrom(VARIANT source, long type, VARIANT valueName = Omitted())
    {
        return Layout()->Load(&source, Long(type), Omitted(), Omitted(), valueName, Omitted());
    }
    HRESULT SaveTo(VARIANT& destination, long type, VARIANT valueName = Omitted())
    {
        return Layout()->Save(&destination, Long(type), Omitted(), valueName, Omitted());
    }
};

class LayoutStream : public LayoutTarget {
public:
    HRESULT Load(const Bytes& input) override
    {
        IStream* stream = StreamOver(input);
        VARIANT source;
        VariantInit(&source);
        V_VT(&source) = VT_UNKNOWN;
        V_UNKNOWN(&source) = stream;
        const HRESULT hr = LoadFrom(source, 2);
        stream->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        Var saved;
        const HRESULT hr = SaveTo(saved.v, 2);
        if (SUCCEEDED(hr) && V_VT(&saved.v) == VT_UNKNOWN && V_UNKNOWN(&saved.v)) {
            IStream* stream = nullptr;
            V_UNKNOWN(&saved.v)->QueryInterface(IID_IStream, reinterpret_cast<void**>(&stream));
            if (!stream)
                return E_FAIL;
            output = BytesOf(stream);
            stream->Release();
        }
        return hr;
    }
};

class LayoutFile : public LayoutTarget {
public:
    ~LayoutFile() override
    {
        DeleteFileW(loadPath_.c_str());
        DeleteFileW(savePath_.c_str());
    }
    HRESULT Load(const Bytes& input) override
    {
        IStorage* storage = nullptr;
        HRESULT hr = StgCreateDocfile(loadPath_.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                      &storage);
        if (SUCCEEDED(hr))
            hr = WriteDocfileStream(storage, L"Layout", input);
        if (storage)
            storage->Release();
        if (FAILED(hr))
            return hr;
        Var path;
        path.v = Text(loadPath_);
        return LoadFrom(path.v, 0);
    }
    HRESULT Save(Bytes& output) override
    {
        Var path;
        path.v = Text(savePath_);
        HRESULT hr = SaveTo(path.v, 0);
        if (FAILED(hr))
            return hr;
        IStorage* storage = nullptr;
        hr = StgOpenStorage(savePath_.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage);
        if (SUCCEEDED(hr)) {
            hr = ReadDocfileStream(storage, L"Layout", output);
            storage->Release();
        }
        return hr;
    }

private:
    std::wstring loadPath_ = TempPath(L"load.lay");
    std::wstring savePath_ = TempPath(L"save.lay");
};

class LayoutRegistry : public LayoutTarget {
public:
    ~LayoutRegistry() override { RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str()); }
    HRESULT Load(const Bytes& input) override
    {
        HKEY key = nullptr;
        LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                         &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status = RegSetValueExW(key, L"Layout", 0, REG_BINARY, input.data(), static_cast<DWORD>(input.size()));
            RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(status);
        Var path;
        path.v = Text(L"HKEY_CURRENT_USER\\" + subKey_);
        return LoadFrom(path.v, 1);
    }
    HRESULT Save(Bytes& output) override
    {
        Var path, name;
        path.v = Text(L"HKEY_CURRENT_USER\\" + subKey_);
        name.v = Text(L"Saved");
        HRESULT hr = SaveTo(path.v, 1, name.v);
        if (FAILED(hr))
            return hr;
        DWORD size = 0;
        LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), L"Saved", RRF_RT_REG_BINARY, nullptr,
                                      nullptr, &size);
        output.resize(size);
        if (status == ERROR_SUCCESS && size)
            status = RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), L"Saved", RRF_RT_REG_BINARY, nullptr,
                                  output.data(), &size);
        return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
    }

private:
    std::wstring subKey_ = L"Software\\HvCorpus\\" + std::to_wstring(GetCurrentProcessId());
};

// --- objects of the layout --------------------------------------------------------

// A participant of the layout: a new one, or the sample's own by key.
class ParticipantTarget : public Target {
public:
    HRESULT Load(const Bytes& input) override
    {
        IStream* stream = StreamOver(input);
        const HRESULT hr = participant_->LoadFromStream(stream, -1);
        stream->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        return SaveThrough(output, [&](IStream* stream) { return participant_->SaveToStream(stream, -1); });
    }

protected:
    // The object keyed in the layout's collection, or a new one.
    IDispatch* Member(const wchar_t* collection, const wchar_t* key)
    {
        Disp items(GetObject(grid_.LayoutDispatch(), collection));
        if (!key)
            return CallObject(items.p, L"Add", {});
        Var name;
        name.v = Text(key);
        return CallObject(items.p, L"Item", {name.v});
    }
    void Hold(IDispatch* object, HvPersistParticipant* participant)
    {
        object_.p = object;
        participant_ = participant;
        if (!participant_)
            throw std::runtime_error("no participant");
    }

private:
    Disp object_;
    HvPersistParticipant* participant_ = nullptr;
};

class AppearanceTarget final : public ParticipantTarget {
public:
    explicit AppearanceTarget(bool sample)
    {
        if (sample)
            FillSample(grid_);
        IDispatch* object = Member(L"Appearances", sample ? L"Destaque" : nullptr);
        Hold(object, HvAppearance::FromObject(object));
    }
};

class OverrideTarget final : public ParticipantTarget {
public:
    explicit OverrideTarget(bool sample)
    {
        if (sample)
            FillSample(grid_);
        IDispatch* object = Member(L"Overrides", sample ? L"Padrao" : nullptr);
        Hold(object, HvOverride::FromObject(object));
    }
};

class ValueListTarget final : public ParticipantTarget {
public:
    explicit ValueListTarget(bool sample)
    {
        if (sample)
            FillSample(grid_);
        IDispatch* object = Member(L"ValueLists", sample ? L"Estados" : nullptr);
        Hold(object, HvValueList::FromObject(object));
    }
};

// The layout's Appearances in the collection stream form.
class CollectionTarget final : public Target {
public:
    explicit CollectionTarget(bool sample)
    {
        if (sample)
            FillSample(grid_);
    }
    HRESULT Load(const Bytes& input) override
    {
        IStream* stream = StreamOver(input);
        const HRESULT hr = Collection()->Load(stream, -1);
        stream->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        return SaveThrough(output, [&](IStream* stream) { return Collection()->Save(stream, -1); });
    }

private:
    HvCollectionImpl* Collection() { return grid_.Layout().Appearances(); }
};

// --- the images -------------------------------------------------------------------

class ImagesTarget : public Target {
protected:
    explicit ImagesTarget(bool sample)
    {
        if (sample)
            FillSample(grid_);
        images_ = grid_.Grid().GetControlImages();
        if (!images_)
            throw std::runtime_error("no images");
    }
    HvImages* images_ = nullptr; // held by the grid
};

class ImagesStream final : public ImagesTarget {
public:
    explicit ImagesStream(bool sample) : ImagesTarget(sample) {}
    HRESULT Load(const Bytes& input) override
    {
        IStream* stream = StreamOver(input);
        const HRESULT hr = images_->LoadFromStream(stream);
        stream->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        return SaveThrough(output, [&](IStream* stream) { return images_->SaveToStream(stream); });
    }
};

class ImagesBag final : public ImagesTarget {
public:
    explicit ImagesBag(bool sample) : ImagesTarget(sample) {}
    HRESULT Load(const Bytes& input) override
    {
        BagEntries entries;
        if (!DeserialiseBag(input, entries))
            throw std::runtime_error("the input holds no bag");
        hv::container::PropertyBag* bag = MakeBag(entries);
        const HRESULT hr = images_->LoadFromPropertyBag(bag, L"ImageList", L"Images");
        bag->Release();
        return hr;
    }
    HRESULT Save(Bytes& output) override
    {
        hv::container::PropertyBag* bag = hv::container::PropertyBag::Create();
        const HRESULT hr = images_->SaveToPropertyBag(bag, L"ImageList", L"Images");
        if (SUCCEEDED(hr))
            output = SerialiseBag(EntriesOf(*bag));
        bag->Release();
        return hr;
    }
};

// A control or layout target whose grid holds the sample when asked.
template <class T>
class Filled final : public T {
public:
    explicit Filled(bool sample)
    {
        if (sample)
            FillSample(this->grid_);
    }
};

std::unique_ptr<Target> Make(TargetKind kind, bool sample)
{
    switch (kind) {
    case TargetKind::ControlStream: return std::make_unique<Filled<ControlStream>>(sample);
    case TargetKind::ControlStorage: return std::make_unique<Filled<ControlStorage>>(sample);
    case TargetKind::ControlBag: return std::make_unique<Filled<ControlBag>>(sample);
    case TargetKind::LayoutStream: return std::make_unique<Filled<LayoutStream>>(sample);
    case TargetKind::LayoutFile: return std::make_unique<Filled<LayoutFile>>(sample);
    case TargetKind::LayoutRegistry: return std::make_unique<Filled<LayoutRegistry>>(sample);
    case TargetKind::Appearance: return std::make_unique<AppearanceTarget>(sample);
    case TargetKind::Override: return std::make_unique<OverrideTarget>(sample);
    case TargetKind::Collection: return std::make_unique<CollectionTarget>(sample);
    case TargetKind::ValueList: return std::make_unique<ValueListTarget>(sample);
    case TargetKind::ImagesStream: return std::make_unique<ImagesStream>(sample);
    case TargetKind::ImagesBag: return std::make_unique<ImagesBag>(sample);
    }
    throw std::runtime_error("unknown target");
}

} // namespace

std::unique_ptr<Target> MakeTarget(TargetKind kind)
{
    return Make(kind, false);
}

Bytes SampleBytes(TargetKind kind)
{
    std::unique_ptr<Target> target = Make(kind, true);
    Bytes bytes;
    if (FAILED(target->Save(bytes)))
        throw std::runtime_error("the sample does not save");
    return bytes;
}

} // namespace corpus
