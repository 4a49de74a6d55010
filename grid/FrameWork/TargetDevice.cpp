// Target device contexts for drawing on a printer or into a metafile.
#include "TargetDevice.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <string>

namespace {

// The size of the device mode that the ANSI conversion writes: the fields
// up to dmReserved2.
constexpr WORD kAnsiDevModeSize = 148;
constexpr size_t kWideNameBytes = CCHDEVICENAME * sizeof(WCHAR);

std::string ToAnsi(const wchar_t* text, size_t maximum)
{
    size_t length = 0;
    while (length < maximum && text[length])
        ++length;
    if (length == 0)
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), result.data(), bytes, nullptr, nullptr);
    return result;
}

// Copies a converted name into a fixed 32-byte field, truncated.
void PutName(char* field, const std::string& name)
{
    std::memset(field, 0, CCHDEVICENAME);
    std::memcpy(field, name.data(), name.size() < CCHDEVICENAME ? name.size() : CCHDEVICENAME - 1);
}

// Copies bytes [from, to) of the wide mode (wide layout offsets) to the ANSI
// mode at destination, as far as the wide mode's size covers them.
void CopyFields(BYTE* destination, const BYTE* wide, size_t wideSize, size_t from, size_t to)
{
    if (wideSize <= from)
        return;
    const size_t end = wideSize < to ? wideSize : to;
    std::memcpy(destination, wide + from, end - from);
}

// The wide name at offset within the block, read no further than the
// block's end; false when there is none.
bool NameAt(const DVTARGETDEVICE* device, WORD offset, std::string& name)
{
    if (!offset || offset >= device->tdSize)
        return false;
    const auto* text = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(device) + offset);
    name = ToAnsi(text, (device->tdSize - offset) / sizeof(wchar_t));
    return true;
}

} // namespace

std::vector<BYTE> DevModeToAnsi(const DEVMODEW& wide)
{
    try {
        const auto* source = reinterpret_cast<const BYTE*>(&wide);
        const size_t wideSize = wide.dmSize;
        std::vector<BYTE> result(kAnsiDevModeSize + wide.dmDriverExtra, 0);
        auto* ansi = reinterpret_cast<DEVMODEA*>(result.data());
        PutName(reinterpret_cast<char*>(ansi->dmDeviceName), ToAnsi(wide.dmDeviceName, CCHDEVICENAME));
        // From dmSpecVersion to the form name, then from dmLogPixels on.
        const size_t wideForm = offsetof(DEVMODEW, dmFormName);
        const size_t ansiForm = offsetof(DEVMODEA, dmFormName);
        CopyFields(result.data() + CCHDEVICENAME, source, wideSize, kWideNameBytes, wideForm);
        if (wideSize >= wideForm + kWideNameBytes)
            PutName(reinterpret_cast<char*>(ansi->dmFormName), ToAnsi(wide.dmFormName, CCHFORMNAME));
        CopyFields(result.data() + ansiForm + CCHFORMNAME, source, wideSize, wideForm + kWideNameBytes,
                   wideForm + kWideNameBytes + (kAnsiDevModeSize - ansiForm - CCHFORMNAME));
        ansi->dmSize = kAnsiDevModeSize;
        ansi->dmDriverExtra = wide.dmDriverExtra;
        if (wide.dmDriverExtra)
            std::memcpy(result.data() + kAnsiDevModeSize, source + wideSize, wide.dmDriverExtra);
        return result;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

HDC CreateTargetDC(const DVTARGETDEVICE* device)
{
    if (!device)
        return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    try {
        std::string driverA, nameA, portA;
        const bool driver = NameAt(device, device->tdDriverNameOffset, driverA);
        const bool name = NameAt(device, device->tdDeviceNameOffset, nameA);
        const bool port = NameAt(device, device->tdPortNameOffset, portA);

        std::vector<BYTE> mode;
        const WORD modeOffset = device->tdExtDevmodeOffset;
        if (modeOffset && modeOffset < device->tdSize) {
            const auto* wide = reinterpret_cast<const DEVMODEW*>(reinterpret_cast<const BYTE*>(device) + modeOffset);
            // A device mode that does not fit in the block is not read.
            const size_t room = device->tdSize - modeOffset;
            if (room < offsetof(DEVMODEW, dmFields) || static_cast<size_t>(wide->dmSize) + wide->dmDriverExtra > room)
                return nullptr;
            mode = DevModeToAnsi(*wide);
            if (mode.empty())
                return nullptr;
        }
        return CreateDCA(driver ? driverA.c_str() : nullptr, name ? nameA.c_str() : nullptr,
                         port ? portA.c_str() : nullptr,
                         mode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode.data()));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
