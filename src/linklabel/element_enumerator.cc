#include "linklabel/element_enumerator.h"

#include "linklabel/types.h"
#include "linklabel/uni_utils.h"

namespace xa {

TElement TElementEnumerator::GetNextElement(bool advance) {
  if (EndOfText())
    Raise<EParserError>(kNoMoreElements);
  if (position_ != cached_position_) {
    cached_position_ = position_;
    Scan();
  }
  if (advance)
    position_ = next_position_;
  return cached_element_;
}

void TElementEnumerator::Scan() {
  const int64_t length = Length();
  const bool close = position_ < length && At(position_) == u'<' && At(position_ + 1) == u'/';
  if (close || At(position_) == u'<') {
    // The last character is never examined: an unterminated tag loses it as if it were the ">".
    const int64_t start = position_ + (close ? 2 : 1);
    int64_t i = start;
    while (i < length && At(i) != u'>')
      ++i;
    ++i;
    cached_element_.type = close ? etCloseTag : etOpenTag;
    cached_element_.text = uni::Copy(text_, start, i - start - 1);
    next_position_ = i;
    return;
  }
  int64_t i = position_;
  while (i <= length && At(i) != u'<')
    ++i;
  cached_element_.type = etText;
  cached_element_.text = uni::Copy(text_, position_, i - position_);
  next_position_ = i;
}

}  // namespace xa
