#include "fields/field_text.h"

#include "fields/date_format.h"
#include "naming/split_name.h"
#include "naming/utf8.h"

#include <cstring>
#include <optional>

const char* const kFieldHelpText =
    "Fields: <taken> <modified> <created> (dates, e.g. <taken:yyyy-MM-dd_HHmmss>), "
    "<make> <model> <lens> <width> <height> <iso> (e.g. <iso:5>), "
    "<artist> <albumartist> <album> <title> <genre> <year> <track> <disc> (e.g. <track:2>), "
    "<name> <ext> <folder>; "
    "<taken|modified> takes the first with a value";

namespace {

enum class Kind { Date, Text, Number };

struct Value {
    std::optional<LocalTime> date;
    std::string text;
    std::optional<uint64_t> number;
};

// Where a value comes from: only the contents and the status cost a read of the file.
enum class Source { Name, Status, Contents };

struct FieldDef {
    const char* name;
    Kind kind;
    Source source;
    Value (*get)(const FieldContext&);
};

const FileFacts& Facts(const FieldContext& c) {
    static const FileFacts none;
    return c.facts ? *c.facts : none;
}

std::string FolderOf(const std::string& dir) {
    const std::size_t end = dir.empty() || dir.back() != '\\' ? dir.size() : dir.size() - 1;
    const std::size_t start = dir.rfind('\\', end == 0 ? 0 : end - 1);
    const std::string folder = dir.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
    return folder.find(':') == std::string::npos ? folder : std::string();  // a drive's root has no name
}

const FieldDef kFields[] = {
    {"taken", Kind::Date, Source::Contents, [](const FieldContext& c) { return Value{Facts(c).media.taken, {}, {}}; }},
    {"modified", Kind::Date, Source::Status, [](const FieldContext& c) { return Value{Facts(c).modified, {}, {}}; }},
    {"created", Kind::Date, Source::Status, [](const FieldContext& c) { return Value{Facts(c).created, {}, {}}; }},
    {"make", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.make, {}}; }},
    {"model", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.model, {}}; }},
    {"lens", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.lens, {}}; }},
    {"width", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.width}; }},
    {"height", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.height}; }},
    {"iso", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.iso}; }},
    {"artist", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.artist, {}}; }},
    {"albumartist", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.albumArtist, {}}; }},
    {"album", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.album, {}}; }},
    {"title", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.title, {}}; }},
    {"genre", Kind::Text, Source::Contents, [](const FieldContext& c) { return Value{{}, Facts(c).media.genre, {}}; }},
    {"year", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.year}; }},
    {"track", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.track}; }},
    {"disc", Kind::Number, Source::Contents, [](const FieldContext& c) { return Value{{}, {}, Facts(c).media.disc}; }},
    {"name", Kind::Text, Source::Name, [](const FieldContext& c) { return Value{{}, SplitName(c.oldName).prefix, {}}; }},
    {"ext", Kind::Text, Source::Name, [](const FieldContext& c) { return Value{{}, SplitName(c.oldName).extension, {}}; }},
    {"folder", Kind::Text, Source::Name, [](const FieldContext& c) { return Value{{}, FolderOf(c.dir), {}}; }},
};

const FieldDef* FindField(const std::string& name) {
    for (const FieldDef& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

// A width of a number field: one to three digits, at most the longest value.
std::optional<std::size_t> WidthOf(const std::string& format) {
    if (format.empty() || format.size() > 3 || format.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t width = std::stoul(format);
    if (width == 0 || width > kMaxFieldValue) return std::nullopt;
    return width;
}

bool FormatFits(const FieldDef& f, const FieldText::Piece& p) {
    if (!p.hasFormat) return true;
    switch (f.kind) {
        case Kind::Date: return FormatFieldDate(LocalTime{}, p.format).has_value();
        case Kind::Number: return WidthOf(p.format).has_value();
        case Kind::Text: return false;
    }
    return false;
}

std::optional<std::string> ValueText(const FieldDef& f, const FieldText::Piece& p, const FieldContext& c) {
    const Value v = f.get(c);
    switch (f.kind) {
        case Kind::Date:
            if (!v.date) return std::nullopt;
            return FormatFieldDate(*v.date, p.hasFormat ? p.format : "yyyy-MM-dd");
        case Kind::Number: {
            if (!v.number) return std::nullopt;
            std::string digits = std::to_string(*v.number);
            const std::size_t width = p.hasFormat ? *WidthOf(p.format) : 0;
            if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
            return digits;
        }
        case Kind::Text: return v.text;
    }
    return std::nullopt;
}

// "<a|b:F>" into its piece; false when a name or the format is unknown.
bool ParseField(const std::string& inside, FieldText::Piece& p, FactNeeds& needs) {
    const std::size_t colon = inside.find(':');
    p.hasFormat = colon != std::string::npos;
    if (p.hasFormat) p.format = inside.substr(colon + 1);
    const std::string names = inside.substr(0, colon);
    for (std::size_t start = 0;;) {
        const std::size_t bar = names.find('|', start);
        p.names.push_back(names.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    for (const std::string& name : p.names) {
        const FieldDef* f = FindField(name);
        if (!f || !FormatFits(*f, p)) return false;
        needs.media = needs.media || f->source == Source::Contents;
        needs.times = needs.times || f->source == Source::Status;
    }
    return true;
}

}  // namespace

std::string CleanFieldValue(const std::string& value) {
    std::string clean;
    for (char c : ToValidUtf8(value)) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        clean += control || (c != 0 && std::strchr("\"*/:<>?\\|", c)) ? '_' : c;
    }
    clean.resize(CodePointOffset(clean, kMaxFieldValue));
    auto dropBack = [&clean] { return !clean.empty() && (clean.back() == ' ' || clean.back() == '.'); };
    while (dropBack()) clean.pop_back();
    return clean.substr(std::min(clean.size(), clean.find_first_not_of(' ')));
}

FieldText ParseFieldText(const std::string& text) {
    FieldText parsed;
    std::size_t at = 0;
    auto literal = [&parsed](const std::string& s) {
        if (!s.empty()) parsed.pieces.push_back(FieldText::Piece{s, {}, {}, false});
    };
    for (;;) {
        const std::size_t open = text.find('<', at);
        const std::size_t close = open == std::string::npos ? open : text.find('>', open);
        if (close == std::string::npos) {
            literal(text.substr(at));
            break;
        }
        literal(text.substr(at, open - at));
        FieldText::Piece field;
        field.text = text.substr(open, close - open + 1);
        if (!ParseField(text.substr(open + 1, close - open - 1), field, parsed.needs) && parsed.error.empty())
            parsed.error = field.text;
        parsed.pieces.push_back(std::move(field));
        parsed.hasFields = true;
        at = close + 1;
    }
    return parsed;
}

std::string FillFieldText(const FieldText& text, const FieldContext& context, bool forReplacement,
                          std::string& missing) {
    std::string out;
    for (const FieldText::Piece& p : text.pieces) {
        std::optional<std::string> value;
        for (const std::string& name : p.names) {
            const FieldDef* f = FindField(name);
            if (!f || value) continue;
            value = ValueText(*f, p, context);
            if (value) value = CleanFieldValue(*value);
            if (value && value->empty()) value.reset();
        }
        if (p.names.empty() || !value) {
            if (!p.names.empty() && missing.empty()) missing = p.text;
            out += p.text;
            continue;
        }
        for (char c : *value) {
            if (forReplacement && c == '$') out += '$';
            out += c;
        }
    }
    return out;
}
