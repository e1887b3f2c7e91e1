#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

// Rewrites a text file where it stands, for a file whose folder takes no temporary beside it, so
// that a crash at any moment leaves a file whose Text() is all the old text or all the new:
// overwriting the old bytes from the front would, for a moment or for good, show the new text's
// head over the old text's tail, and one write of many pages is cut at any page when the process
// is killed.
//
// The new text is first appended, flushed, behind a line of its own (the journal line)
//
//   "; glyphera in-place save <old size> <new size> <FNV-1a 64 of the new text in 16 hex digits>"
//
// which starts a line at or behind the new size, so that the rewrite of the head never reaches
// it, and lies within one page, so that it is written whole or not at all. Blanks before it (on a
// line of their own) keep it there. Only then is the new text written over the head, the file cut
// to its length and flushed. Text() reads a file so left by the last journal line in it: behind a
// line whose new text follows complete to the end of the file and matches its hash, the text is
// that new text; behind any other, the old text, which ends where the line says. A last line that
// is a part of a journal line's mark is a journal line cut short as well.
namespace InPlaceRewrite {

// Rewrites `path` with `bytes`. Gives the cause of a failure, after which the file's Text() is
// `old` (the text it held): a journal that could not be written whole is cut off again, and a
// head that could not be rewritten gets `old` back.
std::error_code Write(const std::string& path, std::string_view bytes, std::string_view old);

// The text a file holds, its bytes being `file`: the file itself unless a rewrite of it stopped
// before it ended (see above).
std::string_view Text(std::string_view file);

// The largest size a file of `fileSize` bytes reaches while Write rewrites it with `newSize`.
std::size_t LargestSize(std::size_t fileSize, std::size_t newSize);

// What Write appends behind a file of `fileSize` bytes whose last byte is `last` (ignored for an
// empty file) before the new text goes over its head: the tests cut it at every byte.
std::string Journal(std::size_t fileSize, char last, std::string_view bytes);

}  // namespace InPlaceRewrite
