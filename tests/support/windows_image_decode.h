#pragma once

// The reference decoder of the picture tests: what Windows itself makes of
// an image file. COM must be set up on the thread.
#include <windows.h>

#include <wincodec.h>

#include <cstdint>
#include <vector>

#include "platform/win32/com_ptr.h"

namespace qb::test {

// The picture's first frame as the Windows Imaging Component decodes it,
// 0x00RRGGBB from the top.
inline std::vector<std::uint32_t> DecodedByWindows(const std::vector<std::uint8_t>& bytes,
                                                   UINT& width, UINT& height) {
  win32::ComPtr<IWICImagingFactory> factory;
  win32::ComPtr<IWICStream> stream;
  win32::ComPtr<IWICBitmapDecoder> decoder;
  win32::ComPtr<IWICBitmapFrameDecode> frame;
  win32::ComPtr<IWICFormatConverter> converter;
  std::vector<BYTE> copy(bytes.begin(), bytes.end());
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.put_void())) ||
      FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(copy.data(), static_cast<DWORD>(copy.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height))) {
    return {};
  }
  std::vector<std::uint32_t> pixels(std::size_t{width} * height);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                   reinterpret_cast<BYTE*>(pixels.data())))) {
    return {};
  }
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

}  // namespace qb::test
