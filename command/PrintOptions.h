#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printing/FontSheets.h"

// What a command line asks glyphera-print to do.
struct PrintOptions {
  // The FONT arguments: installed families, font files and folders, in the order given.
  std::vector<std::string> Fonts;
  bool All = false;        // every installed family
  bool Recursive = false;  // folders' subfolders too
  // The sheets, in the order a print job makes them.
  std::vector<SheetKind> Sheets;
  std::optional<int> SampleSize;
  // The Text Paragraphs sizes, in points.
  std::optional<std::vector<float>> ParagraphSizes;
  bool Bold = false;
  bool Italic = false;
  std::optional<std::string> HeadingFont;
  std::optional<std::string> TextsFile;
  std::optional<std::string> Output;
  std::optional<std::string> Printer;
  std::optional<std::string> Paper;
  // Processes that make the pages of one PDF at once; unset: one per processor, at most two.
  std::optional<int> Jobs;
  bool Quiet = false;
  bool Help = false;
  bool Version = false;
};

// The options, or why the command line cannot be taken.
struct ParsedOptions {
  PrintOptions Options;
  std::string Error;
};

// Reads the arguments that follow the program's name.
ParsedOptions ParsePrintOptions(const std::vector<std::string>& arguments);

// What --help prints.
std::string PrintUsage();
