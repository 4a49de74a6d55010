// Zip archives with deflated entries.
#include "ZipWriter.h"

#include "SheetError.h"

#include <zlib.h>

#include <limits>

namespace hv::sheet {

namespace {

constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kVersion = 20;     // 2.0: deflate
constexpr std::uint16_t kUtf8Names = 0x800;
// 1 January 2026, 00:00, in the archive's DOS date and time.
constexpr std::uint16_t kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;
constexpr std::uint16_t kDosTime = 0;

void Put16(std::string& out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t Fits32(size_t n)
{
    if (n > std::numeric_limits<std::uint32_t>::max() - 1)
        throw SheetError(L"The workbook is too large to be written (over 4 GB).");
    return static_cast<std::uint32_t>(n);
}

std::string Deflate(const std::string& data)
{
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw SheetError(L"The compressor could not start.");
    std::string packed(deflateBound(&z, Fits32(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw SheetError(L"The compressor failed.");
    return packed;
}

} // namespace

void ZipWriter::Add(const std::string& name, const std::string& data)
{
    const std::string packed = Deflate(data);
    Entry entry{name,
                static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), Fits32(data.size()))),
                Fits32(data.size()), Fits32(packed.size()), Fits32(archive_.size())};
    Put32(archive_, 0x04034b50);
    Put16(archive_, kVersion);
    Put16(archive_, kUtf8Names);
    Put16(archive_, kDeflated);
    Put16(archive_, kDosTime);
    Put16(archive_, kDosDate);
    Put32(archive_, entry.crc);
    Put32(archive_, entry.packedSize);
    Put32(archive_, entry.size);
    Put16(archive_, static_cast<std::uint16_t>(name.size()));
    Put16(archive_, 0);
    archive_ += name;
    archive_ += packed;
    Fits32(archive_.size());
    entries_.push_back(std::move(entry));
}

std::string ZipWriter::Finish()
{
    const std::uint32_t directory = Fits32(archive_.size());
    for (const Entry& e : entries_) {
        Put32(archive_, 0x02014b50);
        Put16(archive_, kVersion);
        Put16(archive_, kVersion);
        Put16(archive_, kUtf8Names);
        Put16(archive_, kDeflated);
        Put16(archive_, kDosTime);
        Put16(archive_, kDosDate);
        Put32(archive_, e.crc);
        Put32(archive_, e.packedSize);
        Put32(archive_, e.size);
        Put16(archive_, static_cast<std::uint16_t>(e.name.size()));
        Put16(archive_, 0);  // extra field
        Put16(archive_, 0);  // comment
        Put16(archive_, 0);  // disk
        Put16(archive_, 0);  // internal attributes
        Put32(archive_, 0);  // external attributes
        Put32(archive_, e.offset);
        archive_ += e.name;
    }
    const std::uint32_t directorySize = Fits32(archive_.size()) - directory;
    Put32(archive_, 0x06054b50);
    Put16(archive_, 0);
    Put16(archive_, 0);
    Put16(archive_, static_cast<std::uint16_t>(entries_.size()));
    Put16(archive_, static_cast<std::uint16_t>(entries_.size()));
    Put32(archive_, directorySize);
    Put32(archive_, directory);
    Put16(archive_, 0);
    return std::move(archive_);
}

} // namespace hv::sheet
