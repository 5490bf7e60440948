#include "linklabel/link_tools.h"

#include "linklabel/uni_utils.h"

namespace xa {

TStaticObject::TStaticObject() {
  Raise<EGenericToolsError>(kCannotBeInstantiated);
}

bool TStringTools::StartsWith(std::u16string_view s, std::u16string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool TStringTools::EndsWith(std::u16string_view s, std::u16string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool TStringTools::ReplaceAll(std::u16string_view old_text,
                              std::u16string_view new_text,
                              std::u16string& s) {
  if (old_text.empty())
    return false;
  // A fresh occurrence can only overlap the inserted text, so rescanning from just before it
  // finds exactly what a rescan from the beginning would.
  const bool self_feeding = new_text.find(old_text) != std::u16string_view::npos;
  bool replaced = false;
  size_t from = 0;
  for (;;) {
    const size_t at = s.find(old_text, from);
    if (at == std::u16string::npos)
      return replaced;
    s.replace(at, old_text.size(), new_text);
    replaced = true;
    from = self_feeding ? at + new_text.size()
                        : (at >= old_text.size() - 1 ? at - (old_text.size() - 1) : 0);
  }
}

std::u16string TStringTools::RemoveLineBreaks(std::u16string_view s) {
  return uni::Replace(s, u"\r\n", u"", uni::kReplaceAll);
}

bool TGraphicTools::PointInRect(const TRect& r, const TPoint& p) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

}  // namespace xa
