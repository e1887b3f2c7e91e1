#pragma once

#include <string>

// Where a program keeps its settings file and finds the files it was installed with, decided
// from the folder it runs from.
//
// The settings file stays beside the program in a copy run from its build folder and in a
// portable copy (a folder holding the settings file, which the user can write); an installed
// copy, in a folder that is not its user's, keeps it in its own folder under the user's
// configuration folder ($XDG_CONFIG_HOME/glyphera).
namespace ProgramFolder {

// The folder of the program file, ending in "/"; the root for a name without one.
std::string DirOf(const std::string& programFile);

struct Facts {
  // Holds the settings file, which the user can write (the folder itself need not be writable).
  bool HoldsWritableSettings = false;
  // The folder the program was built in: it holds the build's CMakeCache.txt.
  bool IsBuildFolder = false;
  bool Writable = false;
};

// What the file system says of the folder (ending in "/").
Facts Inspect(const std::string& programDir, const std::string& settingsName);

// The settings file of a program in programDir (ending in "/"); configFolder is the program's
// folder under the user's configuration folder, without a closing "/".
std::string SettingsFile(const std::string& programDir, const std::string& settingsName,
                         const Facts& facts, const std::string& configFolder);

// A file the program was installed with: beside the program, else where an installed copy's
// data lies (dataFromBin, relative to programDir); the path beside the program when neither
// exists.
std::string DataFile(const std::string& programDir, const std::string& name,
                     const std::string& dataFromBin);

}  // namespace ProgramFolder
