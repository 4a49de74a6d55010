// Property bags as corpus inputs.
#include "CorpusBag.h"

#include "PersistHGlobal.h"
#include "PropertyBag.h"

#include <cstring>

namespace corpus {

namespace {

Bytes BlockBytes(IUnknown* object)
{
    Bytes bytes;
    IPersistStream* persist = nullptr;
    if (!object || FAILED(object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))))
        return bytes;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        if (SUCCEEDED(persist->Save(stream, FALSE))) {
            HGLOBAL memory = nullptr;
            STATSTG status{};
            stream->Stat(&status, STATFLAG_NONAME);
            GetHGlobalFromStream(stream, &memory);
            const auto* data = static_cast<const unsigned char*>(GlobalLock(memory));
            if (data)
                bytes.assign(data, data + status.cbSize.LowPart);
            GlobalUnlock(memory);
        }
        stream->Release();
    }
    persist->Release();
    return bytes;
}

IUnknown* BlockObject(const Bytes& block)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.empty() ? 1 : block.size());
    if (!memory)
        return nullptr;
    if (!block.empty()) {
        void* data = GlobalLock(memory);
        std::memcpy(data, block.data(), block.size());
        GlobalUnlock(memory);
    }
    CPersistHGlobal* object = CPersistHGlobal::Create(memory);
    return object ? static_cast<IPersistStream*>(object) : nullptr;
}

void PutU32(Bytes& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PutU64(Bytes& out, std::uint64_t value)
{
    PutU32(out, static_cast<std::uint32_t>(value));
    PutU32(out, static_cast<std::uint32_t>(value >> 32));
}

void PutText(Bytes& out, const std::wstring& text)
{
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    for (wchar_t c : text) {
        out.push_back(static_cast<unsigned char>(c));
        out.push_back(static_cast<unsigned char>(c >> 8));
    }
}

class Reader {
public:
    explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
    bool U32(std::uint32_t& value)
    {
        if (bytes_.size() - at_ < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value |= std::uint32_t(bytes_[at_ + i]) << (8 * i);
        at_ += 4;
        return true;
    }
    bool U64(std::uint64_t& value)
    {
        std::uint32_t low = 0, high = 0;
        if (!U32(low) || !U32(high))
            return false;
        value = low | (std::uint64_t(high) << 32);
        return true;
    }
    bool Text(std::wstring& text)
    {
        std::uint32_t count = 0;
        if (!U32(count) || (bytes_.size() - at_) / 2 < count)
            return false;
        text.resize(count);
        for (std::uint32_t i = 0; i < count; ++i, at_ += 2)
            text[i] = static_cast<wchar_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        return true;
    }
    bool Block(Bytes& block)
    {
        std::uint32_t count = 0;
        if (!U32(count) || bytes_.size() - at_ < count)
            return false;
        block.assign(bytes_.begin() + at_, bytes_.begin() + at_ + count);
        at_ += count;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

BagEntry NumberEntry(const std::wstring& name, VARTYPE type, long long number)
{
    BagEntry entry;
    entry.name = name;
    entry.type = type;
    entry.number = number;
    return entry;
}

} // namespace

BagEntries EntriesOf(const hv::container::PropertyBag& bag)
{
    BagEntries entries;
    for (const std::wstring& name : bag.Names()) {
        const VARIANT* value = bag.Find(name);
        BagEntry entry;
        entry.name = name;
        entry.type = V_VT(value);
        switch (V_VT(value)) {
        case VT_EMPTY: case VT_NULL: break;
        case VT_I2: entry.number = V_I2(value); break;
        case VT_I4: entry.number = V_I4(value); break;
        case VT_BOOL: entry.number = V_BOOL(value); break;
        case VT_ERROR: entry.number = V_ERROR(value); break;
        case VT_R8: entry.real = V_R8(value); break;
        case VT_DATE: entry.real = V_DATE(value); break;
        case VT_BSTR: entry.text.assign(V_BSTR(value) ? V_BSTR(value) : L""); break;
        case VT_UNKNOWN: case VT_DISPATCH:
            entry.type = VT_UNKNOWN;
            entry.hasObject = V_UNKNOWN(value) != nullptr;
            entry.block = BlockBytes(V_UNKNOWN(value));
            break;
        default: continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

hv::container::PropertyBag* MakeBag(const BagEntries& entries)
{
    hv::container::PropertyBag* bag = hv::container::PropertyBag::Create();
    for (const BagEntry& entry : entries) {
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = entry.type;
        switch (entry.type) {
        case VT_I2: V_I2(&value) = static_cast<SHORT>(entry.number); break;
        case VT_I4: V_I4(&value) = static_cast<LONG>(entry.number); break;
        case VT_BOOL: V_BOOL(&value) = static_cast<VARIANT_BOOL>(entry.number); break;
        case VT_ERROR: V_ERROR(&value) = static_cast<SCODE>(entry.number); break;
        case VT_R8: V_R8(&value) = entry.real; break;
        case VT_DATE: V_DATE(&value) = entry.real; break;
        case VT_BSTR:
            V_BSTR(&value) = SysAllocStringLen(entry.text.data(), static_cast<UINT>(entry.text.size()));
            break;
        case VT_UNKNOWN: V_UNKNOWN(&value) = entry.hasObject ? BlockObject(entry.block) : nullptr; break;
        default: break;
        }
        bag->Write(entry.name.c_str(), &value);
        VariantClear(&value);
    }
    return bag;
}

Bytes SerialiseBag(const BagEntries& entries)
{
    Bytes out;
    PutU32(out, static_cast<std::uint32_t>(entries.size()));
    for (const BagEntry& entry : entries) {
        PutText(out, entry.name);
        PutU32(out, entry.type);
        PutU64(out, static_cast<std::uint64_t>(entry.number));
        std::uint64_t real = 0;
        std::memcpy(&real, &entry.real, sizeof real);
        PutU64(out, real);
        PutText(out, entry.text);
        PutU32(out, entry.hasObject ? 1 : 0);
        PutU32(out, static_cast<std::uint32_t>(entry.block.size()));
        out.insert(out.end(), entry.block.begin(), entry.block.end());
    }
    return out;
}

bool DeserialiseBag(const Bytes& bytes, BagEntries& entries)
{
    entries.clear();
    Reader reader(bytes);
    std::uint32_t count = 0;
    if (!reader.U32(count))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        BagEntry entry;
        std::uint32_t type = 0, hasObject = 0;
        std::uint64_t number = 0, real = 0;
        if (!reader.Text(entry.name) || !reader.U32(type) || !reader.U64(number) || !reader.U64(real) ||
            !reader.Text(entry.text) || !reader.U32(hasObject) || !reader.Block(entry.block))
            return false;
        entry.type = static_cast<VARTYPE>(type);
        entry.number = static_cast<long long>(number);
        std::memcpy(&entry.real, &real, sizeof real);
        entry.hasObject = hasObject != 0;
        entries.push_back(std::move(entry));
    }
    return reader.AtEnd();
}

BagEntries MutateBag(const BagEntries& sample, Rng& rng, std::string* log)
{
    BagEntries entries = sample;
    auto note = [&](const std::string& text) {
        if (log)
            *log += (log->empty() ? "" : "; ") + text;
    };
    const unsigned count = 1 + rng.Below(3);
    for (unsigned i = 0; i < count && !entries.empty(); ++i) {
        const std::uint32_t op = rng.Below(8);
        std::vector<std::size_t> blobs;
        for (std::size_t e = 0; e < entries.size(); ++e)
            if (entries[e].type == VT_UNKNOWN && entries[e].hasObject)
                blobs.push_back(e);
        // The binary entries hold most of the structure: they are picked
        // for byte mutations on their own.
        const bool onBlob = op >= 4 && op <= 6 && !blobs.empty();
        BagEntry& entry = onBlob ? entries[blobs[rng.Below(static_cast<std::uint32_t>(blobs.size()))]]
                                 : entries[rng.Below(static_cast<std::uint32_t>(entries.size()))];
        const std::string name(entry.name.begin(), entry.name.end());
        switch (op) {
        case 0: { // another type, same name
            static const VARTYPE types[] = {VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_BOOL, VT_R8, VT_BSTR, VT_UNKNOWN,
                                            VT_ERROR, VT_DATE};
            const VARTYPE type = types[rng.Below(10)];
            entry = NumberEntry(entry.name, type, 7);
            entry.real = 7.5;
            entry.text = rng.Below(2) ? L"7" : L"abc";
            note("retype " + name + " " + std::to_string(type));
            break;
        }
        case 1:
        case 2: { // a boundary value as a number
            const std::uint32_t value = kBoundaryValues[rng.Below(6)];
            const VARTYPE type = rng.Below(2) ? VT_I4 : VT_I2;
            entry = NumberEntry(entry.name, type,
                                type == VT_I2 ? static_cast<SHORT>(value) : static_cast<LONG>(value));
            note("number " + name + " " + std::to_string(entry.number));
            break;
        }
        case 3: { // an empty or a 65,536-character string
            const bool longText = rng.Below(2) != 0;
            entry = NumberEntry(entry.name, VT_BSTR, 0);
            entry.text = longText ? std::wstring(65536, L'W') : std::wstring();
            note(std::string(longText ? "long " : "empty ") + name);
            break;
        }
        case 4: case 5: case 6: // the bytes of a binary entry, else another entry
            if (entry.type == VT_UNKNOWN && entry.hasObject) {
                std::string how;
                if (entry.block.size() > 4 && rng.Below(4)) {
                    // The data behind the count, the count kept right.
                    Bytes data(entry.block.begin() + 4, entry.block.end());
                    data = MutateBytes(data, rng, &how);
                    Bytes block;
                    const auto size = static_cast<std::uint32_t>(data.size());
                    for (int b = 0; b < 4; ++b)
                        block.push_back(static_cast<unsigned char>(size >> (8 * b)));
                    block.insert(block.end(), data.begin(), data.end());
                    entry.block = std::move(block);
                } else {
                    entry.block = MutateBytes(entry.block, rng, &how);
                }
                note("blob " + name + " [" + how + "]");
                break;
            }
            [[fallthrough]];
        default: { // dropped
            note("drop " + name);
            const std::size_t at = static_cast<std::size_t>(&entry - entries.data());
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        }
        }
    }
    return entries;
}

} // namespace corpus
