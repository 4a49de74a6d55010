// Target device contexts: the display, a device named in a target-device
// block, and the ANSI form of a wide device mode.
#include <doctest/doctest.h>

#include "TargetDevice.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A target-device block naming driver (and no device or port), with the
// device mode appended when one is given.
std::vector<BYTE> TargetBlock(const wchar_t* driver, const DEVMODEW* mode, WORD modeBytes)
{
    const size_t header = offsetof(DVTARGETDEVICE, tdData);
    const size_t nameBytes = (wcslen(driver) + 1) * sizeof(wchar_t);
    std::vector<BYTE> block(header + nameBytes + (mode ? modeBytes : 0), 0);
    auto* device = reinterpret_cast<DVTARGETDEVICE*>(block.data());
    device->tdSize = static_cast<DWORD>(block.size());
    device->tdDriverNameOffset = static_cast<WORD>(header);
    std::memcpy(block.data() + header, driver, nameBytes);
    if (mode) {
        device->tdExtDevmodeOffset = static_cast<WORD>(header + nameBytes);
        std::memcpy(block.data() + header + nameBytes, mode, modeBytes);
    }
    return block;
}

} // namespace

TEST_CASE("A target device context for the display, and for a device a block names")
{
    HDC display = CreateTargetDC(nullptr);
    REQUIRE(display);
    CHECK(GetDeviceCaps(display, TECHNOLOGY) == DT_RASDISPLAY);
    DeleteDC(display);

    std::vector<BYTE> block = TargetBlock(L"DISPLAY", nullptr, 0);
    HDC named = CreateTargetDC(reinterpret_cast<DVTARGETDEVICE*>(block.data()));
    REQUIRE(named);
    CHECK(GetDeviceCaps(named, TECHNOLOGY) == DT_RASDISPLAY);
    DeleteDC(named);

    // A device mode claiming more bytes than the block holds is not read.
    DEVMODEW mode{};
    mode.dmSize = sizeof(DEVMODEW);
    mode.dmDriverExtra = 4000;
    block = TargetBlock(L"DISPLAY", &mode, sizeof(DEVMODEW));
    CHECK(CreateTargetDC(reinterpret_cast<DVTARGETDEVICE*>(block.data())) == nullptr);
}

TEST_CASE("A wide device mode in its ANSI form: names converted, fields and driver bytes kept")
{
    std::vector<BYTE> wideBytes(sizeof(DEVMODEW) + 4, 0);
    auto* wide = reinterpret_cast<DEVMODEW*>(wideBytes.data());
    wcscpy(wide->dmDeviceName, L"Impressora Ação");
    wcscpy(wide->dmFormName, L"A4 retrato");
    wide->dmSpecVersion = DM_SPECVERSION;
    wide->dmSize = sizeof(DEVMODEW);
    wide->dmDriverExtra = 4;
    wide->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    wide->dmOrientation = DMORIENT_LANDSCAPE;
    wide->dmPaperSize = DMPAPER_A4;
    wide->dmCopies = 3;
    wide->dmCollate = DMCOLLATE_TRUE;
    wide->dmLogPixels = 300;
    wide->dmBitsPerPel = 24;
    wide->dmDisplayFrequency = 60;
    wide->dmICMIntent = 2;
    wide->dmDitherType = 5;
    const BYTE extra[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    std::memcpy(wideBytes.data() + sizeof(DEVMODEW), extra, 4);

    const std::vector<BYTE> ansiBytes = DevModeToAnsi(*wide);
    REQUIRE(ansiBytes.size() == 148u + 4u);
    const auto* ansi = reinterpret_cast<const DEVMODEA*>(ansiBytes.data());
    CHECK(std::string(reinterpret_cast<const char*>(ansi->dmDeviceName)) == "Impressora A\xE7\xE3o");
    CHECK(std::string(reinterpret_cast<const char*>(ansi->dmFormName)) == "A4 retrato");
    CHECK(ansi->dmSize == 148);
    CHECK(ansi->dmDriverExtra == 4);
    CHECK(ansi->dmSpecVersion == DM_SPECVERSION);
    CHECK(ansi->dmFields == wide->dmFields);
    CHECK(ansi->dmOrientation == DMORIENT_LANDSCAPE);
    CHECK(ansi->dmPaperSize == DMPAPER_A4);
    CHECK(ansi->dmCopies == 3);
    CHECK(ansi->dmCollate == DMCOLLATE_TRUE);
    CHECK(ansi->dmLogPixels == 300);
    CHECK(ansi->dmBitsPerPel == 24u);
    CHECK(ansi->dmDisplayFrequency == 60u);
    CHECK(ansi->dmICMIntent == 2u);
    CHECK(ansi->dmDitherType == 5u);
    CHECK(std::memcmp(ansiBytes.data() + 148, extra, 4) == 0);

    // An older, shorter wide mode: what it does not cover stays zero.
    wide->dmSize = static_cast<WORD>(offsetof(DEVMODEW, dmFormName));
    wide->dmDriverExtra = 0;
    const std::vector<BYTE> shortBytes = DevModeToAnsi(*wide);
    const auto* shortMode = reinterpret_cast<const DEVMODEA*>(shortBytes.data());
    CHECK(shortMode->dmCopies == 3);
    CHECK(shortMode->dmFormName[0] == 0);
    CHECK(shortMode->dmLogPixels == 0);
}
