#include "support/fake_file_services.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

std::string Parent(const std::string& path) {
    const size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string LastPart(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

int DriveOf(const std::string& resolved) { return resolved[0] - 'A' + 1; }

// A NUL would cut the path short: such a path names nothing, as with the real services.
bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// Reserved and control characters make a name the platform refuses.
bool IsValidName(const std::string& name) {
    return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::string("<>:\"|?*").find(c) != std::string::npos;
    });
}

// The stand-in's own rules, written out here rather than borrowed from the program, so
// that a fault in the program's cannot hide behind them.

// The name stored for a new one: its trailing dots and blanks dropped, unless none is left.
std::string StoredPath(const std::string& path) {
    const size_t start = path.rfind('\\') + 1;
    size_t end = path.size();
    while (end > start && (path[end - 1] == '.' || path[end - 1] == ' ')) --end;
    return end == start ? path : path.substr(0, end);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

// Days from 1970-01-01 to the first of a month, on the Gregorian calendar.
int64_t DaysTo(int64_t year, int64_t month) {
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400), ofEra = year - era * 400;
    const int64_t ofYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    return era * 146097 + ofEra * 365 + ofEra / 4 - ofEra / 100 + ofYear - 719468;
}

}  // namespace

void FakeFileServices::AddDrive(int drive, bool ready) {
    m_drives[drive] = ready;
    const std::string root = std::string(1, static_cast<char>('A' + drive - 1)) + ":";
    m_entries[Key(root)] = FakeEntry{root, kFileDirectory, 0, 0, 0, 0, std::string(), 0, 0};
}

FakeEntry& FakeFileServices::AddDir(const std::string& path, TimeValue modified) {
    return AddFile(path, kFileDirectory, modified);
}

FakeEntry& FakeFileServices::AddFile(const std::string& path, unsigned attrib, TimeValue modified,
                                     const std::string& contents) {
    const std::string resolved = Resolve(path);
    if (m_drives.count(DriveOf(resolved)) == 0) AddDrive(DriveOf(resolved));
    if (resolved.size() > 2 && Find(Parent(resolved)) == nullptr) AddDir(Parent(resolved));
    return m_entries[Key(resolved)] = FakeEntry{resolved, attrib, modified, 0, 0, 0, contents, 0, ++m_lastId};
}

FakeEntry* FakeFileServices::Find(const std::string& path) {
    if (HasNul(path)) return nullptr;
    auto found = m_entries.find(Key(Resolve(path)));
    return found == m_entries.end() ? nullptr : &found->second;
}

std::vector<const FakeEntry*> FakeFileServices::FilesIn(std::initializer_list<const char*> dirs) const {
    std::vector<const FakeEntry*> files;
    for (const char* dir : dirs) {
        const std::string key = Key(Resolve(dir));
        for (const auto& [path, entry] : m_entries) {
            if (path != key && Parent(path) == key && !entry.IsDir()) files.push_back(&entry);
        }
    }
    return files;
}

std::string FakeFileServices::Key(const std::string& resolved) const {
    return caseSensitive ? resolved : Lower(resolved);
}

bool FakeFileServices::Held(const std::string& path) const {
    return m_held.count(Key(Resolve(path))) != 0;
}

std::string FakeFileServices::Resolve(const std::string& path) const {
    std::string rest = path;
    std::replace(rest.begin(), rest.end(), '/', '\\');
    std::string resolved = m_current;
    if (rest.size() >= 2 && rest[1] == ':') {
        resolved = std::string(1, static_cast<char>(rest[0] & ~0x20)) + ":";
        rest = rest.substr(2);
    } else if (!rest.empty() && rest[0] == '\\') {
        resolved = m_current.substr(0, 2);
    }
    std::istringstream parts(rest);
    for (std::string part; std::getline(parts, part, '\\');) {
        if (part == "..") {
            if (resolved.size() > 2) resolved = Parent(resolved);
        } else if (!part.empty() && part != ".") {
            resolved += "\\" + part;
        }
    }
    return resolved;
}

bool FakeFileServices::Ready(const std::string& resolved) const {
    return m_drives.count(DriveOf(resolved)) != 0 && m_drives.at(DriveOf(resolved));
}

bool FakeFileServices::Log(const std::string& line, bool ok) {
    log.push_back(ok ? line : line + " failed");
    return ok;
}

bool FakeFileServices::EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) {
    const std::string resolved = Resolve(dir);
    const FakeEntry* found = Find(resolved);
    if (!Log("Enumerate " + dir, found != nullptr && found->IsDir() && Ready(resolved))) return false;
    std::vector<FindEntry> items;  // gathered first: the callback may change the tree
    if (resolved.size() > 2) items = {{".", kFileDirectory, found->modified}, {"..", kFileDirectory, found->modified}};
    const std::string key = Key(resolved);
    for (const auto& [childKey, child] : m_entries) {
        if (childKey != key && Parent(childKey) == key)
            items.push_back({child.Name(), child.attrib, child.modified, child.Size()});
    }
    for (const FindEntry& item : items) entry(item);
    return true;
}

int FakeFileServices::GetDrive() { return Log("GetDrive", true) ? DriveOf(m_current) : 0; }

int FakeFileServices::ChangeDrive(int drive) {
    const std::string root = std::string(1, static_cast<char>('A' + drive - 1)) + ":";
    if (!Log("ChangeDrive " + std::to_string(drive), Ready(root))) return -1;
    if (DriveOf(m_current) != drive) m_current = root;
    return 0;
}

int FakeFileServices::ChangeDir(const std::string& path) {
    const std::string resolved = Resolve(path);
    const FakeEntry* found = Find(resolved);
    if (!Log("ChangeDir " + path, !path.empty() && found != nullptr && found->IsDir() && Ready(resolved))) return -1;
    m_current = found->path;
    return 0;
}

std::optional<Failure> FakeFileServices::MoveFile(const std::string& from, const std::string& to) {
    return Move("Move ", from, to, StoredPath(to));
}

std::optional<Failure> FakeFileServices::MoveFileToExactName(const std::string& from, const std::string& to) {
    return Move("MoveExact ", from, to, to);
}

std::optional<Failure> FakeFileServices::Move(const char* logged, const std::string& from, const std::string& to,
                                              const std::string& stored) {
    const std::string source = Resolve(from);
    const std::string target = Resolve(stored);
    FakeEntry* moving = Find(source);
    const FakeEntry* parent = Find(Parent(target));
    const FakeEntry* existing = Find(target);
    const bool ok = moving != nullptr && !moving->IsDir() && Ready(source) && parent != nullptr &&
                    parent->IsDir() && Ready(target) && IsValidName(LastPart(target)) && !HasNul(to) &&
                    (existing == nullptr || existing == moving) && !Held(source);
    if (!Log(logged + from + " -> " + to, ok))
        return Failure{"Error Moving/Renaming File:\nFrom-  " + from + "\nTo-  " + to, std::string()};
    if (existing == moving && moving->Name() != LastPart(target) && onTemporaryName)
        onTemporaryName(from, parent->path + "\\~vorlix-" + std::to_string(moving->id) + ".tmp");
    FakeEntry moved = *moving;
    moved.path = parent->path + "\\" + LastPart(target);
    m_entries.erase(Key(source));
    m_entries[Key(target)] = moved;
    return std::nullopt;
}

bool FakeFileServices::ExistsAsSpelled(const std::string& path) {
    const FakeEntry* found = Find(path);
    return found != nullptr && found->Name() == LastPart(Resolve(path));
}

bool FakeFileServices::DeleteFile(const std::string& path) {
    const FakeEntry* found = Find(path);
    if (!Log("Delete " + path, found != nullptr && !found->IsDir() && !(found->attrib & kFileReadOnly) && !Held(path)))
        return false;
    m_entries.erase(Key(Resolve(path)));
    return true;
}

FileServices::RecycleResult FakeFileServices::RecycleFile(const std::string& path) {
    const FakeEntry* found = Find(path);
    if (!Log("Recycle " + path, found != nullptr && !found->IsDir() && !(found->attrib & kFileReadOnly)))
        return RecycleResult::Failed;
    const std::string resolved = Lower(Resolve(path));
    if (noBin.count(resolved.substr(0, 2)) || noBin.count(resolved)) {
        log.back() += " no bin";
        return RecycleResult::NoBin;
    }
    m_entries.erase(Key(Resolve(path)));
    return RecycleResult::Recycled;
}

bool FakeFileServices::GetStatus(const std::string& path, FileStatus& status) {
    const FakeEntry* found = Find(path);
    if (!Log("GetStatus " + path, found != nullptr)) return false;
    const FakeEntry& f = *found;  // a time not kept is reported as the last-modified one
    status = {f.modified, f.created ? f.created : f.modified, f.accessed ? f.accessed : f.modified, f.Size(),
              f.attrib & 0xFF, f.modifiedTicks ? f.modifiedTicks : f.modified * 10000000 + 116444736000000000LL};
    return true;
}

std::optional<Failure> FakeFileServices::SetModifiedTicks(const std::string& path, int64_t ticks) {
    FakeEntry* file = Find(path);
    const bool ok = file != nullptr && !file->IsDir() && !(file->attrib & kFileReadOnly) && ticks >= 0;
    if (!Log("SetTicks " + path + " " + std::to_string(ticks), ok))
        return Failure{"Cannot set the times of " + path + ": Access is denied.", std::string()};
    file->modifiedTicks = ticks;
    file->modified = FloorDiv(ticks - 116444736000000000LL, 10000000);
    return std::nullopt;
}

// A read-only file refuses new times, as on Windows and for a non-root user under Wine.
std::optional<Failure> FakeFileServices::SetStatus(const std::string& path, const FileStatus& status) {
    constexpr unsigned kStatusBits = kFileReadOnly | kFileHidden | kFileSystem | kFileArchive;
    FakeEntry* file = Find(path);
    log.push_back("SetStatus " + path);
    const size_t callLine = log.size() - 1;
    auto fail = [&](const char* reason) {
        log[callLine] += " failed";
        return Failure{"Cannot set the " + std::string(reason) + path + ": " +
                           (file ? "Access is denied." : "The system cannot find the file specified."), std::string()};
    };
    if (file == nullptr) return fail("status of ");
    const unsigned wanted = (file->attrib & ~kStatusBits) | (status.attribute & kStatusBits);
    const bool readOnlyFirst = (file->attrib & kFileReadOnly) != 0;
    auto setAttributes = [&]() {
        char line[32];
        std::snprintf(line, sizeof line, " 0x%02X", wanted);
        if (wanted != file->attrib) log.push_back("SetAttrib " + path + line);
        file->attrib = wanted;
    };
    if (readOnlyFirst) setAttributes();
    if (status.modified != 0 || status.created != 0 || status.accessed != 0) {
        const bool refused = (file->attrib & kFileReadOnly) != 0;
        log.push_back("SetTimes " + path + " m=" + std::to_string(status.modified) + " c=" + std::to_string(status.created) +
                      " a=" + std::to_string(status.accessed) + (refused ? " failed" : ""));
        if (refused) return fail("times of ");
        if (status.modified != 0) file->modified = status.modified, file->modifiedTicks = 0;
        if (status.created != 0) file->created = status.created;
        if (status.accessed != 0) file->accessed = status.accessed;
    }
    if (!readOnlyFirst) setAttributes();
    return std::nullopt;
}

// Local time is UTC; the fields run on into the next month, day or hour as they overflow.
TimeValue FakeFileServices::MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    const int64_t months = int64_t{year} * 12 + month - 1;
    const int64_t time = (DaysTo(FloorDiv(months, 12), months - FloorDiv(months, 12) * 12 + 1) + day - 1) * 86400 +
                         int64_t{hour} * 3600 + int64_t{minute} * 60 + second;
    // The years of the platform's 100-ns count: 1601 to 30827.
    return time < DaysTo(1601, 1) * 86400 || time >= DaysTo(30828, 1) * 86400 ? -1 : time;
}

LocalTime FakeFileServices::ToLocalTime(TimeValue time) {
    const int64_t days = FloorDiv(time, 86400) + 719468, seconds = time - FloorDiv(time, 86400) * 86400;
    const int64_t era = FloorDiv(days, 146097), ofEra = days - era * 146097;
    const int64_t year = (ofEra - ofEra / 1460 + ofEra / 36524 - ofEra / 146096) / 365;
    const int64_t ofYear = ofEra - (365 * year + year / 4 - year / 100), m = (5 * ofYear + 2) / 153;
    const int month = static_cast<int>(m < 10 ? m + 3 : m - 9);
    return {static_cast<int>(year + era * 400 + (month <= 2)), month, static_cast<int>(ofYear - (153 * m + 2) / 5 + 1),
            static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
}

bool FakeFileServices::ReadFile(const std::string& path, std::string& contents) {
    const FakeEntry* found = Find(path);
    return Log("ReadFile " + path, found != nullptr && !found->IsDir()) && (contents = found->contents, true);
}

bool FakeFileServices::ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) {
    const FakeEntry* found = Find(path);
    return Log("ReadFileStart " + path + " " + std::to_string(maxBytes), found != nullptr && !found->IsDir()) &&
           (contents = found->contents.substr(0, maxBytes), true);
}

bool FakeFileServices::WriteFileReplacing(const std::string& path, const std::string& contents) {
    return Write("WriteFile ", path, contents, false);
}

bool FakeFileServices::AppendFile(const std::string& path, const std::string& contents) {
    return Write("Append ", path, contents, true);
}

// A file is written where a new one may be made, or over one that is neither a folder,
// read-only nor held; a file written anew is a new file.
bool FakeFileServices::Write(const char* logged, const std::string& path, const std::string& contents, bool append) {
    const std::string resolved = Resolve(path);
    const FakeEntry* parent = Find(Parent(resolved));
    FakeEntry* existing = Find(resolved);
    const bool ok = parent != nullptr && parent->IsDir() && IsValidName(LastPart(resolved)) && !HasNul(path) &&
                    (existing == nullptr || (!existing->IsDir() && !(existing->attrib & kFileReadOnly))) &&
                    !Held(resolved);
    if (!Log(logged + path, ok)) return false;
    if (append && existing != nullptr) existing->contents += contents;
    else AddFile(existing ? existing->path : parent->path + "\\" + LastPart(resolved), kFileArchive, now, contents);
    return true;
}

bool FakeFileServices::MakeDirectory(const std::string& path) {
    std::string resolved = Resolve(path);
    while (!resolved.empty() && resolved.back() == '\\') resolved.pop_back();
    const FakeEntry* existing = Find(resolved);
    const bool ok = existing != nullptr ? existing->IsDir() : Ready(resolved) && !HasNul(path);
    if (!Log("MakeDir " + resolved, ok)) return false;
    if (existing == nullptr) AddDir(resolved, now);
    return true;
}

bool FakeFileServices::GetIdentity(const std::string& path, FileIdentity& identity) {
    const FakeEntry* found = Find(path);
    if (!Log("GetIdentity " + path, found != nullptr && Ready(Resolve(path)))) return false;
    identity = {static_cast<uint32_t>(DriveOf(found->path)), found->id, found->Size(), found->IsDir()};
    return true;
}

namespace {

// Reads and writes the held entry through the stand-in; it lets go when destroyed.
class FakeHeldFile : public HeldFile {
public:
    FakeHeldFile(FakeFileServices& files, std::set<std::string>& held, std::string key, std::string path)
        : m_files(files), m_held(held), m_key(std::move(key)), m_path(std::move(path)) { m_held.insert(m_key); }
    ~FakeHeldFile() override { m_held.erase(m_key); }
    bool Read(std::string& contents) override { return Use([&](FakeEntry& e) { contents = e.contents; }); }
    bool Rewrite(const std::string& contents) override { return Use([&](FakeEntry& e) { e.contents = contents; }); }
    bool Append(const std::string& contents) override { return Use([&](FakeEntry& e) { e.contents += contents; }); }

private:
    template <typename F>
    bool Use(F use) {
        FakeEntry* entry = m_files.Find(m_path);
        m_files.log.push_back("Held " + m_path + (entry ? "" : " failed"));
        return entry && (use(*entry), true);
    }
    FakeFileServices& m_files;
    std::set<std::string>& m_held;
    std::string m_key, m_path;
};

}  // namespace

std::unique_ptr<HeldFile> FakeFileServices::HoldFile(const std::string& path, bool create, HoldRefusal& why) {
    why = Held(path) ? HoldRefusal::HeldElsewhere : !Find(path) && !create ? HoldRefusal::Missing : HoldRefusal::None;
    // Made, or refused as a file that cannot be written, as an append would.
    if (why == HoldRefusal::None && !AppendFile(path, "")) why = HoldRefusal::Failed;
    if (!Log("Hold " + path, why == HoldRefusal::None)) return nullptr;
    return std::make_unique<FakeHeldFile>(*this, m_held, Key(Resolve(path)), Find(path)->path);
}
