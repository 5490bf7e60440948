#ifndef XA_WIZARD_WIZARD_TEXTS_H_
#define XA_WIZARD_WIZARD_TEXTS_H_

#include <string>

#include "package/xa_data.h"

namespace xa {

// "<ProgramName> v<major>.<minor>", the numbers in decimal; build and release left out.
std::string DisplayVersion(const TXaData& record);

// The texts the wizard takes from the record for one role, in the record's 8-bit code page.
struct TRoleTexts {
  std::string Title;         // application title and form caption
  std::string LabelStart1;   // welcome heading
  std::string LabelStart2;   // welcome mark-up of the link label
  std::string LabelFinish1;  // finish heading; empty: keep the form's own
  std::string LabelFinish2;  // finish text, real line breaks
  std::string LabelProgress1;
  std::string LabelProgress2;
  std::string LabelProgress3;
};

// The texts of the install role; progress labels stay empty (the form's own apply).
TRoleTexts InstallTexts(const TXaData& record);

// The texts of the uninstall role.
TRoleTexts UninstallTexts(const TXaData& record);

// The message of the default error box: `message` with "." added when its last character sorts
// after ".".
std::u16string ErrorBoxText(std::u16string message);

}  // namespace xa

#endif  // XA_WIZARD_WIZARD_TEXTS_H_
