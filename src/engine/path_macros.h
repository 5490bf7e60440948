#ifndef XA_ENGINE_PATH_MACROS_H_
#define XA_ENGINE_PATH_MACROS_H_

#include <string>
#include <vector>

#include "package/function_ref.h"
#include "shell/sys_folders.h"

namespace xa {

// One line of the macro list: a name with its braces and the folder it stands for.
struct TMacro {
  std::string Name;
  std::string Value;
};

// Ordered: expansion goes from the first line to the last.
using TMacroList = std::vector<TMacro>;

// Looks up a special folder as GetSysFolder does; replaceable for tests.
using SysFolderLookup = TFunctionRef<std::string(SysFolderId, bool)>;

inline constexpr char kMetaTraderMacro[] = "{metatrader}";

// Clears `macros` and fills it with {app} (Program Files + "\" + `program_name`), {bootdir},
// {windir}, {winsysdir} and {mydocuments}, in that order, each without a trailing delimiter.
void BuildMacroList(TMacroList& macros,
                    const std::string& program_name,
                    const SysFolderLookup& lookup);

// Replaces the value of the line named `name` (compared without regard to ANSI case), or
// appends the line when there is none; an empty value deletes the line instead.
void SetMacroValue(TMacroList& macros, const std::string& name, const std::string& value);

// `target` with every occurrence of every macro name replaced by its value, line by line in
// list order, matching names without regard to ANSI case. Text a line inserts is searched by
// the later lines only. Anything that is no macro stays as it is.
std::string ExpandMacros(const std::string& target, const TMacroList& macros);

// True when `target` goes into each terminal: it holds "{metatrader}" in any ASCII case.
bool IsTerminalTarget(const std::string& target);

}  // namespace xa

#endif  // XA_ENGINE_PATH_MACROS_H_
