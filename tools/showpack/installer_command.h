// showpack installer NAME.scr -o Setup.exe [--program] [--player-bits 32|64]
#pragma once

#include <CLI/CLI.hpp>

#include <ostream>

#include "package_writer.h"

namespace showpack {

class InstallerCommand {
 public:
  // Registers the subcommand; installer.exe and svremove.exe come from the
  // win32/ or win64/ folder beside showpack's own folder.
  explicit InstallerCommand(CLI::App& app);
  bool Chosen() const { return static_cast<bool>(*command_); }
  void Run(std::ostream& out) const;

 private:
  CLI::App* command_;
  PackageOptions options_;
  int bits_ = 0;
};

}  // namespace showpack
