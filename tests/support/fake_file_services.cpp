#include "support/fake_file_services.h"

#include "platform/civil_time.h"
#include "platform/move_rules.h"

#include <cstdio>

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string ParentKey(const std::string& key) {
    size_t cut = key.rfind('\\');
    return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

std::string LastPart(const std::string& path) {
    size_t cut = path.rfind('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

int DriveOf(const std::string& resolved) { return resolved[0] - 'A' + 1; }

// Names the platform refuses: reserved characters, control characters, device names.
bool IsValidName(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || std::string("<>:\"|?*").find(static_cast<char>(c)) != std::string::npos) return false;
    }
    std::string base = Lower(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const char* const kDevices[] = {"con", "prn", "aux", "nul"};
    for (const char* device : kDevices) {
        if (base == device) return false;
    }
    if (base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
        base[3] >= '1' && base[3] <= '9') {
        return false;
    }
    return true;
}

std::string Hex2(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

}  // namespace

FakeFileServices::FakeFileServices() {
    AddDrive(3);
}

void FakeFileServices::AddDrive(int drive, bool ready) {
    m_drives[drive] = ready;
    std::string root(1, static_cast<char>('A' + drive - 1));
    root += ':';
    FakeEntry& entry = m_entries[Lower(root)];
    entry.path = root;
    entry.name = root + "\\";
    entry.attrib = kFileDirectory;
}

FakeEntry& FakeFileServices::AddDir(const std::string& path, TimeValue modified) {
    FakeEntry& entry = AddFile(path, kFileDirectory, modified);
    return entry;
}

FakeEntry& FakeFileServices::AddFile(const std::string& path, unsigned attrib, TimeValue modified,
                                     const std::string& contents) {
    const std::string resolved = Resolve(path);
    if (m_drives.count(DriveOf(resolved)) == 0) AddDrive(DriveOf(resolved));
    // Every missing directory on the way.
    for (size_t cut = resolved.find('\\'); cut != std::string::npos; cut = resolved.find('\\', cut + 1)) {
        const std::string dir = resolved.substr(0, cut);
        FakeEntry& parent = m_entries[Lower(dir)];
        if (parent.path.empty()) {
            parent.path = dir;
            parent.name = LastPart(dir);
            parent.attrib = kFileDirectory;
        }
    }
    FakeEntry& entry = m_entries[Lower(resolved)];
    entry = FakeEntry();
    entry.path = resolved;
    entry.name = LastPart(resolved);
    entry.attrib = attrib;
    entry.modified = modified;
    entry.contents = contents;
    return entry;
}

FakeEntry* FakeFileServices::Find(const std::string& path) {
    auto found = m_entries.find(Lower(Resolve(path)));
    return found == m_entries.end() ? nullptr : &found->second;
}

const FakeEntry* FakeFileServices::Find(const std::string& path) const {
    auto found = m_entries.find(Lower(Resolve(path)));
    return found == m_entries.end() ? nullptr : &found->second;
}

std::vector<std::string> FakeFileServices::Names(const std::string& dir) const {
    const std::string key = Lower(Resolve(dir));
    std::vector<std::string> names;
    for (const auto& item : m_entries) {
        if (item.first != key && ParentKey(item.first) == key) names.push_back(item.second.name);
    }
    return names;
}

std::string FakeFileServices::CurrentDir() const {
    auto found = m_driveDirs.find(m_drive);
    std::string dir = found != m_driveDirs.end() ? found->second : std::string(1, static_cast<char>('A' + m_drive - 1)) + ":";
    return dir + "\\";
}

std::vector<std::string> FakeFileServices::Calls(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
}

std::string FakeFileServices::Resolve(const std::string& path) const {
    std::string text = path;
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    std::string base;
    std::string rest;
    if (text.size() >= 2 && text[1] == ':' &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'))) {
        const char letter = static_cast<char>(text[0] & ~0x20);
        rest = text.substr(2);
        if (!rest.empty() && rest[0] == '\\') {
            base = std::string(1, letter) + ":";
        } else {
            auto found = m_driveDirs.find(letter - 'A' + 1);
            base = found != m_driveDirs.end() ? found->second : std::string(1, letter) + ":";
        }
    } else if (!text.empty() && text[0] == '\\') {
        base = CurrentDir().substr(0, 2);
        rest = text;
    } else {
        base = CurrentDir();
        base.pop_back();
        rest = text;
    }
    std::vector<std::string> parts;
    for (size_t cut = base.find('\\'); cut != std::string::npos;) {
        size_t next = base.find('\\', cut + 1);
        parts.push_back(base.substr(cut + 1, next == std::string::npos ? std::string::npos : next - cut - 1));
        cut = next;
    }
    const std::string drive = base.substr(0, 2);
    size_t start = 0;
    while (start <= rest.size()) {
        size_t next = rest.find('\\', start);
        if (next == std::string::npos) next = rest.size();
        const std::string part = rest.substr(start, next - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = next + 1;
    }
    std::string resolved = drive;
    for (const std::string& part : parts) resolved += "\\" + part;
    return resolved;
}

bool FakeFileServices::InSet(const std::set<std::string>& set, const std::string& resolved) const {
    const std::string key = Lower(resolved);
    for (const std::string& item : set) {
        if (Lower(Resolve(item)) == key) return true;
    }
    return false;
}

bool FakeFileServices::DriveReady(int drive) const {
    auto found = m_drives.find(drive);
    return found != m_drives.end() && found->second;
}

void FakeFileServices::Log(const std::string& line, bool ok) { log.push_back(ok ? line : line + " failed"); }

bool FakeFileServices::EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) {
    const std::string resolved = Resolve(dir);
    const FakeEntry* found = Find(resolved);
    const bool ok = found != nullptr && found->IsDir() && DriveReady(DriveOf(resolved));
    Log("Enumerate " + dir, ok);
    if (!ok) return false;
    const std::string key = Lower(resolved);
    if (key.find('\\') != std::string::npos) {
        for (const char* dots : {".", ".."}) {
            FindEntry item;
            item.name = dots;
            item.attrib = kFileDirectory;
            item.writeTime = found->modified;
            entry(item);
        }
    }
    // Copied first: the callback may change the tree.
    std::vector<FindEntry> items;
    for (const auto& child : m_entries) {
        if (child.first != key && ParentKey(child.first) == key) {
            FindEntry item;
            item.name = child.second.name;
            item.attrib = child.second.attrib;
            item.writeTime = child.second.modified;
            items.push_back(item);
        }
    }
    for (const FindEntry& item : items) entry(item);
    return true;
}

int FakeFileServices::GetDrive() {
    Log("GetDrive", true);
    return m_drive;
}

int FakeFileServices::ChangeDrive(int drive) {
    const bool ok = DriveReady(drive);
    Log("ChangeDrive " + std::to_string(drive), ok);
    if (!ok) return -1;
    m_drive = drive;
    return 0;
}

int FakeFileServices::ChangeDir(const std::string& path) {
    const std::string resolved = Resolve(path);
    const FakeEntry* found = Find(resolved);
    const bool ok = !path.empty() && found != nullptr && found->IsDir() && DriveReady(DriveOf(resolved)) &&
                    !InSet(failChangeDir, resolved);
    Log("ChangeDir " + path, ok);
    if (!ok) return -1;
    m_drive = DriveOf(resolved);
    m_driveDirs[m_drive] = found->path;
    return 0;
}

bool FakeFileServices::MoveFile(const std::string& from, const std::string& to) {
    const std::string source = Resolve(from);
    const std::string target = Resolve(StoredTargetPath(to));
    FakeEntry* moving = Find(source);
    const FakeEntry* parent = Find(ParentKey(target));
    const FakeEntry* existing = Find(target);
    const bool ok = moving != nullptr && !moving->IsDir() && DriveReady(DriveOf(source)) &&
                    parent != nullptr && parent->IsDir() && DriveReady(DriveOf(target)) &&
                    IsValidName(LastPart(target)) && (existing == nullptr || existing == moving) &&
                    !InSet(failMove, source) && !InSet(failMove, target);
    Log("Move " + from + " -> " + to, ok);
    if (!ok) return false;
    FakeEntry moved = *moving;
    moved.path = parent->path + "\\" + LastPart(target);
    moved.name = LastPart(target);
    m_entries.erase(Lower(source));
    m_entries[Lower(target)] = moved;
    return true;
}

bool FakeFileServices::DeleteFile(const std::string& path) {
    const std::string resolved = Resolve(path);
    const FakeEntry* found = Find(resolved);
    const bool ok = found != nullptr && !found->IsDir() && !(found->attrib & kFileReadOnly) &&
                    !InSet(failDelete, resolved);
    Log("Delete " + path, ok);
    if (ok) m_entries.erase(Lower(resolved));
    return ok;
}

bool FakeFileServices::GetStatus(const std::string& path, FileStatus& status) {
    const std::string resolved = Resolve(path);
    const FakeEntry* found = Find(resolved);
    const bool ok = found != nullptr && !InSet(failStatus, resolved);
    Log("GetStatus " + path, ok);
    if (!ok) return false;
    status.modified = found->modified;
    status.created = found->created != 0 ? found->created : found->modified;
    status.accessed = found->accessed != 0 ? found->accessed : found->modified;
    status.size = found->size != 0 ? found->size : found->contents.size();
    status.attribute = found->attrib & 0xFF;
    return true;
}

bool FakeFileServices::SetStatus(const std::string& path, const FileStatus& status, std::string& error) {
    constexpr unsigned kStatusBits = kFileReadOnly | kFileHidden | kFileSystem | kFileArchive;
    const std::string resolved = Resolve(path);
    FakeEntry* file = Find(resolved);
    log.push_back("SetStatus " + path);
    const size_t callLine = log.size() - 1;
    auto fail = [&](const std::string& reason) {
        log[callLine] += " failed";
        error = reason;
        return false;
    };
    if (file == nullptr) return fail("Cannot set the status of " + path + ": The system cannot find the file specified.");
    if (InSet(failSetStatus, resolved)) return fail("Cannot set the status of " + path + ": Access is denied.");

    const unsigned wanted = (file->attrib & ~kStatusBits) | (status.attribute & kStatusBits);
    const bool attributesDiffer = ((file->attrib ^ status.attribute) & kStatusBits) != 0;
    const bool wasReadOnly = (file->attrib & kFileReadOnly) != 0;
    auto setAttributes = [&]() {
        file->attrib = wanted;
        log.push_back("SetAttrib " + path + " " + Hex2(wanted));
    };

    if (attributesDiffer && wasReadOnly) setAttributes();
    if (status.modified != 0) {
        const std::string line = "SetTimes " + path + " m=" + std::to_string(status.modified) +
                                 " c=" + std::to_string(status.created) + " a=" + std::to_string(status.accessed);
        if ((file->attrib & kFileReadOnly) && readOnlyRefusesTimes) {
            log.push_back(line + " failed");
            return fail("Cannot set the times of " + path + ": Access is denied.");
        }
        log.push_back(line);
        file->modified = status.modified;
        if (status.created != 0) file->created = status.created;
        if (status.accessed != 0) file->accessed = status.accessed;
    }
    if (attributesDiffer && !wasReadOnly) setAttributes();
    return true;
}

TimeValue FakeFileServices::MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    const LocalTime t = NormalizeCalendar(year, month, day, hour, minute, second);
    if (t.year < kFirstPlatformYear || t.year > kLastPlatformYear) return -1;
    return CalendarSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second) - utcOffset;
}

LocalTime FakeFileServices::ToLocalTime(TimeValue time) { return CalendarFields(time + utcOffset); }

TimeValue FakeFileServices::Now() { return now; }

bool FakeFileServices::ReadFile(const std::string& path, std::string& contents) {
    const std::string resolved = Resolve(path);
    const FakeEntry* found = Find(resolved);
    const bool ok = found != nullptr && !found->IsDir() && !InSet(failRead, resolved);
    Log("ReadFile " + path, ok);
    if (ok) contents = found->contents;
    return ok;
}

bool FakeFileServices::WriteFileReplacing(const std::string& path, const std::string& contents) {
    const std::string resolved = Resolve(path);
    const FakeEntry* parent = Find(ParentKey(resolved));
    const FakeEntry* existing = Find(resolved);
    const bool ok = parent != nullptr && parent->IsDir() && IsValidName(LastPart(resolved)) &&
                    (existing == nullptr || (!existing->IsDir() && !(existing->attrib & kFileReadOnly))) &&
                    !InSet(failWrite, resolved);
    Log("WriteFile " + path, ok);
    if (!ok) return false;
    const std::string spelled = existing != nullptr ? existing->path : parent->path + "\\" + LastPart(resolved);
    AddFile(spelled, kFileArchive, now, contents);
    return true;
}
