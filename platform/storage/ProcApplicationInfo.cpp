#include "platform/storage/ProcApplicationInfo.h"

#include <QCoreApplication>
#include <filesystem>

#include "platform/storage/ProgramFolder.h"
#include "platform/storage/XdgFolders.h"
#include "platform/text/QtText.h"

#ifndef GLYPHERA_DATA_FROM_BIN
#define GLYPHERA_DATA_FROM_BIN "../share/glyphera"
#endif

std::string ProcApplicationInfo::ProgramFile() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return exe.string();
  return ToStdString(QCoreApplication::applicationFilePath());
}

std::string ProcApplicationInfo::ProgramDir() {
  return ProgramFolder::DirOf(ProgramFile());
}

std::string ProcApplicationInfo::SettingsFile(const std::string& name) {
  const std::string dir = ProgramDir();
  return ProgramFolder::SettingsFile(dir, name, ProgramFolder::Inspect(dir, name),
                                     XdgFolder("XDG_CONFIG_HOME", ".config") + "/glyphera");
}

std::string ProcApplicationInfo::DataFile(const std::string& name) {
  return ProgramFolder::DataFile(ProgramDir(), name, GLYPHERA_DATA_FROM_BIN);
}
