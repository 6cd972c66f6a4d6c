#pragma once

#include "platform/win32/unique_handle.h"

// Pictures from the program's resources.
namespace qb::promo {

// A BITMAP resource as a DIB section at its own colour depth; empty when
// there is no such resource.
win32::UniqueBitmap LoadBitmapResource(int id);

// An RCDATA resource holding a GIF picture as a 32-bit DIB section (its
// first image, see DecodeGif); empty when the resource is missing or cannot
// be decoded.
win32::UniqueBitmap DecodeGifResource(int id);

}  // namespace qb::promo
