// The current scenario in the workspace: every change is in the automatic
// save at once, and files that cannot be read never replace it.
#include <gtest/gtest.h>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

class ScenarioServiceTest : public testing::Test {
  protected:
    fs::path Lss() const { return dir_ / "CorvelLotto_6x48.lss"; }
    test::TempDir dir_;
    test::FakeUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
};

TEST_F(ScenarioServiceTest, ChangesAreSavedAtOnceAndLoadedAtTheNextStart) {
    app::ScenarioService& s = ws_.Scenario();
    s.Load();
    EXPECT_TRUE(s.List().Empty());
    ASSERT_TRUE(s.Add("FULL:0#RAND| | | | | | | |Один"));
    ASSERT_TRUE(s.Add("EXCL:3#LAST| | | | | | | "));
    ASSERT_TRUE(s.SwapWithNext(0));
    EXPECT_EQ(test::ReadBytes(Lss()), "EXCL:3#LAST| | | | | | | \r\nFULL:0#RAND| | | | | | | |\xCE\xE4\xE8\xED\r\n");

    app::Workspace next{app::DataFiles{dir_.path()}, hooks_, 16};
    next.Scenario().Load();
    EXPECT_EQ(next.Scenario().List().Lines(), s.List().Lines());
    EXPECT_TRUE(hooks_.Errors.empty());
    EXPECT_TRUE(hooks_.Warnings.empty());
}

TEST_F(ScenarioServiceTest, AFileThatCannotBeReadChangesNothing) {
    app::ScenarioService& s = ws_.Scenario();
    ASSERT_TRUE(s.Add("FULL:0#RAND"));
    const std::string saved = test::ReadBytes(Lss());
    fs::create_directory(dir_ / "folder.lsc");
    EXPECT_FALSE(s.Open(dir_ / "folder.lsc"));
    EXPECT_FALSE(s.Append(dir_ / "missing.lsc"));
    ASSERT_EQ(hooks_.Errors.size(), 2u);
    EXPECT_EQ(hooks_.Errors[0].rfind("Ошибка чтения файла \"" + (dir_ / "folder.lsc").string() + "\"!\r\r", 0), 0u)
        << hooks_.Errors[0];
    EXPECT_EQ(s.List().Lines(), std::vector<std::string>{"FULL:0#RAND"});
    EXPECT_EQ(test::ReadBytes(Lss()), saved);
}

TEST_F(ScenarioServiceTest, ADamagedAutomaticSaveIsKeptAside) {
    // Far beyond any scenario: not read, and not lost either.
    const std::string big(65 << 20, 'x');
    test::WriteBytes(Lss(), big);
    ws_.Scenario().Load();
    EXPECT_TRUE(ws_.Scenario().List().Empty());
    ASSERT_EQ(hooks_.Warnings.size(), 1u);
    EXPECT_NE(hooks_.Warnings[0].find("CorvelLotto_6x48.lss.bak"), std::string::npos) << hooks_.Warnings[0];
    ASSERT_TRUE(ws_.Scenario().Add("FULL:0#RAND"));
    EXPECT_TRUE(test::ReadBytes(dir_ / "CorvelLotto_6x48.lss.bak") == big);
    EXPECT_EQ(test::ReadBytes(Lss()), "FULL:0#RAND\r\n");
}

TEST_F(ScenarioServiceTest, AChangeWhoseSaveFailsIsTakenBack) {
    // A folder where the automatic save should be: it cannot be written.
    fs::create_directory(Lss());
    EXPECT_FALSE(ws_.Scenario().Add("FULL:0#RAND"));
    EXPECT_TRUE(ws_.Scenario().List().Empty());
    ASSERT_EQ(hooks_.Errors.size(), 1u);
    EXPECT_NE(hooks_.Errors[0].find("Ошибка записи в файл"), std::string::npos) << hooks_.Errors[0];
}

}  // namespace
}  // namespace corvel
