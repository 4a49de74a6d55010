// HvPng2: decodes an image file read from an open C file into pictures.
//
// Every frame of the file is one picture; a single frame that is a whole
// number of squares tall (a vertically segmented strip) gives one picture per
// square, top first. A PNG text chunk with the keyword "Names" names the
// pictures in order, separated by '|'; pictures without a name get an empty
// one. Each picture is handed over as a 32-bit DIB section, no palette.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// The caller's callback as this library sees it. It must keep external
// linkage: inside an anonymous namespace the compiler would see the whole
// class hierarchy, find no override of OnImage and replace every call of it
// by a pure-virtual trap.
struct ImageCallback : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE OnImage(HBITMAP bitmap, HPALETTE palette, const char* name) = 0;
};

namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { if (p) p->Release(); }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::vector<unsigned char> ReadRest(FILE* file)
{
    std::vector<unsigned char> bytes;
    unsigned char buffer[8192];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + read);
    return bytes;
}

unsigned long BigEndian(const unsigned char* p)
{
    return (static_cast<unsigned long>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// The names of a PNG's "Names" text chunk.
std::vector<std::string> ReadNames(const std::vector<unsigned char>& bytes)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::string> names;
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0)
        return names;
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const unsigned long length = BigEndian(&bytes[at]);
        if (length > bytes.size() - at - 12)
            break;
        const unsigned char* data = &bytes[at + 8];
        if (std::memcmp(&bytes[at + 4], "tEXt", 4) == 0 && length > 6 && std::memcmp(data, "Names\0", 6) == 0) {
            std::string text(reinterpret_cast<const char*>(data + 6), length - 6);
            size_t start = 0;
            for (;;) {
                size_t bar = text.find('|', start);
                names.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
                if (bar == std::string::npos)
                    break;
                start = bar + 1;
            }
            break;
        }
        at += 12 + length;
    }
    return names;
}

HBITMAP MakeSection(UINT width, UINT height, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Hands the rows [top, top + height) of source to the callback as one picture.
bool DeliverPart(IWICBitmapSource* source, UINT width, UINT top, UINT height, const char* name,
                 ImageCallback* callback)
{
    void* bits = nullptr;
    HBITMAP bitmap = MakeSection(width, height, &bits);
    if (!bitmap)
        return false;
    WICRect area = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(height)};
    if (FAILED(source->CopyPixels(&area, width * 4, width * 4 * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return false;
    }
    return SUCCEEDED(callback->OnImage(bitmap, nullptr, name));   // the callee owns the bitmap now
}

bool Decode(const std::vector<unsigned char>& bytes, ImageCallback* callback)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
        return false;
    UINT frames = 0;
    if (FAILED(decoder->GetFrameCount(&frames)) || frames == 0)
        return false;
    const std::vector<std::string> names = ReadNames(bytes);
    size_t delivered = 0;
    auto nameOf = [&names](size_t index) { return index < names.size() ? names[index].c_str() : ""; };
    for (UINT index = 0; index < frames; ++index) {
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converted;
        UINT width = 0, height = 0;
        if (FAILED(decoder->GetFrame(index, &frame)) || FAILED(factory->CreateFormatConverter(&converted)) ||
            FAILED(converted->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom)) ||
            FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0)
            return false;
        const bool strip = frames == 1 && height > width && height % width == 0;
        const UINT partHeight = strip ? width : height;
        for (UINT top = 0; top < height; top += partHeight)
            if (!DeliverPart(converted.p, width, top, partHeight, nameOf(delivered++), callback))
                return false;
    }
    return true;
}

} // namespace

extern "C" BOOL WINAPI HvPngDecodeFile(FILE* file, ImageCallback* callback)
{
    if (!file || !callback)
        return FALSE;
    try {
        const std::vector<unsigned char> bytes = ReadRest(file);
        if (bytes.empty())
            return FALSE;
        HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const bool decoded = Decode(bytes, callback);
        if (SUCCEEDED(init))
            CoUninitialize();
        return decoded ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}
