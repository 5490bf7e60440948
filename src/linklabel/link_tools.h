#ifndef XA_LINKLABEL_LINK_TOOLS_H_
#define XA_LINKLABEL_LINK_TOOLS_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "linklabel/types.h"

namespace xa {

inline constexpr char kCannotBeInstantiated[] = "This class cannot be instantiated";

// Base of classes that only offer static operations; constructing one raises
// EGenericToolsError "This class cannot be instantiated".
class TStaticObject {
 public:
  TStaticObject();
};

// String helpers shared by the parser, the layout and the control.
class TStringTools : public TStaticObject {
 public:
  // True when `s` begins with `prefix` (case-sensitive).
  static bool StartsWith(std::u16string_view s, std::u16string_view prefix);
  // True when `s` ends with `suffix` (case-sensitive).
  static bool EndsWith(std::u16string_view s, std::u16string_view suffix);
  // Replaces the first occurrence of `old_text` in `s` by `new_text` until none is left, so
  // replacements that form a new occurrence are replaced too; true when anything was replaced.
  // When `new_text` itself contains `old_text` the text is scanned once, left to right, so the
  // call always ends. An empty `old_text` replaces nothing.
  static bool ReplaceAll(std::u16string_view old_text,
                         std::u16string_view new_text,
                         std::u16string& s);
  // `s` with every CR LF pair removed in one left-to-right pass.
  static std::u16string RemoveLineBreaks(std::u16string_view s);
};

// Geometry helpers.
class TGraphicTools : public TStaticObject {
 public:
  // True when `p` lies inside `r`, all four edges included.
  static bool PointInRect(const TRect& r, const TPoint& p);
};

// A list that owns the blocks it holds; Clear frees them all.
template <typename T>
class TOwnerPointerList {
 public:
  virtual ~TOwnerPointerList() = default;

  // Frees every block and empties the list.
  virtual void Clear() { items_.clear(); }
  // Number of blocks held.
  size_t Count() const { return items_.size(); }

 protected:
  std::vector<std::unique_ptr<T>> items_;
};

// Owned copies of rectangles, in the order they were added.
class TRectList : public TOwnerPointerList<TRect> {
 public:
  // Appends a copy of `r`.
  void Add(const TRect& r) { items_.push_back(std::make_unique<TRect>(r)); }
  // The rectangle at `index` (< Count()).
  const TRect& Get(size_t index) const { return *items_[index]; }
};

}  // namespace xa

#endif  // XA_LINKLABEL_LINK_TOOLS_H_
