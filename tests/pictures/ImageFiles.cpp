// PNG strips written through the imaging component, with a text chunk added
// by hand after the header chunk.
#include "ImageFiles.h"

#include <wincodec.h>

#include <cstdint>
#include <cstdio>

namespace {

std::uint32_t Crc(const unsigned char* data, size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

bool EncodePng(int width, int height, const std::vector<DWORD>& pixels, std::vector<unsigned char>& png)
{
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    bool ok = SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
              SUCCEEDED(frame->SetSize(width, height));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    ok = ok && SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WritePixels(height, width * 4, width * 4 * height,
                                      reinterpret_cast<BYTE*>(const_cast<DWORD*>(pixels.data())))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    HGLOBAL memory = nullptr;
    if (ok && SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
        STATSTG stat = {};
        stream->Stat(&stat, STATFLAG_NONAME);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
        png.assign(bytes, bytes + stat.cbSize.LowPart);
        GlobalUnlock(memory);
    }
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    if (stream)
        stream->Release();
    factory->Release();
    return ok && !png.empty();
}

} // namespace

bool WritePngStrip(const std::wstring& path, int width, const std::vector<COLORREF>& colours,
                   const std::vector<std::string>& names)
{
    const int height = width * static_cast<int>(colours.size());
    std::vector<DWORD> pixels(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        const COLORREF c = colours[static_cast<size_t>(y / width)];
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y * width + x)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    std::vector<unsigned char> png;
    if (!EncodePng(width, height, pixels, png) || png.size() < 33)
        return false;
    if (!names.empty()) {
        std::string text = "Names";
        text.push_back('\0');
        for (size_t i = 0; i < names.size(); ++i)
            text += (i ? "|" : "") + names[i];
        std::vector<unsigned char> chunk;
        PutBigEndian(chunk, static_cast<std::uint32_t>(text.size()));
        chunk.insert(chunk.end(), {'t', 'E', 'X', 't'});
        chunk.insert(chunk.end(), text.begin(), text.end());
        PutBigEndian(chunk, Crc(chunk.data() + 4, chunk.size() - 4));
        png.insert(png.begin() + 33, chunk.begin(), chunk.end());   // after the signature and IHDR
    }
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"hvpic_" + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}
