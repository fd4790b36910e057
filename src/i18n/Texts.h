#pragma once

#include "i18n/StringTable.h"

// The user-visible texts as constants texts::kName: each converts to the text
// in the language in use (see i18n/StringTable.h).
namespace corvel::texts {

#define CORVEL_TEXT(name, ...) inline constexpr ::corvel::i18n::TextId k##name{#name, __VA_ARGS__};
#include "i18n/Texts.inc"
#include "i18n/TextsCli.inc"
#include "i18n/TextsGui.inc"
#undef CORVEL_TEXT

// The generation modes 0..4 of the combination list, in order.
inline constexpr ::corvel::i18n::TextId kCombsGenerateModes[] = {
    kCombsGenerateModes0, kCombsGenerateModes1, kCombsGenerateModes2, kCombsGenerateModes3, kCombsGenerateModes4};

}  // namespace corvel::texts
