#ifndef XA_LINKLABEL_ELEMENT_ENUMERATOR_H_
#define XA_LINKLABEL_ELEMENT_ENUMERATOR_H_

#include <cstdint>
#include <string>

namespace xa {

enum TElementType : uint8_t { etOpenTag = 0, etCloseTag = 1, etText = 2 };

// One piece of mark-up: a tag body or a run of text.
struct TElement {
  TElementType type = etText;
  std::u16string text;
  bool operator==(const TElement&) const = default;
};

inline constexpr char kNoMoreElements[] =
    "TElementEnumerator.GetNextElement: No more elements to return";

// Cuts mark-up into elements.
class IElementEnumerator {
 public:
  virtual ~IElementEnumerator() = default;
  // The next element, advancing past it; raises EParserError at the end of the text.
  virtual TElement ReadElement() = 0;
  // The next element without advancing; raises EParserError at the end of the text.
  virtual TElement PeekElement() = 0;
  // True when every element has been read.
  virtual bool EndOfText() const = 0;
};

// Scans the text once: the element last produced is cached with its position, so a peek
// followed by a read costs one scan.
class TElementEnumerator : public IElementEnumerator {
 public:
  explicit TElementEnumerator(std::u16string text) : text_(std::move(text)) {}
  TElement ReadElement() override { return GetNextElement(true); }
  TElement PeekElement() override { return GetNextElement(false); }
  bool EndOfText() const override { return position_ > Length(); }

 private:
  TElement GetNextElement(bool advance);
  void Scan();
  int64_t Length() const { return static_cast<int64_t>(text_.size()); }
  // The character at 1-based `i`.
  char16_t At(int64_t i) const { return text_[static_cast<size_t>(i - 1)]; }

  std::u16string text_;
  int64_t position_ = 1;
  int64_t cached_position_ = -1;
  TElement cached_element_;
  int64_t next_position_ = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_ELEMENT_ENUMERATOR_H_
