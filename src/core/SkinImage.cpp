#include "core/SkinImage.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <span>

#include "win/ComScope.h"
#include "win/Handle.h"

namespace app {
namespace {

using Microsoft::WRL::ComPtr;

std::span<const std::uint8_t> ResourceBytes(HMODULE module, int id, const wchar_t* type) noexcept {
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, found)};
}

std::uint32_t BigEndian32(const std::uint8_t* p) noexcept {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The scope of the calling thread, if it has one.
thread_local SkinImageFactoryScope* threadScope = nullptr;

ComPtr<IWICImagingFactory> NewFactory() noexcept {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.GetAddressOf()))))
    return nullptr;
  return factory;
}

}  // namespace

SkinImageFactoryScope::SkinImageFactoryScope() noexcept {
  if (threadScope) return;
  threadScope = this;
  active_ = true;
}

SkinImageFactoryScope::~SkinImageFactoryScope() {
  if (active_) threadScope = nullptr;
}

SIZE SkinImageSize(HMODULE module, int id, const wchar_t* type) noexcept {
  // Signature (8), then the IHDR chunk: length (4), type (4), width (4), height (4).
  const std::span<const std::uint8_t> bytes = ResourceBytes(module, id, type);
  if (bytes.size() < 24 || bytes[12] != 'I' || bytes[13] != 'H' || bytes[14] != 'D' || bytes[15] != 'R')
    return {0, 0};
  return {static_cast<LONG>(BigEndian32(&bytes[16])), static_cast<LONG>(BigEndian32(&bytes[20]))};
}

HBITMAP LoadSkinImage(HMODULE module, int id, const wchar_t* type) noexcept {
  const std::span<const std::uint8_t> bytes = ResourceBytes(module, id, type);
  if (bytes.empty()) return nullptr;
  const win::ComApartment com;  // for the length of one load, when the thread has none of its own
  // A factory kept beyond the call must not outlive the COM it was made in: only a thread whose
  // COM is its own shares one.
  SkinImageFactoryScope* scope = com.ThreadHadCom() ? threadScope : nullptr;
  ComPtr<IWICImagingFactory> factory = scope && scope->factory_ ? scope->factory_ : NewFactory();
  if (!factory) return nullptr;
  if (scope) scope->factory_ = factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  UINT width = 0, height = 0;
  if (FAILED(factory->CreateStream(stream.GetAddressOf())) ||
      FAILED(
          stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.GetAddressOf())) ||
      FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
      FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr,
                                   0.0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
    return nullptr;

  // The same bitmap LoadImageW(LR_CREATEDIBSECTION) makes of a 24-bit BMP: bottom-up rows.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  const UINT stride = (width * 3 + 3) & ~3u;
  auto* rows = static_cast<BYTE*>(bits);
  for (UINT y = 0; y < height; ++y) {
    const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    if (FAILED(converter->CopyPixels(&line, stride, stride,
                                     rows + static_cast<size_t>(height - 1 - y) * stride)))
      return nullptr;
  }
  return bitmap.release();
}

}  // namespace app
