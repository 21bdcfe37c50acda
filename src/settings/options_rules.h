// Which controls of the options window its check boxes enable, as a plain function of
// the settings: the window applies it after each click, and at start.
#pragma once

#include "settings/program_settings.h"

#include <vector>

// The controls whose enabled state the settings decide.
const std::vector<int>& OptionsDependentControls();
// Those of them the settings enable, in the order of OptionsDependentControls().
std::vector<int> OptionsEnabledControls(const ProgramSettings& s);
