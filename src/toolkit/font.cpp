#include "toolkit/font.h"

namespace qb::toolkit {

HFONT FontCache::Get(const FontSpec& spec, UINT dpi) {
  auto& font = fonts_[{spec, dpi}];
  if (!font) {
    LOGFONTW description{};
    description.lfHeight = -::MulDiv(spec.points, static_cast<int>(dpi), 72);
    description.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = spec.underline;
    description.lfCharSet = spec.charset;
    description.lfQuality = DEFAULT_QUALITY;
    spec.face.copy(description.lfFaceName, LF_FACESIZE - 1);
    font.reset(::CreateFontIndirectW(&description));
  }
  return font.get();
}

}  // namespace qb::toolkit
