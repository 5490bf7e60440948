#include "engine/path_macros.h"

#include <algorithm>

#include "engine/ansi_case.h"
#include "package/text_join.h"

namespace xa {
namespace {

// `text` with every occurrence of `name` replaced by `value`, matching without regard to case.
std::string ReplaceIgnoringCase(const std::string& text,
                                const std::string& name,
                                const std::string& value) {
  if (name.empty())
    return text;
  const std::string upper_text = AnsiUpperCase(text);
  const std::string upper_name = AnsiUpperCase(name);
  std::string result;
  size_t start = 0;
  for (size_t found = upper_text.find(upper_name); found != std::string::npos;
       found = upper_text.find(upper_name, start)) {
    result.append(text, start, found - start).append(value);
    start = found + name.size();
  }
  return result.append(text, start, std::string::npos);
}

}  // namespace

void BuildMacroList(TMacroList& macros,
                    const std::string& program_name,
                    const SysFolderLookup& lookup) {
  macros.clear();
  macros.push_back(
      {"{app}", JoinText({lookup(SysFolderId::kProgramFiles, false), "\\", program_name})});
  macros.push_back({"{bootdir}", lookup(SysFolderId::kBootDrive, false)});
  macros.push_back({"{windir}", lookup(SysFolderId::kWindows, false)});
  macros.push_back({"{winsysdir}", lookup(SysFolderId::kSystem, false)});
  macros.push_back({"{mydocuments}", lookup(SysFolderId::kUserDocuments, false)});
}

void SetMacroValue(TMacroList& macros, const std::string& name, const std::string& value) {
  const std::string upper_name = AnsiUpperCase(name);
  const auto line = std::find_if(macros.begin(), macros.end(), [&](const TMacro& macro) {
    return AnsiUpperCase(macro.Name) == upper_name;
  });
  if (line == macros.end()) {
    if (!value.empty())
      macros.push_back({name, value});
  } else if (value.empty()) {
    macros.erase(line);
  } else {
    line->Value = value;
  }
}

std::string ExpandMacros(const std::string& target, const TMacroList& macros) {
  std::string result = target;
  for (const TMacro& macro : macros)
    result = ReplaceIgnoringCase(result, macro.Name, macro.Value);
  return result;
}

bool IsTerminalTarget(const std::string& target) {
  return AsciiLowerCase(target).find(kMetaTraderMacro) != std::string::npos;
}

}  // namespace xa
