// The facts of one listed file that the name fields draw on, and where they come from.
#pragma once

#include "metadata/media_facts.h"
#include "platform/file_services.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

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
    // Said before the facts of many files of `dir` are asked for: a source may read the
    // directory once instead of each file's status.
    virtual void BeginDirectory(const std::string& dir) { (void)dir; }
    // Said next, with the names whose facts will be asked for: a source may read them
    // side by side now rather than one after the other then.
    virtual void Prefetch(const std::string& dir, const std::vector<std::string>& names, FactNeeds needs) {
        (void)dir, (void)names, (void)needs;
    }
};

// Facts read through the file services and kept by path, size and last-modified time:
// typing in the option boxes, or a preview after a run, reads no file twice, and a
// file that changed is read again. After BeginDirectory the size and time of the
// directory's listing are those compared, so a preview of many files asks the file
// system once, not once a file (unless their own times are wanted).
class FileFactCache : public FactSource {
public:
    explicit FileFactCache(FileServices& files) : m_files(files) {}
    FileFacts Facts(const std::string& dir, const std::string& name, FactNeeds needs) override;
    void BeginDirectory(const std::string& dir) override;
    // Reads the media facts not yet kept of the listed files among `names` on as many
    // threads as the file services allow; the rest is left to Facts.
    void Prefetch(const std::string& dir, const std::vector<std::string>& names, FactNeeds needs) override;

private:
    struct Stamp {
        uint64_t size = 0;
        TimeValue modified = 0;
        bool operator==(const Stamp& o) const { return size == o.size && modified == o.modified; }
    };
    struct Entry {
        Stamp stamp;
        MediaFacts media;
    };
    MediaFacts Read(const std::string& path);
    const MediaFacts& Keep(const std::string& path, const Stamp& stamp, MediaFacts media);

    FileServices& m_files;
    std::unordered_map<std::string, Entry> m_entries;
    std::string m_listedDir;
    std::unordered_map<std::string, Stamp> m_listing;  // of m_listedDir, by name
};
