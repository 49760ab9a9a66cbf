#include "Screenshot.h"

#include "os/WinHandle.h"

#include <windows.h>

#include <wincodec.h>

#include <vector>

namespace {

struct TScreenPixels {
    UINT Width = 0;
    UINT Height = 0;
    UINT Stride = 0;
    std::vector<BYTE> Bytes; // 24-bit BGR rows, top row first
};

bool CaptureScreen(TScreenPixels& pixels) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    win::TWindowDC screen(nullptr);
    win::TMemoryDC memory(CreateCompatibleDC(screen.get()));
    win::TBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!screen || !memory || !bitmap)
        return false;
    {
        win::TSelectObject select(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY))
            return false;
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height; // top row first, as PNG keeps them
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    pixels.Width = static_cast<UINT>(width);
    pixels.Height = static_cast<UINT>(height);
    pixels.Stride = (pixels.Width * 3 + 3) & ~3u;
    pixels.Bytes.resize(static_cast<std::size_t>(pixels.Stride) * pixels.Height);
    return GetDIBits(memory.get(), bitmap.get(), 0, pixels.Height, pixels.Bytes.data(),
                     reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != 0;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide(path.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

bool EncodePng(const TScreenPixels& pixels, const std::string& path) {
    win::TComApartment com;
    win::TCom<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.put()))))
        return false;
    win::TCom<IWICStream> stream;
    win::TCom<IWICBitmapEncoder> encoder;
    win::TCom<IWICBitmapFrameEncode> frame;
    win::TCom<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(factory.get()->CreateStream(stream.put())) &&
           SUCCEEDED(stream.get()->InitializeFromFilename(WidePath(path).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(
               factory.get()->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder.get()->CreateNewFrame(frame.put(), options.put())) &&
           SUCCEEDED(frame.get()->Initialize(options.get())) &&
           SUCCEEDED(frame.get()->SetSize(pixels.Width, pixels.Height)) &&
           SUCCEEDED(frame.get()->SetPixelFormat(&format)) &&
           format == GUID_WICPixelFormat24bppBGR &&
           SUCCEEDED(frame.get()->WritePixels(pixels.Height, pixels.Stride,
                                              static_cast<UINT>(pixels.Bytes.size()),
                                              const_cast<BYTE*>(pixels.Bytes.data()))) &&
           SUCCEEDED(frame.get()->Commit()) && SUCCEEDED(encoder.get()->Commit());
}

} // namespace

bool SaveScreenshot(const std::string& path) {
    TScreenPixels pixels;
    return CaptureScreen(pixels) && EncodePng(pixels, path);
}
