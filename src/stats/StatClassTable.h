#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/StatClass.h"

// The fixed registration order of every method class and the families that
// build them. The order names each class with the family that will build it;
// a family that is built lists its class rows. Registration walks the order
// and takes each class from its family's rows, so a name spelt differently in
// the two places would drop a method: RegistrationProblems finds every such
// disagreement, and a test holds the real tables to none.
namespace corvel {

enum class TStatFamily : std::uint8_t {
    Numbers,  // number properties
    Sums,
    Differences,
    Channels,
    Matrix,  // matrix columns and rows
    Segments,
    Sequences,  // sequences and repeats
    Combined,   // combined values
    Groups,     // Ognev numbers, serial groups and periods
    Chains,
    Shredding,
};

struct TRegistrationEntry {
    std::string_view ClassName;
    TStatFamily Family;
};

struct TBuiltFamily {
    TStatFamily Family;
    std::span<const TStatClass> Classes;
};

std::span<const TRegistrationEntry> RegistrationOrder();
std::span<const TBuiltFamily> BuiltFamilies();

// Every disagreement between the order and the built families, one text each:
// a class of a built family that the order does not name for that family, a
// name the order gives a built family that has no such class, and a name
// given twice. Families that are not built are not checked.
std::vector<std::string> RegistrationProblems(std::span<const TRegistrationEntry> order,
                                              std::span<const TBuiltFamily> families);

// The classes of the built families in registration order.
std::vector<const TStatClass*> BuildClassTable(std::span<const TRegistrationEntry> order,
                                               std::span<const TBuiltFamily> families);

}  // namespace corvel
