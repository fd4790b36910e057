#pragma once

#include <cstddef>
#include <string_view>

#include "model/CombsArray.h"
#include "combs/NumberSet.h"

// Building a new combination list: every combination, those made with or
// without the user's numbers, or the contents of an .lcv file.
namespace corvel {

enum class ECombsGenerateMode : int {
    All = 0,            // every combination
    AnyOfNumbers = 1,   // at least one of the user's numbers
    OnlyNumbers = 2,    // nothing but the user's numbers
    NoneOfNumbers = 3,  // none of the user's numbers
    File = 4,           // the combinations of an .lcv file
};

// The stored setting as a mode: anything outside 0..4 means every combination.
ECombsGenerateMode ToGenerateMode(int mode);

// How many combinations the mode gives for the numbers (modes 0 to 3).
std::size_t GeneratedCount(ECombsGenerateMode mode, const TNumberSet& numbers);

// Replaces the list with the combinations of mode 0 to 3, in lexicographic
// order with ascending numbers. Throws ECorvelError, leaving the list as it
// was, when they do not fit.
void GenerateFromNumbers(TCombsArray& list, ECombsGenerateMode mode, const TNumberSet& numbers);

// A new list by the stored mode: mode 4 reads the file named by the
// parameters, modes 1 to 3 take the user's numbers from them. Throws
// ECorvelError (EFileError for the file of mode 4) and then leaves the list as
// it was.
void GenerateCombs(TCombsArray& list, int mode, std::string_view parameters);

}  // namespace corvel
