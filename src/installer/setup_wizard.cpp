#include "installer/setup_wizard.h"

#include "installer/package_format.h"

namespace installer {
namespace {

constexpr std::string_view kDisplayControlPanel = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1";

}  // namespace

WizardModel::WizardModel(std::string programName, bool isProgramExe, std::string_view windowsDirectory,
                         std::string systemDirectory)
    : Directory(DefaultDestination(windowsDirectory, programName)),
      programName_(std::move(programName)),
      isProgramExe_(isProgramExe),
      systemDirectory_(std::move(systemDirectory)) {}

PageView WizardModel::SetPage(int page) {
  CurrentPage = page;
  PageView view;
  switch (page) {
    case kWelcomePage:
      break;
    case kDestinationPage:
      if (!isProgramExe_) {
        // A screensaver belongs in the system directory, where the display
        // control panel finds it: no choice to offer.
        Directory = systemDirectory_;
        view.startInstall = true;
        break;
      }
      view.backEnabled = true;
      view.directoryShown = true;
      break;
    case kInstallPage:
      view.startInstall = true;
      view.readDirectory = true;
      break;
    case kFinishPage:
      view.nextEnabled = false;
      view.cancelText = "Finish";
      view.checkShown = outcome_.installed;
      view.checkText = isProgramExe_ ? "Yes,Launch the program file." : "Yes,Launch the screen saver setting program file.";
      break;
  }
  return view;
}

std::vector<PageLine> WizardModel::PageTexts() const {
  switch (CurrentPage) {
    case kWelcomePage:
      return {{20, "Welcom to " + programName_ + " Setup Program."},
              {35, "This program will install " + programName_},
              {50, "on your computer."},
              {80, "It is strongly recommended that you exit all Windows programs"},
              {95, "before running this Setup program."},
              {125, "Click Cancel to quit Setup and then close any programs you have  "},
              {140, "running. Click Next to continue with the Setup program."}};
    case kDestinationPage:
      return {{20, "Setup will install " + programName_ + " in the folllowing directory."},
              {35, "To install to this directory, Click Next."},
              {65, "To install to a different directory,click Browse and select another"},
              {80, "directory."},
              {110, "You can choose not to install " + programName_ + " by clicking "},
              {125, "Cancel to exit Setup."}};
    case kFinishPage:
      if (!outcome_.installed)
        return {{20, "Setup could not finish copying files to your computer."},
                {35, programName_ + " has not been installed."},
                {50, outcome_.failure},
                {200, "Click Finish to quit Setup."}};
      return {{20, "Setup has finished copying files to your computer."},
              {35, isProgramExe_ ? "Setup will now launch the program." : "Setup will now launch the screen saver program."},
              {50, "Select your option below."},
              {200, "Click Finish to complete Setup."}};
    default:
      return {};
  }
}

std::optional<LaunchCommand> WizardModel::FinishLaunch() const {
  if (!Launch || !outcome_.installed) return std::nullopt;
  if (!isProgramExe_) return LaunchCommand{std::string(kDisplayControlPanel), true};
  // Quoted, so that a directory with blanks names this program and no other.
  return LaunchCommand{"\"" + Directory + "\\" + InstalledFileName(programName_, true) + "\"", false};
}

std::string DefaultDestination(std::string_view windowsDirectory, std::string_view programName) {
  const auto colon = windowsDirectory.find(':');
  const std::string drive = colon == std::string_view::npos || colon + 1 >= windowsDirectory.size()
                                ? std::string("C:\\")
                                : std::string(windowsDirectory.substr(0, colon + 2));
  return drive + "Program Files\\" + std::string(programName);
}

std::string PackagePathFromCommandLine(std::string_view commandLine) {
  const auto first = commandLine.find('"');
  const auto last = commandLine.rfind('"');
  if (first == std::string_view::npos || last == first) return {};
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  std::string_view path = commandLine.substr(first + 1, last - first - 1);
  while (!path.empty() && isBlank(path.front())) path.remove_prefix(1);
  while (!path.empty() && isBlank(path.back())) path.remove_suffix(1);
  return std::string(path);
}

PrepareCounter::Shown PrepareCounter::Tick(int randomValue) {
  counter_ += randomValue * 10 / kRandMax;
  if (counter_ <= 100) return {counter_, false};
  return {100, true};
}

std::string PercentText(int percent) { return std::to_string(percent) + "%"; }

bool MakeDirectoryPath(std::string path, DirectoryMaker& directories) {
  auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  if (path.empty() || !isSeparator(path.back())) path += '\\';
  for (size_t i = 1; i < path.size(); ++i) {
    if (!isSeparator(path[i])) continue;
    const std::string level = path.substr(0, i + 1);
    if (!directories.FolderExists(level) && !directories.MakeFolder(level)) return false;
  }
  return true;
}

}  // namespace installer
