#include "command/PrintOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <sstream>
#include <string_view>

#include "printing/ParagraphSizes.h"

namespace {

// The sample size box's range.
constexpr int kSmallestSample = 4;
constexpr int kLargestSample = 60;
constexpr int kMostJobs = 64;
// The sizes the Text Paragraphs sheet offers: 7 to 12 in halves, then 13 and 14.
constexpr std::array<float, kParagraphSizeCount> kParagraphPoints = {
    7, 7.5, 8, 8.5, 9, 9.5, 10, 10.5, 11, 11.5, 12, 13, 14};

std::vector<std::string_view> SplitCommas(std::string_view list) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t comma = list.find(',');
    parts.push_back(list.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    list.remove_prefix(comma + 1);
  }
}

std::string ParseSheets(std::string_view list, std::vector<SheetKind>& sheets) {
  sheets.clear();
  for (std::string_view part : SplitCommas(list)) {
    const Sheet* named = SheetNamed(std::string(part));
    if (named == nullptr) {
      std::string known;
      for (const Sheet* sheet : Sheets()) {
        known += std::string(known.empty()              ? ""
                             : sheet == Sheets().back() ? " and "
                                                        : ", ") +
                 sheet->CommandName();
      }
      return "unknown sheet \"" + std::string(part) + "\" (the sheets are " + known + ")";
    }
    if (std::find(sheets.begin(), sheets.end(), named->Kind()) == sheets.end()) {
      sheets.push_back(named->Kind());
    }
  }
  std::sort(sheets.begin(), sheets.end());
  return {};
}

std::optional<float> ParseNumber(std::string_view text) {
  float number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return number;
}

std::string ParseParagraphSizes(std::string_view list, std::vector<float>& sizes) {
  sizes.clear();
  for (std::string_view part : SplitCommas(list)) {
    const std::optional<float> points = ParseNumber(part);
    if (!points || std::find(kParagraphPoints.begin(), kParagraphPoints.end(), *points) ==
                       kParagraphPoints.end()) {
      return "no paragraph size \"" + std::string(part) +
             "\" (the sizes are 7 to 12 in halves, 13 and 14)";
    }
    sizes.push_back(*points);
  }
  return {};
}

std::string ParseSize(std::string_view text, std::optional<int>& size) {
  const std::optional<float> number = ParseNumber(text);
  if (!number || *number != std::floor(*number) || *number < kSmallestSample ||
      *number > kLargestSample) {
    return "the sample size must be a whole number from " + std::to_string(kSmallestSample) +
           " to " + std::to_string(kLargestSample);
  }
  size = static_cast<int>(*number);
  return {};
}

// An option that takes a value: its short and long names.
struct ValueOption {
  char Short;
  const char* Long;
};
constexpr std::array<ValueOption, 9> kValueOptions = {{{'s', "sheets"},
                                                       {0, "size"},
                                                       {0, "paragraph-sizes"},
                                                       {0, "heading-font"},
                                                       {0, "texts"},
                                                       {'o', "output"},
                                                       {'P', "printer"},
                                                       {0, "paper"},
                                                       {'j', "jobs"}}};

std::string TakeValue(const std::string& name, const std::string& value, PrintOptions& options) {
  if (name == "sheets") return ParseSheets(value, options.Sheets);
  if (name == "size") return ParseSize(value, options.SampleSize);
  if (name == "paragraph-sizes") {
    return ParseParagraphSizes(value, options.ParagraphSizes.emplace());
  }
  if (name == "jobs") {
    const std::optional<float> jobs = ParseNumber(value);
    if (!jobs || *jobs != std::floor(*jobs) || *jobs < 1 || *jobs > kMostJobs) {
      return "the jobs must be a whole number from 1 to " + std::to_string(kMostJobs);
    }
    options.Jobs = static_cast<int>(*jobs);
  } else if (name == "paper") {
    if (value != "A4" && value != "Letter") return "the paper is A4 or Letter";
    options.Paper = value;
  } else if (name == "heading-font") {
    options.HeadingFont = value;
  } else if (name == "texts") {
    options.TextsFile = value;
  } else if (name == "output") {
    options.Output = value;
  } else if (name == "printer") {
    options.Printer = value;
  }
  return {};
}

std::string TakeFlag(const std::string& name, PrintOptions& options) {
  if (name == "all") {
    options.All = true;
  } else if (name == "r" || name == "recursive") {
    options.Recursive = true;
  } else if (name == "bold") {
    options.Bold = true;
  } else if (name == "italic") {
    options.Italic = true;
  } else if (name == "q" || name == "quiet") {
    options.Quiet = true;
  } else if (name == "h" || name == "help") {
    options.Help = true;
  } else if (name == "version") {
    options.Version = true;
  } else {
    return "unknown option " + std::string(name.size() == 1 ? "-" : "--") + name;
  }
  return {};
}

// The long name of a value option named by name (long, or a short letter); empty for none.
std::string ValueOptionNamed(const std::string& name) {
  for (const ValueOption& option : kValueOptions) {
    if (name == option.Long || (option.Short != 0 && name.size() == 1 && name[0] == option.Short)) {
      return option.Long;
    }
  }
  return {};
}

}  // namespace

ParsedOptions ParsePrintOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  PrintOptions& options = parsed.Options;
  options.Sheets = {SheetKind::SampleText};
  bool optionsEnd = false;
  for (std::size_t i = 0; i < arguments.size() && parsed.Error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnd || argument.size() < 2 || argument[0] != '-') {
      options.Fonts.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnd = true;
      continue;
    }
    // "--name", "--name=value", "-x", "-x value" and "-xvalue".
    const bool isLong = argument[1] == '-';
    std::string name = argument.substr(isLong ? 2 : 1, isLong ? std::string::npos : 1);
    std::optional<std::string> value;
    if (isLong) {
      if (const std::size_t equals = name.find('='); equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
      }
    } else if (argument.size() > 2) {
      value = argument.substr(2);
    }
    const std::string valueOption = ValueOptionNamed(name);
    if (valueOption.empty()) {
      if (value && isLong) {
        parsed.Error = "--" + name + " takes no value";
      } else if (value) {
        // Short flags together: "-qr".
        for (char flag : argument.substr(1)) {
          if (parsed.Error.empty()) parsed.Error = TakeFlag(std::string(1, flag), options);
        }
      } else {
        parsed.Error = TakeFlag(name, options);
      }
      continue;
    }
    if (!value) {
      if (i + 1 == arguments.size()) {
        parsed.Error = argument + " needs a value";
        break;
      }
      value = arguments[++i];
    }
    parsed.Error = TakeValue(valueOption, *value, options);
  }
  if (parsed.Error.empty() && options.Output && options.Printer) {
    parsed.Error = "--output and --printer cannot be given together";
  }
  return parsed;
}

std::string PrintUsage() {
  return R"(Usage: glyphera-print [OPTIONS] FONT...
Prints specimen sheets of fonts, as Glyphera's window prints them, without a display.

FONT is an installed family as Glyphera lists it ("DejaVu Sans Condensed"), a font file
(TrueType, OpenType, collections, WOFF, WOFF 2; every face of a collection or variable font),
or a folder of font files.

  --all                  every installed family, in the list's order
  -r, --recursive        read the subfolders of folders too (not the links to folders)
  -s, --sheets LIST      sample,chart,full,paragraphs,coverage (default: sample), printed in
                         that order; coverage: an index of the Unicode blocks a face has and
                         a chart of each, with bookmarks
      --size N           the Sample Text size in points, 4 to 60 (default: 11)
      --paragraph-sizes LIST
                         the Text Paragraphs sizes, from 7, 7.5 ... 12, 13, 14
                         (default: 9,10,11,12,13,14)
      --bold, --italic   print in bold, in italic
      --heading-font FAMILY
                         the font of the sheets' headings (default: the settings file's)
      --texts FILE       take the sample texts from this settings file (it must exist)
  -o, --output FILE.pdf  one PDF with every page, in order; a file is replaced whole once
                         the PDF is (keeping its permissions), a device or FIFO written into,
                         - is standard output; never one of the fonts or the texts file
  -P, --printer QUEUE    print on a CUPS queue, whose printer's own families may be named;
                         without -o or -P, one PDF per sheet in the PDF printer's folder
      --paper A4|Letter  the paper of PDF output (default: the PDF printer's)
  -j, --jobs N           processes making the pages of -o at once, 1 to 64 (default: one
                         per processor, at most 2); the PDF is the same whatever the number
  -q, --quiet            no progress (on a terminal: faces done, a coverage book's pages)
  -h, --help             this help
      --version          the program's version

Exit status: 0 everything printed; 1 some fonts could not be printed (each is named on standard
error) and the rest were; 2 a usage error or nothing to print; 3 the output could not be written.
)";
}
