// The game settings file: defaults, tolerant reading, exact writing in code page
// 1251, keys of others kept, and a file holding the proxy password kept private.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/GameSettingsFile.h"
#include "model/IniFile.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

// Every field as text, so a mismatch shows which field differs.
std::string Describe(const TGameSettings& s, const TProxySettings& p) {
    std::ostringstream o;
    const TConfigData& c = s.Config;
    auto cdl = [&](const TCdlCoefficients& k) {
        o << static_cast<double>(k.CountCoef) << "/" << static_cast<double>(k.DeviationCoef) << "/"
          << static_cast<double>(k.LevelCoef) << "/" << k.UsePercents << k.UseAbsValues;
    };
    o << "cols=" << c.MatrixCols << " channel=" << c.ChannelSize << " cost=" << c.Cost.Raw()
      << " maxStake=" << c.MaxStake << " profits=";
    for (const auto& pr : c.Profits) o << int(pr.Overlap) << ":" << pr.Profit.Raw() << ",";
    o << " cdl=";
    cdl(c.CDL);
    o << " cdlDefault=";
    cdl(s.CDLDefault);
    o << " segments=";
    for (auto v : c.MatrixSegments) o << int(v);
    o << " mode=" << int(s.CombsGenerateMode) << " params=[" << s.CombsGenerateParameters << "]";
    for (std::size_t i = 0; i < 3; ++i) o << " f" << i + 1 << "=[" << s.Formulas[i] << "]/" << s.FormulaDigits[i];
    o << " proxy=" << p.Mode << ",[" << p.Server << "]," << p.Port << ",[" << p.Username << "],[" << p.Password << "]";
    return o.str();
}

struct Loaded {
    TGameSettings Settings;
    TProxySettings Proxy;
    std::string Text() const { return Describe(Settings, Proxy); }
};

Loaded LoadAll(const fs::path& file) {
    Loaded l;
    LoadGenerateSettings(file, l.Settings);
    LoadGameSettings(file, l.Settings);
    LoadShreddingSettings(file, l.Settings);
    l.Proxy = LoadProxySettings(file);
    return l;
}

// The settings of a missing file, written out by hand.
Loaded Defaults() {
    Loaded d;
    d.Settings.Formulas = {"(n1+n2+n3)/(n4+n5+n6)", "(n4+n5+n6)/(n1+n2+n3)", "(n1+n3+n5)/(n2+n4+n6)"};
    d.Settings.FormulaDigits = {2, 2, 2};
    d.Proxy = {0, "", 80, "", ""};
    return d;
}

unsigned FileMode(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mode & 0777;
}

TEST(GameSettingsFile, MissingFileGivesDefaultsAndCreatesNothing) {
    test::TempDir dir;
    const Loaded loaded = LoadAll(dir / "CorvelLotto_6x48.ini");
    EXPECT_EQ(loaded.Text(), Defaults().Text());
    EXPECT_EQ(loaded.Settings.Config.CDL, (TCdlCoefficients{0, -1, 1, false, false}));
    EXPECT_TRUE(test::FolderEntries(dir.path()).empty());
}

TEST(GameSettingsFile, LoadReplacesEarlierValuesOfItsGroupOnly) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    test::WriteBytes(file, "[GLOBAL]\r\nChannelSize=8\r\n");
    TGameSettings s;
    s.Config.MatrixCols = 12;  // not in the file: back to the default
    s.Config.Profits = {TProfit{3, TMoney::FromRaw(1)}};
    s.CombsGenerateParameters = "1,2";  // another group: untouched
    LoadGameSettings(file, s);
    EXPECT_EQ(s.Config.MatrixCols, 6);
    EXPECT_EQ(s.Config.ChannelSize, 8);
    EXPECT_TRUE(s.Config.Profits.empty());
    EXPECT_EQ(s.CombsGenerateParameters, "1,2");
}

// One file text and how the loaded settings differ from the defaults.
struct LoadCase {
    const char* Name;
    const char* File;  // UTF-8; written in code page 1251
    std::function<void(Loaded&)> Expect;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.Name; }

class GameSettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(GameSettingsLoad, ReadsOrFallsBackToTheDefault) {
    const LoadCase& c = GetParam();
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    test::WriteBytes(file, Utf8ToCp1251(c.File));
    Loaded expected = Defaults();
    c.Expect(expected);
    expected.Settings.CDLDefault = expected.Settings.Config.CDL;
    EXPECT_EQ(LoadAll(file).Text(), expected.Text());
}

std::string Segments(std::string_view digits) {
    std::string s(digits);
    s.resize(48, '1');
    return s;
}

void SetSegments(Loaded& l, std::string_view digits) {
    const std::string s = Segments(digits);
    for (std::size_t i = 0; i < 48; ++i) l.Settings.Config.MatrixSegments[i] = static_cast<std::uint8_t>(s[i] - '0');
}

const std::string k300Latin(300, 'x');
std::string Cyrillic(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += "ж";
    return s;
}
const std::string kLongCyrillic = "[GLOBAL]\nCombsGenerateParameters=" + Cyrillic(300) + "\n";
const std::string kLongSegments = "[GLOBAL]\nMatrixSegments=" + std::string(48, '2') + "999\n";
const std::string kLongLatin = "[GLOBAL]\nCombsGenerateParameters=" + k300Latin + "\n";

INSTANTIATE_TEST_SUITE_P(
    Values, GameSettingsLoad,
    ::testing::Values(
        LoadCase{"MatrixColsValid", "[GLOBAL]\nMatrixCols= 12 \n", [](Loaded& l) { l.Settings.Config.MatrixCols = 12; }},
        LoadCase{"MatrixColsWord", "[GLOBAL]\nMatrixCols=abc\n", [](Loaded&) {}},
        LoadCase{"MatrixColsZero", "[GLOBAL]\nMatrixCols=0\n", [](Loaded&) {}},
        LoadCase{"MatrixColsAbove48", "[GLOBAL]\nMatrixCols=49\n", [](Loaded&) {}},
        LoadCase{"MatrixColsBeyondInt", "[GLOBAL]\nMatrixCols=4294967302\n", [](Loaded&) {}},
        LoadCase{"ChannelSizeSmallest", "[GLOBAL]\nChannelSize=3\n", [](Loaded& l) { l.Settings.Config.ChannelSize = 3; }},
        LoadCase{"ChannelSizeTooSmall", "[GLOBAL]\nChannelSize=2\n", [](Loaded&) {}},
        LoadCase{"SegmentsShort", "[GLOBAL]\nMatrixSegments=2345\n", [](Loaded& l) { SetSegments(l, "2345"); }},
        LoadCase{"SegmentsNonDigitAndZero", "[GLOBAL]\nMatrixSegments=9a0-7\n",
                 [](Loaded& l) { SetSegments(l, "91117"); }},
        LoadCase{"SegmentsLongerThan48", kLongSegments.c_str(),
                 [](Loaded& l) { SetSegments(l, std::string(48, '2')); }},
        LoadCase{"CostComma", "[STAKES]\nCost=12,5\n", [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(125000); }},
        LoadCase{"CostPoint", "[STAKES]\nCost=12.5\n", [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(125000); }},
        LoadCase{"CostFifthDecimalRoundsUp", "[STAKES]\nCost=0.00005\n",
                 [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(1); }},
        LoadCase{"CostFifthDecimalRoundsDown", "[STAKES]\nCost=2.00004999\n",
                 [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(20000); }},
        LoadCase{"CostNegative", "[STAKES]\nCost=-3,5\n", [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(-35000); }},
        LoadCase{"CostExponent", "[STAKES]\nCost=1E3\n", [](Loaded& l) { l.Settings.Config.Cost = TMoney::FromRaw(10'000'000); }},
        LoadCase{"CostWord", "[STAKES]\nCost=дорого\n", [](Loaded&) {}},
        LoadCase{"CostInfinity", "[STAKES]\nCost=inf\n", [](Loaded&) {}},
        LoadCase{"CostNan", "[STAKES]\nCost=nan\n", [](Loaded&) {}},
        LoadCase{"CostTwoSeparators", "[STAKES]\nCost=1,2.3\n", [](Loaded&) {}},
        LoadCase{"CostTooLarge", "[STAKES]\nCost=99999999999999999999\n", [](Loaded&) {}},
        LoadCase{"CostHugeExponent", "[STAKES]\nCost=1e300\n", [](Loaded&) {}},
        LoadCase{"MaxStakeEight", "[STAKES]\nMaxStake=8\n", [](Loaded& l) { l.Settings.Config.MaxStake = 8; }},
        LoadCase{"MaxStakeNine", "[STAKES]\nMaxStake=9\n", [](Loaded&) {}},
        LoadCase{"ProfitsThreeOfThree",
                 "[STAKES]\nProfits=3\nProfit_0_Overlap=6\nProfit_0_Profit=1000000\nProfit_1_Overlap=5\n"
                 "Profit_1_Profit=2500,75\nprofit_2_overlap=4\nPROFIT_2_PROFIT=100\n",
                 [](Loaded& l) {
                     l.Settings.Config.Profits = {{6, TMoney::FromRaw(10'000'000'000)},
                                                  {5, TMoney::FromRaw(25'007'500)},
                                                  {4, TMoney::FromRaw(1'000'000)}};
                 }},
        LoadCase{"ProfitsKeysMissingOrBad",
                 "[STAKES]\nProfits=2\nProfit_0_Overlap=7\nProfit_0_Profit=5\nProfit_1_Profit=x\n",
                 [](Loaded& l) { l.Settings.Config.Profits = {{0, TMoney::FromRaw(50000)}, {0, TMoney{}}}; }},
        LoadCase{"ProfitsNegativeCount", "[STAKES]\nProfits=-1\nProfit_0_Overlap=6\n", [](Loaded&) {}},
        LoadCase{"ProfitsHugeCount", "[STAKES]\nProfits=2000000000\n", [](Loaded&) {}},
        LoadCase{"CoefficientsWithComma", "[CDL]\nCount=0,25\nDeviation=-2.5\nLevel=3\n",
                 [](Loaded& l) { l.Settings.Config.CDL = {0.25L, -2.5L, 3, false, false}; }},
        LoadCase{"CoefficientsMalformed", "[CDL]\nCount=x\nDeviation=\nLevel=1..2\n", [](Loaded&) {}},
        LoadCase{"SwitchesAboveZero", "[CDL]\nUsePercents=2\nUseAbsValues=1\n",
                 [](Loaded& l) { l.Settings.Config.CDL.UsePercents = l.Settings.Config.CDL.UseAbsValues = true; }},
        LoadCase{"SwitchesNegativeOrWords", "[CDL]\nUsePercents=-1\nUseAbsValues=yes\n", [](Loaded&) {}},
        LoadCase{"GenerateModeFour", "[GLOBAL]\nCombsGenerateMode=4\n", [](Loaded& l) { l.Settings.CombsGenerateMode = 4; }},
        LoadCase{"GenerateModeFive", "[GLOBAL]\nCombsGenerateMode=5\n", [](Loaded&) {}},
        LoadCase{"GenerateModeByteOverflow", "[GLOBAL]\nCombsGenerateMode=257\n", [](Loaded&) {}},
        LoadCase{"ParametersCutTo255", kLongLatin.c_str(),
                 [](Loaded& l) { l.Settings.CombsGenerateParameters = std::string(255, 'x'); }},
        LoadCase{"ParametersCutByCharacters", kLongCyrillic.c_str(),
                 [](Loaded& l) { l.Settings.CombsGenerateParameters = Cyrillic(255); }},
        LoadCase{"FormulaAndDigits", "[SHREDDING]\nFormula2=n1*2\nFormula2Digits=5\n",
                 [](Loaded& l) {
                     l.Settings.Formulas[1] = "n1*2";
                     l.Settings.FormulaDigits[1] = 5;
                 }},
        LoadCase{"FormulaBlankAndDigitsOutOfRange",
                 "[SHREDDING]\nFormula1=\nFormula1Digits=0\nFormula3Digits=6\nFormula2Digits=two\n", [](Loaded&) {}},
        LoadCase{"ProxyServerWithoutModeIsManual", "[PROXY]\nProxyServer=proxy.example\nProxyPort=3128\n",
                 [](Loaded& l) { l.Proxy = {2, "proxy.example", 3128, "", ""}; }},
        LoadCase{"ProxyModeOutOfRangeIsOff", "[PROXY]\nProxyMode=3\nProxyServer=p\n",
                 [](Loaded& l) { l.Proxy = {0, "p", 80, "", ""}; }},
        LoadCase{"ProxyModeWordWithServerIsManual", "[PROXY]\nProxyMode=auto\nProxyServer=p\n",
                 [](Loaded& l) { l.Proxy = {2, "p", 80, "", ""}; }},
        LoadCase{"ProxyModeBlankWithServerIsManual", "[PROXY]\nProxyMode=\nProxyServer=p\n",
                 [](Loaded& l) { l.Proxy = {2, "p", 80, "", ""}; }},
        LoadCase{"ProxyModeWordWithoutServerIsOff", "[PROXY]\nProxyMode=auto\nProxyPort=8080\n",
                 [](Loaded& l) { l.Proxy.Port = 8080; }},
        LoadCase{"RepeatedKeysFirstCounts",
                 "[GLOBAL]\nMatrixCols=8\nChannelSize=4\nmatrixcols=12\n[PROXY]\nProxyMode=1\nProxyMode=2\n"
                 "[GLOBAL]\nChannelSize=5\n",
                 [](Loaded& l) {
                     l.Settings.Config.MatrixCols = 8;
                     l.Settings.Config.ChannelSize = 4;
                     l.Proxy.Mode = 1;
                 }},
        LoadCase{"ProxyAutomaticWithoutServer", "[PROXY]\nProxyMode=1\nProxyPort=0\n",
                 [](Loaded& l) { l.Proxy = {1, "", 0, "", ""}; }},
        LoadCase{"ProxyPortOutOfRange", "[PROXY]\nProxyPort=65536\n", [](Loaded&) {}},
        LoadCase{"ProxyQuotedPassword", "[PROXY]\nProxyUsername=Иван\nProxyPassword=\" пароль \"\n",
                 [](Loaded& l) {
                     l.Proxy.Username = "Иван";
                     l.Proxy.Password = " пароль ";
                 }},
        LoadCase{"SectionAndKeyNamesInAnyCase", "[global]\nmatrixcols=8\n[Proxy]\nproxyserver=h\n",
                 [](Loaded& l) {
                     l.Settings.Config.MatrixCols = 8;
                     l.Proxy = {2, "h", 80, "", ""};
                 }}),
    [](const auto& row) { return std::string(row.param.Name); });

// Settings unlike the defaults in every field, with texts that need care.
Loaded Sample() {
    Loaded l;
    TConfigData& c = l.Settings.Config;
    c.MatrixCols = 8;
    c.ChannelSize = 4;
    c.Cost = TMoney::FromRaw(501234);  // 50.1234
    c.MaxStake = 7;
    c.Profits = {{2, TMoney::FromRaw(1'000'000)}, {3, TMoney::FromRaw(-5)}, {6, TMoney::FromRaw(1)}};
    c.CDL = {0.1L, -1.375L, 2.5L, true, false};
    for (std::size_t i = 0; i < 48; ++i) c.MatrixSegments[i] = static_cast<std::uint8_t>(1 + i % 9);
    l.Settings.CDLDefault = c.CDL;
    l.Settings.CombsGenerateMode = 4;
    l.Settings.CombsGenerateParameters = "/home/user/Мои комбинации.lcv";
    l.Settings.Formulas = {"n1 / 7", "SQR(n2)+p1", " t1*2 "};
    l.Settings.FormulaDigits = {1, 3, 5};
    l.Proxy = {2, "10.0.0.1", 8080, "\"Пётр\"", " \"пароль\" с пробелами "};
    return l;
}

void SaveAll(const fs::path& file, const Loaded& l) {
    SaveGameSettings(file, l.Settings);
    SaveGenerateSettings(file, l.Settings);
    SaveShreddingSettings(file, l.Settings);
    SaveProxySettings(file, l.Proxy);
}

TEST(GameSettingsFile, RoundTripKeepsEveryValueExactly) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    const Loaded sample = Sample();
    SaveAll(file, sample);
    const Loaded back = LoadAll(file);
    EXPECT_EQ(back.Text(), sample.Text());
    EXPECT_EQ(back.Settings.Config.CDL, sample.Settings.Config.CDL);  // long double equality, not just printed
    EXPECT_EQ(back.Proxy, sample.Proxy);

    SaveAll(file, back);  // a second round changes nothing on disk
    const std::string first = test::ReadBytes(file);
    SaveAll(file, LoadAll(file));
    EXPECT_EQ(test::ReadBytes(file), first);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"CorvelLotto_6x48.ini"});
}

TEST(GameSettingsFile, SaveWritesTheKnownFormInCodePage1251AndKeepsOthersKeys) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    test::WriteBytes(file, Utf8ToCp1251("; настройки\r\n"
                                        "[GLOBAL]\r\n"
                                        "Заметка=своё\r\n"
                                        "MatrixCols=5\r\n"
                                        "[STAKES]\r\n"
                                        "Profits=9\r\n"
                                        "Profit_0_Overlap=1\r\n"
                                        "Profit_8_Profit=3\r\n"
                                        "Profit_03_Overlap=2\r\n"
                                        "Profit_Extra=keep\r\n"
                                        "Currency=RUB\r\n"
                                        "[EXPORT_DRAWS]\r\n"
                                        "Title=Архив\r\n"
                                        "[PROXY]\r\n"
                                        "ProxyServer=old\r\n"));
    TGameSettings s;
    s.Config.MatrixCols = 7;
    s.Config.Cost = TMoney::FromRaw(1'005'000);
    s.Config.Profits = {{6, TMoney::FromRaw(12'345'678)}, {5, TMoney::FromRaw(-10'000)}};
    s.Config.CDL = {0.125L, -1, 1, true, false};
    s.Config.MatrixSegments[0] = 9;
    s.Config.MatrixSegments[47] = 3;
    SaveGameSettings(file, s);

    const std::string expected =
        "; настройки\r\n"
        "[GLOBAL]\r\n"
        "Заметка=своё\r\n"
        "MatrixCols=7\r\n"
        "MatrixSegments=911111111111111111111111111111111111111111111113\r\n"
        "ChannelSize=6\r\n"
        "\r\n"
        "[STAKES]\r\n"
        "Profits=2\r\n"
        "Profit_Extra=keep\r\n"
        "Currency=RUB\r\n"
        "Cost=100.5\r\n"
        "MaxStake=6\r\n"
        "Profit_0_Overlap=6\r\n"
        "Profit_0_Profit=1234.5678\r\n"
        "Profit_1_Overlap=5\r\n"
        "Profit_1_Profit=-1\r\n"
        "\r\n"
        "[EXPORT_DRAWS]\r\n"
        "Title=Архив\r\n"
        "\r\n"
        "[PROXY]\r\n"
        "ProxyServer=old\r\n"
        "\r\n"
        "[CDL]\r\n"
        "Count=0.125\r\n"
        "Deviation=-1\r\n"
        "Level=1\r\n"
        "UsePercents=1\r\n"
        "UseAbsValues=0\r\n"
        "\r\n";
    EXPECT_EQ(test::ReadBytes(file), Utf8ToCp1251(expected));
}

TEST(GameSettingsFile, EachGroupLeavesTheOtherGroupsAsTheyWere) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    const Loaded sample = Sample();
    SaveAll(file, sample);

    // Saving one group with other values changes that group only.
    Loaded other = Defaults();
    SaveShreddingSettings(file, other.Settings);
    Loaded expected = sample;
    expected.Settings.Formulas = other.Settings.Formulas;
    expected.Settings.FormulaDigits = other.Settings.FormulaDigits;
    EXPECT_EQ(LoadAll(file).Text(), expected.Text());

    SaveProxySettings(file, TProxySettings{});
    expected.Proxy = TProxySettings{};
    EXPECT_EQ(LoadAll(file).Text(), expected.Text());
}

TEST(GameSettingsFile, TextsThatCannotBeStoredLeaveTheFileUntouched) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    SaveAll(file, Sample());
    const std::string before = test::ReadBytes(file);

    TProxySettings injected = Sample().Proxy;
    injected.Password = "x\r\n[GLOBAL]\r\nMatrixCols=1";
    EXPECT_THROW(SaveProxySettings(file, injected), EInvalidArgument);
    TProxySettings emoji = Sample().Proxy;
    emoji.Username = "user\xF0\x9F\x98\x80";  // no such character in code page 1251
    EXPECT_THROW(SaveProxySettings(file, emoji), EInvalidArgument);
    TGameSettings formula = Sample().Settings;
    formula.Formulas[2] = "n1\nn2";
    EXPECT_THROW(SaveShreddingSettings(file, formula), EInvalidArgument);

    EXPECT_EQ(test::ReadBytes(file), before);
}

TEST(GameSettingsFile, UnreadableFileIsAnErrorWithItsReasonAndIsNotReplaced) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    fs::create_directory(file);  // exists, but cannot be read as a file (also for root)
    TGameSettings s;
    const std::string reason = "Указанный путь является папкой";
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"LoadGameSettings", [&] { LoadGameSettings(file, s); }},
        {"LoadGenerateSettings", [&] { LoadGenerateSettings(file, s); }},
        {"LoadShreddingSettings", [&] { LoadShreddingSettings(file, s); }},
        {"LoadProxySettings", [&] { LoadProxySettings(file); }},
        {"SaveGameSettings", [&] { SaveGameSettings(file, s); }},
        {"SaveProxySettings", [&] { SaveProxySettings(file, TProxySettings{}); }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        try {
            operation();
            ADD_FAILURE() << "no error";
        } catch (const EFileError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(fs::is_directory(file));
}

// The file mode after a save, from no file or a file of a given mode.
struct ModeCase {
    const char* Name;
    int ExistingMode;  // -1: no file yet
    bool SaveProxyWithPassword;
    unsigned ExpectedMode;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.Name; }

class GameSettingsFileMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(GameSettingsFileMode, PasswordFileIsReadableByItsOwnerOnly) {
    const ModeCase& c = GetParam();
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    const mode_t oldMask = ::umask(022);
    if (c.ExistingMode >= 0) {
        test::WriteBytes(file, "[GLOBAL]\r\nMatrixCols=6\r\n");
        fs::permissions(file, static_cast<fs::perms>(c.ExistingMode));
    }
    if (c.SaveProxyWithPassword)
        SaveProxySettings(file, TProxySettings{2, "proxy", 3128, "user", "secret"});
    else
        SaveGameSettings(file, TGameSettings{});
    ::umask(oldMask);
    EXPECT_EQ(FileMode(file), c.ExpectedMode);
}

INSTANTIATE_TEST_SUITE_P(Modes, GameSettingsFileMode,
                         ::testing::Values(ModeCase{"NewFileWithPassword", -1, true, 0600},
                                           ModeCase{"NewFileWithoutPassword", -1, false, 0600},
                                           ModeCase{"WorldReadableFileGetsPassword", 0644, true, 0600},
                                           ModeCase{"GroupWritableFileGetsPassword", 0660, true, 0600},
                                           ModeCase{"WorldReadableFileWithoutPasswordKeepsMode", 0644, false, 0644},
                                           ModeCase{"PrivateFileStaysPrivate", 0600, false, 0600}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(GameSettingsFile, PasswordSavedBeforeKeepsTheFileTightOnLaterSaves) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    SaveProxySettings(file, TProxySettings{2, "proxy", 3128, "user", "secret"});
    fs::permissions(file, static_cast<fs::perms>(0644));  // loosened by hand
    SaveGameSettings(file, TGameSettings{});              // the password is still in the file
    EXPECT_EQ(FileMode(file), 0600u);
}

struct MoneyTextCase {
    const char* Name;
    std::int64_t Raw;
    const char* Text;
};

void PrintTo(const MoneyTextCase& c, std::ostream* os) { *os << c.Name; }

class GameSettingsMoneyText : public ::testing::TestWithParam<MoneyTextCase> {};

TEST_P(GameSettingsMoneyText, IsWrittenShortAndReadBackExactly) {
    const MoneyTextCase& c = GetParam();
    EXPECT_EQ(MoneyToIniText(TMoney::FromRaw(c.Raw)), c.Text);
    EXPECT_EQ(ParseMoneyText(c.Text), TMoney::FromRaw(c.Raw));
}

INSTANTIATE_TEST_SUITE_P(
    Values, GameSettingsMoneyText,
    ::testing::Values(MoneyTextCase{"Zero", 0, "0"}, MoneyTextCase{"Whole", 500000, "50"},
                      MoneyTextCase{"TrailingZerosDropped", 255000, "25.5"}, MoneyTextCase{"SmallestStep", 1, "0.0001"},
                      MoneyTextCase{"NegativeFraction", -5, "-0.0005"},
                      MoneyTextCase{"FourDecimals", 123456789, "12345.6789"},
                      MoneyTextCase{"LargestAccepted", 999'999'999'999'999'999, "99999999999999.9999"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(GameSettingsFile, SmallestMoneyValueIsWrittenWithoutOverflow) {
    EXPECT_EQ(MoneyToIniText(TMoney::FromRaw(std::numeric_limits<std::int64_t>::min())), "-922337203685477.5808");
}

}  // namespace
}  // namespace corvel
