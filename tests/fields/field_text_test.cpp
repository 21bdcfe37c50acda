// The field language of the name texts: parsing, formats, fallbacks, widths, cleaning,
// and the run's plan with fields (values per file, a missing value, an unknown field).
#include "fields/field_text.h"
#include "rename/rename_plan.h"
#include "support/fake_file_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

FileFacts Photo() {
    FileFacts f;
    f.media.taken = LocalTime{2024, 5, 17, 14, 3, 22}, f.media.make = " Vor:cam. ", f.media.iso = 400;  // a Friday
    f.modified = LocalTime{2023, 1, 2, 3, 4, 5};
    return f;
}

FileFacts Song() {
    FileFacts f;
    f.media.artist = "Zoë: Å", f.media.title = " Ça va? ", f.media.albumArtist = "Bänd", f.media.genre = "Jazz";
    f.media.track = 7, f.media.disc = 2, f.media.year = 2019;
    return f;
}

FileFacts Plain() {
    FileFacts f;
    f.modified = LocalTime{2023, 1, 2, 3, 4, 5}, f.media.model = "A$B";
    return f;
}

TEST(FieldText, FillsEachFileFromItsValues) {
    const FileFacts photo = Photo(), plain = Plain(), song = Song();
    const struct { const char* text; const FileFacts* facts; const char* filled; const char* missing; } cases[] = {
        {"<taken>", &photo, "2024-05-17", ""},
        {"<taken:yyyy-MM-dd_HHmmss>", &photo, "2024-05-17_140322", ""},
        {"<taken:ddd d MMM yy, dddd MMMM H>", &photo, "Fri 17 May 24, Friday May 14", ""},
        {"<taken:'Day' dd.M ''>", &photo, "Day 17.5 '", ""},
        {"<taken:HH:mm>", &photo, "14_03", ""},  // a value's ":" is cleaned like any
        {"<lens|make>", &photo, "Vor_cam", ""},
        {"<taken|modified:yyyy>", &plain, "2023", ""},
        {"<iso:5>-<iso>", &photo, "00400-400", ""},
        {"x<lens>y<taken>", &plain, "x<lens>y<taken>", "<lens>"},
        {"<name>_<ext> in <folder>", &plain, "IMG 1_JPG in Trip", ""},
        {"a<b", &plain, "a<b", ""},
        {"<track:2> - <artist> - <title>", &song, "07 - Zoë_ Å - Ça va_", ""},
        {"<disc><track:3> <year:2> <genre>", &song, "2007 2019 Jazz", ""},
        {"<albumartist|artist> <album|taken|genre>", &song, "Bänd Jazz", ""},
        {"<artist|albumartist>-<album>-<track:2>", &plain, "<artist|albumartist>-<album>-<track:2>", "<artist|albumartist>"},
    };
    for (const auto& c : cases) {
        std::string missing;
        const FieldText text = ParseFieldText(c.text);
        EXPECT_EQ(text.error, "") << c.text;
        EXPECT_EQ(FillFieldText(text, FieldContext{"IMG 1.JPG", "C:\\Photos\\Trip\\", c.facts}, false, missing),
                  c.filled);
        EXPECT_EQ(missing, c.missing) << c.text;
    }
    std::string missing;
    EXPECT_EQ(FillFieldText(ParseFieldText("$<model>"), FieldContext{"a", "C:\\", &plain}, true, missing), "$A$$B");
    EXPECT_EQ(FillFieldText(ParseFieldText("<folder>"), FieldContext{"a", "C:\\", &plain}, false, missing), "<folder>");
}

TEST(FieldText, NamesTheFirstUnknownFieldAsTyped) {
    const struct { const char* text; const char* error; } cases[] = {
        {"<takne>", "<takne>"},         {"<taken:yyyy-QQ>", "<taken:yyyy-QQ>"}, {"<make:3>", "<make:3>"},
        {"<iso:x>", "<iso:x>"},         {"<taken|bogus>", "<taken|bogus>"},     {"<taken:'open>", "<taken:'open>"},
        {"<taken:yyy>", "<taken:yyy>"}, {"<name> <x> <y>", "<x>"},              {"<TAKEN>", "<TAKEN>"},
        {"<model|iso:3>", "<model|iso:3>"}, {"<artist:2>", "<artist:2>"}, {"<track:yyyy>", "<track:yyyy>"},
        {"a > b <c", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseFieldText(c.text).error, c.error) << c.text;
}

TEST(FieldText, CleansValuesForNames) {
    std::string e120;  // é, two bytes each
    for (int i = 0; i < 120; ++i) e120 += "\xC3\xA9";
    const struct { std::string value, clean; } cases[] = {
        {"  a/b?c.. ", "a_b_c"}, {"tab\there\x01", "tab_here_"}, {"...", ""}, {"a . .", "a"},
        {std::string(130, 'x'), std::string(120, 'x')}, {e120 + "\xC3\xA9\xC3\xA9", e120}, {std::string(119, 'x') + " y", std::string(119, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanFieldValue(c.value), c.clean) << c.value;
}

class TableFacts : public FactSource {
public:
    std::map<std::string, FileFacts> files;
    FileFacts Facts(const std::string&, const std::string& name, FactNeeds) override { return files[name]; }
};

TEST(FieldText, PlanFillsNamesAndRefusesMissingOrUnknownFields) {
    TableFacts facts;
    facts.files["a.jpg"] = Photo();
    facts.files["b.jpg"] = Photo();
    facts.files["b.jpg"].media.taken->second = 23;
    RenameOptions o;
    ProgramSettings s;
    s.m_bWarnRename = 0;
    o.m_bChangePrefix = 1, o.m_nPrefixPos = 0, o.m_bPrefixUpper = 1, o.m_bCountPrefix = 1, o.m_strStartCount = "1";
    o.m_strNewPrefix = "<taken:yyyy-MM-dd_HHmmss_MMM>_";
    RenamePlan plan = MakePlan(o, s, "C:\\d\\", {"a.jpg", "b.jpg"}, 0, true, &facts);
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[1].newName, "2024-05-17_140323_MAY_2.jpg");  // the case rule after filling
    EXPECT_FALSE(plan.missingValue);
    EXPECT_EQ(RenumberedStep(plan, 1, 0).newName, "2024-05-17_140323_MAY_1.jpg");

    plan = MakePlan(o, s, "C:\\d\\", {"a.jpg", "c.jpg", "d.jpg"}, 0, true, &facts);
    ASSERT_TRUE(plan.missingValue);
    EXPECT_EQ(plan.missingValue->text, "No value for <taken:yyyy-MM-dd_HHmmss_MMM> in:  c.jpg");
    EXPECT_EQ(plan.missingValue->title, "Missing Value!");
    const PreviewContent preview = PreviewOf(plan);
    EXPECT_EQ(preview.names[1], "<TAKEN:YYYY-MM-DD_HHMMSS_MMM>_2.jpg");
    EXPECT_EQ(preview.missingName, 1u);

    o.m_bChangePrefix = 0, o.m_bReplace = 1, o.m_nApplyTo = 0, o.m_strReFromPos = "1", o.m_strReStr2 = "<takne>";
    plan = MakePlan(o, s, "C:\\d\\", {"a.jpg"}, 0, true, &facts);
    ASSERT_TRUE(plan.refusal);
    EXPECT_EQ(plan.refusal->title + "|" + plan.refusal->text, "Field Error:|Unknown field: <takne>");

    // Positions count the filled-in text: the replacement's value goes in whole.
    o.m_strReStr2 = "<iso:4>", o.m_strReFromPos = "", o.m_bInsert = 1, o.m_strInsAtPos = "1", o.m_strInsStr1 = "<iso>";
    plan = MakePlan(o, s, "C:\\d\\", {"a.jpg"}, 0, true, &facts);
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].newName, "a400.jpg");
}

// Each file is read once until its size or time changes; after BeginDirectory the
// directory's listing stands in for each file's status.
TEST(FileFacts, AreReadOncePerFileUntilItChanges) {
    FakeFileServices fake;
    FakeEntry& a = fake.AddFile("C:\\d\\a.jpg", kFileArchive, 1000, "not a photo");
    FileFactCache cache(fake);
    auto reads = [&fake] {
        return std::count_if(fake.log.begin(), fake.log.end(), [](const std::string& l) { return l.rfind("ReadFile", 0) == 0; });
    };
    const FactNeeds media{false, true};
    cache.Facts("C:\\d\\", "a.jpg", media), cache.Facts("C:\\d\\", "a.jpg", media);
    EXPECT_EQ(reads(), 1);
    a.modified = 2000;
    cache.Facts("C:\\d\\", "a.jpg", media);
    EXPECT_EQ(reads(), 2);
    a.contents += "x";  // the same time, another size
    cache.BeginDirectory("C:\\d\\");
    fake.log.clear();
    cache.Facts("C:\\d\\", "a.jpg", media), cache.Facts("C:\\d\\", "a.jpg", media);
    EXPECT_EQ(fake.log, std::vector<std::string>{"ReadFile C:\\d\\a.jpg"});
    EXPECT_FALSE(cache.Facts("C:\\d\\", "gone.jpg", FactNeeds{true, true}).modified);
}

}  // namespace
