#include "core/SkinImage.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <system_error>
#include <vector>

#include "core/LogSink.h"
#include "core/SkinPrefetch.h"
#include "win/ComScope.h"
#include "win/Handle.h"

namespace app {
namespace {

using Microsoft::WRL::ComPtr;

std::span<const std::uint8_t> SkinResourceBytes(HMODULE module, int id, const wchar_t* type) noexcept {
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

// The skin's pictures are PNGs: a stream that is one goes to the system's PNG decoder at once, and
// one that is not (or that it refuses) to whichever decoder the factory finds for it. Finding one
// reads the registration of every decoder the system has, which took longer than the decode.
ComPtr<IWICBitmapDecoder> NewDecoder(IWICImagingFactory& factory, IWICStream& stream,
                                     std::span<const std::uint8_t> bytes,
                                     ComPtr<IClassFactory>* pngDecoders) noexcept {
  static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ComPtr<IWICBitmapDecoder> decoder;
  if (bytes.size() >= std::size(kPngSignature) &&
      std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin())) {
    ComPtr<IClassFactory> made;
    ComPtr<IClassFactory>& maker = pngDecoders ? *pngDecoders : made;
    if (!maker)
      (void)::CoGetClassObject(CLSID_WICPngDecoder1, CLSCTX_INPROC_SERVER, nullptr,
                               IID_PPV_ARGS(maker.GetAddressOf()));
    if (maker && SUCCEEDED(maker->CreateInstance(nullptr, IID_PPV_ARGS(decoder.GetAddressOf()))) &&
        SUCCEEDED(decoder->Initialize(&stream, WICDecodeMetadataCacheOnDemand)))
      return decoder;
    decoder.Reset();
    if (FAILED(stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) return nullptr;
  }
  if (FAILED(factory.CreateDecoderFromStream(&stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                             decoder.GetAddressOf())))
    return nullptr;
  return decoder;
}

// A pixel of a 24-bit row (blue, green, red) as one number.
std::uint32_t Bgr(const BYTE* pixel) noexcept {
  return std::uint32_t{pixel[0]} | (std::uint32_t{pixel[1]} << 8) | (std::uint32_t{pixel[2]} << 16);
}

// The distinct colours of a picture in the order they are first met, up to the 256 an 8-bit colour
// table holds; one more marks the picture as needing 24 bits.
class ColourTable {
 public:
  ColourTable() noexcept { slots_.fill(kEmpty); }

  // The colour's index, added if it is new; meaningless once the table has overflowed.
  size_t IndexOf(std::uint32_t bgr) noexcept {
    const std::uint32_t hash = bgr * 2654435761u;  // Knuth's multiplicative hash, wrapping in 32 bits
    size_t slot = hash % slots_.size();
    while (slots_[slot] != kEmpty) {
      if (slots_[slot] == bgr) return indices_[slot];
      slot = (slot + 1) % slots_.size();
    }
    if (count_ == kMaxColours) {
      overflowed_ = true;
      return 0;
    }
    slots_[slot] = bgr;
    indices_[slot] = static_cast<std::uint16_t>(count_);
    colours_[count_] = bgr;
    return count_++;
  }
  [[nodiscard]] bool Overflowed() const noexcept { return overflowed_; }
  [[nodiscard]] size_t Count() const noexcept { return count_; }
  [[nodiscard]] std::uint32_t At(size_t i) const noexcept { return colours_[i]; }

 private:
  static constexpr size_t kMaxColours = 256;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // no 24-bit colour
  std::array<std::uint32_t, 1024> slots_{};             // open addressing, at most a quarter full
  std::array<std::uint16_t, 1024> indices_{};
  std::array<std::uint32_t, kMaxColours> colours_{};
  size_t count_ = 0;
  bool overflowed_ = false;
};

// A BITMAPINFO with room for a full 8-bit colour table.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD table[256];
};

// The live prefetch, and the lock over it and its slots.
std::mutex prefetchLock;
SkinPrefetch* livePrefetch = nullptr;

}  // namespace

// The decode itself, the friend of the factory scope.
struct SkinImageDecoder {
  static HBITMAP Decode(HMODULE module, int id, const wchar_t* type) noexcept;
};

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
  const std::span<const std::uint8_t> bytes = SkinResourceBytes(module, id, type);
  if (bytes.size() < 24 || bytes[12] != 'I' || bytes[13] != 'H' || bytes[14] != 'D' || bytes[15] != 'R')
    return {0, 0};
  return {static_cast<LONG>(BigEndian32(&bytes[16])), static_cast<LONG>(BigEndian32(&bytes[20]))};
}

HBITMAP LoadSkinImage(HMODULE module, int id, const wchar_t* type) noexcept {
  {
    std::unique_lock lock(prefetchLock);
    if (livePrefetch)
      if (const HBITMAP ready = livePrefetch->Take(lock, module, id, type)) return ready;
  }
  return SkinImageDecoder::Decode(module, id, type);
}

SkinPrefetch::SkinPrefetch(std::vector<SkinPicture> pictures) {
  const std::lock_guard lock(prefetchLock);
  if (livePrefetch || pictures.empty()) return;
  slots_.reserve(pictures.size());
  for (SkinPicture& picture : pictures) slots_.push_back({std::move(picture), {}, false, false, false});
  try {
    thread_ = std::thread([this] { DecodeAll(); });
  } catch (const std::system_error& error) {
    Log().Line(L"The skin's pictures are decoded as they are shown: no thread for them (%hs).", error.what());
    return;
  }
  livePrefetch = this;
}

SkinPrefetch::~SkinPrefetch() {
  {
    const std::lock_guard lock(prefetchLock);
    if (livePrefetch == this) livePrefetch = nullptr;
    stopping_ = true;
  }
  if (thread_.joinable()) thread_.join();
  // A caller still waiting has been told the decodes are over; it leaves before the slots go.
  std::unique_lock lock(prefetchLock);
  decoded_.wait(lock, [this] { return waiting_ == 0; });
}

size_t SkinPrefetch::TakenCount() const {
  const std::lock_guard lock(prefetchLock);
  size_t taken = 0;
  for (const Slot& slot : slots_) taken += slot.handedOut ? 1 : 0;
  return taken;
}

void SkinPrefetch::DecodeAll() noexcept {
  // COM and one imaging factory of the thread's own, for all of its decodes.
  const win::ComApartment com;
  const SkinImageFactoryScope factory;
  for (Slot& slot : slots_) {
    {
      const std::lock_guard lock(prefetchLock);
      if (stopping_) break;
      if (slot.taken) continue;
    }
    win::UniqueBitmap bitmap(
        SkinImageDecoder::Decode(slot.picture.module, slot.picture.id, slot.picture.type.c_str()));
    {
      const std::lock_guard lock(prefetchLock);
      slot.bitmap = std::move(bitmap);
      slot.decoded = true;
    }
    decoded_.notify_all();
  }
  {
    // Whoever still waits for a picture this thread will not decode decodes it itself.
    const std::lock_guard lock(prefetchLock);
    for (Slot& slot : slots_) slot.decoded = true;
  }
  decoded_.notify_all();
}

HBITMAP SkinPrefetch::Take(std::unique_lock<std::mutex>& lock, HMODULE module, int id,
                           const wchar_t* type) noexcept {
  for (Slot& slot : slots_) {
    if (slot.taken || slot.picture.id != id || slot.picture.module != module || slot.picture.type != type)
      continue;
    ++waiting_;
    decoded_.wait(lock, [&slot] { return slot.decoded; });
    --waiting_;
    slot.taken = true;
    slot.handedOut = slot.bitmap.valid();
    if (waiting_ == 0) decoded_.notify_all();
    return slot.bitmap.release();
  }
  return nullptr;
}

HBITMAP SkinImageDecoder::Decode(HMODULE module, int id, const wchar_t* type) noexcept {
  const std::span<const std::uint8_t> bytes = SkinResourceBytes(module, id, type);
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
      !(decoder = NewDecoder(*factory.Get(), *stream.Get(), bytes,
                             scope ? std::addressof(scope->pngDecoders_) : nullptr)) ||
      FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
      FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr,
                                   0.0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
    return nullptr;

  // Two passes over the decoded rows, one at a time: the first gathers the colours, the second
  // writes the bitmap, so no copy of the whole picture is ever held beside it.
  const UINT sourceStride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> row(sourceStride);
  const auto readRow = [&](UINT y) {
    const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    return SUCCEEDED(converter->CopyPixels(&line, sourceStride, sourceStride, row.data()));
  };
  ColourTable colours;
  for (UINT y = 0; y < height && !colours.Overflowed(); ++y) {
    if (!readRow(y)) return nullptr;
    for (UINT x = 0; x < width && !colours.Overflowed(); ++x) (void)colours.IndexOf(Bgr(&row[size_t{x} * 3]));
  }
  const bool indexed = !colours.Overflowed();

  // Bottom-up rows, as LoadImageW(LR_CREATEDIBSECTION) makes of a BMP: 8 bits a pixel with the
  // picture's own colour table when it has no more than 256 colours (a third of the memory), else
  // 24 bits.
  DibInfo info{};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = static_cast<LONG>(width);
  info.header.biHeight = static_cast<LONG>(height);
  info.header.biPlanes = 1;
  info.header.biBitCount = indexed ? 8 : 24;
  info.header.biCompression = BI_RGB;
  if (indexed) {
    info.header.biClrUsed = static_cast<DWORD>(colours.Count());
    for (size_t i = 0; i < colours.Count(); ++i) {
      const std::uint32_t bgr = colours.At(i);
      info.table[i] =
          RGBQUAD{static_cast<BYTE>(bgr), static_cast<BYTE>(bgr >> 8), static_cast<BYTE>(bgr >> 16), 0};
    }
  }
  void* bits = nullptr;
  win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                              DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  const UINT stride = indexed ? ((width + 3) & ~3u) : sourceStride;
  auto* rows = static_cast<BYTE*>(bits);
  for (UINT y = 0; y < height; ++y) {
    BYTE* target = rows + static_cast<size_t>(height - 1 - y) * stride;
    if (!indexed) {
      const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
      if (FAILED(converter->CopyPixels(&line, stride, stride, target))) return nullptr;
      continue;
    }
    if (!readRow(y)) return nullptr;
    for (UINT x = 0; x < width; ++x) target[x] = static_cast<BYTE>(colours.IndexOf(Bgr(&row[size_t{x} * 3])));
  }
  return bitmap.release();
}

}  // namespace app
