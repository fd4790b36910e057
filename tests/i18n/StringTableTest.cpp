// The string table: every text has its own identifier, and a text replaced by
// identifier is what the engine then shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "FakeUiHooks.h"
#include "TestSupport.h"
#include "app/Workspace.h"
#include "i18n/Texts.h"
#include "stats/FilterDefinition.h"
#include "stats/StatClass.h"
#include "stats/StatTable.h"

namespace corvel {
namespace {

TEST(StringTable, EveryTextHasItsOwnIdentifier) {
    std::set<std::string> keys;
    for (const i18n::TextId& id : i18n::AllTexts()) {
        EXPECT_TRUE(keys.insert(id.Key).second) << "twice: " << id.Key;
        EXPECT_NE(std::string_view(id.Russian), "") << id.Key;
    }
    EXPECT_TRUE(keys.contains("ArchiveReadError"));
    EXPECT_TRUE(keys.contains("CombsGenerateModes4"));
}

// Restores the built-in texts when the test ends, whatever happens.
struct ReplacedTexts {
    ~ReplacedTexts() { i18n::ActiveStringTable().Clear(); }
};

TEST(StringTable, AReplacedTextIsWhatTheEngineShows) {
    ReplacedTexts restore;
    i18n::ActiveStringTable().Set("ArchiveReadError", "Draw archive read error!");
    EXPECT_EQ(std::string_view(texts::kArchiveReadError), "Draw archive read error!");

    test::TempDir dir;
    std::filesystem::create_directory(dir / "CorvelLotto_6x48.ldr");  // cannot be read
    test::FakeUiHooks hooks;
    app::Workspace ws(app::DataFiles{dir.path()}, hooks, 16);
    ws.Archive().Load();
    ASSERT_EQ(hooks.Errors.size(), 1u);
    EXPECT_EQ(hooks.Errors[0].rfind("Draw archive read error!\r\r", 0), 0u) << hooks.Errors[0];

    // An empty replacement brings the built-in text back.
    i18n::ActiveStringTable().Set("ArchiveReadError", "");
    EXPECT_EQ(std::string_view(texts::kArchiveReadError), "Ошибка чтения файла тиражей!");
}

// The captions kept in tables (columns, groups, filter modes) are looked up
// where they are shown, like every other text.
TEST(StringTable, TableCaptionsFollowAReplacedText) {
    ReplacedTexts restore;
    i18n::ActiveStringTable().Set("StatColumnValue", "Value");
    i18n::ActiveStringTable().Set("StatGroupNumbers", "Numbers of the draw");
    i18n::ActiveStringTable().Set("FilterLevelNone", "Whole list");
    i18n::ActiveStringTable().Set("FilterStopSteps", "Steps");
    EXPECT_STREQ(StatColumnCaptions()[0], "Value");
    EXPECT_STREQ(StatColumnCaptions()[1], "Количество");
    EXPECT_EQ(GroupCaption(0), "Numbers of the draw");
    EXPECT_EQ(LevelCaption(kLevelNone), "Whole list");
    EXPECT_EQ(StopCaption(kStopSteps), "Steps");
}

}  // namespace
}  // namespace corvel
