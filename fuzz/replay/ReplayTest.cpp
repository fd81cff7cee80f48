// Every seed and every kept regression input of every fuzz target, run
// through the same property checks as the fuzz targets; no fuzzer needed.
#include "properties/NumberProperties.h"
#include "properties/Targets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace welkor::fuzz {
void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }
} // namespace welkor::fuzz

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const std::string& target)
{
    std::vector<fs::path> files;
    std::vector<fs::path> dirs = {fs::path(WELKOR_FUZZ_DIR) / "seeds" / target,
                                  fs::path(WELKOR_FUZZ_DIR) / "regressions" / target};
    // The example reports seed the targets that read reports, as in fuzz/run.
    if (target == "report_file" || target == "user_session" || target == "output_formats")
        dirs.push_back(fs::path(WELKOR_FUZZ_DIR).parent_path() / "examples");
    for (const fs::path& dir : dirs) {
        if (!fs::is_directory(dir))
            continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzInputs : public ::testing::TestWithParam<welkor::fuzz::Target> {};

TEST_P(FuzzInputs, HoldEveryProperty)
{
    const welkor::fuzz::Target& target = GetParam();
    const std::vector<fs::path> files = InputsOf(target.name);
    ASSERT_FALSE(files.empty()) << "no seeds for " << target.name;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(target.check(bytes), "") << file;
    }
}

// Every folder of seeds or regression inputs belongs to a target.
TEST(FuzzInputs, FoldersNameTargets)
{
    for (const char* kind : {"seeds", "regressions"})
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(WELKOR_FUZZ_DIR) / kind))
            EXPECT_NE(welkor::fuzz::FindTarget(entry.path().filename().string()), nullptr) << entry.path();
}

// The label check tells a cut or false label from a true one.
TEST(FuzzInputs, LabelCheckCatchesWrongLabels)
{
    const auto verdict = [](const std::string& label, long double value) {
        welkor::fuzz::Verdict v;
        welkor::fuzz::CheckFixed4Label(label, value, v);
        return v.Failure();
    };
    EXPECT_EQ(verdict("0,0770", 0.077L), "");
    EXPECT_EQ(verdict("-1\xA0" "234,5000", -1234.5L), "");
    EXPECT_EQ(verdict("1E122", 1e122L), "");
    EXPECT_NE(verdict("1\xA0" "000,0000", 1e122L), "");  // cut digits
    EXPECT_NE(verdict("0,0780", 0.077L), "");             // another value
    EXPECT_NE(verdict("1234,5000", 1234.5L), "");         // no grouping
    EXPECT_NE(verdict("-0,0000", -0.00001L), "");         // a zero with a minus
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(welkor::fuzz::Targets()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
