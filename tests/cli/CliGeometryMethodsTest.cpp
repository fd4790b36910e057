// `corvel methods` under different settings files: the per-channel,
// per-column, per-row and per-segment entries follow the file, and values the
// file must not hold (0, negative, huge, non-digits in the segment map) fall
// back to the defaults instead of breaking the listing.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"

namespace corvel {
namespace {

struct SettingsCase {
    const char* Name;
    const char* Global;  // the lines of the GLOBAL section
    std::vector<std::string> Channels, Columns, Rows, Segments;
};

std::vector<std::string> Numbered(const char* prefix, int from, int to) {
    std::vector<std::string> codes;
    for (int p = from; p <= to; ++p) codes.push_back(prefix + std::to_string(p));
    return codes;
}

class MethodsOfSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(MethodsOfSettings, ListTheEntriesOfTheGeometry) {
    const SettingsCase& c = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    test::WriteBytes(dir.path() / "CorvelLotto_6x48.ini", std::string("[GLOBAL]\r\n") + c.Global);
    const test::ProcessResult r = test::RunCorvel({"--data-dir", dir.path().string(), "methods"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    std::vector<std::string> channels, columns, rows, segments, chainChannels, chainSegments;
    std::istringstream lines(r.Out);
    int entries = 0;
    for (std::string line; std::getline(lines, line);) {
        ++entries;
        const std::string code = line.substr(0, line.find('\t'));
        auto numbered = [&](const char* prefix) {
            const std::size_t n = std::string_view(prefix).size();
            return code.rfind(prefix, 0) == 0 && code.size() > n && std::isdigit(static_cast<unsigned char>(code[n]));
        };
        if (numbered("CHN")) channels.push_back(code);
        if (numbered("COL")) columns.push_back(code);
        if (numbered("ROW")) rows.push_back(code);
        if (numbered("SGM")) segments.push_back(code);
        // The chain counts over two and three draws, one method per channel
        // (segment) each, named here by the channel (segment) method.
        if (numbered("SC2C")) chainChannels.push_back("CHN" + code.substr(4));
        if (numbered("SC3C")) chainChannels.push_back("CHN" + code.substr(4));
        if (numbered("SS2C")) chainSegments.push_back("SGM" + code.substr(4));
        if (numbered("SS3C")) chainSegments.push_back("SGM" + code.substr(4));
    }
    EXPECT_EQ(channels, c.Channels);
    EXPECT_EQ(columns, c.Columns);
    EXPECT_EQ(rows, c.Rows);
    EXPECT_EQ(segments, c.Segments);
    auto twice = [](std::vector<std::string> codes) {
        std::vector<std::string> both = codes;
        both.insert(both.end(), codes.begin(), codes.end());
        return both;
    };
    EXPECT_EQ(chainChannels, twice(c.Channels));
    EXPECT_EQ(chainSegments, twice(c.Segments));
    // 222 with the defaults: 8 channels, 6 columns, 8 rows, one segment; of
    // the chain methods 49 do not depend on the settings.
    const int geometry = static_cast<int>(channels.size() + columns.size() + rows.size() + segments.size());
    EXPECT_EQ(entries, 155 - 23 + geometry + 49 + static_cast<int>(chainChannels.size() + chainSegments.size()));
}

const std::vector<std::string> kDefaultChannels = Numbered("CHN", 1, 8);
const std::vector<std::string> kDefaultColumns = Numbered("COL", 1, 6);
const std::vector<std::string> kDefaultRows = Numbered("ROW", 1, 8);

INSTANTIATE_TEST_SUITE_P(
    Files, MethodsOfSettings,
    ::testing::Values(
        SettingsCase{"Defaults", "", kDefaultChannels, kDefaultColumns, kDefaultRows, {"SGM1"}},
        SettingsCase{
            "OtherGeometry",
            "MatrixCols=8\r\nChannelSize=4\r\nMatrixSegments=222222222222333333333333333333333333444444444444\r\n",
            Numbered("CHN", 1, 12), Numbered("COL", 1, 8), Numbered("ROW", 1, 6), Numbered("SGM", 2, 4)},
        SettingsCase{"OneColumnWidestChannels",
                     "MatrixCols=1\r\nChannelSize=48\r\n",
                     {"CHN1"},
                     {"COL1"},
                     Numbered("ROW", 1, 48),
                     {"SGM1"}},
        // A map with holes (1 and 2, then 1 for the missing numbers): segments
        // 1, 2 and 7 in use, a method for each of 1..7.
        SettingsCase{"SegmentsWithHoles", "MatrixSegments=27\r\n", kDefaultChannels, kDefaultColumns, kDefaultRows,
                     Numbered("SGM", 1, 7)},
        SettingsCase{"ZeroValues",
                     "MatrixCols=0\r\nChannelSize=0\r\nMatrixSegments=000000\r\n",
                     kDefaultChannels,
                     kDefaultColumns,
                     kDefaultRows,
                     {"SGM1"}},
        SettingsCase{"NegativeValues",
                     "MatrixCols=-6\r\nChannelSize=-1\r\n",
                     kDefaultChannels,
                     kDefaultColumns,
                     kDefaultRows,
                     {"SGM1"}},
        SettingsCase{"HugeValues",
                     "MatrixCols=100000\r\nChannelSize=99999999999\r\n",
                     kDefaultChannels,
                     kDefaultColumns,
                     kDefaultRows,
                     {"SGM1"}},
        SettingsCase{
            "ChannelsTooNarrow", "ChannelSize=2\r\n", kDefaultChannels, kDefaultColumns, kDefaultRows, {"SGM1"}}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
