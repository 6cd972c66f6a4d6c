#pragma once

#include "platform/win32/unique_handle.h"

// Pictures from the program's resources.
namespace qb::promo {

// A BITMAP resource as a DIB section at its own colour depth; empty when
// there is no such resource.
win32::UniqueBitmap LoadBitmapResource(int id);

// An RCDATA resource holding a GIF or PNG picture, decoded with the Windows
// Imaging Component into a 32-bit bitmap (its first frame); empty when the
// resource is missing or cannot be decoded. COM must be set up on the
// thread.
win32::UniqueBitmap DecodeImageResource(int id);

}  // namespace qb::promo
