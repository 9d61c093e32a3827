#include "win/picture_loader.h"

#include "text/wide.h"
#include "win/handles.h"
#include "win/process.h"

#include <windows.h>
#include <wincodec.h>

#include <limits>
#include <vector>
#include <stdexcept>

namespace mb::win {

namespace {

// Our own copies, so nothing depends on how a tool chain exports them.
static const GUID kClsidImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
static const GUID kIidImagingFactory = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
// 32bppBGR: the one target every decoder's format converts to, indexed ones included.
static const GUID kPixelFormat32bppBgr = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};

// Decoding a huge picture would only exhaust memory; no screen needs more.
constexpr std::uint64_t kMaxPixels = 100'000'000;

struct Failed {
    HRESULT hr;
};

void Check(HRESULT hr) {
    if (FAILED(hr)) throw Failed{hr};
}

int ScreenDpi(int index) {
    WindowDc screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

ComPtr<IWICImagingFactory> Factory() {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(kClsidImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kIidImagingFactory,
                           reinterpret_cast<void**>(factory.put())));
    return factory;
}

PictureImage Decode(IWICBitmapDecoder* decoder) {
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.put()));
    ComPtr<IWICBitmapSource> bgr;
    Check(WICConvertBitmapSource(kPixelFormat32bppBgr, frame.get(), bgr.put()));
    UINT w = 0, h = 0;
    Check(bgr->GetSize(&w, &h));
    if (w == 0 || h == 0 || std::uint64_t{w} * h > kMaxPixels) throw Failed{WINCODEC_ERR_IMAGESIZEOUTOFRANGE};
    PictureImage p;
    p.width = static_cast<std::int32_t>(w);
    p.height = static_cast<std::int32_t>(h);
    p.bgr.resize(std::size_t{w} * h * 3);
    // Row by row, so only one row of four bytes per pixel is held at a time.
    std::vector<BYTE> row(std::size_t{w} * 4);
    for (UINT y = 0; y < h; ++y) {
        WICRect line{0, static_cast<INT>(y), static_cast<INT>(w), 1};
        Check(bgr->CopyPixels(&line, w * 4, static_cast<UINT>(row.size()), row.data()));
        std::uint8_t* out = p.bgr.data() + std::size_t{y} * w * 3;
        for (UINT x = 0; x < w; ++x) {
            out[x * 3] = row[x * 4];
            out[x * 3 + 1] = row[x * 4 + 1];
            out[x * 3 + 2] = row[x * 4 + 2];
        }
    }
    p.himetricWidth = PixelsToHimetric(p.width, ScreenDpi(LOGPIXELSX));
    p.himetricHeight = PixelsToHimetric(p.height, ScreenDpi(LOGPIXELSY));
    return p;
}

template <typename OpenDecoder>
std::optional<PictureImage> Load(OpenDecoder open, std::string* error) {
    ComScope com;
    try {
        ComPtr<IWICImagingFactory> factory = Factory();
        ComPtr<IWICBitmapDecoder> decoder;
        open(factory.get(), decoder);
        return Decode(decoder.get());
    } catch (const Failed& f) {
        if (error) *error = ErrorText(static_cast<unsigned long>(f.hr));
    } catch (const std::bad_alloc&) {
        if (error) *error = ErrorText(ERROR_NOT_ENOUGH_MEMORY);
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureImage> LoadPicture(const std::string& path, std::string* error) {
    std::wstring file = Widen(path);
    return Load(
        [&](IWICImagingFactory* factory, ComPtr<IWICBitmapDecoder>& decoder) {
            Check(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, decoder.put()));
        },
        error);
}

std::optional<PictureImage> LoadPictureFromMemory(const void* data, std::size_t size, std::string* error) {
    if (size > std::numeric_limits<DWORD>::max()) {
        if (error) *error = ErrorText(ERROR_NOT_ENOUGH_MEMORY);
        return std::nullopt;
    }
    return Load(
        [&](IWICImagingFactory* factory, ComPtr<IWICBitmapDecoder>& decoder) {
            ComPtr<IWICStream> stream;
            Check(factory->CreateStream(stream.put()));
            Check(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size)));
            Check(
                factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()));
        },
        error);
}

}  // namespace mb::win
