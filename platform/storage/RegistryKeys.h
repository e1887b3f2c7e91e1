#pragma once

// Registry keys and values the program reads and writes.
namespace RegistryKeys {
inline constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kFontsValue = "Fonts";
inline constexpr const char* kNtFonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kFonts = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}  // namespace RegistryKeys
