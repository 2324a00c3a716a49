// The Start menu's program group of an installed ordinary program: commands
// to a Program Manager DDE server on the topic "Program" ("[CreateGroup(..)]",
// "[AddItem(..)]"), a shortcut file on the Windows 95 family when the item's
// path holds a blank, and, where no Program Manager answers (current Windows),
// a shortcut in the common Programs folder.
#pragma once

#include <string>
#include <string_view>

namespace installer {

inline constexpr std::string_view kProgmanTopic = "Program";
inline constexpr std::string_view kCreateGroupCommand = "CreateGroup";
inline constexpr std::string_view kAddItemCommand = "AddItem";
inline constexpr std::string_view kDeleteGroupCommand = "DeleteGroup";

// "[" command "(" argument ")]", whole however long; empty when the argument
// is empty (such a command is not sent).
std::string DdeCommandText(std::string_view command, std::string_view argument);

// The shortcut's file name for an item: the item path's file name with its
// extension (from the last dot) replaced by ".lnk".
std::string ShortcutFileName(std::string_view itemPath);

// The platform's side: a DDE client conversation, the shell link object and
// the folders involved.
class ProgramGroupShell {
 public:
  virtual ~ProgramGroupShell() = default;
  // A conversation with any server on `topic` (no service name).
  virtual bool Connect(std::string_view topic) = 0;
  // Sends one command text as an execute transaction; true when the DDE
  // library accepted it.
  virtual bool Execute(const std::string& commandText) = 0;
  virtual void Disconnect() = 0;
  virtual bool IsWindows95Family() = 0;
  virtual std::string WindowsDirectory() = 0;
  // The Start menu's Programs folder for all users; empty when unknown.
  virtual std::string CommonProgramsFolder() = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
  virtual bool CreateShellLink(const std::string& target, const std::string& description,
                               const std::string& linkPath) = 0;
};

// How the group was made, for the caller to report.
enum class GroupRoute { None, ProgramManager, ProgramManagerShortcut, StartMenuShortcut };

// Creates the group `programName` with its item installDirectory\programName.exe.
GroupRoute CreateProgramGroup(std::string_view programName, std::string_view installDirectory,
                              ProgramGroupShell& shell);

// Where the shortcut of each shortcut route lies (for the uninstaller too).
std::string Windows95ShortcutPath(std::string_view windowsDirectory, std::string_view programName,
                                  std::string_view itemPath);
std::string StartMenuGroupFolder(std::string_view commonPrograms, std::string_view programName);

}  // namespace installer
