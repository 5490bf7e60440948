#ifndef XA_WIZARD_SUMMARY_H_
#define XA_WIZARD_SUMMARY_H_

#include <string>
#include <vector>

#include "package/xa_data.h"

namespace xa {

// The lines of the ready page's summary: name and version (with build and release when above
// 0), the checked terminal folders in list order, the program folder under
// `program_files_with_delimiter` and the Start-menu folder, each value indented by eight blanks.
std::vector<std::string> SummaryLines(const TXaData& record,
                                      const std::vector<std::string>& checked_folders,
                                      const std::string& program_files_with_delimiter);

}  // namespace xa

#endif  // XA_WIZARD_SUMMARY_H_
