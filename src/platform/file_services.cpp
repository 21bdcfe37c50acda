#include "platform/file_services.h"

// SetStatus changes a read-only file's attributes before its times, so new times on a
// file that stays read-only are refused: the bit goes for the stamp and comes back
// after it, also when the stamp failed. The stamp's failure is the one told.
std::optional<Failure> FileServices::StampTimes(const std::string& path, const FileStatus& status) {
    if (!(status.attribute & kFileReadOnly)) return SetStatus(path, status);
    FileStatus writable = status;
    writable.attribute &= ~kFileReadOnly;
    const std::optional<Failure> stamped = SetStatus(path, writable);
    FileStatus restore;  // no times: only the attribute byte changes back
    restore.attribute = status.attribute;
    const std::optional<Failure> restored = SetStatus(path, restore);
    return stamped ? stamped : restored;
}
