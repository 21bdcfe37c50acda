#include "fields/option_fields.h"

#include "naming/advanced_name.h"

namespace {

// Parses `text` when its rule applies and adds what it asks for to the whole.
void Take(OptionFields& all, FieldText& field, const std::string& text, bool applies) {
    if (!applies) return;
    field = ParseFieldText(text);
    all.any = all.any || field.hasFields;
    if (all.error.empty()) all.error = field.error;
    all.needs.times = all.needs.times || field.needs.times;
    all.needs.media = all.needs.media || field.needs.media;
}

std::string Fill(const FieldText& field, const std::string& typed, const FieldContext& c, bool replacement,
                 std::string& missing) {
    return field.hasFields ? FillFieldText(field, c, replacement, missing) : typed;
}

}  // namespace

OptionFields ParseOptionFields(const RenameOptions& o) {
    OptionFields all;
    // As the composition takes them: the basic rules first, INSERT before Replace.
    const bool basic = o.m_bChangePrefix || o.m_bChangeExt;
    Take(all, all.prefix, o.m_strNewPrefix, o.m_bChangePrefix != 0);
    Take(all, all.ext, o.m_strNewExt, o.m_bChangeExt != 0);
    Take(all, all.insert, o.m_strInsStr1, !basic && o.m_bInsert);
    Take(all, all.with, o.m_strReStr2, !basic && !o.m_bInsert && o.m_bReplace);
    all.withIsReplacement = UsesNamePattern(o);
    return all;
}

FilledTexts FillOptionFields(const OptionFields& f, const RenameOptions& o, const FieldContext& c) {
    FilledTexts t;
    t.prefix = Fill(f.prefix, o.m_strNewPrefix, c, false, t.missing);
    t.ext = Fill(f.ext, o.m_strNewExt, c, false, t.missing);
    t.insert = Fill(f.insert, o.m_strInsStr1, c, false, t.missing);
    t.with = Fill(f.with, o.m_strReStr2, c, f.withIsReplacement, t.missing);
    return t;
}

RenameOptions WithFilledTexts(const RenameOptions& o, const FilledTexts& t) {
    RenameOptions filled = o;
    filled.m_strNewPrefix = t.prefix;
    filled.m_strNewExt = t.ext;
    filled.m_strInsStr1 = t.insert;
    filled.m_strReStr2 = t.with;
    return filled;
}
