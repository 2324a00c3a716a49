// showpack: puts a show into a screensaver program, and shows what a built
// screensaver carries.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "base/paths.h"
#include "container_writer.h"
#include "inspect.h"
#include "installer_command.h"
#include "package_inspect.h"
#include "manifest.h"

namespace {

// Without --player: the 32-bit screensaver of the same dist folder.
std::string DefaultPlayer(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return base::Utf8FromPath(self.parent_path().parent_path() / "win32" / "screensaver.scr");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"showpack: build a slide-show screensaver from a manifest, or inspect one"};
  app.require_subcommand(1);

  std::string manifestPath, outputPath, playerPath, inspectPath;
  auto* build = app.add_subcommand("build", "write the show of MANIFEST.toml onto a copy of the screensaver program");
  build->add_option("manifest", manifestPath, "the show's manifest (TOML)")->required();
  build->add_option("-o,--output", outputPath, "the screensaver to write (NAME.scr)")->required();
  build->add_option("--player", playerPath, "the bare screensaver program (default: ../win32/screensaver.scr)");

  auto* inspect = app.add_subcommand("inspect", "print the index, the project fields and every item record");
  inspect->add_option("file", inspectPath, "a built screensaver or setup program")->required();
  const showpack::InstallerCommand installer(app);

  CLI11_PARSE(app, argc, argv);
  try {
    if (*build) {
      const showpack::Manifest manifest = showpack::ReadManifest(manifestPath);
      showpack::WriteOptions options;
      options.playerPath = playerPath.empty() ? DefaultPlayer(argv[0]) : playerPath;
      options.outputPath = outputPath;
      options.progress = [](const std::string& line) { std::cerr << "showpack: " << line << '\n'; };
      showpack::WriteScreensaver(manifest, options);
      std::cout << "wrote " << outputPath << " (" << manifest.items.size() << " items, " << manifest.music.size()
                << " music files)\n";
    } else if (installer.Chosen()) {
      installer.Run(std::cout);
    } else {
      showpack::InspectFile(inspectPath, std::cout);
    }
  } catch (const std::exception& error) {
    std::cerr << "showpack: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
