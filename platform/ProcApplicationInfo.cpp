#include "platform/ProcApplicationInfo.h"

#include <QCoreApplication>
#include <filesystem>

#include "platform/QtText.h"

std::string ProcApplicationInfo::ProgramFile() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return exe.string();
  return ToStdString(QCoreApplication::applicationFilePath());
}
