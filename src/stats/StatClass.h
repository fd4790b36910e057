#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/GameSettings.h"

namespace corvel {

class TCustomStat;
class TStatList;

// Flag bits of a method (the letters shown after its caption, in bit order).
enum TStatFlag : std::uint8_t {
    kFlagS = 1,   // depends on the order of the numbers within a draw
    kFlagN = 2,   // a bare combination is enough: prefetchable
    kFlagD = 4,   // needs the reference draw as well
    kFlagP = 8,   // period method
    kFlagG = 16,  // graph method (added by AllFlags)
};

inline constexpr int kGroupCount = 13;

// What a statistic method class says about itself without an instance: the
// class-level operations of the method hierarchy. Every method class has one
// constant descriptor; the registry lists descriptors, and an instance keeps a
// reference to the descriptor it was created from.
struct TStatClass {
    const char* ClassName = "";
    const char* Code = "";        // code template; may hold one "%d" for the parameter
    const char* Caption = "";     // caption template; may hold "%0:d"
    const char* FamilyCode = "";  // help topic family; empty: the code template
    std::uint8_t Group = 0;
    std::uint8_t Flags = 0;
    bool Graph = false;
    bool Enabled = true;
    bool Listed = true;
    bool CanParseValue = true;
    // Parameter range of a parameter family; none for a single method.
    void (*ParamRange)(const TGameSettings& settings, int& low, int& high) = nullptr;
    std::unique_ptr<TCustomStat> (*Create)(const TStatClass& cls, const TStatList& list, int param) = nullptr;

    bool HasParamRange() const { return ParamRange != nullptr; }
    std::string CodeFor(int param) const;
    std::string CaptionFor(int param) const;
    std::string GetFamilyCode() const { return *FamilyCode ? FamilyCode : Code; }
    std::uint8_t AllFlags() const { return static_cast<std::uint8_t>(Flags | (Graph ? kFlagG : 0)); }
    bool IsPrefetchable() const { return (Flags & kFlagN) != 0; }
    // "ms-its:" topic address of the method in the help file; empty when no
    // help file is set or it does not exist.
    std::string HelpTopic(int param, const std::string& helpFile) const;
};

template <class T>
std::unique_ptr<TCustomStat> CreateStatOf(const TStatClass& cls, const TStatList& list, int param) {
    return std::make_unique<T>(cls, list, param);
}

// The flag letters of the set bits in bit order ("SNG").
std::string FlagLetters(std::uint8_t flags);
// Three-letter code and caption of a group; "#ERROR#" for an unknown group.
std::string_view GroupCode(int group);
std::string_view GroupCaption(int group);

}  // namespace corvel
