#include "wizard/wizard_texts.h"

#include "package/text_join.h"

namespace xa {

std::string DisplayVersion(const TXaData& record) {
  return JoinText({record.ProgramName, " v", std::to_string(record.VersionMajor), ".",
                   std::to_string(record.VersionMinor)});
}

TRoleTexts InstallTexts(const TXaData& record) {
  const std::string version = DisplayVersion(record);
  const std::string& name = record.ProgramName;
  TRoleTexts texts;
  texts.Title = "Install - " + name;
  texts.LabelStart1 = JoinText({"Welcome to the ", version, " Installation Wizard"});
  texts.LabelStart2 = JoinText({"This will install ", version,
                                " on your computer. "
                                "Please close all MetaTrader applications before you continue "
                                "with the installation."
                                "<br><br>Click Next to continue with the installation, or click "
                                "Cancel to exit."});
  texts.LabelFinish2 = JoinText({"The wizard has finished installing ", name,
                                 " to your computer. "
                                 "You can now launch the MetaTrader application to see ",
                                 name, " in action."});
  return texts;
}

TRoleTexts UninstallTexts(const TXaData& record) {
  const std::string version = DisplayVersion(record);
  const std::string& name = record.ProgramName;
  TRoleTexts texts;
  texts.Title = "Uninstall - " + name;
  texts.LabelStart1 = JoinText({"Welcome to the ", version, " Uninstallation Wizard"});
  texts.LabelStart2 = JoinText({"This will uninstall ", version,
                                " from your computer. "
                                "Please close all MetaTrader applications before you continue "
                                "with the uninstallation."
                                "<br><br>Click Next to continue with the uninstallation, or "
                                "click Cancel to exit."});
  texts.LabelFinish1 = "Uninstallation Complete";
  texts.LabelFinish2 = JoinText({"The wizard has finished uninstalling ", name,
                                 " from your computer. "
                                 "You can re-install the program anytime using the installer we "
                                 "provided.\r\n\r\nClick Finish to continue."});
  texts.LabelProgress1 = "Uninstallation in Progress";
  texts.LabelProgress2 = "Please wait while the wizard is removing files from your computer.";
  texts.LabelProgress3 = "Uninstallation progress ...";
  return texts;
}

std::u16string ErrorBoxText(std::u16string message) {
  if (!message.empty() && message.back() > u'.')
    message += u'.';
  return message;
}

}  // namespace xa
