#include "command/PrintCommand.h"

#include <sched.h>
#include <unistd.h>

#include <QApplication>
#include <QHashSeed>
#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "app/StartupValues.h"
#include "command/BookPrinter.h"
#include "command/CommandPrintJob.h"
#include "command/CommandSheetTexts.h"
#include "command/FontSources.h"
#include "command/PrintOptions.h"
#include "command/TerminalProgress.h"
#include "platform/PlatformError.h"
#include "platform/desktop/QtMessageDispatch.h"
#include "platform/files/RedirectedOutput.h"
#include "platform/fonts/FontconfigFontServices.h"
#include "platform/fonts/FontconfigFontTable.h"
#include "platform/fonts/FreeTypeFontFileCheck.h"
#include "platform/fonts/ResidentFontClones.h"
#include "platform/printers/PdfBookFile.h"
#include "platform/printers/PdfDocumentDate.h"
#include "platform/printers/PdfSheetFiles.h"
#include "platform/printers/Printers.h"
#include "platform/storage/ProcApplicationInfo.h"
#include "platform/storage/ProfileStrings.h"
#include "platform/storage/RegistryStore.h"
#include "platform/text/TerminalText.h"
#include "platform/text/TextCompare.h"
#include "settings/SampleTextKeys.h"

#ifndef GLYPHERA_VERSION
#define GLYPHERA_VERSION "unknown"
#endif

namespace {

constexpr const char* kProgram = "glyphera-print";

std::atomic<bool> interrupted{false};

// Everything the command says goes to standard error through here. File and family names come
// from the file system and the fonts themselves, so their control characters are shown escaped:
// a name must never move the terminal's cursor, set its title or clear it.
void Say(const std::string& text) {
  std::cerr << TerminalText(text) << '\n';
}

void KeepQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Say(message.toStdString());
}

void Warn(const std::string& text) {
  Say(std::string(kProgram) + ": " + text);
}

int UsageError(const std::string& text) {
  Warn(text);
  std::cerr << "Try '" << kProgram << " --help' for more information.\n";
  return PrintCommand::kUsage;
}

// The paragraph sizes a job prints: those asked for, or the ones ticked when the window opens.
ParagraphSizeTable ParagraphSizesFor(const PrintOptions& options) {
  ParagraphSizeTable table = StartupValues::DefaultParagraphSizes();
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i].Checked = StartupValues::kParagraphBoxesCheckedAtStart[i];
    if (options.ParagraphSizes) {
      const std::vector<float>& asked = *options.ParagraphSizes;
      table[i].Checked = std::find(asked.begin(), asked.end(), table[i].PointSize) != asked.end();
    }
  }
  return table;
}

bool IsKnownFamily(IFontServices& fonts, const std::string& name) {
  if (!ResidentFontClone(name).empty()) return true;
  const std::string folded = FoldCase(name);
  for (const std::string& family : fonts.InstalledFamilies()) {
    if (FoldCase(family) == folded) return true;
  }
  return false;
}

// The files of the faces, in the font table while the job draws them.
class LentFiles {
 public:
  LentFiles(IFontTable& table, const std::vector<SourceFace>& faces) : table_(table) {
    for (const SourceFace& face : faces) {
      if (face.File && paths_.insert(face.Path).second) table_.AddFontResource(face.Path);
    }
    if (!paths_.empty()) table_.BroadcastFontChange();
  }
  ~LentFiles() {
    for (const std::string& path : paths_) table_.RemoveFontResource(path);
  }

 private:
  IFontTable& table_;
  std::set<std::string> paths_;
};

class Command {
 public:
  explicit Command(const PrintOptions& options)
      : options_(options), paragraphSizes_(ParagraphSizesFor(options)) {}

  int Run() {
    if (!options_.Output) {
      if (const int status = ChoosePrinter(); status != PrintCommand::kPrinted) return status;
    }
    std::vector<NamedSource> named;
    try {
      // A queue's list holds the families its printer has itself, as the window's list does then.
      named = ListFontSources(options_, fonts_, options_.Printer ? &printers_->Fonts() : nullptr);
    } catch (const PlatformError& error) {
      Warn(error.what());
      return PrintCommand::kOutputFailed;
    }
    if (const int status = RefuseOutputAmongInputs(named); status != PrintCommand::kPrinted) {
      return status;
    }
    if (const int status = TakeTexts(); status != PrintCommand::kPrinted) return status;
    std::string dateProblem;
    date_ = PdfDocumentDate::FromEnvironment(dateProblem);
    if (!dateProblem.empty()) Warn(dateProblem);
    const FontSources sources = ReadFontSources(named, fontFiles_);
    for (const std::string& failure : sources.Failures) Warn(failure);
    if (sources.Faces.empty()) {
      Warn("nothing to print");
      return PrintCommand::kUsage;
    }
    const LentFiles lent(fontTable_, sources.Faces);
    if (!options_.Quiet && isatty(STDERR_FILENO)) {
      progress_ = std::make_unique<TerminalProgress>(stderr);
    }
    const int status = options_.Output ? PrintBook(sources.Faces) : PrintSheets(sources.Faces);
    progress_.reset();
    if (status != PrintCommand::kPrinted) return status;
    return sources.Failures.empty() && !facesLeftOut_ ? PrintCommand::kPrinted
                                                      : PrintCommand::kSomeFailed;
  }

 private:
  // The book would take the place of a file it is made from, which would be lost: a font, or the
  // texts. Refused before any font is opened.
  int RefuseOutputAmongInputs(const std::vector<NamedSource>& named) const {
    if (!options_.Output) return PrintCommand::kPrinted;
    if (*options_.Output == "-") {
      if (!isatty(STDOUT_FILENO)) return PrintCommand::kPrinted;
      return UsageError("standard output is a terminal; a PDF is no text to show there");
    }
    const auto same = [this](const std::string& input) {
      std::error_code error;
      return std::filesystem::equivalent(*options_.Output, input, error);
    };
    for (const NamedSource& source : named) {
      if (source.What == NamedSource::File && same(source.Path)) {
        return UsageError("the output " + *options_.Output + " is the font file " + source.Name +
                          ", which it would replace");
      }
    }
    if (options_.TextsFile && same(*options_.TextsFile)) {
      return UsageError("the output " + *options_.Output + " is the texts file " +
                        *options_.TextsFile + ", which it would replace");
    }
    return PrintCommand::kPrinted;
  }

  int TakeTexts() {
    try {
      texts_.Read(profile_,
                  options_.TextsFile ? *options_.TextsFile
                                     : program_.SettingsFile(SampleTextKeys::kFileName),
                  options_.TextsFile.has_value());
    } catch (const PlatformError& error) {
      if (options_.TextsFile) return UsageError(error.what());
      // The window starts with the default texts too when its file cannot be read.
      Warn(std::string(error.what()) + " The default texts are used.");
      texts_.UseDefaults();
    }
    if (options_.HeadingFont) {
      if (!IsKnownFamily(fonts_, *options_.HeadingFont)) {
        return UsageError("no installed font family is named \"" + *options_.HeadingFont + "\"");
      }
      texts_.SetHeadingFont(*options_.HeadingFont);
    }
    texts_.SetStyle(options_.Bold, options_.Italic);
    if (options_.SampleSize) texts_.SetSampleSize(*options_.SampleSize);
    return PrintCommand::kPrinted;
  }

  Printers& PrintersOfThisRun() {
    if (!printers_) {
      printers_ = std::make_unique<Printers>(fonts_, registry_, dispatch_);
      printers_->SetDate(date_);
      if (options_.Paper) printers_->UsePaper(*options_.Paper);
    }
    return *printers_;
  }

  int ChoosePrinter() {
    Printers& printers = PrintersOfThisRun();
    if (!options_.Printer) {
      printers.SetPrinterIndex(0);  // the PDF printer
      return PrintCommand::kPrinted;
    }
    std::vector<std::string> names = printers.PrinterNames();
    auto found = std::find(names.begin(), names.end(), *options_.Printer);
    if (found == names.end()) {
      // The start waits only briefly for the queues: the server is asked once more, and when it
      // is not there or still silent, that is the cause.
      printers.ReadPrinters();
      names = printers.PrinterNames();
      found = std::find(names.begin(), names.end(), *options_.Printer);
    }
    if (found == names.end()) {
      if (!printers.PrintServerAnswered()) {
        Warn("unable to print on \"" + *options_.Printer + "\": the print server does not answer");
        return PrintCommand::kOutputFailed;
      }
      return UsageError("no printer is named \"" + *options_.Printer + "\"");
    }
    printers.SetPrinterIndex(static_cast<int>(found - names.begin()));
    return PrintCommand::kPrinted;
  }

  CommandPrintJob::Progress Progress() {
    return [this](const JobProgress& where) {
      if (progress_) progress_->Show(where);
    };
  }
  static bool Stop() { return interrupted.load(); }

  // Ends the progress line, then names the faces left out of a sheet.
  void NameFailures(const std::vector<std::string>& failures) {
    progress_.reset();
    for (const std::string& failure : failures) Warn(failure);
    facesLeftOut_ = !failures.empty();
  }

  // Prints on the document; false when interrupted. Names the faces left out of a sheet.
  bool PrintOn(IPrintDocument& printer, const std::vector<SourceFace>& faces) {
    CommandPrintJob job(printer, texts_, fonts_, paragraphSizes_);
    const auto named = qScopeGuard([this, &job] { NameFailures(job.Failures()); });
    return job.Run(options_.Sheets, faces, Progress(), Stop);
  }

  int PrintSheets(const std::vector<SourceFace>& faces) {
    try {
      if (!PrintOn(printers_->Document(), faces)) return Interrupted();
    } catch (const PlatformError& error) {
      Warn(error.what());
      return PrintCommand::kOutputFailed;
    }
    return PrintCommand::kPrinted;
  }

  // Every page into one file, written as it is made: a file through a hidden temporary that
  // takes the file's name only once all of it is on the disk, a device or a FIFO (or standard
  // output, "-") directly.
  int PrintBook(const std::vector<SourceFace>& faces) {
    const std::string& output = *options_.Output;
    const bool toStandardOutput = output == "-";
    // The PDF printer's paper, read without starting the printer list: that asks the print
    // server from a thread of its own, and a process with a second thread cannot fork workers.
    const std::string paper =
        options_.Paper ? *options_.Paper : PdfSheetFiles(registry_).PaperSize();
    BookPrinter printer({texts_, fonts_, paragraphSizes_, paper, date_});
    std::string failure;
    bool stopped = false;
    const SafeWrite::Filler write = [&](int fd) -> std::error_code {
      PdfBookFile file(fd);
      const auto named = qScopeGuard([this, &printer] { NameFailures(printer.Failures()); });
      try {
        stopped = !printer.Print(file, options_.Sheets, faces,
                                 options_.Jobs ? *options_.Jobs : DefaultJobs(), Progress(), Stop);
      } catch (const PlatformError& error) {
        failure = error.what();
        return std::make_error_code(std::errc::io_error);
      }
      if (stopped) return std::make_error_code(std::errc::operation_canceled);
      return file.Finish();
    };
    const std::error_code error =
        toStandardOutput ? write(STDOUT_FILENO) : RedirectedOutput::Write(output, write, Stop);
    if (stopped || (error == std::errc::operation_canceled && Stop())) return Interrupted();
    if (error) {
      Warn("Unable to write to " + (toStandardOutput ? "standard output" : output) + ": " +
           (failure.empty() ? error.message() : failure));
      return PrintCommand::kOutputFailed;
    }
    return PrintCommand::kPrinted;
  }

  // One process per processor this one may run on, two at most: each more takes some 60 MB.
  static int DefaultJobs() {
    constexpr int kMostByDefault = 2;
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::clamp(CPU_COUNT(&set), 1, kMostByDefault);
  }

  static int Interrupted() {
    Warn("interrupted; nothing more was printed");
    return PrintCommand::kInterrupted;
  }

  const PrintOptions& options_;
  const ParagraphSizeTable paragraphSizes_;
  CommandSheetTexts texts_;
  ProcApplicationInfo program_;
  FontconfigFontServices fonts_;
  ProfileStrings profile_;
  RegistryStore registry_{RegistryStore::DefaultFilePath()};
  QtMessageDispatch dispatch_;
  FontconfigFontTable fontTable_{true};
  FreeTypeFontFileCheck fontFiles_;
  std::unique_ptr<Printers> printers_;
  std::unique_ptr<TerminalProgress> progress_;
  bool facesLeftOut_ = false;
  std::optional<std::time_t> date_;
};

}  // namespace

namespace PrintCommand {

int Run(const std::vector<std::string>& arguments) {
  const ParsedOptions parsed = ParsePrintOptions(arguments);
  if (!parsed.Error.empty()) return UsageError(parsed.Error);
  const PrintOptions& options = parsed.Options;
  if (options.Help) {
    std::cout << PrintUsage();
    return kPrinted;
  }
  if (options.Version) {
    std::cout << kProgram << ' ' << GLYPHERA_VERSION << '\n';
    return kPrinted;
  }
  if (options.Fonts.empty() && !options.All) return UsageError("no font given");
  // The sheets are drawn off the screen: no display is needed, and no window is ever made.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The PDF writer lists the fonts of a document in the order of a hash table: with the same
  // seed in every run, the same sheets give the same bytes.
  QHashSeed::setDeterministicGlobalSeed();
  // What the toolkit says on the way (no runtime folder, say) is no concern of the command's.
  if (qEnvironmentVariableIsEmpty("GLYPHERA_DEBUG")) qInstallMessageHandler(KeepQuiet);
  static int argc = 1;
  static char name[] = "glyphera-print";
  static char* argv[] = {name, nullptr};
  const QApplication application(argc, argv);
  return Command(options).Run();
}

void Interrupt() {
  interrupted = true;
}

}  // namespace PrintCommand
