#pragma once

#include <ctime>
#include <optional>
#include <string>

// The toolkit stamps every PDF it makes with the moment it was made, so two PDFs of the same
// pages differ. This sets that stamp to a date of the caller's (in UTC), or blanks it out,
// keeping every byte where it was, since the PDF's table of objects counts bytes.
namespace PdfDocumentDate {

// The last moment a PDF date can hold: its year has four digits.
inline constexpr std::time_t kLatest = 253402300799;  // 9999-12-31 23:59:59 UTC

// Sets or blanks the stamp in the PDF, in place; false when it holds none. A date past kLatest
// blanks it, as no date does: the moment of making is never left in.
bool Set(std::string& pdf, std::optional<std::time_t> date);

// The date a build asks for: SOURCE_DATE_EPOCH, in seconds since 1970, when it is set and valid.
// A value that is no such date (not a whole number, before 1970, past kLatest) is no date, and
// `problem` says why; an empty value is none.
std::optional<std::time_t> FromEnvironment(std::string& problem);

}  // namespace PdfDocumentDate
