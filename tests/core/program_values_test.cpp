#include "core/settings_file/configuration_path.h"
#include "core/base/program_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gradation {
namespace {

TEST(ProgramValues, IniPathAddsOneSeparator) {
    struct Case {
        std::string directory;
        char separator;
        std::string path;
    };
    const Case cases[] = {
        {"C:\\Tools\\Chat", '\\', "C:\\Tools\\Chat\\QX.ini"},
        {"D:\\", '\\', "D:\\QX.ini"},
        {"/usr/lib/gradation", '/', "/usr/lib/gradation/QX.ini"},
        {"/", '/', "/QX.ini"},
    };
    for (const Case& c : cases) EXPECT_EQ(make_ini_path(c.directory, c.separator), c.path);
}

TEST(ProgramValues, CentringRoundsHalfToEvenThenHalvesTowardsZero) {
    struct Case {
        double screen, window;
        long long edge;
    };
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {15360, 4890, 5235}, {4589, 4890, -150},  // twips
        {7, 0, 3},           {0, 3, -1},           // the remainder is dropped towards zero
        {2.5, 0, 1},         {3.5, 0, 2},          // 2.5 -> 2, 3.5 -> 4
        {0, 2.5, -1},        {0, 3.5, -2},         // -2.5 -> -2, -3.5 -> -4
        {1.5, 0, 1},         {0.5, 0, 0},          {2.6, 0, 1}, {0, 0.4, 0},
        {kNan, 0, 0},        {kInf, 0, 0},         {1e300, 0, 2'000'000'000'000'000'000},
    };
    for (const Case& c : cases) EXPECT_EQ(centred_edge(c.screen, c.window), c.edge) << c.screen << " - " << c.window;
}

}  // namespace
}  // namespace gradation
