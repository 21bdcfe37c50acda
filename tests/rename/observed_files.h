// The real file services with a window onto a run: every call goes on to the services
// in use before, and a test can look at moves and status changes as they happen, or
// refuse them, while the files themselves stay real.
#pragma once

#include "platform/file_services.h"

#include <functional>
#include <string>
#include <vector>

class ObservedFiles : public FileServices {
public:
    ObservedFiles() : m_inner(SetPlatform(this)) {}
    ~ObservedFiles() override { SetPlatform(m_inner); }
    ObservedFiles(const ObservedFiles&) = delete;
    ObservedFiles& operator=(const ObservedFiles&) = delete;

    // Called before each move; may change the target or refuse the move (return false).
    std::function<bool(const std::string& from, std::string& to)> beforeMove;
    // Called before each status change; return false (with a reason) to refuse it.
    std::function<bool(const std::string& path, const FileStatus& status, std::string& error)> beforeSetStatus;

    std::vector<std::pair<std::string, std::string>> moves;  // moves asked for, in order
    std::vector<std::pair<std::string, FileStatus>> setStatus;

    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override {
        return m_inner->EnumerateDirectory(dir, entry);
    }
    int GetDrive() override { return m_inner->GetDrive(); }
    int ChangeDrive(int drive) override { return m_inner->ChangeDrive(drive); }
    int ChangeDir(const std::string& path) override { return m_inner->ChangeDir(path); }
    bool MoveFile(const std::string& from, const std::string& to) override {
        moves.emplace_back(from, to);
        std::string target = to;
        if (beforeMove && !beforeMove(from, target)) return false;
        return m_inner->MoveFile(from, target);
    }
    bool DeleteFile(const std::string& path) override { return m_inner->DeleteFile(path); }
    bool GetStatus(const std::string& path, FileStatus& status) override { return m_inner->GetStatus(path, status); }
    bool SetStatus(const std::string& path, const FileStatus& status, std::string& error) override {
        setStatus.emplace_back(path, status);
        if (beforeSetStatus && !beforeSetStatus(path, status, error)) return false;
        return m_inner->SetStatus(path, status, error);
    }
    TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) override {
        return m_inner->MakeLocalTime(year, month, day, hour, minute, second);
    }
    LocalTime ToLocalTime(TimeValue time) override { return m_inner->ToLocalTime(time); }
    TimeValue Now() override { return m_inner->Now(); }
    bool ReadFile(const std::string& path, std::string& contents) override { return m_inner->ReadFile(path, contents); }
    bool WriteFileReplacing(const std::string& path, const std::string& contents) override {
        return m_inner->WriteFileReplacing(path, contents);
    }

private:
    FileServices* m_inner;
};
