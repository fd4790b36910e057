#include "model/GameSettingsFile.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/IniFile.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

constexpr const char* kGlobal = "GLOBAL";
constexpr const char* kStakes = "STAKES";
constexpr const char* kCdl = "CDL";
constexpr const char* kShredding = "SHREDDING";
constexpr const char* kProxy = "PROXY";

// Amounts are limited so that amount x 10,000 always fits the 64-bit field.
constexpr int kMaxMoneyIntegerDigits = 14;

// --- reading -------------------------------------------------------------

std::int32_t ReadRanged(const IniFile& ini, const char* section, const char* key, TIntRange range,
                        std::int32_t fallback) {
    const long long v = ini.ReadInteger(section, key, fallback);
    return range.Contains(v) ? static_cast<std::int32_t>(v) : fallback;
}

long double ReadDecimal(const IniFile& ini, const char* section, const char* key, long double fallback) {
    auto text = ini.Value(section, key);
    if (!text) return fallback;
    return ParseDecimalText(*text).value_or(fallback);
}

TMoney ReadMoney(const IniFile& ini, const char* section, const std::string& key) {
    auto text = ini.Value(section, key);
    if (!text) return {};
    return ParseMoneyText(*text).value_or(TMoney{});
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsQuoted(std::string_view v) { return v.size() >= 2 && v.front() == '"' && v.back() == '"'; }

// Free texts are stored in double quotes when the ini format would otherwise
// change them: surrounding blanks are trimmed by every ini reader, and a pair
// of quotes around a value is taken off (as the Windows ini routines do too).
std::string ReadText(const IniFile& ini, const char* section, const char* key, std::string_view fallback) {
    auto v = ini.Value(section, key);
    if (!v) return std::string(fallback);
    if (IsQuoted(*v)) return v->substr(1, v->size() - 2);
    return *v;
}

void WriteText(IniFile& ini, const char* section, const char* key, std::string_view value) {
    if (!IsStorableSettingText(value))
        throw EInvalidArgument(Format(texts::kUnstorableValue, {std::string(section) + "." + key}));
    const bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value));
    ini.WriteString(section, key, quote ? "\"" + std::string(value) + "\"" : std::string(value));
}

// --- the groups ----------------------------------------------------------

void ReadGame(const IniFile& ini, TGameSettings& s) {
    TConfigData c;  // defaults for everything missing
    c.MatrixCols = ReadRanged(ini, kGlobal, "MatrixCols", kMatrixColsRange, c.MatrixCols);
    c.ChannelSize = ReadRanged(ini, kGlobal, "ChannelSize", kChannelSizeRange, c.ChannelSize);
    const std::string segments = ini.ReadString(kGlobal, "MatrixSegments", "");
    for (std::size_t i = 0; i < c.MatrixSegments.size(); ++i) {
        const char ch = i < segments.size() ? segments[i] : '1';
        c.MatrixSegments[i] = ch >= '1' && ch <= '9' ? static_cast<std::uint8_t>(ch - '0') : 1;
    }

    c.Cost = ReadMoney(ini, kStakes, "Cost");
    c.MaxStake = ReadRanged(ini, kStakes, "MaxStake", kMaxStakeRange, c.MaxStake);
    const int count = ReadRanged(ini, kStakes, "Profits", {0, kMaxProfitEntries}, 0);
    c.Profits.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto& p = c.Profits[static_cast<std::size_t>(i)];
        p.Overlap = static_cast<std::uint8_t>(
            ReadRanged(ini, kStakes, Format("Profit_%d_Overlap", {i}).c_str(), kOverlapRange, 0));
        p.Profit = ReadMoney(ini, kStakes, Format("Profit_%d_Profit", {i}));
    }

    c.CDL.CountCoef = ReadDecimal(ini, kCdl, "Count", c.CDL.CountCoef);
    c.CDL.DeviationCoef = ReadDecimal(ini, kCdl, "Deviation", c.CDL.DeviationCoef);
    c.CDL.LevelCoef = ReadDecimal(ini, kCdl, "Level", c.CDL.LevelCoef);
    c.CDL.UsePercents = ini.ReadInteger(kCdl, "UsePercents", 0) > 0;
    c.CDL.UseAbsValues = ini.ReadInteger(kCdl, "UseAbsValues", 0) > 0;

    s.Config = std::move(c);
    s.CDLDefault = s.Config.CDL;
}

// "Profit_%d_Overlap" and "Profit_%d_Profit" in any letter case.
bool IsProfitKey(std::string_view key) {
    const std::string upper = ToUpperAscii(key);
    std::string_view rest = upper;
    if (!rest.starts_with("PROFIT_")) return false;
    rest.remove_prefix(7);
    if (rest.ends_with("_OVERLAP"))
        rest.remove_suffix(8);
    else if (rest.ends_with("_PROFIT"))
        rest.remove_suffix(7);
    else
        return false;
    return !rest.empty() && rest.find_first_not_of("0123456789") == std::string_view::npos;
}

void WriteGame(IniFile& ini, const TGameSettings& s) {
    const TConfigData& c = s.Config;
    ini.WriteInteger(kGlobal, "MatrixCols", c.MatrixCols);
    std::string segments;
    for (std::uint8_t v : c.MatrixSegments) segments += kSegmentRange.Contains(v) ? static_cast<char>('0' + v) : '1';
    ini.WriteString(kGlobal, "MatrixSegments", segments);
    ini.WriteInteger(kGlobal, "ChannelSize", c.ChannelSize);

    ini.WriteString(kStakes, "Cost", MoneyToIniText(c.Cost));
    ini.WriteInteger(kStakes, "MaxStake", c.MaxStake);
    ini.WriteInteger(kStakes, "Profits", static_cast<long long>(c.Profits.size()));
    // Exactly the entries of the table: prize keys of a longer old table go.
    for (const std::string& key : ini.Keys(kStakes))
        if (IsProfitKey(key)) ini.DeleteKey(kStakes, key);
    for (std::size_t i = 0; i < c.Profits.size(); ++i) {
        ini.WriteInteger(kStakes, Format("Profit_%d_Overlap", {i}), c.Profits[i].Overlap);
        ini.WriteString(kStakes, Format("Profit_%d_Profit", {i}), MoneyToIniText(c.Profits[i].Profit));
    }

    ini.WriteString(kCdl, "Count", DecimalToIniText(c.CDL.CountCoef));
    ini.WriteString(kCdl, "Deviation", DecimalToIniText(c.CDL.DeviationCoef));
    ini.WriteString(kCdl, "Level", DecimalToIniText(c.CDL.LevelCoef));
    ini.WriteBool(kCdl, "UsePercents", c.CDL.UsePercents);
    ini.WriteBool(kCdl, "UseAbsValues", c.CDL.UseAbsValues);
}

std::string CutToCharacters(const std::string& utf8, std::size_t count) {
    const auto chars = Utf8Characters(utf8);
    if (chars.size() <= count) return utf8;
    return utf8.substr(0, static_cast<std::size_t>(chars[count].data() - utf8.data()));
}

std::string FormulaKey(std::size_t i) { return Format("Formula%d", {i + 1}); }
std::string DigitsKey(std::size_t i) { return Format("Formula%dDigits", {i + 1}); }

// --- the file ------------------------------------------------------------

bool HoldsPassword(const IniFile& ini) { return !ReadText(ini, kProxy, "ProxyPassword", "").empty(); }

// Takes group and other rights off an existing file that is to hold a password.
// Done before the rewrite, which keeps the mode of the old file, so the new
// content is never readable by others; and once more after it, for a file
// this user could write but not change the mode of (the rewrite makes it ours).
void TightenIfNeeded(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && (st.st_mode & 077) != 0) ::chmod(file.c_str(), st.st_mode & 0700);
}

template <typename Change>
void Rewrite(const std::filesystem::path& file, Change change) {
    IniFile ini = IniFile::Load(file);  // an unreadable file is never replaced
    change(ini);
    const bool secret = HoldsPassword(ini);
    if (secret) TightenIfNeeded(file);
    ini.Save(file, 0600);
    if (secret) TightenIfNeeded(file);
}

}  // namespace

void LoadGameSettings(const std::filesystem::path& file, TGameSettings& settings) {
    ReadGame(IniFile::Load(file), settings);
}

void SaveGameSettings(const std::filesystem::path& file, const TGameSettings& settings) {
    Rewrite(file, [&](IniFile& ini) { WriteGame(ini, settings); });
}

void LoadGenerateSettings(const std::filesystem::path& file, TGameSettings& settings) {
    const IniFile ini = IniFile::Load(file);
    settings.CombsGenerateMode =
        static_cast<std::uint8_t>(ReadRanged(ini, kGlobal, "CombsGenerateMode", kGenerateModeRange, 0));
    settings.CombsGenerateParameters =
        CutToCharacters(ReadText(ini, kGlobal, "CombsGenerateParameters", ""), kMaxGenerateParametersChars);
}

void SaveGenerateSettings(const std::filesystem::path& file, const TGameSettings& settings) {
    Rewrite(file, [&](IniFile& ini) {
        ini.WriteInteger(kGlobal, "CombsGenerateMode", settings.CombsGenerateMode);
        WriteText(ini, kGlobal, "CombsGenerateParameters", settings.CombsGenerateParameters);
    });
}

void LoadShreddingSettings(const std::filesystem::path& file, TGameSettings& settings) {
    const IniFile ini = IniFile::Load(file);
    for (std::size_t i = 0; i < settings.Formulas.size(); ++i) {
        std::string formula = ReadText(ini, kShredding, FormulaKey(i).c_str(), "");
        // A blank formula never evaluates: the default serves instead.
        settings.Formulas[i] = Trim(formula).empty() ? kDefaultFormulas[i] : std::move(formula);
        settings.FormulaDigits[i] =
            ReadRanged(ini, kShredding, DigitsKey(i).c_str(), kFormulaDigitsRange, kDefaultFormulaDigits);
    }
}

void SaveShreddingSettings(const std::filesystem::path& file, const TGameSettings& settings) {
    Rewrite(file, [&](IniFile& ini) {
        for (std::size_t i = 0; i < settings.Formulas.size(); ++i) {
            WriteText(ini, kShredding, FormulaKey(i).c_str(), settings.Formulas[i]);
            ini.WriteInteger(kShredding, DigitsKey(i), settings.FormulaDigits[i]);
        }
    });
}

TProxySettings LoadProxySettings(const std::filesystem::path& file) {
    const IniFile ini = IniFile::Load(file);
    TProxySettings p;
    p.Server = ReadText(ini, kProxy, "ProxyServer", "");
    // A missing or unreadable mode: manual when a server is stored, else off;
    // a number outside 0..2 acts as off.
    const long long mode = ini.ReadInteger(kProxy, "ProxyMode", p.Server.empty() ? kProxyOff : kProxyManual);
    p.Mode = mode >= kProxyOff && mode <= kProxyManual ? static_cast<std::int32_t>(mode) : kProxyOff;
    p.Port = ReadRanged(ini, kProxy, "ProxyPort", kStoredProxyPortRange, 80);
    p.Username = ReadText(ini, kProxy, "ProxyUsername", "");
    p.Password = ReadText(ini, kProxy, "ProxyPassword", "");
    return p;
}

void SaveProxySettings(const std::filesystem::path& file, const TProxySettings& proxy) {
    Rewrite(file, [&](IniFile& ini) {
        ini.WriteInteger(kProxy, "ProxyMode", proxy.Mode);
        WriteText(ini, kProxy, "ProxyServer", proxy.Server);
        ini.WriteInteger(kProxy, "ProxyPort", proxy.Port);
        WriteText(ini, kProxy, "ProxyUsername", proxy.Username);
        WriteText(ini, kProxy, "ProxyPassword", proxy.Password);
    });
}

// --- numbers -------------------------------------------------------------

std::optional<long double> ParseDecimalText(std::string_view text) {
    std::string t(Trim(text));
    if (!t.empty() && t.front() == '+') t.erase(0, 1);
    if (t.empty()) return std::nullopt;
    // Only digits, one sign, separators and an exponent: from_chars alone would
    // also take "inf", "nan" and hexadecimal digits.
    for (char& ch : t) {
        if (ch == ',') ch = '.';
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '+' || ch == 'e' || ch == 'E';
        if (!allowed) return std::nullopt;
    }
    long double v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<TMoney> ParseMoneyText(std::string_view text) {
    std::string_view t = Trim(text);
    const bool negative = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);

    if (t.find_first_of("eE") != std::string_view::npos) {
        // The exponent form some writers use for very small or large amounts.
        auto v = ParseDecimalText(text);
        if (!v || std::fabs(*v) >= std::pow(10.0L, kMaxMoneyIntegerDigits)) return std::nullopt;
        return TMoney::FromRaw(std::llround(*v * TMoney::kScale));
    }

    const std::size_t sep = t.find_first_of(".,");
    std::string_view whole = t.substr(0, sep);
    std::string_view fraction = sep == std::string_view::npos ? std::string_view{} : t.substr(sep + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    auto allDigits = [](std::string_view s) { return s.find_first_not_of("0123456789") == std::string_view::npos; };
    if (!allDigits(whole) || !allDigits(fraction)) return std::nullopt;
    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    if (static_cast<int>(whole.size()) > kMaxMoneyIntegerDigits) return std::nullopt;

    std::int64_t raw = 0;
    for (char ch : whole) raw = raw * 10 + (ch - '0');
    for (int i = 0; i < 4; ++i)
        raw = raw * 10 + (i < static_cast<int>(fraction.size()) ? fraction[static_cast<std::size_t>(i)] - '0' : 0);
    if (fraction.size() > 4 && fraction[4] >= '5') ++raw;  // half away from zero
    return TMoney::FromRaw(negative ? -raw : raw);
}

std::string MoneyToIniText(TMoney amount) {
    const std::int64_t raw = amount.Raw();
    // The magnitude as unsigned, so that the smallest 64-bit value has one too.
    const std::uint64_t magnitude = raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::string text = (raw < 0 ? "-" : "") + std::to_string(magnitude / TMoney::kScale);
    std::uint64_t fraction = magnitude % TMoney::kScale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text;
}

std::string DecimalToIniText(long double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);  // shortest text that reads back the same
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

bool IsStorableSettingText(std::string_view utf8) {
    for (char ch : utf8)
        if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t') return false;
    return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8;
}

}  // namespace corvel
