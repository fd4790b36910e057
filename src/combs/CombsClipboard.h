#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "model/CombsArray.h"
#include "model/Expected.h"

// Combinations as clipboard text. Copying writes one line per combination,
// the six numbers as two-digit decimals joined with a space, lines joined
// with CR LF. Pasting reads one combination per line, the words separated by
// tab, space or any of , - . : ; | ; blank lines are passed over.
namespace corvel {

class TCombsList;

// The text of the given rows, in the order given; rows past the end of the
// list are left out.
std::string CombsClipboardText(const TCombsArray& list, std::span<const std::size_t> rows);

// Replaces the list with the pasted combinations; or refuses with the text to
// show and leaves the list as it was. Every line must hold exactly six
// integers 0..255: the first line that does not is named in the refusal. More
// combinations than the list holds are refused as a whole, and so is a text
// without any combination line.
TCheck ParseCombsPaste(std::string_view text, TCombsArray& list);

// Pasting as the new list: on success the undo copy is forgotten (the pasted
// list does not descend from the old one); a refused text throws
// EInvalidArgument and leaves the list and its undo copy as they were.
void PasteCombs(TCombsList& list, std::string_view text);

}  // namespace corvel
