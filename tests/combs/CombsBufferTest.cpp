// The combination buffer file of scenario runs and its in-memory key.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "CombsTestSupport.h"
#include "FakeUiHooks.h"
#include "app/CombsCommands.h"
#include "TestSupport.h"
#include "combs/CombsBuffer.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel {
namespace {

// Combinations that use every byte value somewhere.
std::vector<TCombination> Varied(std::size_t count) {
    std::vector<TCombination> out(count);
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = 0; j < 6; ++j) out[i][j] = static_cast<std::uint8_t>((i * 7 + j * 31) % 256);
    return out;
}

std::size_t CountStartingWith(const std::vector<std::string>& texts, const std::string& prefix) {
    return static_cast<std::size_t>(
        std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.rfind(prefix, 0) == 0; }));
}

TEST(CombsBufferPath, IsNamedAfterTheProgramInTheDataFolder) {
    EXPECT_EQ(CombsBufferPath("/data"), std::filesystem::path("/data/corvel-lotto.~buff"));
}

TEST(CombsBuffer, SavedRecordsAreTheSixBytesOfEachCombinationAndLoadBack) {
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(300);
    test::Fill(list, Varied(300));
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {5, 10}, hooks));

    std::string expected;
    for (const TCombination& c : Varied(300)) expected.append(reinterpret_cast<const char*>(c.data()), 6);
    EXPECT_EQ(test::ReadBytes(buffer.File()), expected);

    TCombsArray loaded(300);
    test::Fill(loaded, test::Sentinel());
    ASSERT_TRUE(LoadCombsBuffer(buffer, loaded, {5, 10}, hooks));
    EXPECT_EQ(test::ItemsOf(loaded), Varied(300));
    EXPECT_TRUE(hooks.Errors.empty());
    EXPECT_EQ(hooks.Busy, 0);
}

TEST(CombsBuffer, OnlyTheRememberedKeyLoads) {
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(10);
    test::Fill(list, {{1, 2, 3, 4, 5, 6}});
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 10}, hooks));

    TCombsArray other(10);
    test::Fill(other, test::Sentinel());
    for (TCombsBufferKey key : {TCombsBufferKey{1, 10}, TCombsBufferKey{0, 11}}) {
        EXPECT_FALSE(LoadCombsBuffer(buffer, other, key, hooks)) << key.Offset << "/" << key.Draws;
        EXPECT_EQ(test::ItemsOf(other), test::Sentinel());
    }
    TCombsBuffer fresh(buffer.File());  // the key is not stored in the file
    EXPECT_FALSE(LoadCombsBuffer(fresh, other, {0, 10}, hooks));
    EXPECT_TRUE(hooks.Errors.empty());
}

TEST(CombsBuffer, SavingTheSameKeyAgainDoesNotRewriteTheFile) {
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(10);
    test::Fill(list, {{1, 2, 3, 4, 5, 6}});
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 10}, hooks));
    test::Fill(list, test::Sentinel());
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 10}, hooks));
    EXPECT_EQ(test::ReadBytes(buffer.File()), std::string("\x01\x02\x03\x04\x05\x06", 6));
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 11}, hooks));
    EXPECT_EQ(test::ReadBytes(buffer.File()).size(), 12U);
}

TEST(CombsBuffer, ResetForgetsTheKeyAndDeletesTheFile) {
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {2, 3}, hooks));
    buffer.Reset();
    EXPECT_FALSE(std::filesystem::exists(buffer.File()));
    EXPECT_FALSE(buffer.Key().has_value());
    EXPECT_FALSE(LoadCombsBuffer(buffer, list, {2, 3}, hooks));
    buffer.Reset();  // nothing to delete is fine
    EXPECT_TRUE(hooks.Errors.empty());
}

TEST(CombsBuffer, FileDeletedBehindItsBackIsWrittenAgainOnTheNextSave) {
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 5}, hooks));
    std::filesystem::remove(buffer.File());
    EXPECT_FALSE(LoadCombsBuffer(buffer, list, {0, 5}, hooks));
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 5}, hooks));
    EXPECT_EQ(test::ReadBytes(buffer.File()).size(), 12U);
    EXPECT_TRUE(hooks.Errors.empty());
}

struct DamageCase {
    const char* Name;
    std::size_t Bytes;     // size of the file left where the buffer was written
    std::size_t Capacity;  // of the list that loads it
    std::string Message;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.Name; }

class CombsBufferDamaged : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CombsBufferDamaged, IsReportedRemovedAndLeavesTheListAlone) {
    const DamageCase& c = GetParam();
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(20);
    test::Fill(list, test::Sentinel());
    test::FakeUiHooks hooks;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 1}, hooks));
    test::WriteBytes(buffer.File(), std::string(c.Bytes, '\x01'));

    TCombsArray target(c.Capacity);
    test::Fill(target, test::Sentinel());
    EXPECT_FALSE(LoadCombsBuffer(buffer, target, {0, 1}, hooks));
    EXPECT_EQ(hooks.Errors, std::vector<std::string>{ErrorReport(texts::kCombsBufferLoadError, c.Message)});
    EXPECT_EQ(test::ItemsOf(target), test::Sentinel());
    EXPECT_FALSE(std::filesystem::exists(buffer.File()));
    EXPECT_FALSE(buffer.Key().has_value());
    EXPECT_EQ(hooks.Statuses.back(), "");
    EXPECT_EQ(hooks.Busy, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CombsBufferDamaged,
    ::testing::Values(DamageCase{"PartOfARecord", 13, 10, Format(texts::kCombsBufferDamaged, {13})},
                      DamageCase{"MoreThanTheListHolds", 66, 10, Format(texts::kCombsTooMany, {11, 10})}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(CombsBuffer, FailedSaveIsReportedAndRemembersNoKey) {
    test::TempDir dir;
    TCombsBuffer buffer(dir / "missing folder" / "corvel-lotto.~buff");
    TCombsArray list(10);
    test::Fill(list, test::Sentinel());
    test::FakeUiHooks hooks;
    EXPECT_FALSE(SaveCombsBuffer(buffer, list, {0, 1}, hooks));
    ASSERT_EQ(hooks.Errors.size(), 1U);
    EXPECT_EQ(hooks.Errors[0].rfind(ErrorReport(texts::kCombsBufferSaveError, ""), 0), 0U) << hooks.Errors[0];
    EXPECT_FALSE(buffer.Key().has_value());
    EXPECT_FALSE(LoadCombsBuffer(buffer, list, {0, 1}, hooks));
    EXPECT_EQ(hooks.Busy, 0);
}

// --- Progress -------------------------------------------------------------------

struct ProgressCase {
    const char* Name;
    std::size_t Count;
    std::size_t ProgressTexts;  // at most one per percent after the first text
};

void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.Name; }

class CombsBufferProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(CombsBufferProgress, ReportsAtMostOncePerPercent) {
    const ProgressCase& c = GetParam();
    test::TempDir dir;
    TCombsBuffer buffer(CombsBufferPath(dir.path()));
    TCombsArray list(c.Count);
    test::Fill(list, Varied(c.Count));

    test::FakeUiHooks saving;
    ASSERT_TRUE(SaveCombsBuffer(buffer, list, {0, 1}, saving));
    EXPECT_EQ(saving.Statuses.front(), texts::kCombsBufferSaving);
    EXPECT_EQ(saving.Statuses.back(), "");
    EXPECT_EQ(CountStartingWith(saving.Statuses, "Создание буфера комбинаций ( завершено "), c.ProgressTexts);

    test::FakeUiHooks loading;
    ASSERT_TRUE(LoadCombsBuffer(buffer, list, {0, 1}, loading));
    EXPECT_EQ(loading.Statuses.front(), texts::kCombsBufferLoading);
    EXPECT_EQ(loading.Statuses.back(), "");
    EXPECT_EQ(CountStartingWith(loading.Statuses, "Загрузка буфера комбинаций ( завершено "), c.ProgressTexts);
    if (c.Count >= 100) {
        EXPECT_NE(std::find(saving.Statuses.begin(), saving.Statuses.end(),
                            "Создание буфера комбинаций ( завершено 50 % )..."),
                  saving.Statuses.end());
    }
    EXPECT_EQ(test::ItemsOf(list), Varied(c.Count));
}

INSTANTIATE_TEST_SUITE_P(Sizes, CombsBufferProgress,
                         ::testing::Values(ProgressCase{"Empty", 0, 0}, ProgressCase{"One", 1, 0},
                                           ProgressCase{"FewerThanAHundred", 40, 39},
                                           ProgressCase{"OneAndAHalfHundred", 150, 99},
                                           ProgressCase{"Thousands", 5000, 99}),
                         [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
