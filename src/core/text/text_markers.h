#pragma once

#include <string>
#include <string_view>

// Routines that cut marketplace pages by fixed markers. Texts are GBK byte strings; positions
// and cuts are byte-wise. All markers passed in are non-empty. Every routine runs in time
// linear in its input.
namespace corpgather {

// The text between the first `start` and the next `end` after it; empty when either is
// missing. GBK-aware: an occurrence never begins on the trail byte of a double-byte
// character, and the text is seen only up to its first zero byte.
std::string BetweenText(std::string_view source, std::string_view start, std::string_view end);

// BetweenText with the tags removed; not trimmed.
std::string BetweenTextNoTags(std::string_view source, std::string_view start,
                              std::string_view end);

// BetweenText on the source from the first `anchor` (inclusive); empty without the anchor.
std::string BetweenAfterAnchor(std::string_view source, std::string_view anchor,
                               std::string_view start, std::string_view end);

// BetweenAfterAnchor with the tags removed and trimmed at both ends (a "clean" value).
std::string FieldAfterAnchor(std::string_view source, std::string_view anchor,
                             std::string_view start, std::string_view end);

// The n-th (from 0) cell between `start` and `end`, tags removed and trimmed.
std::string NthCellText(std::string_view row, std::string_view start, std::string_view end, int n);

// How many header cells stand before the anchor's cell in its table row.
int HeaderColumnIndex(std::string_view page, std::string_view anchor);

std::string ReverseText(std::string_view text);

// Removes every tag from "<" through the next ">"; a "<" without ">" drops the rest.
std::string StripTags(std::string_view text);

// Each "&nbsp;" with the blanks and control bytes after it becomes one blank.
std::string NbspToSpace(std::string_view text);

// The texts between `start` and `end` of each occurrence, joined by ",".
std::string JoinLinkTexts(std::string_view source, std::string_view start, std::string_view end);

// Removes the text between the first `start` and the next `end`, keeping both markers; a
// missing marker gives that marker followed by "不存在！".
std::string CutBetweenMarks(std::string_view source, std::string_view start,
                            std::string_view end);

// Joins the text before the first `separator` with the text after it, leading blanks removed.
std::string JoinAtLineBreak(std::string_view source, std::string_view separator);

// Replaces every occurrence of `oldText` by `newText` (which must not contain `oldText`).
std::string ReplaceAllText(std::string_view oldText, std::string_view newText,
                           std::string_view source);

// The text after the n-th entry's cut marker; the page unchanged for n = 0.
std::string SkipListEntries(std::string_view page, std::string_view entryMark,
                            std::string_view cutMark, int count);

}  // namespace corpgather
