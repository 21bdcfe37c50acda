#include "metadata/file_facts.h"

#include "metadata/song_tags.h"
#include "platform/thread_cached_new.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

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
    facts.media = Keep(path, stamp, Read(path));
    return facts;
}

// A video's time taken is kept in local time, as a photo's is.
const MediaFacts& FileFactCache::Keep(const std::string& path, const Stamp& stamp, MediaFacts media) {
    if (media.takenUtc && !media.taken) media.taken = m_files.ToLocalTime(*media.takenUtc);
    return (m_entries[path] = Entry{stamp, std::move(media)}).media;
}

// Safe on several threads at once: it touches nothing of the cache.
MediaFacts FileFactCache::Read(const std::string& path) {
    MediaFacts media;
    m_files.ReadFilePieces(path, [&media](uint64_t size, const PieceReader& read) {
        std::string head;
        if (read(0, static_cast<std::size_t>(std::min<uint64_t>(size, kMediaHeadBytes)), head))
            media = ReadMediaFacts(head, size, read);
    });
    return media;
}

namespace {

// One file of a prefetch: read by a worker; a song's tags parsed afterwards on the
// calling thread, from the bytes the worker held.
struct PrefetchJob {
    std::string path;
    uint64_t size = 0;
    std::string head, tail;  // a song's likely tag spans, or empty
    bool parsed = false;     // `media` is final
    MediaFacts media;
};

// Reads a file's facts, except a song's: a song only has its likely tag spans read
// here, for the calling thread to parse while the workers open the next files (faster,
// under Wine on two cores, than each worker parsing its own songs).
void ReadAhead(FileServices& files, PrefetchJob& job) {
    job.parsed = true;
    files.ReadFilePieces(job.path, [&job](uint64_t size, const PieceReader& read) {
        std::string head;
        if (!read(0, static_cast<std::size_t>(std::min<uint64_t>(size, kMediaHeadBytes)), head)) return;
        if (!IsSongHead(head)) {
            job.media = ReadMediaFacts(head, size, read);
            return;
        }
        const uint64_t headBytes = std::max<uint64_t>(head.size(), std::min<uint64_t>(size, SongHeadBytes(head)));
        const uint64_t tailBytes = std::min<uint64_t>(size - headBytes, kSongTailBytes);
        std::string rest;
        job.size = size;
        job.parsed = !read(head.size(), static_cast<std::size_t>(headBytes - head.size()), rest) ||
                     rest.size() != headBytes - head.size() ||
                     !read(size - tailBytes, static_cast<std::size_t>(tailBytes), job.tail) ||
                     job.tail.size() != tailBytes;
        job.head = std::move(head) + rest;
    });
}

// The song's facts from the held spans; false when the library asked for bytes
// outside them.
bool ParseHeld(const PrefetchJob& job, MediaFacts& media) {
    bool missed = false;
    const uint64_t tailStart = job.size - job.tail.size();
    const PieceReader held = [&](uint64_t offset, std::size_t n, std::string& out) {
        if (offset <= job.head.size() && n <= job.head.size() - offset) {
            out.assign(job.head, static_cast<std::size_t>(offset), n);
        } else if (offset >= tailStart && offset <= job.size && n <= job.size - offset) {
            out.assign(job.tail, static_cast<std::size_t>(offset - tailStart), n);
        } else {
            missed = true;
            return false;
        }
        return true;
    };
    media = ReadMediaFacts(job.head.substr(0, kMediaHeadBytes), job.size, held);
    return !missed;
}

}  // namespace

// Workers read ahead of the calling thread, which parses the songs in order. They stay
// at most kLead files ahead and stop taking more once the spans held pass kHeldBytes
// (songs with big cover pictures hold a MiB each), except for the file the calling
// thread waits for, which always goes ahead.
void FileFactCache::Prefetch(const std::string& dir, const std::vector<std::string>& names, FactNeeds needs) {
    constexpr std::size_t kLead = 256;
    constexpr std::size_t kHeldBytes = 64 << 20;
    const int threads = m_files.PieceReaders();
    if (!needs.media || threads < 2 || dir != m_listedDir) return;
    std::vector<PrefetchJob> jobs;
    std::vector<Stamp> stamps;
    for (const std::string& name : names) {
        const auto listed = m_listing.find(name);
        if (listed == m_listing.end()) continue;
        const auto known = m_entries.find(dir + name);
        if (known != m_entries.end() && known->second.stamp == listed->second) continue;
        jobs.emplace_back().path = dir + name;
        stamps.push_back(listed->second);
    }
    if (jobs.size() < 2) return;

    std::mutex lock;
    std::condition_variable changed;
    std::vector<char> ready(jobs.size(), 0);
    std::size_t consumed = 0, heldBytes = 0;
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next++) < jobs.size();) {
            {
                std::unique_lock<std::mutex> held(lock);
                changed.wait(held, [&] { return i == consumed || (i < consumed + kLead && heldBytes < kHeldBytes); });
            }
            ReadAhead(m_files, jobs[i]);
            {
                const std::lock_guard<std::mutex> held(lock);
                ready[i] = 1;
                heldBytes += jobs[i].head.size() + jobs[i].tail.size();
            }
            changed.notify_all();
        }
        ReleaseThreadAllocations();
    };
    std::vector<std::thread> pool;
    const std::size_t workers = std::min<std::size_t>(static_cast<std::size_t>(threads), jobs.size());
    for (std::size_t i = 0; i < workers; ++i) pool.emplace_back(work);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        {
            std::unique_lock<std::mutex> held(lock);
            changed.wait(held, [&] { return ready[i] != 0; });
        }
        PrefetchJob& job = jobs[i];
        if (!job.parsed && !ParseHeld(job, job.media)) job.media = Read(job.path);
        Keep(job.path, stamps[i], std::move(job.media));
        const std::size_t freed = job.head.size() + job.tail.size();
        job = PrefetchJob{};
        {
            const std::lock_guard<std::mutex> held(lock);
            consumed = i + 1;
            heldBytes -= freed;
        }
        changed.notify_all();
    }
    for (std::thread& t : pool) t.join();
}
