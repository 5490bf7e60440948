#ifndef XA_XAPACK_RTF_DOCUMENT_H_
#define XA_XAPACK_RTF_DOCUMENT_H_

#include <optional>
#include <string>
#include <string_view>

namespace xa::xapack {

// A minimal RTF document showing a UTF-8 plain text: "\", "{" and "}" escaped, line breaks
// as paragraphs, tabs as \tab and every character beyond ASCII as \uN? so that the document is
// plain ASCII whatever the code page. A leading byte-order mark is dropped. nullopt when `text`
// is not UTF-8.
std::optional<std::string> WrapTextAsRtf(std::string_view text);

// True when `bytes` start like an RTF document ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

}  // namespace xa::xapack

#endif  // XA_XAPACK_RTF_DOCUMENT_H_
