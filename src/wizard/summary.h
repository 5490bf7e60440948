#ifndef XA_WIZARD_SUMMARY_H_
#define XA_WIZARD_SUMMARY_H_

#include <string>
#include <vector>

#include "package/function_ref.h"
#include "package/xa_data.h"

namespace xa {

// The lines of the ready page's summary: name and version (with build and release when above
// 0), the checked terminal folders in list order, the program folder under
// `program_files_with_delimiter` and the Start-menu folder, each value indented by eight blanks.
// Each terminal folder is followed by the data folders `data_folders_of` gives for it, indented
// further, each as two lines that fit the summary's width: "and its data folder in " + the
// folder that holds it, then its own name.
std::vector<std::string> SummaryLines(
    const TXaData& record,
    const std::vector<std::string>& checked_folders,
    const std::string& program_files_with_delimiter,
    TFunctionRef<std::vector<std::string>(const std::string&)> data_folders_of = {});

// `folder` with a leading `app_data` folder (ASCII case ignored) written as "%APPDATA%", as
// MetaTrader's own documents name data folders; short enough for the summary's width.
std::string ShortDataFolder(const std::string& folder, const std::string& app_data);

}  // namespace xa

#endif  // XA_WIZARD_SUMMARY_H_
