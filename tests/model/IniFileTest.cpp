// Ini files: code page 1251 with CR LF on disk, case-insensitive names, and
// nothing lost of what the program does not know.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/IniFile.h"

namespace corvel {
namespace {

// A file as another version of the program may have left it (UTF-8 here,
// code page 1251 on disk).
const char* const kForeignFile =
    "; комментарий в начале\r\n"
    "[GLOBAL]\r\n"
    "MatrixCols=6\r\n"
    "; комментарий в секции\r\n"
    "Caption=Прогноз тиража\r\n"
    "FutureKey=keep me\r\n"
    "\r\n"
    "[FUTURE_SECTION]\r\n"
    "A=1\r\n"
    "just a line\r\n"
    "\r\n";

TEST(IniFile, RewriteKeepsUnknownKeysSectionsAndLines) {
    test::TempDir dir;
    const auto file = dir / "CorvelLotto_6x48.ini";
    test::WriteBytes(file, Utf8ToCp1251(kForeignFile));

    IniFile ini = IniFile::Load(file);
    ini.WriteInteger("global", "matrixcols", 8);  // other case: the stored spelling stays
    ini.WriteString("GLOBAL", "Новый", "значение");
    ini.WriteBool("STAKES", "UseCost", true);
    ini.Save(file);

    const std::string expected =
        "; комментарий в начале\r\n"
        "[GLOBAL]\r\n"
        "MatrixCols=8\r\n"
        "; комментарий в секции\r\n"
        "Caption=Прогноз тиража\r\n"
        "FutureKey=keep me\r\n"
        "Новый=значение\r\n"
        "\r\n"
        "[FUTURE_SECTION]\r\n"
        "A=1\r\n"
        "just a line\r\n"
        "\r\n"
        "[STAKES]\r\n"
        "UseCost=1\r\n"
        "\r\n";
    EXPECT_EQ(test::ReadBytes(file), Utf8ToCp1251(expected));  // code page 1251 and CR LF on disk
    EXPECT_EQ(IniFile::Load(file).ToText(), expected);         // and stable on a second round
}

TEST(IniFile, NamesCompareWithoutCase) {
    IniFile ini = IniFile::Parse("[Proxy]\nHost = example.org \nPORT=8080\n");
    EXPECT_TRUE(ini.HasSection("PROXY"));
    EXPECT_EQ(ini.Value("proxy", "host"), "example.org");  // spaces around key and value trimmed
    EXPECT_EQ(ini.ReadInteger("PROXY", "Port", 0), 8080);
    ini.WriteString("PROXY", "HOST", "other");
    EXPECT_EQ(ini.Keys("proxy"), (std::vector<std::string>{"Host", "PORT"}));
    EXPECT_EQ(ini.ReadString("Proxy", "host", ""), "other");
    ini.DeleteKey("PROXY", "port");
    EXPECT_FALSE(ini.HasKey("Proxy", "Port"));
    ini.EraseSection("proxy");
    EXPECT_FALSE(ini.HasSection("Proxy"));
}

// A key written twice counts with its first value, as every ini reader of
// the system's platform takes it; also when the section is repeated.
TEST(IniFile, TheFirstOfRepeatedKeysCounts) {
    const IniFile ini = IniFile::Parse("[S]\r\nA=1\r\nB=x\r\na=2\r\n[T]\r\nC=3\r\n[s]\r\nA=4\r\nB=5\r\nD=6\r\n");
    EXPECT_EQ(ini.Value("S", "A"), "1");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
    EXPECT_EQ(ini.ReadString("S", "B", ""), "x");
    EXPECT_EQ(ini.ReadInteger("S", "B", 7), 7);  // the first value is not a number: the fallback
    EXPECT_EQ(ini.ReadInteger("S", "D", 0), 6);
    EXPECT_EQ(ini.Keys("S"), (std::vector<std::string>{"A", "B", "D"}));
    // Read back from its own text, the store gives the same values.
    EXPECT_EQ(IniFile::Parse(ini.ToText()).Value("s", "a"), "1");
}

TEST(IniFile, LineEndingsOfEitherKindAreRead) {
    IniFile lf = IniFile::Parse("[S]\nA=1\nB=2");
    IniFile dos = IniFile::Parse("[S]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(lf.ToText(), dos.ToText());
    EXPECT_EQ(dos.ReadString("S", "B", ""), "2");
}

struct TypedCase {
    const char* Name;
    const char* Value;
    long long Integer;  // fallback -1
    bool Bool;          // fallback true
    double Float;       // fallback -1.5
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.Name; }

class IniTypedValue : public ::testing::TestWithParam<TypedCase> {};

TEST_P(IniTypedValue, ReadsOrFallsBack) {
    const TypedCase& c = GetParam();
    IniFile ini;
    ini.WriteString("S", "K", c.Value);
    EXPECT_EQ(ini.ReadInteger("S", "K", -1), c.Integer);
    EXPECT_EQ(ini.ReadBool("S", "K", true), c.Bool);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "K", -1.5), c.Float);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniTypedValue,
    ::testing::Values(TypedCase{"Zero", "0", 0, false, 0.0}, TypedCase{"Positive", "25", 25, true, 25.0},
                      TypedCase{"Negative", "-3", -3, true, -3.0}, TypedCase{"CommaDecimal", "2,5", -1, true, 2.5},
                      TypedCase{"PointDecimal", "0.75", -1, true, 0.75}, TypedCase{"Word", "yes", -1, true, -1.5},
                      TypedCase{"NumberWithJunk", "12abc", -1, true, -1.5}, TypedCase{"Empty", "", -1, true, -1.5}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(IniFile, MissingKeysAndFilesGiveFallbacks) {
    test::TempDir dir;
    IniFile ini = IniFile::Load(dir / "none.ini");
    EXPECT_EQ(ini.ToText(), "");
    EXPECT_EQ(ini.ReadInteger("S", "K", 9), 9);
    EXPECT_EQ(ini.ReadString("S", "K", "x"), "x");
    EXPECT_FALSE(ini.ReadBool("S", "K", false));
    EXPECT_EQ(ini.Value("S", "K"), std::nullopt);

    std::filesystem::create_directory(dir / "dir.ini");
    EXPECT_THROW(IniFile::Load(dir / "dir.ini"), EFileError);
}

}  // namespace
}  // namespace corvel
