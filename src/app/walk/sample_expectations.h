#ifndef XA_APP_WALK_SAMPLE_EXPECTATIONS_H_
#define XA_APP_WALK_SAMPLE_EXPECTATIONS_H_

namespace xa {

// What the sample package (examples/sample-package) shows and installs.
inline constexpr char kSampleName[] = "Sample Trend Indicator";
inline constexpr char16_t kSampleVersion[] = u"Sample Trend Indicator v2.10";
// Its entry in the list of installed programs, below HKEY_LOCAL_MACHINE.
inline constexpr char kSampleUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample Trend Indicator";

// Where an installed file lies: below the chosen terminal folder or the program's folder.
enum class TInstalledRoot { kTerminal, kApp };

// One file the install writes, with the package source whose bytes it must hold.
struct TInstalledFile {
  TInstalledRoot Root;
  const char* Path;
  const char* Source;  // below the package folder; null for files the install makes itself
};

inline constexpr TInstalledFile kSampleFiles[] = {
    {TInstalledRoot::kTerminal, "MQL4\\Indicators\\SampleTrend.mq4", "mql4\\SampleTrend.mq4"},
    {TInstalledRoot::kTerminal, "MQL4\\Experts\\SampleTrendTrader.mq4",
     "mql4\\SampleTrendTrader.mq4"},
    {TInstalledRoot::kApp, "Docs\\Sample Trend Manual.rtf", "docs\\Readme.rtf"},
    {TInstalledRoot::kApp, "Readme.rtf", nullptr},
    {TInstalledRoot::kApp, "License.rtf", nullptr},
    {TInstalledRoot::kApp, "What's New.rtf", nullptr},
    {TInstalledRoot::kApp, "Uninstall.exe", nullptr},
};

// Start-menu entries below the program's menu folder.
inline constexpr const char* kSampleMenuEntries[] = {
    "Sample Trend Manual.lnk", "Readme.lnk",    "License.lnk",
    "What's New.lnk",          "Uninstall.lnk", "XA Setup Samples Website.url",
    "Contact Email.url",
};

}  // namespace xa

#endif  // XA_APP_WALK_SAMPLE_EXPECTATIONS_H_
