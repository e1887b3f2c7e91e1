#pragma once

#include <ctime>
#include <optional>
#include <string>

// The toolkit stamps every PDF it makes with the moment it was made, so two PDFs of the same
// pages differ. This sets that stamp to a date of the caller's (in UTC), or blanks it out,
// keeping every byte where it was, since the PDF's table of objects counts bytes.
namespace PdfDocumentDate {

// Sets or blanks the stamp in the PDF, in place; false when it holds none.
bool Set(std::string& pdf, std::optional<std::time_t> date);

// The date a build asks for: SOURCE_DATE_EPOCH, in seconds since 1970, when it is set and valid.
std::optional<std::time_t> FromEnvironment();

}  // namespace PdfDocumentDate
