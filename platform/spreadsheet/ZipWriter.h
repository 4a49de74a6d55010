// ZipWriter: builds a zip archive in memory, each entry deflated with zlib,
// as the package of a workbook needs it (no archive over 4 GB).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hv::sheet {

class ZipWriter {
public:
    // Adds one entry; its name is UTF-8 with "/" as separator.
    void Add(const std::string& name, const std::string& data);
    // The finished archive.
    std::string Finish();

private:
    struct Entry {
        std::string name;
        std::uint32_t crc;
        std::uint32_t size;
        std::uint32_t packedSize;
        std::uint32_t offset;
    };
    std::string archive_;
    std::vector<Entry> entries_;
};

} // namespace hv::sheet
