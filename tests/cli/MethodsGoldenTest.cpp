// `corvel methods` against the checked-in listing: the registration order,
// codes, texts and flag letters of every method, from the real program. After
// adding a method, rewrite the file with CORVEL_UPDATE_GOLDEN=1 and review the
// difference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"

namespace corvel {
namespace {

TEST(MethodsGolden, ListingMatchesTheGoldenFile) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const test::ProcessResult r = test::RunCorvel({"--data-dir", dir.path().string(), "methods"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const auto golden = std::filesystem::path(CORVEL_GOLDEN_DIR) / "methods.txt";
    if (const char* update = std::getenv("CORVEL_UPDATE_GOLDEN"); update && *update == '1') {
        test::WriteBytes(golden, r.Out);
        GTEST_SKIP() << "rewrote " << golden;
    }
    EXPECT_EQ(r.Out, test::ReadBytes(golden));
}

}  // namespace
}  // namespace corvel
