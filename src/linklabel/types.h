#ifndef XA_LINKLABEL_TYPES_H_
#define XA_LINKLABEL_TYPES_H_

#include <cstdint>
#include <initializer_list>
#include <string>

#include "package/message_error.h"

namespace xa {

// 0x00BBGGRR; a high byte of 0xFF marks a system colour.
using TColor = uint32_t;

inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clPurple = 0x800080;

enum TFontStyle : uint8_t { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };

// A set of TFontStyle values, one bit per style.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles)
      bits_ = static_cast<uint8_t>(bits_ | Bit(s));
  }

  // True when `style` is in the set.
  constexpr bool Has(TFontStyle style) const { return (bits_ & Bit(style)) != 0; }
  // The set plus `style`.
  constexpr TFontStyles With(TFontStyle style) const {
    TFontStyles r = *this;
    r.bits_ = static_cast<uint8_t>(r.bits_ | Bit(style));
    return r;
  }
  // The union of both sets.
  constexpr TFontStyles operator+(TFontStyles other) const {
    TFontStyles r = *this;
    r.bits_ = static_cast<uint8_t>(r.bits_ | other.bits_);
    return r;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const TFontStyles&) const = default;

 private:
  static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << s); }
  uint8_t bits_ = 0;
};

// Device-pixel point.
struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Device-pixel rectangle; all four edges belong to it for hit testing.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TRect&) const = default;
};

// Failures of the tool classes.
class EGenericToolsError : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

// Misuse of the node tree and its enumerators.
class ENodeError : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

// Misuse of the parser and its element enumerator.
class EParserError : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

// Misuse of the text handler and its word enumerator.
class ETextHandlerError : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

}  // namespace xa

#endif  // XA_LINKLABEL_TYPES_H_
