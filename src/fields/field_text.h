// Fields in the name texts: `<NAME>` or `<NAME:FORMAT>`, with fallbacks `<a|b:FORMAT>`,
// filled in per file from its old name, its folder and its facts.
#pragma once

#include "metadata/file_facts.h"

#include <string>
#include <vector>

// A text split into literal runs and fields. A "<" with no ">" after it is literal.
struct FieldText {
    struct Piece {
        std::string text;                 // the literal, or the field as typed ("<taken:yy>")
        std::vector<std::string> names;   // empty for a literal
        std::string format;
        bool hasFormat = false;
    };
    std::vector<Piece> pieces;
    bool hasFields = false;
    std::string error;  // the first field as typed whose name or FORMAT is unknown
    FactNeeds needs;
};

FieldText ParseFieldText(const std::string& text);

// What the fields of one file draw on.
struct FieldContext {
    std::string oldName;  // bare, extension included
    std::string dir;      // its folder, ending in "\"
    const FileFacts* facts = nullptr;
};

// The text with every field filled in (each value cleaned by CleanFieldValue). A field
// none of whose names has a value stays as typed, and the first such is put in
// `missing`. With `forReplacement` a "$" of a value is doubled, so that a regular
// expression's replacement takes it as itself.
std::string FillFieldText(const FieldText& text, const FieldContext& context, bool forReplacement,
                          std::string& missing);

// A value made fit for a name: the nine invalid characters and control characters
// become "_", leading and trailing blanks and trailing dots go, and it is cut to
// kMaxFieldValue characters.
constexpr std::size_t kMaxFieldValue = 120;
std::string CleanFieldValue(const std::string& value);

// The fields the texts know, for the tooltips and the help: one line each.
extern const char* const kFieldHelpText;
