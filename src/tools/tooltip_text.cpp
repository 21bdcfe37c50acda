#include "tools/tooltip_text.h"

#include "res/resource.h"

#include <algorithm>
#include <utility>

namespace {

// Line n + 1 of the file describes kToolTipControls[n].
const int kToolTipControls[] = {
    IDC_EXIT,         IDC_ABOUT,        IDC_OPTIONS,      IDC_RENAME,        IDC_FULLPREVIEW,
    IDC_PREVIEW,      IDC_DIRTREE,      IDC_FILELIST,     IDC_SELCOUNT,      IDC_DRIVES,
    IDC_FILEFILTER,   IDC_FILESORT,     IDC_CHGPREFIX,    IDC_CHGEXT,        IDC_INSERT,
    IDC_REPLACE,      IDC_SEARCHMASK,   IDC_SINGLEMULTI,  IDC_EXTENDED,      IDC_NEWPREFIX,
    IDC_NEWEXT,       IDC_PREFIXUPPER,  IDC_PREFIXLOWER,  IDC_EXTUPPER,      IDC_EXTLOWER,
    IDC_APPLY_PREFIX, IDC_APPLY_EXT,    IDC_APPLY_NAME,   IDC_SEARCHBACK,    IDC_CASESENSITIVE,
    IDC_COUNTPREFIX,  IDC_COUNTEXT,     IDC_ALPHACOUNT,   IDC_STARTCOUNT,    IDC_INCREMENT,
    IDC_INSSTR1,      IDC_INSATPOS,     IDC_INSBEFORE,    IDC_INSAFTER,      IDC_INSSTR2,
    IDC_RESTR1,       IDC_RESTR2,       IDC_REFROMPOS,    IDC_RETOPOS,       IDC_REGEX,
};

static_assert(sizeof kToolTipControls / sizeof kToolTipControls[0] == kToolTipLines, "one line per control");

// The reader's buffer holds 80 characters with the terminating zero.
constexpr std::size_t kReadMax = 79;
// Besides the reads: a byte-order mark, the byte after them, and up to three bytes of a
// character that the cut at kToolTipFileBytes leaves unfinished.
static_assert(kToolTipFileBytes >= 3 + kToolTipLines * (4 * kReadMax + 1) + 1 + 3,
              "room for every read and the bytes around them");

}  // namespace

int ToolTipLineOf(int controlId) {
    int line = 1;
    for (int id : kToolTipControls) {
        if (id == controlId) return line;
        ++line;
    }
    return 0;
}

void ToolTipFile::Load(const std::string& version, std::string_view start, const CodePageToUtf8& ansi) {
    if (start.size() >= kToolTipFileBytes) {
        // The file may go on: a character cut short at the end lies beyond every read
        // and must not make the file look like one in the ANSI code page.
        start = start.substr(0, kToolTipFileBytes);
        start = start.substr(0, WholeCharactersLength(start));
    }
    std::string converted;
    const std::string_view text = TextFileAsUtf8(start, ansi, converted);
    m_reads.clear();
    m_reads.reserve(kToolTipLines);
    std::string read;
    std::size_t pos = 0;
    while (m_reads.size() < static_cast<std::size_t>(kToolTipLines) && pos < text.size()) {
        read.clear();
        std::size_t chars = 0;
        while (chars < kReadMax && pos < text.size()) {
            const char c = text[pos];
            if (c == '\x1a') {  // Ctrl-Z: the end of a text file
                pos = text.size();
                break;
            }
            if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
                ++pos;  // dropped: not a character of the read
                continue;
            }
            const std::size_t from = pos;
            DecodeUtf8(text, pos);
            read.append(text.substr(from, pos - from));
            ++chars;
            if (c == '\n') break;
        }
        if (read.empty()) break;
        m_reads.push_back(read);  // a copy of just its size
    }
    m_version = version;
    m_loaded = true;
}

void ToolTipFile::Forget() {
    m_loaded = false;
    m_version.clear();
    m_reads.clear();
}

std::string ToolTipFile::Text(int line) const {
    if (m_reads.empty() || line < 1) return std::string();
    // Reads past the end of the file leave the buffer as the last read left it.
    std::string buffer = m_reads[std::min(static_cast<std::size_t>(line), m_reads.size()) - 1];
    // The buffer is a C string: a zero byte read from the file ends it.
    std::size_t zero = buffer.find('\0');
    if (zero != std::string::npos) buffer.erase(zero);
    // Its last character goes, however many bytes it takes.
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < buffer.size();) {
        last = pos;
        DecodeUtf8(buffer, pos);
    }
    buffer.erase(last);
    return buffer;
}
