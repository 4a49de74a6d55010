// Window capture: BitBlt into a 32-bit DIB section, pixels handed to WIC's
// PNG encoder.
#include "PngFile.h"

#include <vector>

#include <wincodec.h>

namespace formstest {

namespace {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (p_)
            p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

bool CapturePixels(HWND hwnd, int& width, int& height, std::vector<BYTE>& pixels)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC source = GetWindowDC(hwnd);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        const auto* begin = static_cast<const BYTE*>(bits);
        pixels.assign(begin, begin + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, source);
    return ok;
}

} // namespace

bool SaveWindowPng(HWND hwnd, const std::wstring& path)
{
    int width = 0;
    int height = 0;
    std::vector<BYTE> pixels;
    if (!CapturePixels(hwnd, width, height, pixels))
        return false;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Out()))))
        return false;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Out(), options.Out())) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)))
        return false;
    if (format != GUID_WICPixelFormat32bppBGR) {
        // The encoder wants another layout: drop the fourth byte.
        std::vector<BYTE> packed;
        packed.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
        for (size_t i = 0; i < pixels.size(); i += 4)
            packed.insert(packed.end(), {pixels[i], pixels[i + 1], pixels[i + 2]});
        pixels.swap(packed);
        if (FAILED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 3,
                                      static_cast<UINT>(pixels.size()), pixels.data())))
            return false;
    } else if (FAILED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                         static_cast<UINT>(pixels.size()), pixels.data()))) {
        return false;
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

} // namespace formstest
