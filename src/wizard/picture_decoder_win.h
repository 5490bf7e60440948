#ifndef XA_WIZARD_PICTURE_DECODER_WIN_H_
#define XA_WIZARD_PICTURE_DECODER_WIN_H_

#include <cstdint>
#include <vector>

#include "wizard/picture.h"

namespace xa {

// Decodes JPEG file bytes with Windows' own JPEG decoder (the imaging component), so that the
// program carries no decoder of its own. COM must be initialised on the calling thread. Raises
// Exception "Invalid JPEG data: <step>" for bytes the decoder refuses, for a picture of more
// than 2^26 pixels, and when the imaging component is not available.
TPicture DecodeJpeg(const std::vector<uint8_t>& jpeg);

// The same for PNG file bytes; raises Exception "Invalid PNG data: <step>".
TPicture DecodePng(const uint8_t* png, size_t size);

}  // namespace xa

#endif  // XA_WIZARD_PICTURE_DECODER_WIN_H_
