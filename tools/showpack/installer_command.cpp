#include "installer_command.h"

#include <filesystem>

#include "base/paths.h"

namespace showpack {
namespace {

// The dist folder: showpack lives in dist/tools.
std::string DistFolder() {
  std::error_code ec;
  const auto self = std::filesystem::canonical("/proc/self/exe", ec);
  return ec ? std::string("dist") : base::Utf8FromPath(self.parent_path().parent_path());
}

}  // namespace

InstallerCommand::InstallerCommand(CLI::App& app)
    : command_(app.add_subcommand("installer", "wrap a built show into a setup program (installer.exe with a package)")) {
  command_->add_option("show", options_.programPath, "the built show, NAME.scr; NAME names the installed program")
      ->required();
  command_->add_option("-o,--output", options_.outputPath, "the setup program to write (Setup.exe)")->required();
  command_->add_flag("--program", options_.isProgram, "install as an ordinary program NAME.exe in a folder of the "
                                                       "user's choice, instead of a screensaver");
  command_->add_option("--player-bits", bits_, "32 or 64: which builds of the installer and uninstaller to use "
                                               "(by default those of the show's program)")
      ->check(CLI::IsMember({32, 64}));
}

void InstallerCommand::Run(std::ostream& out) const {
  PackageOptions options = options_;
  if (bits_) options.playerBits = bits_;
  options.distFolder = DistFolder();
  const std::string name = WritePackage(options);
  out << "wrote " << options.outputPath << " (installs " << name << (options.isProgram ? ".exe" : ".scr") << ")\n";
}

}  // namespace showpack
