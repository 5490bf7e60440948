#ifndef XA_XAPACK_TARGET_PATH_H_
#define XA_XAPACK_TARGET_PATH_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Target paths of package files: a path macro, a backslash, then folders and a file name.
namespace xa::xapack {

// The macros the installer expands, in their canonical (lower-case) spelling.
inline constexpr std::string_view kKnownMacros[] = {"{app}",       "{bootdir}",     "{windir}",
                                                    "{winsysdir}", "{mydocuments}", "{metatrader}"};

// `text` with its ASCII letters in lower case, which is how Windows and the installer compare
// names here; other bytes, parts of ANSI or UTF-8 characters, stay as they are.
std::string AsciiLower(std::string_view text);

// The known macro that `text` starts with, compared ignoring ASCII case (as the installer
// does), in its canonical spelling; empty when there is none.
std::string_view LeadingMacro(std::string_view text);

// True when `text` holds a known macro anywhere, ignoring ASCII case. The installer expands
// macros wherever they occur, so such a text would turn into an absolute path.
bool ContainsMacro(std::string_view text);

// Why `target` cannot be a package file's target path, as a phrase ("does not start with a
// known macro ..."); nullopt when it is a safe target: a known macro, then "\" and non-empty
// names without "." or ".." components, without a second macro and without characters Windows
// refuses in file names (names ending in a dot or a blank count as refused: Windows would drop
// the end and could turn them into "..").
std::optional<std::string> TargetPathProblem(std::string_view target);

// The names under which extraction stores `target`, the canonical macro first, then its
// folders and file name; nullopt for a target TargetPathProblem refuses.
std::optional<std::vector<std::string>> ExtractionPath(std::string_view target);

// A key under which two targets that name the same file on Windows compare equal: ASCII
// letters lower-cased, "/" taken as "\".
std::string TargetKey(std::string_view target);

// True when `name` is usable as one file or folder name on Windows: not empty, no control
// characters, none of \ / : * ? " < > |, not ending in a dot or a blank.
bool IsPortableFileName(std::string_view name);

// True when `name` can name a Start-menu shortcut: one or more names that IsPortableFileName
// accepts, separated by single backslashes (sub-folders of the menu folder), so no empty, "."
// or ".." part and no leading or trailing backslash.
bool IsShortcutName(std::string_view name);

}  // namespace xa::xapack

#endif  // XA_XAPACK_TARGET_PATH_H_
