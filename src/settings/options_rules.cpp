#include "settings/options_rules.h"

#include "res/resource.h"

namespace {

// Controls that share one enabling condition.
struct Group {
    std::vector<int> controls;
    bool (*enabled)(const ProgramSettings&);
};

const Group kGroups[] = {
    {{IDC_OPT_SELECTDIR, IDC_OPT_DESTINATION}, [](const ProgramSettings& s) { return s.m_bUseNewDir != 0; }},
    {{IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM},
     [](const ProgramSettings& s) { return s.m_bSetAttrib != 0; }},
    // "Change Files' Time && Date": the two labels and boxes, the button that fills them,
    // "Increment Time by:" and the format label.
    {{IDC_OPT_LBL_DATE, IDC_OPT_LBL_TIME, IDC_OPT_DATE, IDC_OPT_TIME, IDC_OPT_GETNOW, IDC_OPT_INCTIME,
      IDC_OPT_LBL_FORMAT},
     [](const ProgramSettings& s) { return s.m_bTimeDate != 0; }},
    // The step only matters when a time stamp is given at all.
    {{IDC_OPT_INCAMOUNT, IDC_OPT_LBL_INCFORMAT},
     [](const ProgramSettings& s) { return s.m_bIncTime && s.m_bTimeDate; }},
};

}  // namespace

const std::vector<int>& OptionsDependentControls() {
    static const std::vector<int> all = [] {
        std::vector<int> ids;
        for (const Group& g : kGroups) ids.insert(ids.end(), g.controls.begin(), g.controls.end());
        return ids;
    }();
    return all;
}

std::vector<int> OptionsEnabledControls(const ProgramSettings& s) {
    std::vector<int> enabled;
    for (const Group& g : kGroups)
        if (g.enabled(s)) enabled.insert(enabled.end(), g.controls.begin(), g.controls.end());
    return enabled;
}
