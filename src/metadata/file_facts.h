// The facts of one listed file that the name fields draw on, and where they come from.
#pragma once

#include "metadata/media_facts.h"
#include "platform/file_services.h"

#include <optional>
#include <string>
#include <unordered_map>

struct FileFacts {
    // The file's own times in local time, as the file status window shows them.
    std::optional<LocalTime> modified;
    std::optional<LocalTime> created;
    MediaFacts media;  // its `taken` in local time, a video's included
};

// Which facts a text asks for: the file's times cost a status read, the media facts
// a read of the file.
struct FactNeeds {
    bool times = false;
    bool media = false;
};

class FactSource {
public:
    virtual ~FactSource() = default;
    // The facts of the file `name` in `dir` (a path ending in "\"); a file that cannot be
    // read has none.
    virtual FileFacts Facts(const std::string& dir, const std::string& name, FactNeeds needs) = 0;
};

// Facts read through the file services and kept by path, size and last-modified time:
// typing in the option boxes, or a preview after a run, reads no file twice, and a
// file that changed is read again.
class FileFactCache : public FactSource {
public:
    explicit FileFactCache(FileServices& files) : m_files(files) {}
    FileFacts Facts(const std::string& dir, const std::string& name, FactNeeds needs) override;

private:
    struct Entry {
        uint64_t size = 0;
        int64_t modifiedTicks = 0;
        MediaFacts media;
    };
    FileServices& m_files;
    std::unordered_map<std::string, Entry> m_entries;
};
