// PNG files through WIC's encoder; the pixels are repacked to three bytes
// when the encoder asks for that layout.
#include "PngEncoder.h"

#include <vector>

#include <wincodec.h>

#include "ComRef.h"

namespace hv::report {

using recordset::ComRef;

namespace {

bool WriteFrame(IWICBitmapFrameEncode& frame, int width, int height, const BYTE* pixels)
{
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (FAILED(frame.SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
        FAILED(frame.SetPixelFormat(&format)))
        return false;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (format == GUID_WICPixelFormat32bppBGR)
        return SUCCEEDED(frame.WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                           static_cast<UINT>(count * 4), const_cast<BYTE*>(pixels)));
    if (format != GUID_WICPixelFormat24bppBGR)
        return false;
    std::vector<BYTE> packed;
    packed.reserve(count * 3);
    for (size_t i = 0; i < count; ++i)
        packed.insert(packed.end(), {pixels[i * 4], pixels[i * 4 + 1], pixels[i * 4 + 2]});
    return SUCCEEDED(frame.WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 3,
                                       static_cast<UINT>(packed.size()), packed.data()));
}

} // namespace

bool WritePng(const std::wstring& path, int width, int height, const BYTE* pixels)
{
    if (width <= 0 || height <= 0 || !pixels)
        return false;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))))
        return false;
    if (FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())) || FAILED(frame->Initialize(options.Get())))
        return false;
    return WriteFrame(*frame.Get(), width, height, pixels) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

} // namespace hv::report
