#include "xapack/cli.h"

#include <map>
#include <set>

#include "package/errors.h"
#include "package/executable_path.h"
#include "xapack/installer_builder.h"
#include "xapack/listing_format.h"
#include "xapack/manifest.h"
#include "xapack/os_services.h"
#include "xapack/package_extractor.h"
#include "xapack/package_init.h"
#include "xapack/package_listing.h"
#include "xapack/progress_line.h"

namespace xa::xapack {
namespace {

constexpr char kUsage[] =
    "usage: xapack init FOLDER\n"
    "       xapack build MANIFEST -o Setup.exe [--stub STUB.exe] [--key HEX32]\n"
    "       xapack list FILE [--json]\n"
    "       xapack extract FILE -C DIR\n"
    "       xapack --help | --version\n";

constexpr char kHelp[] =
    "\n"
    "xapack builds installers of MetaTrader 4 add-on packages from a manifest (package.toml).\n"
    "\n"
    "commands:\n"
    "  init FOLDER      write a commented manifest for the files of FOLDER, laid out as a\n"
    "                   terminal's data folder (MQL4\\Experts, MQL4\\Indicators, ..., templates),\n"
    "                   as package.toml beside the folder (in the folder that holds it), so that\n"
    "                   `xapack build package.toml` there takes it; never replaces a manifest\n"
    "  build MANIFEST   build the installer named by -o from the manifest\n"
    "      -o Setup.exe     the installer to write\n"
    "      --stub STUB.exe  the program to build it from (default: xasetup.exe beside xapack)\n"
    "      --key HEX32      the content key as 32 hex digits, for a reproducible installer\n"
    "  list FILE        show what an installer or uninstaller carries (--json: as JSON)\n"
    "  extract FILE     decipher the package files of an installer into DIR\\{app}\\...,\n"
    "                   DIR\\{metatrader}\\... (-C DIR)\n"
    "  --help, -h       show this help\n"
    "  --version        show the version of xapack\n"
    "\n"
    "docs/vendor-guide.md takes a package from a folder of MQL4 files to a signed installer.\n";

// A command line that does not fit the usage; the message says what is wrong.
class UsageError : public Exception {
 public:
  using Exception::Exception;
};

struct Arguments {
  std::vector<std::string> operands;
  std::map<std::string, std::string> options;
  std::set<std::string> flags;
};

// Splits `args` after the command; `with_value` options take the next argument.
Arguments ParseArguments(const std::vector<std::string>& args,
                         const std::set<std::string>& with_value,
                         const std::set<std::string>& flags) {
  Arguments parsed;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (with_value.count(arg)) {
      if (i + 1 >= args.size())
        throw UsageError(arg + " needs a value");
      if (!parsed.options.emplace(arg, args[++i]).second)
        throw UsageError(arg + " is given twice");
    } else if (flags.count(arg)) {
      parsed.flags.insert(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg + " for " + args[0]);
    } else {
      parsed.operands.push_back(arg);
    }
  }
  return parsed;
}

std::string OneOperand(const Arguments& arguments,
                       const std::string& command,
                       const std::string& what) {
  if (arguments.operands.size() != 1)
    throw UsageError(command + " takes exactly one " + what);
  return arguments.operands[0];
}

std::string RequiredOption(const Arguments& arguments,
                           const std::string& name,
                           const std::string& command) {
  const auto it = arguments.options.find(name);
  if (it == arguments.options.end())
    throw UsageError(command + " needs " + name);
  return it->second;
}

std::string DefaultStub() {
  const std::string self = ExecutablePath();
  const size_t separator = self.find_last_of("/\\");
  const std::string stub =
      (separator == std::string::npos ? std::string() : self.substr(0, separator + 1)) +
      kDefaultStubName;
  if (self.empty() || !IsRegularFile(stub)) {
    throw Exception(std::string("no --stub given and no installer program \"") + kDefaultStubName +
                    "\" beside xapack; name one with --stub STUB.exe");
  }
  return stub;
}

int RunBuild(const std::vector<std::string>& args, std::ostream& err, bool err_is_terminal) {
  const Arguments arguments = ParseArguments(args, {"-o", "--stub", "--key"}, {});
  const std::string manifest_path = OneOperand(arguments, "build", "MANIFEST");
  BuildOptions options;
  options.output_path = RequiredOption(arguments, "-o", "build");
  if (const auto key = arguments.options.find("--key"); key != arguments.options.end()) {
    options.key = ParseKey(key->second);
    if (!options.key)
      throw UsageError("--key needs 32 hexadecimal digits (16 bytes)");
  }
  const auto stub = arguments.options.find("--stub");
  const Manifest manifest = LoadManifest(manifest_path);
  options.stub_path = stub != arguments.options.end() ? stub->second : DefaultStub();
  for (const std::string& warning : manifest.warnings)
    err << "xapack: warning: " << warning << "\n";
  int64_t total = 0;
  for (const ManifestFile& file : manifest.files)
    total += file.size;
  ProgressLine progress(err, "xapack: building " + options.output_path, total, err_is_terminal);
  options.on_read = [&progress](int64_t bytes) { progress.Add(bytes); };
  try {
    BuildInstaller(manifest, options);
  } catch (...) {
    progress.Finish();
    throw;
  }
  progress.Finish();
  return 0;
}

std::string Count(size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

int RunInit(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments arguments = ParseArguments(args, {}, {});
  const InitResult result = InitPackage(OneOperand(arguments, "init", "FOLDER"));
  out << "xapack: wrote " << result.manifest_path << " with "
      << Count(result.files, "package file");
  if (result.skipped > 0)
    out << "; " << Count(result.skipped, "other file") << " listed in its comments";
  out << "\n";
  return 0;
}

int RunList(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments arguments = ParseArguments(args, {}, {"--json"});
  const PackageListing listing = ReadListing(OneOperand(arguments, "list", "FILE"));
  out << (arguments.flags.count("--json") ? FormatListingJson(listing)
                                          : FormatListingText(listing));
  return 0;
}

int RunExtract(const std::vector<std::string>& args) {
  const Arguments arguments = ParseArguments(args, {"-C"}, {});
  const std::string installer = OneOperand(arguments, "extract", "FILE");
  ExtractPackage(installer, RequiredOption(arguments, "-C", "extract"));
  return 0;
}

int RunCommand(const std::vector<std::string>& args,
               std::ostream& out,
               std::ostream& err,
               bool err_is_terminal) {
  if (args.empty()) {
    err << kUsage;
    return 1;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << kHelp;
    return 0;
  }
  if (command == "--version") {
    out << "xapack " << XA_PROJECT_VERSION << "\n";
    return 0;
  }
  if (command == "init")
    return RunInit(args, out);
  if (command == "build")
    return RunBuild(args, err, err_is_terminal);
  if (command == "list")
    return RunList(args, out);
  if (command == "extract")
    return RunExtract(args);
  throw UsageError("unknown command \"" + command + "\"");
}

// Messages from libraries may hold line breaks; the error stays one line.
std::string OneLine(std::string text) {
  for (char& c : text)
    c = c == '\n' || c == '\r' ? ' ' : c;
  return text;
}

}  // namespace

int RunXapack(const std::vector<std::string>& args,
              std::ostream& out,
              std::ostream& err,
              bool err_is_terminal) {
  try {
    return RunCommand(args, out, err, err_is_terminal);
  } catch (const UsageError& e) {
    err << "xapack: " << OneLine(e.what()) << " (xapack --help shows the usage)\n";
  } catch (const std::bad_alloc&) {
    err << "xapack: out of memory\n";
  } catch (const std::exception& e) {
    err << "xapack: " << OneLine(e.what()) << "\n";
  }
  return 1;
}

}  // namespace xa::xapack
