// The four attributes a user chooses for a file, as the check boxes of the options
// window (three-state) and of the file status window (two-state) hold them, and what
// a choice makes of a file's attribute word. Plain types only: no Windows headers.
#pragma once

struct AttributeChoice {
    // Per attribute: 0 clear it, 1 set it, 2 leave it as it is.
    int readOnly = 2, hidden = 2, system = 2, archive = 2;

    // `word` with the bits chosen 1 set and those chosen 0 cleared; every other bit kept.
    unsigned Apply(unsigned word) const;
    // The four attributes of `word` as two-state boxes show them: 1 set, 0 not set.
    static AttributeChoice FromWord(unsigned word);
};

// One attribute: its bit in the attribute word, its check box (the same control in
// every window that shows attributes) and its place in a choice.
struct AttributeBox {
    unsigned bit;
    int controlId;
    int AttributeChoice::*state;
};

// Read-only, hidden, system, archive.
extern const AttributeBox kAttributeTable[4];
