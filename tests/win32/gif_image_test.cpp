#include "promo/widgets/gif_image.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "windows_image_decode.h"

namespace qb::promo {
namespace {

// Copied beside the tests by the build.
std::vector<std::uint8_t> BannerBytes() {
  wchar_t module[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::ifstream file(
      std::filesystem::path(std::wstring(module, length)).parent_path() / L"banner.gif",
      std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The banner's picture is decoded by the program itself; the imaging
// component, which it no longer loads, is the reference.
TEST(GifImageWindowsTest, TheBannerDecodesPixelForPixelAsTheImagingComponentDecodesIt) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const std::vector<std::uint8_t> bytes = BannerBytes();
  ASSERT_FALSE(bytes.empty());
  UINT width = 0;
  UINT height = 0;
  const std::vector<std::uint32_t> reference = test::DecodedByWindows(bytes, width, height);
  ASSERT_FALSE(reference.empty());

  const Parsed<PixelImage> image = DecodeGif(bytes);
  ASSERT_TRUE(image) << image.problem();
  EXPECT_EQ(static_cast<UINT>(image->width), width);
  EXPECT_EQ(static_cast<UINT>(image->height), height);
  ASSERT_EQ(image->pixels.size(), reference.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < reference.size(); ++i) differing += image->pixels[i] != reference[i];
  EXPECT_EQ(differing, 0u);
  ::CoUninitialize();
}

}  // namespace
}  // namespace qb::promo
