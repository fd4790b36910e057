#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Expected.h"
#include "model/GameSettings.h"
#include "model/GameSettingsFile.h"

// The checks of the settings dialogs (game settings, shredding formulas,
// proxy), shared by every front end. Each check accepts, or refuses with the
// text to show.
namespace corvel {

// --- game settings ---

// One cell of the segment grid as typed: empty (counts as 1) or 1..9.
TCheck CheckSegmentCell(std::string_view text);
// The segment a cell stands for: its number, 1 when empty or not acceptable.
std::uint8_t SegmentCellValue(std::string_view text);

// The stake cost as typed: a non-negative amount, "." or "," as the separator.
TCheck CheckCostText(std::string_view text);

// The prize table of the dialog, row i for i matched numbers: one entry per
// row, Overlap = i; a prize that is not readable or is negative counts as 0.
std::vector<TProfit> ProfitsFromPrizeTexts(const std::vector<std::string>& texts);

// The whole record: geometry, cost, prizes and segments within their ranges.
TCheck ValidateConfig(const TConfigData& config);

// --- shredding formulas ---

// Formula number 1..3 can be stored and evaluates on sample draws; a refusal
// gives the evaluator's text behind the formula's number.
TCheck CheckShreddingFormula(int number, std::string_view formula);
// The three formulas and digit counts; the text names the formula at fault.
TCheck ValidateShredding(const std::array<std::string, 3>& formulas, const std::array<std::int32_t, 3>& digits);

// --- proxy ---

// Server, user name and password must be storable; in manual mode the port is
// 1..65535. A manual mode without a server is acceptable (no proxy is used).
TCheck ValidateProxy(const TProxySettings& proxy);
// The record the proxy dialog stores on OK: a mode outside 0..2 is "off", and
// automatic search forgets the server, port (0), user name and password.
TProxySettings ProxyDialogResult(TProxySettings edited);

inline constexpr TIntRange kProxyPortRange{1, 65535};

}  // namespace corvel
