// The rules of the main window's option controls, as plain functions over the
// options: what one control's change does to the other options, which controls the
// options enable, and which field each control shows. The window reads the control
// that changed, applies the rule and shows the fields that differ.
#pragma once

#include "naming/rename_options.h"

#include <string>
#include <vector>

// How a control holds its field.
enum class ControlKind {
    CheckBox,    // 0 or 1
    RadioGroup,  // index of the checked button, -1 when none
    Text,        // an edit's text
    Number,      // an edit showing a decimal number
};

// One field of the options and the control that shows it.
struct OptionBinding {
    int control;     // the control; for a radio group its first button
    ControlKind kind;
    int buttons;     // radio group: its buttons have the ids control .. control + buttons - 1
    int RenameOptions::*flag;          // CheckBox, RadioGroup
    std::string RenameOptions::*text;  // Text
    long RenameOptions::*number;       // Number
    int maxChars;    // Text: the most characters the edit takes, 0 for no limit
};

// Every field, in the order the window exchanges them.
const std::vector<OptionBinding>& OptionBindings();
// The binding of a control (any button of a radio group finds its group); nullptr for
// a control that shows no field.
const OptionBinding* FindOptionBinding(int control);
// Whether the field of `b` holds the same value in both.
bool SameField(const OptionBinding& b, const RenameOptions& x, const RenameOptions& y);

// What a control holds after the user changed it: a box's check state or a radio
// group's checked index in `value`, an edit's text in `text`.
struct OptionChange {
    int control = 0;
    int value = 0;
    std::string text;
    // An edit's caret after the keystroke: just after the character typed.
    int caret = 0;
};

// The change a click on a check box (its state turns over) or a radio button (its
// group's index becomes that button's) makes.
OptionChange ClickedOption(const RenameOptions& o, int control);

// The field of the changed control as the control now shows it, nothing else changed:
// what the window shows before the rule has run.
RenameOptions WithChangeShown(RenameOptions options, const OptionChange& change);

struct OptionOutcome {
    RenameOptions options;
    // The keystroke is refused: the edit gets back the text it had (the field still
    // holds it), a beep sounds and the caret goes back to where the character went in.
    bool refused = false;
    // Shown (title kCounterNoticeTitle, information icon) before the text is put back.
    std::string notice;
    // Where the edit's caret goes: back where the refused character went in; -1 to
    // leave it where the keystroke put it.
    int caret = -1;
};

// The options after one control changed, with the preview line that belongs to them.
OptionOutcome ApplyOptionChange(const RenameOptions& before, const OptionChange& change);

// The controls whose enabled state the options decide: the basic group and the
// advanced group. The boxes that switch between basic and advanced renaming are in
// neither, so they are never disabled.
const std::vector<int>& BasicGroupControls();
const std::vector<int>& AdvancedGroupControls();
// The controls of both groups that the options enable, in ascending order.
std::vector<int> EnabledControls(const RenameOptions& o);
