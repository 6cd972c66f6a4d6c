#include "promo/widgets/images.h"

#include <cstring>

#include "promo/widgets/gif_image.h"

namespace qb::promo {

win32::UniqueBitmap LoadBitmapResource(int id) {
  return win32::UniqueBitmap(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

win32::UniqueBitmap DecodeGifResource(int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  if (!resource) return {};
  auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, resource)));
  const DWORD size = ::SizeofResource(module, resource);
  if (!bytes || size == 0) return {};
  const Parsed<PixelImage> image = DecodeGif(std::span(bytes, size));
  if (!image) return {};

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  win32::UniqueBitmap bitmap(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap) return {};
  std::memcpy(pixels, image->pixels.data(), image->pixels.size() * sizeof image->pixels[0]);
  return bitmap;
}

}  // namespace qb::promo
