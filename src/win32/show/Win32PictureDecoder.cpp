#include "win32/show/Win32PictureDecoder.h"

#include "core/picture/DecodeBudget.h"
#include "core/picture/PictureFile.h"
#include "core/picture/PixelOrientation.h"
#include "core/picture/WmfDocument.h"
#include "win32/show/Win32DecodedPicture.h"
#include "win32/show/Win32WmfPainter.h"
#include "win32/support/ComApartment.h"
#include "win32/support/GdiObject.h"
#include "win32/support/SelectedObject.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include <wincodec.h>
#include <wrl/client.h>

namespace gf {

using Microsoft::WRL::ComPtr;

namespace {

// What a metafile's background is drawn in before its records: afterwards it is made
// see-through. GDI draws exact colours here (no smoothing), so only untouched pixels keep it.
constexpr COLORREF kMetafileKey = RGB(1, 2, 3);

// Rows decoded at a time: between two, a closing show is noticed.
constexpr UINT kRowsPerStrip = 64;

std::unique_ptr<DibSurface> NewSurface(int width, int height) {
    auto surface = std::make_unique<DibSurface>(width, height);
    return *surface ? std::move(surface) : nullptr;
}

// The EXIF orientation as the codec's metadata states it, else as the bytes do (a codec that
// reads no metadata, as under Wine, still shows a phone's photo upright).
int OrientationOf(IWICBitmapFrameDecode& frame, std::span<const std::byte> bytes) {
    ComPtr<IWICMetadataQueryReader> query;
    if (SUCCEEDED(frame.GetMetadataQueryReader(&query))) {
        PROPVARIANT value;
        PropVariantInit(&value);
        const HRESULT hr = query->GetMetadataByName(L"System.Photo.Orientation", &value);
        const int orientation = SUCCEEDED(hr) && value.vt == VT_UI2 ? value.uiVal : 0;
        PropVariantClear(&value);
        if (orientation >= 1 && orientation <= 8)
            return orientation;
    }
    return ExifOrientation(bytes);
}

// Bits per pixel of the frame as its codec decodes it; 0 when it does not say.
int BitsPerPixel(IWICImagingFactory& factory, IWICBitmapFrameDecode& frame) {
    WICPixelFormatGUID format{};
    ComPtr<IWICComponentInfo> component;
    ComPtr<IWICPixelFormatInfo> info;
    UINT bits = 0;
    if (FAILED(frame.GetPixelFormat(&format)) ||
        FAILED(factory.CreateComponentInfo(format, &component)) || FAILED(component.As(&info)) ||
        FAILED(info->GetBitsPerPixel(&bits)))
        return 0;
    return int(bits);
}

bool AnySeeThrough(const std::uint32_t* pixels, std::size_t count) {
    return std::any_of(pixels, pixels + count, [](std::uint32_t p) { return p >> 24 != 0xFF; });
}

} // namespace

Win32PictureDecoder::Win32PictureDecoder(FileSystem& files, double twipsPerPixel)
    : files_(files), tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15) {}

std::pair<int, int>
Win32PictureDecoder::devicePixels(std::pair<std::int32_t, std::int32_t> twips) const {
    return {std::max(1, int(std::ceil(double(twips.first) / tpp_))),
            std::max(1, int(std::ceil(double(twips.second) / tpp_)))};
}

Result<DecodedFile> Win32PictureDecoder::decode(std::string_view path, const ShownSize& shown,
                                                const std::atomic<bool>& cancel) const {
    auto file = ReadPictureFile(files_, path);
    if (!file)
        return file.error();
    if (IsMetafile(*file))
        return decodeMetafile(path, *file, shown, cancel);
    return decodePhoto(path, *file, shown, cancel);
}

Result<DecodedFile> Win32PictureDecoder::decodeMetafile(std::string_view path,
                                                        std::span<const std::byte> bytes,
                                                        const ShownSize& shown,
                                                        const std::atomic<bool>& cancel) const {
    if (bytes.size() > kMaxMetafileBytes)
        return PictureRefused(path, kMetafileTooLarge);
    auto doc = WmfDocument::parse(bytes);
    if (!doc)
        return PictureRefused(path, doc.message());
    auto clampInt = [](std::int64_t v) { return std::int32_t(std::min<std::int64_t>(v, 1 << 30)); };
    const PictureInfo info{PictureKind::Metafile, clampInt(doc->widthTwips()),
                           clampInt(doc->heightTwips())};
    const auto [w, h] = devicePixels(shown(info));
    if (auto refusal = MetafileRenderRefusal({w, h}))
        return PictureRefused(path, *refusal);
    auto surface = NewSurface(w, h);
    if (!surface)
        return PictureRefused(path, "there is not enough memory to draw it");
    {
        const GdiObject<HBRUSH> key(CreateSolidBrush(kMetafileKey));
        const RECT all{0, 0, w, h};
        FillRect(surface->dc(), &all, key.get());
    }
    Status played;
    {
        Win32WmfPainter painter(surface->dc(), &cancel);
        played = doc->play(painter, w, h, &cancel);
    }
    GdiFlush();
    if (cancel)
        return PictureRefused(path, kShowClosing);
    if (!played)
        return PictureRefused(path, played.message());
    // Premultiplied: untouched pixels are all 0, the rest opaque.
    std::uint32_t* p = surface->pixels();
    const std::uint32_t key = RGB(3, 2, 1); // the key as the DIB stores it: blue, green, red
    for (std::size_t i = 0, n = std::size_t(w) * std::size_t(h); i < n; ++i)
        p[i] = (p[i] & 0xFFFFFF) == key ? 0 : p[i] | 0xFF000000u;
    return DecodedFile{info, std::make_shared<Win32DecodedPicture>(std::move(surface), true)};
}

Result<DecodedFile> Win32PictureDecoder::decodePhoto(std::string_view path,
                                                     std::span<const std::byte> bytes,
                                                     const ShownSize& shown,
                                                     const std::atomic<bool>& cancel) const {
    // Some codecs decode the whole picture as soon as they are made: the budget comes first,
    // as far as the header tells it.
    if (const auto stated = StatedPixelSize(bytes);
        stated && stated->width > 0 && stated->height > 0)
        if (auto refusal = DecodeRefusal(bytes, {*stated, {}, 0}))
            return PictureRefused(path, *refusal);
    const ComApartment com;
    ComPtr<IWICImagingFactory> factory;
    if (!com.ok() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(&factory))))
        return PictureRefused(path, "the Windows Imaging Component is not available");
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(
            reinterpret_cast<BYTE*>(const_cast<std::byte*>(bytes.data())), DWORD(bytes.size()))))
        return PictureRefused(path, "there is not enough memory to read it");

    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT hr = factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                  WICDecodeMetadataCacheOnDemand, &decoder);
    if (FAILED(hr))
        return PictureRefused(path, UnreadableReason(bytes, hr != WINCODEC_ERR_COMPONENTNOTFOUND));
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        width == 0 || height == 0)
        return PictureRefused(path, UnreadableReason(bytes, true));
    if (!PictureAdmitted({width, height})) // before the sizes below are reckoned in twips
        return PictureRefused(path, TooLargeReason({width, height}));
    const int orientation = OrientationOf(*frame.Get(), bytes);
    const bool swap = OrientationSwapsAxes(orientation);
    const int shownW = int(swap ? height : width), shownH = int(swap ? width : height);
    const PictureInfo info{PictureKind::Photo, std::int32_t(std::lround(shownW * tpp_)),
                           std::int32_t(std::lround(shownH * tpp_)), ExifDateTaken(bytes)};
    // Never more pixels than the picture has: the canvas enlarges it when it paints.
    auto [targetW, targetH] = devicePixels(shown(info));
    targetW = std::min(targetW, shownW);
    targetH = std::min(targetH, shownH);
    const UINT storedW = UINT(swap ? targetH : targetW), storedH = UINT(swap ? targetW : targetH);
    if (auto refusal = DecodeRefusal(
            bytes,
            {{width, height}, {targetW, targetH}, BitsPerPixel(*factory.Get(), *frame.Get())}))
        return PictureRefused(path, *refusal);
    if (cancel)
        return PictureRefused(path, kShowClosing);

    // A scaler right after a JPEG frame lets the codec decode at the smaller size itself; other
    // formats (palettes among them) are converted first.
    GUID container{};
    decoder->GetContainerFormat(&container);
    const bool scaleFirst = container == GUID_ContainerFormatJpeg;
    ComPtr<IWICBitmapSource> source = frame;
    auto scale = [&]() -> HRESULT {
        if (storedW == width && storedH == height)
            return S_OK;
        ComPtr<IWICBitmapScaler> scaler;
        HRESULT r = factory->CreateBitmapScaler(&scaler);
        if (SUCCEEDED(r))
            r = scaler->Initialize(source.Get(), storedW, storedH, WICBitmapInterpolationModeFant);
        if (SUCCEEDED(r))
            source = scaler;
        return r;
    };
    auto convert = [&]() -> HRESULT {
        ComPtr<IWICFormatConverter> converter;
        HRESULT r = factory->CreateFormatConverter(&converter);
        if (SUCCEEDED(r))
            r = converter->Initialize(source.Get(), GUID_WICPixelFormat32bppPBGRA,
                                      WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom);
        if (SUCCEEDED(r))
            source = converter;
        return r;
    };
    hr = scaleFirst ? scale() : convert();
    if (SUCCEEDED(hr))
        hr = scaleFirst ? convert() : scale();
    if (FAILED(hr))
        return PictureRefused(path, UndecodableReason());

    auto surface = NewSurface(targetW, targetH);
    std::vector<std::uint32_t> stored;
    try {
        if (orientation != 1)
            stored.resize(std::size_t(storedW) * storedH);
    } catch (const std::bad_alloc&) {
        surface.reset();
    }
    if (!surface)
        return PictureRefused(path, UndecodableReason("there is not enough memory"));
    std::uint32_t* out = orientation == 1 ? surface->pixels() : stored.data();
    for (UINT top = 0; top < storedH; top += kRowsPerStrip) {
        if (cancel)
            return PictureRefused(path, kShowClosing);
        const UINT rows = std::min(kRowsPerStrip, storedH - top);
        const WICRect strip{0, INT(top), INT(storedW), INT(rows)};
        hr = source->CopyPixels(&strip, storedW * 4, storedW * 4 * rows,
                                reinterpret_cast<BYTE*>(out + std::size_t(top) * storedW));
        if (hr == E_OUTOFMEMORY)
            return PictureRefused(path, UndecodableReason("there is not enough memory"));
        if (FAILED(hr))
            return PictureRefused(path, UndecodableReason());
    }
    const std::size_t count = std::size_t(targetW) * std::size_t(targetH);
    if (orientation != 1)
        OrientPixels(stored, int(storedW), int(storedH), orientation,
                     std::span(surface->pixels(), count));
    const bool seeThrough = AnySeeThrough(surface->pixels(), count);
    return DecodedFile{info, std::make_shared<Win32DecodedPicture>(std::move(surface), seeThrough)};
}

DecodedFile Win32PictureDecoder::banner() const {
    constexpr int kWidth = 292, kHeight = 29;
    auto surface = std::make_unique<DibSurface>(kWidth, kHeight);
    if (*surface) {
        TRIVERTEX ends[2] = {{0, 0, 20 << 8, 40 << 8, 120 << 8, 0xFF00},
                             {kWidth, kHeight, 120 << 8, 60 << 8, 160 << 8, 0xFF00}};
        GRADIENT_RECT rect{0, 1};
        GradientFill(surface->dc(), ends, 2, &rect, 1, GRADIENT_FILL_RECT_H);
        const GdiObject<HFONT> font(CreateFontW(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                                DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial"));
        SelectedObject useFont(surface->dc(), font.get());
        SetBkMode(surface->dc(), TRANSPARENT);
        SetTextColor(surface->dc(), RGB(255, 230, 140));
        RECT all{0, 0, kWidth, kHeight};
        DrawTextW(surface->dc(), L"Glimmerframe", -1, &all,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        surface->makeOpaque();
    }
    const PictureInfo info{PictureKind::Photo, std::int32_t(std::lround(kWidth * tpp_)),
                           std::int32_t(std::lround(kHeight * tpp_))};
    return {info, std::make_shared<Win32DecodedPicture>(std::move(surface), false)};
}

} // namespace gf
