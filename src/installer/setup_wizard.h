// The setup wizard's behaviour without the windows: the page switch with what
// each page shows, the texts painted on the pages, the default destination,
// the launch at the end, the package path on the command line and the
// start-up box's rising percentage.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

inline constexpr int kWelcomePage = 1;
inline constexpr int kDestinationPage = 2;
inline constexpr int kInstallPage = 3;
inline constexpr int kFinishPage = 4;

// How the installation went, for the finish page.
struct InstallOutcome {
  bool installed = false;
  std::string failure;  // why not, when not
};

// What SetPage asks of the page window.
struct PageView {
  bool startInstall = false;    // hide the page and post the start of the installation
  bool readDirectory = false;   // take the directory from the edit and create it first
  bool backEnabled = false;
  bool nextEnabled = true;
  bool directoryShown = false;  // group box, edit and "Browse..."
  bool checkShown = false;
  std::string checkText;
  std::string cancelText = "Cancel";
};

// One line painted on a page: at x = 140 pixels (at 96 dpi) and this y.
struct PageLine {
  int y;
  std::string text;
};
inline constexpr int kPageTextX = 140;

// What to run when "Finish" is pressed with the launch box checked.
struct LaunchCommand {
  std::string commandLine;
  bool restore;  // the window is restored (the control panel) rather than just shown
};

class WizardModel {
 public:
  WizardModel(std::string programName, bool isProgramExe, std::string_view windowsDirectory,
              std::string systemDirectory);

  PageView SetPage(int page);
  PageView Back() { return SetPage(CurrentPage - 1); }
  PageView Next() { return SetPage(CurrentPage + 1); }
  // The installation has run: SetPage(kFinishPage) follows.
  void SetOutcome(InstallOutcome outcome) { outcome_ = std::move(outcome); }

  // Painted lines of the current page.
  std::vector<PageLine> PageTexts() const;
  // "Cancel" before the finish page asks the user first; on the finish page
  // it is "Finish" and may launch.
  bool CancelNeedsConfirmation() const { return CurrentPage < kFinishPage; }
  // The program (or the display control panel) to start on "Finish"; nothing
  // when the box is not checked or nothing was installed.
  std::optional<LaunchCommand> FinishLaunch() const;

  const std::string& ProgramName() const { return programName_; }
  bool IsProgramExe() const { return isProgramExe_; }
  bool Installed() const { return outcome_.installed; }

  int CurrentPage = 0;
  std::string Directory;  // the destination, bound to the edit
  bool Launch = true;     // bound to the check box

 private:
  std::string programName_;
  bool isProgramExe_;
  std::string systemDirectory_;
  InstallOutcome outcome_;
};

// Drive of the Windows directory ("C:\") + "Program Files\" + the name.
std::string DefaultDestination(std::string_view windowsDirectory, std::string_view programName);

// The text between the command line's first and last double quote, without
// blanks around it; empty when there are fewer than two quotes.
std::string PackagePathFromCommandLine(std::string_view commandLine);

// The start-up box's counter: each 100 ms tick adds randomValue * 10 / 32767
// (randomValue from rand(), 0..32767); past 100 the box shows 100 and closes.
class PrepareCounter {
 public:
  static constexpr int kRandMax = 32767;
  static constexpr int kTickMilliseconds = 100;
  static constexpr int kCloseDelayMilliseconds = 80;
  struct Shown {
    int percent;
    bool finished;
  };
  Shown Tick(int randomValue);

 private:
  int counter_ = 0;
};
std::string PercentText(int percent);

// Creates every missing level of `path` (both separators count), from the
// first separator after the first character on; stops at the first level
// that cannot be created and returns false then.
class DirectoryMaker {
 public:
  virtual ~DirectoryMaker() = default;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
};
bool MakeDirectoryPath(std::string path, DirectoryMaker& directories);

}  // namespace installer
