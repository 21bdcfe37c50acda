#include "platform/file_services.h"

// SetStatus changes a read-only file's attributes before its times, so new times on a
// file that stays read-only are refused: the bit goes for the stamp and comes back
// after it, also when the stamp failed.
bool FileServices::StampTimes(const std::string& path, const FileStatus& status, std::string& error) {
    if (!(status.attribute & kFileReadOnly)) return SetStatus(path, status, error);
    FileStatus writable = status;
    writable.attribute &= ~kFileReadOnly;
    const bool stamped = SetStatus(path, writable, error);
    FileStatus restore;  // no times: only the attribute byte changes back
    restore.attribute = status.attribute;
    std::string restoreError;
    const bool restored = SetStatus(path, restore, restoreError);
    if (stamped && !restored) error = restoreError;
    return stamped && restored;
}
