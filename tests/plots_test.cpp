#include <cstdint>
#include <string>
#include <vector>

#include "support.h"

namespace xsin {
namespace {

using testing::readFile;
using testing::run;

std::uint32_t bigEndian(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

using Plots = testing::InTempDir;

TEST_F(Plots, RenderEveryFigureAsASmallPng) {
    const auto result = run(std::string(RENDER_PLOTS) + " figures");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> figures{"derivatives", "derivative_errors", "exp_bisection"};
    if (WITH_ACCURACY_REPORT) {
        figures.insert(figures.end(), {"evaluator_errors", "finite_difference_steps", "convergence"});
    }
    for (const std::string& figure : figures) {
        SCOPED_TRACE(figure);
        const std::string png = readFile("figures/" + figure + ".png");
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        const std::uint32_t width = bigEndian(png, 16);
        const std::uint32_t height = bigEndian(png, 20);
        EXPECT_GE(width, 600u);
        EXPECT_LE(width, 2000u);
        EXPECT_GE(height, 400u);
        EXPECT_LE(height, 1500u);
        EXPECT_LT(png.size(), 200u * 1024u);
        // A figure of mostly one colour compresses to a few kilobytes.
        EXPECT_GT(png.size(), 20u * 1024u);
    }
}

}  // namespace
}  // namespace xsin
