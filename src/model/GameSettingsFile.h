#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/GameSettings.h"
#include "model/Money.h"

// The game settings file "CorvelLotto_6x48.ini": matrix and channel geometry,
// stake cost and prizes, weight coefficients (GLOBAL, STAKES, CDL), the
// generation keys (GLOBAL), the shredding formulas (SHREDDING) and the proxy
// (PROXY). Each group is read and written on its own: a load reads the file and
// takes the keys of its group, a save rewrites the file atomically with the
// group's keys replaced and every other key, section and line kept as it was.
//
// A missing file or key gives the default; a value that is not readable or
// lies outside the range the program works with gives the default too, never
// an exception. A file that exists but cannot be read throws EFileError with
// the reason; a save whose text cannot be stored (a line break, a character
// outside code page 1251) throws EInvalidArgument before the file is touched.
//
// The file holds the proxy password as typed, so a new file is created
// readable and writable by its owner only, and an existing file that holds a
// password after the save loses any group and other permissions.
namespace corvel {

// The proxy of the draw download. Mode: 0 no proxy, 1 automatic search,
// 2 manual.
struct TProxySettings {
    std::int32_t Mode = 0;
    std::string Server;
    std::int32_t Port = 80;
    std::string Username;
    std::string Password;
    friend bool operator==(const TProxySettings&, const TProxySettings&) = default;
};

inline constexpr std::int32_t kProxyOff = 0;
inline constexpr std::int32_t kProxyAuto = 1;
inline constexpr std::int32_t kProxyManual = 2;

// Ranges the program works with; a stored value outside gives the default.
struct TIntRange {
    std::int32_t Min;
    std::int32_t Max;
    constexpr bool Contains(long long v) const { return v >= Min && v <= Max; }
};
inline constexpr TIntRange kMatrixColsRange{1, kMaxNumber};
inline constexpr TIntRange kChannelSizeRange{3, kMaxNumber};
inline constexpr TIntRange kMaxStakeRange{kNumbersPerDraw, 8};  // a stake record holds up to 8 numbers
inline constexpr TIntRange kOverlapRange{0, kNumbersPerDraw};
inline constexpr TIntRange kSegmentRange{1, 9};
inline constexpr TIntRange kGenerateModeRange{0, 4};
inline constexpr TIntRange kFormulaDigitsRange{1, 5};
inline constexpr TIntRange kStoredProxyPortRange{0, 65535};  // 0: no server chosen yet
inline constexpr int kMaxProfitEntries = 256;                // one per possible Overlap byte
inline constexpr std::size_t kMaxGenerateParametersChars = 255;

inline constexpr const char* kDefaultFormulas[3] = {"(n1+n2+n3)/(n4+n5+n6)", "(n4+n5+n6)/(n1+n2+n3)",
                                                    "(n1+n3+n5)/(n2+n4+n6)"};
inline constexpr std::int32_t kDefaultFormulaDigits = 2;

// GLOBAL geometry, STAKES and CDL into settings.Config; the coefficients are
// also kept as settings.CDLDefault. Other fields stay as they are.
void LoadGameSettings(const std::filesystem::path& file, TGameSettings& settings);
void SaveGameSettings(const std::filesystem::path& file, const TGameSettings& settings);

// GLOBAL CombsGenerateMode and CombsGenerateParameters (cut to 255 characters).
void LoadGenerateSettings(const std::filesystem::path& file, TGameSettings& settings);
void SaveGenerateSettings(const std::filesystem::path& file, const TGameSettings& settings);

// SHREDDING Formula1..3 and Formula1Digits..Formula3Digits.
void LoadShreddingSettings(const std::filesystem::path& file, TGameSettings& settings);
void SaveShreddingSettings(const std::filesystem::path& file, const TGameSettings& settings);

// PROXY. Without a readable ProxyMode (missing, blank or not a number) the
// mode is manual when a server is stored, else off; a stored mode outside
// 0..2 acts as off.
TProxySettings LoadProxySettings(const std::filesystem::path& file);
void SaveProxySettings(const std::filesystem::path& file, const TProxySettings& proxy);

// Decimal numbers of the settings files: "." or "," as the separator, an
// optional exponent. Nothing for text that is not a finite number.
std::optional<long double> ParseDecimalText(std::string_view text);
// A money amount read exactly to four decimals (more decimals round half away
// from zero). Nothing for text that is not a number or too large to hold.
std::optional<TMoney> ParseMoneyText(std::string_view text);
// The forms written: "." as the separator, no needless digits, read back exactly.
std::string MoneyToIniText(TMoney amount);
std::string DecimalToIniText(long double value);

// True when the text can be written to a settings file and read back as it
// is: no line breaks or other control characters except tab, and every
// character in code page 1251.
bool IsStorableSettingText(std::string_view utf8);

}  // namespace corvel
