// Scenario files: code page 1251 with CR LF, appending with and without a
// separator, and files that cannot be read whole, which never replace the list.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TestSupport.h"
#include "scenarios/ScriptList.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TEST(ScriptFile, LinesAreCodePage1251WithCrLf) {
    test::TempDir dir;
    TScriptList list;
    list.Add("FULL:0#RAND| | | | | | | |Тест");
    list.Add("");
    list.Add("EXCL:5#LAST");
    list.Save(dir / "a.lsc");
    // "Тест" is D2 E5 F1 F2 in code page 1251.
    EXPECT_EQ(test::ReadBytes(dir / "a.lsc"), "FULL:0#RAND| | | | | | | |\xD2\xE5\xF1\xF2\r\n\r\nEXCL:5#LAST\r\n");
    TScriptList back;
    back.Load(dir / "a.lsc");
    EXPECT_EQ(back.Lines(), list.Lines());

    // Bare LF line ends and a last line without an end read as well.
    test::WriteBytes(dir / "b.lsc", "FULL:0#RAND\n\nCURR:0#ALL");
    back.Load(dir / "b.lsc");
    EXPECT_EQ(back.Lines(), (std::vector<std::string>{"FULL:0#RAND", "", "CURR:0#ALL"}));
}

TEST(ScriptFile, AppendAddsASeparatorOnlyWhenNeeded) {
    test::TempDir dir;
    test::WriteBytes(dir / "two.lsc", "A\r\nB\r\n");
    test::WriteBytes(dir / "empty.lsc", "");
    struct Case {
        std::vector<std::string> Before;
        const char* File;
        std::vector<std::string> After;
    };
    for (const Case& c : {Case{{}, "two.lsc", {"A", "B"}}, Case{{"X"}, "two.lsc", {"X", "", "A", "B"}},
                          Case{{"X", ""}, "two.lsc", {"X", "", "A", "B"}}, Case{{"X"}, "empty.lsc", {"X"}}}) {
        TScriptList list;
        for (const auto& l : c.Before) list.Add(l);
        list.Append(dir / c.File);
        EXPECT_EQ(list.Lines(), c.After) << c.File << " after " << c.Before.size() << " lines";
    }
}

TEST(ScriptFile, UnreadableFilesLeaveTheListAsItWas) {
    test::TempDir dir;
    fs::create_directory(dir / "folder.lsc");
    ASSERT_EQ(::mkfifo((dir / "fifo.lsc").c_str(), 0600), 0);
    TScriptList list;
    list.Add("KEEP");
    for (const char* name : {"missing.lsc", "folder.lsc", "fifo.lsc"}) {
        EXPECT_ANY_THROW(list.Load(dir / name)) << name;
        EXPECT_ANY_THROW(list.Append(dir / name)) << name;
        EXPECT_EQ(list.Lines(), std::vector<std::string>{"KEEP"}) << name;
    }
}

TEST(ScriptList, EditingOperations) {
    TScriptList list;
    for (const char* l : {"A", "B", "C", "D"}) list.Add(l);
    list.SwapWithNext(0);
    list.Replace(3, "E");
    list.Delete({2, 0, 2});
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A", "E"}));
    EXPECT_THROW(list.Line(2), EInvalidArgument);
    EXPECT_THROW(list.SwapWithNext(1), EInvalidArgument);
    EXPECT_THROW(list.Delete({5}), EInvalidArgument);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A", "E"}));
}

}  // namespace
}  // namespace corvel
