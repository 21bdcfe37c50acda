#include "platform/file_services.h"

std::string StrayNameText(const std::string& name) {
    return name + " cannot be handled: its name is not valid Unicode.";
}

// A read-only file refuses new times: `stamp` takes the bit off along with its change,
// and the bit comes back after it, also when the stamp failed. The stamp's failure is
// the one told.
std::optional<Failure> FileServices::KeepingReadOnly(const std::string& path, unsigned attribute,
                                                     const std::function<std::optional<Failure>()>& stamp) {
    const std::optional<Failure> stamped = stamp();
    if (!(attribute & kFileReadOnly)) return stamped;
    FileStatus restore;  // no times: only the attribute byte changes back
    restore.attribute = attribute;
    const std::optional<Failure> restored = SetStatus(path, restore);
    return stamped ? stamped : restored;
}

// SetStatus changes a read-only file's attributes before its times, so one call both
// takes the bit off and sets the times.
std::optional<Failure> FileServices::StampTimes(const std::string& path, const FileStatus& status) {
    FileStatus writable = status;
    writable.attribute &= ~kFileReadOnly;
    return KeepingReadOnly(path, status.attribute, [&] { return SetStatus(path, writable); });
}

std::optional<Failure> FileServices::StampModifiedTicks(const std::string& path, unsigned attribute, int64_t ticks) {
    return KeepingReadOnly(path, attribute, [&]() -> std::optional<Failure> {
        if (attribute & kFileReadOnly) {
            FileStatus writable;  // no times: only the attribute byte changes
            writable.attribute = attribute & ~kFileReadOnly;
            if (std::optional<Failure> failed = SetStatus(path, writable)) return failed;
        }
        return SetModifiedTicks(path, ticks);
    });
}

bool FileServices::ReadFilePieces(const std::string& path, const std::function<void(uint64_t, const PieceRead&)>& use) {
    std::string all;
    if (!ReadFile(path, all)) return false;
    const PieceRead read = [&all](uint64_t offset, size_t size, std::string& out) {
        if (offset > all.size()) return false;
        out.assign(all, static_cast<size_t>(offset), size);
        return true;
    };
    use(all.size(), read);
    return true;
}
