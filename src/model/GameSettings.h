#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/GameConstants.h"
#include "model/Money.h"

// The game settings that the statistic registry carries: matrix and channel
// geometry, stake cost and prizes, weight coefficients, generation and
// shredding. Defaults are those of a missing settings file.
namespace corvel {

struct TProfit {
    std::uint8_t Overlap = 0;  // matched numbers
    TMoney Profit;
};

// Weight coefficients of the statistics table.
struct TCdlCoefficients {
    long double CountCoef = 0;
    long double DeviationCoef = -1;
    long double LevelCoef = 1;
    bool UsePercents = false;
    bool UseAbsValues = false;
    friend bool operator==(const TCdlCoefficients&, const TCdlCoefficients&) = default;
};

struct TConfigData {
    std::int32_t MatrixCols = 6;
    std::int32_t ChannelSize = 6;
    TMoney Cost;
    std::int32_t MaxStake = 6;
    std::vector<TProfit> Profits;
    TCdlCoefficients CDL;
    std::array<std::uint8_t, kMaxNumber> MatrixSegments = DefaultSegments();  // entry n-1: segment of n

    static constexpr std::array<std::uint8_t, kMaxNumber> DefaultSegments() {
        std::array<std::uint8_t, kMaxNumber> s{};
        for (auto& v : s) v = 1;
        return s;
    }
};

struct TGameSettings {
    TConfigData Config;
    TCdlCoefficients CDLDefault;
    std::uint8_t CombsGenerateMode = 0;
    std::string CombsGenerateParameters;
    std::array<std::string, 3> Formulas;
    std::array<std::int32_t, 3> FormulaDigits{};

    // Parameter ranges of the families that depend on the settings.
    int ChannelCount() const;  // ceil(48 / ChannelSize), 0 when ChannelSize <= 0
    int RowCount() const;      // ceil(48 / MatrixCols), 0 when MatrixCols <= 0
    int MinSegment() const;
    int MaxSegment() const;
};

}  // namespace corvel
