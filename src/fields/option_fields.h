// The fields of the four option texts that take them: New Prefix, New Ext, the INSERT
// string and the Replace "with" string, each looked at only when its rule applies.
#pragma once

#include "fields/field_text.h"
#include "naming/rename_options.h"

#include <string>

struct OptionFields {
    FieldText prefix, ext, insert, with;
    bool withIsReplacement = false;  // "with" is a regular expression's replacement
    bool any = false;
    std::string error;  // the first unknown field, as typed
    FactNeeds needs;
};

OptionFields ParseOptionFields(const RenameOptions& o);

// The four texts of one file, its fields filled in; `missing` gets the first field
// without a value, as typed.
struct FilledTexts {
    std::string prefix, ext, insert, with;
    std::string missing;
};
FilledTexts FillOptionFields(const OptionFields& fields, const RenameOptions& o, const FieldContext& context);

// The options with one file's texts in place of the typed ones.
RenameOptions WithFilledTexts(const RenameOptions& o, const FilledTexts& texts);
