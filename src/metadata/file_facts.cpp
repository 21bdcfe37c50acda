#include "metadata/file_facts.h"

#include <algorithm>

void FileFactCache::BeginDirectory(const std::string& dir) {
    m_listedDir.clear();
    m_listing.clear();
    if (m_files.EnumerateDirectory(dir, [this](const FindEntry& e) { m_listing[e.name] = Stamp{e.size, e.writeTime}; }))
        m_listedDir = dir;
}

FileFacts FileFactCache::Facts(const std::string& dir, const std::string& name, FactNeeds needs) {
    FileFacts facts;
    const std::string path = dir + name;
    Stamp stamp;
    const auto listed = dir == m_listedDir ? m_listing.find(name) : m_listing.end();
    if (!needs.times && listed != m_listing.end()) {
        stamp = listed->second;
    } else {
        FileStatus status;
        if (!(needs.times || needs.media) || !m_files.GetStatus(path, status)) return facts;
        facts.modified = m_files.ToLocalTime(status.modified);
        facts.created = m_files.ToLocalTime(status.created);
        stamp = Stamp{status.size, status.modified};
    }
    if (!needs.media) return facts;

    const auto known = m_entries.find(path);
    if (known != m_entries.end() && known->second.stamp == stamp) {
        facts.media = known->second.media;
        return facts;
    }
    MediaFacts media;
    m_files.ReadFilePieces(path, [&media](uint64_t size, const PieceReader& read) {
        std::string head;
        if (read(0, static_cast<std::size_t>(std::min<uint64_t>(size, kMediaHeadBytes)), head))
            media = ReadMediaFacts(head, size, read);
    });
    if (media.takenUtc && !media.taken) media.taken = m_files.ToLocalTime(*media.takenUtc);
    m_entries[path] = Entry{stamp, media};
    facts.media = media;
    return facts;
}
