#ifndef XA_LINKLABEL_TEXT_HANDLER_H_
#define XA_LINKLABEL_TEXT_HANDLER_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "linklabel/canvas.h"
#include "linklabel/link_tools.h"
#include "linklabel/node.h"

namespace xa {

class IWordEnumerator;

inline constexpr char kUnsupportedTextElement[] =
    "TTextHandler.EmptyBuffer: Unsupported TParentTextElement descendant encountered";

// Told where an area node's first text is placed.
class IStartingPosObserver {
 public:
  virtual ~IStartingPosObserver() = default;
  // The first text of `node` starts at (x, y).
  virtual void StartingPosFound(int32_t x, int32_t y, TAreaNode* node) = 0;
};

// Base of buffered layout elements.
class TParentTextElement {
 public:
  virtual ~TParentTextElement() = default;
};

// A string node buffered with the style and colour to draw it in.
class TStringElement : public TParentTextElement {
 public:
  TStringElement(TStringNode* node, TFontStyles style, TColor color)
      : node(node), style(style), color(color) {}
  TStringNode* node;
  TFontStyles style;
  TColor color;
};

// A buffered line or paragraph break.
class TActionElement : public TParentTextElement {
 public:
  explicit TActionElement(TActionKind action) : action(action) {}
  TActionKind action;
};

// The owned elements waiting to be laid out.
class TTextElementList {
 public:
  void AddString(TStringNode* node, TFontStyles style, TColor color);
  void AddAction(TActionKind action);
  TParentTextElement* Get(size_t index) const { return items_[index].get(); }
  // The element at `index` as a string element, or null.
  TStringElement* StringAt(size_t index) const;
  size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TParentTextElement>> items_;
};

// Who waits for the start of which area node, found through its first string node.
struct TNodeObserver {
  IStartingPosObserver* observer;
  TAreaNode* area_node;
  TStringNode* string_node;
};

// The pending starting-position requests of one text handler.
class TNodeObserverList : public TOwnerPointerList<TNodeObserver> {
 public:
  void Add(IStartingPosObserver* observer, TAreaNode* area_node, TStringNode* string_node);
  const TNodeObserver& At(size_t index) const { return *items_[index]; }
  // Index of the first record waiting for `node`, or -1.
  int64_t IndexOf(const TStringNode* node) const;
  void Remove(size_t index);
};

// Buffers texts, wraps them into lines at word boundaries and draws them.
class ITextHandler {
 public:
  virtual ~ITextHandler() = default;
  virtual int32_t GetCurrentX() const = 0;
  virtual int32_t GetCurrentY() const = 0;
  virtual int32_t GetLineHeight() const = 0;
  virtual ICanvas& GetCanvas() const = 0;
  // Buffers `node`; a leading space lays out the buffer first, a trailing one afterwards.
  virtual void AddString(TStringNode* node, TFontStyles style, TColor color) = 0;
  // Buffers a paragraph break and lays out the buffer.
  virtual void AddParagraphBreak() = 0;
  // Buffers a line break and lays out the buffer.
  virtual void AddLineBreak() = 0;
  // Lays out and draws everything buffered, then empties the buffer.
  virtual void EmptyBuffer() = 0;
  // The bottom of the current line.
  virtual int32_t GetUsedHeight() const = 0;
  virtual bool IsBufferEmpty() const = 0;
  // Reports to `observer` where the first text of `node` is placed.
  virtual void ObserveStartingPos(IStartingPosObserver* observer, TAreaNode* node) = 0;
};

// The text handler of one render.
class TTextHandler : public ITextHandler {
 public:
  // Lays out inside `rect` from (start_x, start_y); measures the line height on "fg" in the
  // plain style of the canvas font.
  TTextHandler(const TRect& rect, int32_t start_x, int32_t start_y, ICanvas& canvas);

  int32_t GetCurrentX() const override { return x_; }
  int32_t GetCurrentY() const override { return y_; }
  int32_t GetLineHeight() const override { return line_height_; }
  ICanvas& GetCanvas() const override { return canvas_; }
  void AddString(TStringNode* node, TFontStyles style, TColor color) override;
  void AddParagraphBreak() override;
  void AddLineBreak() override;
  void EmptyBuffer() override;
  int32_t GetUsedHeight() const override { return y_ + line_height_; }
  bool IsBufferEmpty() const override { return buffer_.Count() == 0; }
  void ObserveStartingPos(IStartingPosObserver* observer, TAreaNode* node) override;

 private:
  void NotifyObservers(TStringNode* node);
  void LayOutString(size_t index, const TStringElement& element);
  TWordInfo MeasureWord(size_t index,
                        const TStringElement& element,
                        const std::u16string& word,
                        int32_t n,
                        const IWordEnumerator& words);
  void DrawPiece(TStringNode* node, const std::u16string& text, bool trim);

  int32_t x_;
  int32_t y_;
  TTextElementList buffer_;
  TRect rect_;
  ICanvas& canvas_;
  int32_t line_height_ = 0;
  TNodeObserverList observers_;
};

}  // namespace xa

#endif  // XA_LINKLABEL_TEXT_HANDLER_H_
