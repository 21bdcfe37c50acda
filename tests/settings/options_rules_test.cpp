// The enabling rules of the options window: which controls each check box enables.
#include "settings/options_rules.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(OptionsRules, EachBoxEnablesItsControls) {
    const std::vector<int> groups[] = {
        {IDC_OPT_SELECTDIR, IDC_OPT_DESTINATION}, {IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM},
        {IDC_OPT_LBL_DATE, IDC_OPT_LBL_TIME, IDC_OPT_DATE, IDC_OPT_TIME, IDC_OPT_GETNOW, IDC_OPT_INCTIME,
         IDC_OPT_LBL_FORMAT}, {IDC_OPT_INCAMOUNT, IDC_OPT_LBL_INCFORMAT}};
    // The four boxes (new directory, attributes, time stamp, increment) and a digit per group.
    const struct { int newDir, attributes, stamp, increment; const char* enabled; } cases[] = {
        {0, 0, 0, 0, "0000"}, {1, 1, 1, 1, "1111"}, {1, 0, 0, 0, "1000"}, {0, 1, 0, 0, "0100"},
        {0, 0, 1, 0, "0010"}, {0, 0, 0, 1, "0000"},  // an increment needs a time stamp
        {0, 0, 1, 1, "0011"},
    };
    EXPECT_EQ(OptionsDependentControls().size(), 15u);
    for (const auto& c : cases) {
        ProgramSettings s;
        s.m_bUseNewDir = c.newDir, s.m_bSetAttrib = c.attributes, s.m_bTimeDate = c.stamp, s.m_bIncTime = c.increment;
        const std::vector<int> enabled = OptionsEnabledControls(s);
        for (size_t g = 0; g < 4; ++g)
            for (int id : groups[g])
                EXPECT_EQ(std::count(enabled.begin(), enabled.end(), id), c.enabled[g] == '1') << c.enabled << " " << id;
    }
}

}  // namespace
