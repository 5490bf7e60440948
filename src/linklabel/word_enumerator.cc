#include "linklabel/word_enumerator.h"

#include "linklabel/types.h"

namespace xa {

void TWordEnumerator::SetText(std::u16string text) {
  text_ = std::move(text);
  taken_ = 0;
}

void TWordEnumerator::Reset() {
  position_ = 1;
  taken_ = 0;
}

std::u16string TWordEnumerator::GetNext(bool advance) {
  if (!HasNext())
    Raise<ETextHandlerError>(kNoMoreWords);
  const size_t start = position_ - 1;
  const size_t space = text_.find(u' ', start);
  const size_t end = space == std::u16string::npos ? text_.size() : space + 1;
  if (advance) {
    position_ = end + 1;
    ++taken_;
  }
  return text_.substr(start, end - start);
}

}  // namespace xa
