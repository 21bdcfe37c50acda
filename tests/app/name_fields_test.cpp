// Fields in the name texts over real files under Wine: the preview line, the Full
// Preview and the run with a missing value, runs naming photos by their date taken and
// songs by their tags, and the orders by date taken (the rules themselves: the native tables of tests/fields).
#include "rename/run_kit.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A JPEG whose EXIF holds nothing but `date` as DateTimeOriginal (little-endian).
std::string ExifJpeg(const std::string& date) {
    auto u16 = [](unsigned v) { return std::string{static_cast<char>(v & 255), static_cast<char>(v >> 8)}; };
    auto u32 = [&u16](unsigned v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    const std::string nul(1, '\0');
    const std::string tiff = "II*" + nul + u32(8) +                                   // header, first directory at 8
                             u16(1) + u16(0x8769) + u16(4) + u32(1) + u32(26) + u32(0) +  // -> EXIF directory at 26
                             u16(1) + u16(0x9003) + u16(2) + u32(20) + u32(44) + u32(0) + date + nul;
    const std::string app1 = "Exif" + nul + nul + tiff;
    const std::size_t length = app1.size() + 2;
    return "\xFF\xD8\xFF\xE1" + std::string{static_cast<char>(length >> 8), static_cast<char>(length & 255)} + app1 +
           "\xFF\xD9";
}

TEST(NameFields, RunNamesPhotosByDateTakenWithACounter) {
    TempDir dir;
    const std::string a = ExifJpeg("2024:05:17 14:03:22"), b = ExifJpeg("2019:01:02 03:04:05"),
                      c = ExifJpeg("2024:05:17 14:03:23");
    dir.WriteFile("a.jpg", a), dir.WriteFile("b.jpg", b), dir.WriteFile("c.jpg", c);
    ListedWindow w(dir.path());
    w.dlg.m_bChangePrefix = w.dlg.m_bCountPrefix = 1, w.dlg.m_nPrefixPos = 0, w.dlg.m_strStartCount = "01";
    w.dlg.m_strNewPrefix = "<taken:yyyy-MM-dd_HHmmss>_";
    w.dlg.UpdateRealTimePreview();
    EXPECT_EQ(TextOf(w.dlg.GetDlgItem(IDC_PREVIEW)), "<taken:yyyy-MM-dd_HHmmss>_01.{Old Extension}");
    w.Rename();
    EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
    EXPECT_EQ(Files(dir.path()), (FileMap{{"2024-05-17_140322_01.jpg", a}, {"2019-01-02_030405_02.jpg", b},
                                          {"2024-05-17_140323_03.jpg", c}}));
}

// Two silent MPEG frames behind an ID3v2.4 tag of UTF-8 texts (sizes below 128 bytes).
std::string TaggedMp3(const std::string& track, const std::string& artist, const std::string& title) {
    std::string tag;
    const std::pair<const char*, std::string> frames[] = {{"TRCK", track}, {"TPE1", artist}, {"TIT2", title}};
    for (const auto& [id, text] : frames)
        tag += id + std::string(3, '\0') + static_cast<char>(text.size() + 1) + std::string(2, '\0') + '\x03' + text;
    std::string sound;
    for (int i = 0; i < 2; ++i) sound += std::string("\xFF\xFB\x90\0", 4) + std::string(413, '\0');
    return std::string("ID3\x04\0\0\0\0\0", 9) + static_cast<char>(tag.size()) + tag + sound;
}

TEST(NameFields, RunNamesSongsByTheirTags) {
    TempDir dir;
    const std::string a = TaggedMp3("7/12", "Zoë", "Ça va?"), b = TaggedMp3("12", "Пётр", "Озеро"),
                      c = TaggedMp3("3", "東京", "夜");
    dir.WriteFile("Привет.mp3", a), dir.WriteFile("日本.mp3", b), dir.WriteFile("Ærø.mp3", c);
    ListedWindow w(dir.path());
    w.dlg.m_bChangePrefix = 1, w.dlg.m_nPrefixPos = 0, w.dlg.m_strNewPrefix = "<track:2> - <artist> - <title>";
    w.Rename();
    EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
    EXPECT_EQ(Files(dir.path()),
              (FileMap{{"07 - Zoë - Ça va_.mp3", a}, {"12 - Пётр - Озеро.mp3", b}, {"03 - 東京 - 夜.mp3", c}}));
}

TEST(NameFields, AMissingValueIsPointedAtAndRefusesTheRun) {
    TempDir dir;
    dir.WriteFile("a.jpg", ExifJpeg("2024:05:17 14:03:22")), dir.WriteFile("b.txt", "no photo");
    const FileMap before = Files(dir.path());
    ListedWindow w(dir.path());
    w.dlg.m_bChangePrefix = 1, w.dlg.m_nPrefixPos = 0, w.dlg.m_strNewPrefix = "<taken>";
    std::vector<std::string> names;
    std::string selected;
    w.kit.ui.onModal = [&](CDialog& d) {
        HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
        names = Items(list);
        ClickButton(d.GetDlgItem(IDC_FINDINVALID));
        const LRESULT row = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (row >= 0) selected = names[static_cast<size_t>(row)];
        ClickButton(d.GetDlgItem(IDOK));
    };
    ClickButton(w.dlg.GetDlgItem(IDC_FULLPREVIEW));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2024-05-17.jpg", "<taken>.txt"}));
    EXPECT_EQ(selected, "<taken>.txt");
    const std::string told = "Missing Value!|No value for <taken> in:  b.txt";
    EXPECT_EQ(w.kit.ui.Told(), std::vector<std::string>{told});
    w.Rename();
    EXPECT_EQ(w.kit.ui.Told(), (std::vector<std::string>{told, told}));
    EXPECT_EQ(Files(dir.path()), before);
}

// A file without a date taken goes by its last-write time: this one was written now.
TEST(NameFields, OrdersByDateTaken) {
    TempDir dir;
    dir.WriteFile("a.jpg", ExifJpeg("2024:05:17 14:03:22")), dir.WriteFile("b.jpg", ExifJpeg("2019:01:02 03:04:05"));
    dir.WriteFile("c.jpg", ExifJpeg("2021:12:31 23:59:59")), dir.WriteFile("n.txt", "no photo");
    ListedWindow w(dir.path());
    const std::pair<int, std::vector<std::string>> rows[] = {
        {10, {"b.jpg", "c.jpg", "a.jpg", "n.txt"}}, {11, {"n.txt", "a.jpg", "c.jpg", "b.jpg"}}};
    for (const auto& [order, expected] : rows) {
        w.dlg.m_browse.m_nFileSort = order;
        w.dlg.FillFileList();
        EXPECT_EQ(Items(w.List()), expected) << order;
    }
}

}  // namespace
