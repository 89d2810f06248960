// Names from data kept inside the data area: the names refused, and places reached by links.
#include "files/data_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/data_error.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::files {
namespace {

namespace fs = std::filesystem;
using testing::DataErrorOf;

TEST(CheckDataName, RefusesNamesThatCouldClimbOutOfTheirFolder) {
    const struct {
        std::string name;
        bool refused;
    } cases[] = {
        {"KV-01", false},
        {"CPT 7 (north).v2", false},
        {"a.b", false},
        {"", false},
        {"..", true},
        {".", true},
        {"../../../../escape/ESC", true},
        {"a/b", true},
        {"a\\b", true},
        {"x..y", true},
        {"/etc/passwd", true},
        {std::string("KV\0x", 4), true},
        {"KV\t1", true},
    };
    for (const auto& c : cases) {
        if (c.refused) {
            const tools::DataError error =
                DataErrorOf([&] { CheckDataName(c.name, "sounding name", "db.csv line 4"); });
            EXPECT_EQ(error.code(), "DAN101") << c.name;
            EXPECT_EQ(error.description().rfind(
                          "db.csv line 4: the sounding name «" + c.name + "» is refused", 0),
                      0u)
                << error.description();
        } else {
            EXPECT_NO_THROW(CheckDataName(c.name, "sounding name", "db.csv line 4")) << c.name;
        }
    }
}

TEST(CheckInsideDataArea, FollowsLinksToWhereTheyLead) {
    testing::TempDir dir;
    const fs::path area = dir.path() / "area";
    dir.Write("area/Projects/P/inside.CPT", "x");
    dir.Write("outside.CPT", "x");
    fs::create_symlink(area / "Projects" / "P" / "inside.CPT", area / "Projects" / "P" / "in.CPT");
    fs::create_symlink(dir.path() / "outside.CPT", area / "Projects" / "P" / "out.CPT");
    fs::create_symlink(dir.path(), area / "Projects" / "Q");
    // The data area next door shares the beginning of the root's name.
    dir.Write("area2/x.CPT", "x");
    const DataArea data{area.string(), "P"};

    for (const std::string inside : {"inside.CPT", "in.CPT", "not yet written.CPT"}) {
        EXPECT_NO_THROW(
            CheckInsideDataArea(data, area.string() + "\\Projects\\P\\" + inside, "field file"))
            << inside;
    }
    for (const std::string& outside :
         {area.string() + "\\Projects\\P\\out.CPT", area.string() + "\\Projects\\Q\\outside.CPT",
          area.string() + "\\..\\area2\\x.CPT"}) {
        const tools::DataError error =
            DataErrorOf([&] { CheckInsideDataArea(data, outside, "field data file"); });
        EXPECT_EQ(error.code(), "DAN102") << outside;
        EXPECT_NE(error.description().find(", outside the data area " + area.string()),
                  std::string::npos)
            << error.description();
    }
}

}  // namespace
}  // namespace kavo::files
