#include "linklabel/text_handler.h"

#include "linklabel/uni_utils.h"
#include "linklabel/word_enumerator.h"

namespace xa {
namespace {

// Sets the canvas font style for a scope and puts the old one back, also on failure.
class StyleScope {
 public:
  StyleScope(ICanvas& canvas, TFontStyles style) : canvas_(canvas), saved_(canvas.FontStyle()) {
    canvas_.SetFontStyle(style);
  }
  ~StyleScope() { canvas_.SetFontStyle(saved_); }
  StyleScope(const StyleScope&) = delete;
  StyleScope& operator=(const StyleScope&) = delete;

 private:
  ICanvas& canvas_;
  TFontStyles saved_;
};

bool BeginsWithSpace(const std::u16string& s) {
  return TStringTools::StartsWith(s, u" ");
}

bool EndsWithSpace(const std::u16string& s) {
  return TStringTools::EndsWith(s, u" ");
}

}  // namespace

void TTextElementList::AddString(TStringNode* node, TFontStyles style, TColor color) {
  items_.push_back(std::make_unique<TStringElement>(node, style, color));
}

void TTextElementList::AddAction(TActionKind action) {
  items_.push_back(std::make_unique<TActionElement>(action));
}

TStringElement* TTextElementList::StringAt(size_t index) const {
  return dynamic_cast<TStringElement*>(items_[index].get());
}

void TNodeObserverList::Add(IStartingPosObserver* observer,
                            TAreaNode* area_node,
                            TStringNode* string_node) {
  items_.push_back(
      std::make_unique<TNodeObserver>(TNodeObserver{observer, area_node, string_node}));
}

int64_t TNodeObserverList::IndexOf(const TStringNode* node) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->string_node == node)
      return static_cast<int64_t>(i);
  }
  return -1;
}

void TNodeObserverList::Remove(size_t index) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

TTextHandler::TTextHandler(const TRect& rect, int32_t start_x, int32_t start_y, ICanvas& canvas)
    : x_(start_x), y_(start_y), rect_(rect), canvas_(canvas) {
  StyleScope plain(canvas_, TFontStyles());
  line_height_ = canvas_.TextHeight(u"fg");
}

void TTextHandler::AddString(TStringNode* node, TFontStyles style, TColor color) {
  if (BeginsWithSpace(node->Text()))
    EmptyBuffer();
  buffer_.AddString(node, style, color);
  if (EndsWithSpace(node->Text()))
    EmptyBuffer();
}

void TTextHandler::AddParagraphBreak() {
  buffer_.AddAction(akParagraph);
  EmptyBuffer();
}

void TTextHandler::AddLineBreak() {
  buffer_.AddAction(akLineBreak);
  EmptyBuffer();
}

void TTextHandler::EmptyBuffer() {
  for (size_t k = 0; k < buffer_.Count(); ++k) {
    TParentTextElement* element = buffer_.Get(k);
    if (const auto* action = dynamic_cast<TActionElement*>(element)) {
      x_ = rect_.Left;
      y_ += (action->action == akParagraph ? 2 : 1) * line_height_;
    } else if (const auto* string = dynamic_cast<TStringElement*>(element)) {
      LayOutString(k, *string);
    } else {
      Raise<ETextHandlerError>(kUnsupportedTextElement);
    }
  }
  buffer_.Clear();
}

void TTextHandler::ObserveStartingPos(IStartingPosObserver* observer, TAreaNode* node) {
  auto* first = static_cast<TStringNode*>(node->FindFirst(ClassOf<TStringNode>()));
  observers_.Add(observer, node, first);
}

void TTextHandler::NotifyObservers(TStringNode* node) {
  for (int64_t i = observers_.IndexOf(node); i >= 0; i = observers_.IndexOf(node)) {
    const TNodeObserver record = observers_.At(static_cast<size_t>(i));
    observers_.Remove(static_cast<size_t>(i));
    record.observer->StartingPosFound(x_, y_, record.area_node);
  }
}

void TTextHandler::DrawPiece(TStringNode* node, const std::u16string& text, bool trim) {
  canvas_.TextOut(x_, y_, trim ? uni::TrimTrailing(text) : text);
  const int32_t width = canvas_.TextWidth(text);
  node->AddRect({x_, y_, x_ + width, y_ + line_height_});
  if (!trim)
    x_ += width;
}

void TTextHandler::LayOutString(size_t index, const TStringElement& element) {
  TStringNode* node = element.node;
  NotifyObservers(node);
  canvas_.SetFontStyle(element.style);
  canvas_.SetFontColor(element.color);
  TWordEnumerator words(node->Text());
  std::u16string line;
  int32_t line_width = 0;
  node->ClearRects();
  while (words.HasNext()) {
    const std::u16string word = words.Next();
    const int32_t n = words.TakenCount();
    TWordInfo info;
    if (node->HasWordInfo(n - 1)) {
      info = node->GetWordInfo(n - 1);
    } else {
      info = MeasureWord(index, element, word, n, words);
      node->AddWordInfo(info);
    }
    line_width += info.width;
    const int32_t effective = info.ends_with_space ? line_width - info.space_width : line_width;
    const bool first_at_origin = x_ == rect_.Left && y_ == rect_.Top && n == 1;
    const bool joined_first = node->Joined() && n == 1;
    if (x_ + effective >= rect_.Right && word != u" " && !first_at_origin && !joined_first) {
      DrawPiece(node, line, true);
      line.clear();
      x_ = rect_.Left;
      line_width = info.width;
      y_ += line_height_;
    } else if (joined_first && words.HasNext()) {
      line_width += canvas_.TextWidth(word);
    }
    line += word;
  }
  DrawPiece(node, line, false);
}

TWordInfo TTextHandler::MeasureWord(size_t index,
                                    const TStringElement& element,
                                    const std::u16string& word,
                                    int32_t n,
                                    const IWordEnumerator& words) {
  const bool first = element.node->Joined() && n == 1;
  TWordInfo info;
  info.width = first ? 0 : canvas_.TextWidth(word);
  info.ends_with_space = EndsWithSpace(word);
  info.space_width = canvas_.TextWidth(u" ");
  if (words.HasNext() || first)
    return info;
  // The last word runs on into following elements until a space separates them.
  for (size_t i = index + 1; i < buffer_.Count(); ++i) {
    const TStringElement* prev = buffer_.StringAt(i - 1);
    const TStringElement* next = buffer_.StringAt(i);
    if (!prev || !next || EndsWithSpace(prev->node->Text()) ||
        BeginsWithSpace(next->node->Text())) {
      break;
    }
    canvas_.SetFontStyle(next->style);
    TWordEnumerator following(next->node->Text());
    const std::u16string first_word = following.HasNext() ? following.Next() : std::u16string();
    info.width += canvas_.TextWidth(first_word);
    next->node->SetJoined();
    if (i + 1 == buffer_.Count()) {
      info.ends_with_space = EndsWithSpace(first_word);
      info.space_width = canvas_.TextWidth(u" ");
    }
    if (following.HasNext())
      break;
  }
  canvas_.SetFontStyle(element.style);
  return info;
}

}  // namespace xa
