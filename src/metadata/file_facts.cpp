#include "metadata/file_facts.h"

#include <algorithm>

FileFacts FileFactCache::Facts(const std::string& dir, const std::string& name, FactNeeds needs) {
    FileFacts facts;
    const std::string path = dir + name;
    FileStatus status;
    if (!(needs.times || needs.media) || !m_files.GetStatus(path, status)) return facts;
    facts.modified = m_files.ToLocalTime(status.modified);
    facts.created = m_files.ToLocalTime(status.created);
    if (!needs.media) return facts;

    const auto known = m_entries.find(path);
    if (known != m_entries.end() && known->second.size == status.size &&
        known->second.modifiedTicks == status.modifiedTicks) {
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
    m_entries[path] = Entry{status.size, status.modifiedTicks, media};
    facts.media = media;
    return facts;
}
