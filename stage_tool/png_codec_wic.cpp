// PNG through the Windows Imaging Component, the system's own codec: the Windows build needs no DLL
// of its own for pictures.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>

#include "stage_tool/com_objects.h"
#include "stage_tool/png_codec.h"
#include "stage_tool/png_gamma.h"

namespace kaleidra::stage_tool {

namespace {

std::string failedCall(const char* call, HRESULT result) {
    char text[120];
    std::snprintf(text, sizeof text, "the system's PNG codec failed in %s (0x%08lX)", call,
                  static_cast<unsigned long>(result));
    return text;
}

// The layouts with 16 bits a sample that the PNG decoder hands over. They are read here, not through
// a format converter, so that each sample is scaled and gamma-corrected from all of its 16 bits.
struct WideLayout {
    const GUID* format;
    int channels;
    int red, green, blue, alpha;  // channel indexes; alpha -1 when there is none
};

constexpr WideLayout wideLayouts[] = {
    {&GUID_WICPixelFormat16bppGray, 1, 0, 0, 0, -1},
    {&GUID_WICPixelFormat48bppRGB, 3, 0, 1, 2, -1},
    {&GUID_WICPixelFormat48bppBGR, 3, 2, 1, 0, -1},
    {&GUID_WICPixelFormat64bppRGBA, 4, 0, 1, 2, 3},
    {&GUID_WICPixelFormat64bppBGRA, 4, 2, 1, 0, 3},
};

const WideLayout* wideLayoutOf(const WICPixelFormatGUID& format) {
    for (const WideLayout& layout : wideLayouts)
        if (IsEqualGUID(*layout.format, format)) return &layout;
    return nullptr;
}

// Reads the frame row by row in its own 16-bit layout.
std::string readWideRows(IWICBitmapSource* frame, const WideLayout& layout, std::uint32_t fileGamma,
                         DecodedPng& decoded) {
    const SamplesToSrgb toSrgb(fileGamma, 16);
    const UINT stride = decoded.width * static_cast<UINT>(layout.channels) * 2;
    std::vector<std::uint16_t> row(decoded.width * static_cast<std::size_t>(layout.channels));
    for (UINT y = 0; y < decoded.height; ++y) {
        const WICRect band{0, static_cast<INT>(y), static_cast<INT>(decoded.width), 1};
        const HRESULT copied = frame->CopyPixels(&band, stride, stride, reinterpret_cast<BYTE*>(row.data()));
        if (FAILED(copied)) return failedCall("CopyPixels", copied);
        std::uint8_t* out = decoded.rgba.data() + std::size_t{y} * decoded.width * 4;
        for (std::size_t x = 0; x < decoded.width; ++x, out += 4) {
            const std::uint16_t* pixel = &row[x * static_cast<std::size_t>(layout.channels)];
            out[0] = toSrgb(pixel[layout.red]);
            out[1] = toSrgb(pixel[layout.green]);
            out[2] = toSrgb(pixel[layout.blue]);
            out[3] = layout.alpha < 0 ? 0xFF : scaledTo8Bits(pixel[layout.alpha]);
        }
    }
    return {};
}

// Every other layout (palette, grey, 8-bit colour, with or without alpha) turns into 8-bit BGRA
// without loss.
std::string readNarrowRows(IWICImagingFactory* factory, IWICBitmapSource* frame, std::uint32_t fileGamma,
                           DecodedPng& decoded) {
    ComPointer<IWICFormatConverter> converter;
    HRESULT result = factory->CreateFormatConverter(converter.putTyped());
    if (FAILED(result)) return failedCall("CreateFormatConverter", result);
    result = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom);
    if (FAILED(result)) return failedCall("IWICFormatConverter::Initialize", result);
    const SamplesToSrgb toSrgb(fileGamma, 8);
    const UINT stride = decoded.width * 4;
    std::vector<std::uint8_t> row(stride);
    for (UINT y = 0; y < decoded.height; ++y) {
        const WICRect band{0, static_cast<INT>(y), static_cast<INT>(decoded.width), 1};
        result = converter->CopyPixels(&band, stride, stride, row.data());
        if (FAILED(result)) return failedCall("CopyPixels", result);
        std::uint8_t* out = decoded.rgba.data() + std::size_t{y} * stride;
        for (std::size_t x = 0; x < decoded.width; ++x) {
            const std::uint8_t* bgra = &row[4 * x];
            out[4 * x + 0] = toSrgb(bgra[2]);
            out[4 * x + 1] = toSrgb(bgra[1]);
            out[4 * x + 2] = toSrgb(bgra[0]);
            out[4 * x + 3] = bgra[3];
        }
    }
    return {};
}

std::string decodeInto(IWICImagingFactory* factory, const std::string& file, DecodedPng& decoded) {
    ComPointer<IWICStream> stream;
    HRESULT result = factory->CreateStream(stream.putTyped());
    if (FAILED(result)) return failedCall("CreateStream", result);
    // The caller keeps the file's bytes, which are no larger than a DWORD counts.
    result = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(file.data())),
                                          static_cast<DWORD>(file.size()));
    if (FAILED(result)) return failedCall("InitializeFromMemory", result);
    ComPointer<IWICBitmapDecoder> decoder;
    result = factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.putTyped());
    if (FAILED(result)) return failedCall("CreateDecoder", result);
    result = decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand);
    if (FAILED(result)) return "not a readable PNG file";
    ComPointer<IWICBitmapFrameDecode> frame;
    result = decoder->GetFrame(0, frame.putTyped());
    if (FAILED(result)) return "not a readable PNG file";
    UINT width = 0;
    UINT height = 0;
    result = frame->GetSize(&width, &height);
    if (FAILED(result)) return failedCall("GetSize", result);
    // Looked at before anything is made for the pixels: the header may lie.
    if (width == 0 || height == 0 || std::uint64_t{width} * height > largestPixelCount) return "too large";
    WICPixelFormatGUID format{};
    result = frame->GetPixelFormat(&format);
    if (FAILED(result)) return failedCall("GetPixelFormat", result);

    decoded.width = width;
    decoded.height = height;
    decoded.rgba.resize(std::size_t{width} * height * 4);
    // The codec hands over the samples as stored; the file's gamma is applied here, as libpng does.
    const std::uint32_t fileGamma = pngFileGamma(file);
    if (const WideLayout* layout = wideLayoutOf(format)) return readWideRows(frame.get(), *layout, fileGamma, decoded);
    return readNarrowRows(factory, frame.get(), fileGamma, decoded);
}

std::string encodeInto(IWICImagingFactory* factory, const RgbImage& image, std::string& bytes) {
    ComPointer<IStream> memory;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, memory.putTyped());
    if (FAILED(result)) return failedCall("CreateStreamOnHGlobal", result);
    ComPointer<IWICBitmapEncoder> encoder;
    result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.putTyped());
    if (FAILED(result)) return failedCall("CreateEncoder", result);
    result = encoder->Initialize(memory.get(), WICBitmapEncoderNoCache);
    if (FAILED(result)) return failedCall("IWICBitmapEncoder::Initialize", result);
    ComPointer<IWICBitmapFrameEncode> frame;
    ComPointer<IPropertyBag2> options;
    result = encoder->CreateNewFrame(frame.putTyped(), options.putTyped());
    if (FAILED(result)) return failedCall("CreateNewFrame", result);
    result = frame->Initialize(options.get());
    if (FAILED(result)) return failedCall("IWICBitmapFrameEncode::Initialize", result);
    const auto width = static_cast<UINT>(image.width);
    const auto height = static_cast<UINT>(image.height);
    result = frame->SetSize(width, height);
    if (FAILED(result)) return failedCall("SetSize", result);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    result = frame->SetPixelFormat(&format);
    if (FAILED(result)) return failedCall("SetPixelFormat", result);
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return "the system's PNG encoder takes no 24-bit colour";
    const UINT stride = width * 3;
    std::vector<BYTE> row(stride);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = image.at(x, y);
            BYTE* bgr = &row[3 * static_cast<std::size_t>(x)];
            bgr[0] = pixel.b;
            bgr[1] = pixel.g;
            bgr[2] = pixel.r;
        }
        result = frame->WritePixels(1, stride, stride, row.data());
        if (FAILED(result)) return failedCall("WritePixels", result);
    }
    result = frame->Commit();
    if (FAILED(result)) return failedCall("IWICBitmapFrameEncode::Commit", result);
    result = encoder->Commit();
    if (FAILED(result)) return failedCall("IWICBitmapEncoder::Commit", result);

    STATSTG status{};
    result = memory->Stat(&status, STATFLAG_NONAME);
    if (FAILED(result)) return failedCall("IStream::Stat", result);
    if (status.cbSize.QuadPart > largestPixelCount * 4) return "the encoded picture is too large";
    bytes.assign(static_cast<std::size_t>(status.cbSize.QuadPart), '\0');
    const LARGE_INTEGER start{};
    result = memory->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(result)) return failedCall("IStream::Seek", result);
    ULONG read = 0;
    result = memory->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    if (FAILED(result) || read != bytes.size()) return failedCall("IStream::Read", result);
    return {};
}

// Runs `work` with a WIC factory; its text is the problem, empty when it succeeded.
template <class Work>
std::string withFactory(Work work) {
    const ComApartment apartment;
    if (!apartment.ready()) return "COM cannot start";
    ComPointer<IWICImagingFactory> factory;
    const HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, factory.put());
    if (FAILED(result)) return failedCall("CoCreateInstance", result);
    return work(factory.get());
}

}  // namespace

DecodedPng decodePng(const std::string& file) {
    DecodedPng decoded;
    decoded.problem = withFactory([&](IWICImagingFactory* factory) { return decodeInto(factory, file, decoded); });
    decoded.decoded = decoded.problem.empty();
    if (!decoded.decoded) decoded.rgba.clear();
    return decoded;
}

EncodedPng encodePng(const RgbImage& image) {
    EncodedPng encoded;
    encoded.problem = withFactory([&](IWICImagingFactory* factory) { return encodeInto(factory, image, encoded.bytes); });
    if (!encoded.problem.empty()) encoded.bytes.clear();
    return encoded;
}

}  // namespace kaleidra::stage_tool
