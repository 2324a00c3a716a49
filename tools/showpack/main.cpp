// showpack: puts a show into a screensaver program, shows what a built
// screensaver carries, and draws its slides and transitions as pictures.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "base/paths.h"
#include "container_writer.h"
#include "inspect.h"
#include "installer_command.h"
#include "package_inspect.h"
#include "manifest.h"
#include "preview.h"

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
  CLI::App app{"showpack: build a slide-show screensaver from a manifest, inspect one, or preview its show"};
  app.require_subcommand(1);

  std::string manifestPath, outputPath, playerPath, inspectPath;
  auto* build = app.add_subcommand("build", "write the show of MANIFEST.toml onto a copy of the screensaver program");
  build->add_option("manifest", manifestPath, "the show's manifest (TOML)")->required();
  build->add_option("-o,--output", outputPath, "the screensaver to write (NAME.scr)")->required();
  build->add_option("--player", playerPath, "the bare screensaver program (default: ../win32/screensaver.scr)");

  auto* inspect = app.add_subcommand("inspect", "print the index, the project fields and every item record");
  inspect->add_option("file", inspectPath, "a built screensaver or setup program")->required();
  const showpack::InstallerCommand installer(app);

  showpack::PreviewRequest previewRequest;
  auto* preview = showpack::AddPreviewCommand(app, previewRequest);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);  // --help
  } catch (const CLI::ParseError& error) {
    // A bad command line: one line, exit code 2.
    std::string message = error.what();
    for (char& c : message)
      if (c == '\n') c = ' ';
    std::cerr << "showpack: " << message << " (showpack --help lists the commands)\n";
    return 2;
  }
  if (*preview) return showpack::RunPreview(previewRequest, std::cout, std::cerr);
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
