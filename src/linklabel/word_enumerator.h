#ifndef XA_LINKLABEL_WORD_ENUMERATOR_H_
#define XA_LINKLABEL_WORD_ENUMERATOR_H_

#include <cstdint>
#include <string>

namespace xa {

inline constexpr char kNoMoreWords[] = "TWordEnumerator.GetNext: No more words to return";

// Cuts text into words for wrapping: a word runs up to and including the next space, so every
// further space of a run is a word of its own.
class IWordEnumerator {
 public:
  virtual ~IWordEnumerator() = default;
  // Replaces the text and sets the taken count to 0; the position stays.
  virtual void SetText(std::u16string text) = 0;
  virtual const std::u16string& GetText() const = 0;
  // How many words were taken since the last reset or SetText.
  virtual int32_t TakenCount() const = 0;
  // Takes the next word; raises ETextHandlerError when none is left.
  virtual std::u16string Next() = 0;
  // The next word without taking it; raises ETextHandlerError when none is left.
  virtual std::u16string Peek() = 0;
  // True while words remain.
  virtual bool HasNext() const = 0;
  // Back to the first word.
  virtual void Reset() = 0;
};

// The word enumerator of the layout.
class TWordEnumerator : public IWordEnumerator {
 public:
  explicit TWordEnumerator(std::u16string text) { SetText(std::move(text)); }
  void SetText(std::u16string text) override;
  const std::u16string& GetText() const override { return text_; }
  int32_t TakenCount() const override { return taken_; }
  std::u16string Next() override { return GetNext(true); }
  std::u16string Peek() override { return GetNext(false); }
  bool HasNext() const override { return position_ <= text_.size(); }
  void Reset() override;

 private:
  std::u16string GetNext(bool advance);

  size_t position_ = 1;
  std::u16string text_;
  int32_t taken_ = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_WORD_ENUMERATOR_H_
