// The view settings store: one section per form, read once, written whole and
// atomically, nothing of others lost.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/ViewSettings.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TEST(ViewSettings, MissingFileGivesFallbacksAndIsNotCreatedUntilSomethingChanges) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    ViewSettings view = ViewSettings::Load(file);
    EXPECT_EQ(view.ReadInt("TFormMain", "DrawsStatLen", 1000), 1000);
    EXPECT_TRUE(view.ReadBool("TFormMain", "AutoUpdates", true));
    EXPECT_EQ(view.ReadString("TFormMain", "lvDraws.SortType", "0,0"), "0,0");
    EXPECT_EQ(view.ReadInts("TFormMain", "NormPos", 4), std::nullopt);

    view.SaveIfModified();
    EXPECT_TRUE(test::FolderEntries(dir.path()).empty());
}

TEST(ViewSettings, ValuesOfEachFormRoundTripInCodePage1251) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    ViewSettings view(file);
    view.WriteInt("TFormMain", "LeftPanelWidth", 420);
    view.WriteBool("TFormMain", "SortedDraws", true);
    view.WriteInts("TFormMain", "NormPos", {10, -20, 810, 600});
    view.WriteString("TFormRepeats", "Caption", "Повторы");
    view.WriteInt("TFormRepeats", "LeftPanelWidth", -7);  // same key, other form
    EXPECT_TRUE(view.Modified());
    view.Save();
    EXPECT_FALSE(view.Modified());

    EXPECT_EQ(test::ReadBytes(file), Utf8ToCp1251("[TFormMain]\r\n"
                                                  "LeftPanelWidth=420\r\n"
                                                  "SortedDraws=1\r\n"
                                                  "NormPos=10,-20,810,600\r\n"
                                                  "\r\n"
                                                  "[TFormRepeats]\r\n"
                                                  "Caption=Повторы\r\n"
                                                  "LeftPanelWidth=-7\r\n"
                                                  "\r\n"));
    const ViewSettings back = ViewSettings::Load(file);
    EXPECT_EQ(back.ReadInt("TFormMain", "LeftPanelWidth", 0), 420);
    EXPECT_EQ(back.ReadInt("TFormRepeats", "LeftPanelWidth", 0), -7);
    EXPECT_TRUE(back.ReadBool("TFormMain", "SortedDraws", false));
    EXPECT_EQ(back.ReadInts("TFormMain", "NormPos", 4), (std::vector<int>{10, -20, 810, 600}));
    EXPECT_EQ(back.ReadString("TFormRepeats", "Caption", ""), "Повторы");
}

TEST(ViewSettings, RewriteKeepsWhatTheProgramDidNotAskForAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    test::WriteBytes(file, Utf8ToCp1251("[TFormMain]\r\n"
                                        "Language=1049\r\n"
                                        "lvDraws.Column0=60\r\n"
                                        "; заметка\r\n"
                                        "[TFormOld]\r\n"
                                        "Flags=2\r\n"));
    ViewSettings view = ViewSettings::Load(file);
    view.WriteBool("TFormMain", "FirstRun", false);
    view.WriteInt("tformmain", "LANGUAGE", 1033);  // names compare without case
    view.SaveIfModified();

    EXPECT_EQ(test::ReadBytes(file), Utf8ToCp1251("[TFormMain]\r\n"
                                                  "Language=1033\r\n"
                                                  "lvDraws.Column0=60\r\n"
                                                  "; заметка\r\n"
                                                  "FirstRun=0\r\n"
                                                  "\r\n"
                                                  "[TFormOld]\r\n"
                                                  "Flags=2\r\n"
                                                  "\r\n"));
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"corvel-lotto.frm"});
}

TEST(ViewSettings, WritingTheStoredValueAgainIsNoChange) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    test::WriteBytes(file, "[TFormMain]\r\nDrawsExclude=3\r\n");
    ViewSettings view = ViewSettings::Load(file);
    view.WriteInt("TFormMain", "DrawsExclude", 3);
    EXPECT_FALSE(view.Modified());
    view.WriteInt("TFormMain", "DrawsExclude", 4);
    EXPECT_TRUE(view.Modified());
    view.SaveIfModified();
    EXPECT_FALSE(view.Modified());
    EXPECT_EQ(ViewSettings::Load(file).ReadInt("TFormMain", "DrawsExclude", 0), 4);
}

struct ViewValueCase {
    const char* Name;
    const char* Stored;
    int Int;                               // fallback -1
    bool Bool;                             // fallback true
    std::optional<std::vector<int>> Rect;  // four numbers
};

void PrintTo(const ViewValueCase& c, std::ostream* os) { *os << c.Name; }

class ViewSettingsValue : public ::testing::TestWithParam<ViewValueCase> {};

TEST_P(ViewSettingsValue, ReadsOrFallsBack) {
    const ViewValueCase& c = GetParam();
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    test::WriteBytes(file, std::string("[TFormMain]\r\nK=") + c.Stored + "\r\n");
    const ViewSettings view = ViewSettings::Load(file);
    EXPECT_EQ(view.ReadInt("TFormMain", "K", -1), c.Int);
    EXPECT_EQ(view.ReadBool("TFormMain", "K", true), c.Bool);
    EXPECT_EQ(view.ReadInts("TFormMain", "K", 4), c.Rect);
}

INSTANTIATE_TEST_SUITE_P(Values, ViewSettingsValue,
                         ::testing::Values(ViewValueCase{"Zero", "0", 0, false, std::nullopt},
                                           ViewValueCase{"Number", " 250 ", 250, true, std::nullopt},
                                           ViewValueCase{"Negative", "-3", -3, true, std::nullopt},
                                           ViewValueCase{"Word", "yes", -1, true, std::nullopt},
                                           ViewValueCase{"Empty", "", -1, true, std::nullopt},
                                           ViewValueCase{"BeyondInt", "4294967296", -1, true, std::nullopt},
                                           ViewValueCase{"Rectangle", "1, 2,3 ,-4", -1, true,
                                                         std::vector<int>{1, 2, 3, -4}},
                                           ViewValueCase{"RectangleShort", "1,2,3", -1, true, std::nullopt},
                                           ViewValueCase{"RectangleHole", "1,,3,4", -1, true, std::nullopt},
                                           ViewValueCase{"RectangleWord", "1,2,x,4", -1, true, std::nullopt}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(ViewSettings, UnreadableFileIsAnError) {
    test::TempDir dir;
    const auto file = dir / "corvel-lotto.frm";
    fs::create_directory(file);
    EXPECT_THROW(ViewSettings::Load(file), EFileError);
    ViewSettings view(file);
    view.WriteInt("TFormMain", "WeekLen", 10);
    EXPECT_THROW(view.Save(), EFileError);
    EXPECT_TRUE(view.Modified());  // still to be written
    EXPECT_TRUE(fs::is_directory(file));
}

TEST(ViewSettings, LineBreakInAValueIsRefusedBeforeItCanAddLines) {
    test::TempDir dir;
    ViewSettings view(dir / "corvel-lotto.frm");
    EXPECT_THROW(view.WriteString("TFormMain", "Caption", "a\r\n[Other]\r\nKey=1"), EInvalidArgument);
    EXPECT_FALSE(view.Modified());
    EXPECT_EQ(view.ReadString("TFormMain", "Caption", "none"), "none");
}

}  // namespace
}  // namespace corvel
