#include "protocol/CommLog.h"

#include <mutex>

#include "protocol/RotatingLogFile.h"

namespace {

// Writers are normally on one thread; the lock keeps a helper thread from tearing a line.
// Both live until the process ends (never destroyed), so that a line logged while static objects
// are torn down is still safe; the system closes the file.
std::recursive_mutex& LogMutex() {
    static auto* mutex = new std::recursive_mutex;
    return *mutex;
}

RotatingLogFile& LogFile() {
    static auto* file = new RotatingLogFile;
    return *file;
}

LogSink*& CurrentSink() {
    static LogSink* sink = nullptr;
    return sink;
}

}  // namespace

void SetLogName(const std::string& baseName) {
    std::lock_guard lock(LogMutex());
    LogFile().SetName(baseName);
}

void SetLogPath(const std::string& path) {
    std::lock_guard lock(LogMutex());
    LogFile().SetFixedPath(path);
}

std::string LogPath() {
    std::lock_guard lock(LogMutex());
    return LogFile().Path();
}

std::string LogNotice() {
    std::lock_guard lock(LogMutex());
    return LogFile().Notice();
}

bool OpenLog() {
    std::lock_guard lock(LogMutex());
    return LogFile().Open();
}

void CloseLog() {
    std::lock_guard lock(LogMutex());
    LogFile().Close();
}

bool IsLogOpen() {
    std::lock_guard lock(LogMutex());
    return LogFile().IsOpen();
}

bool WriteLog(const std::string& text) {
    if (text.empty()) return true;
    std::lock_guard lock(LogMutex());
    LogSink* sink = CurrentSink() != nullptr ? CurrentSink() : &LogFile();
    return sink->Write(text.back() == '\n' ? text : text + '\n');
}

bool LogEvent(const std::string& message) {
    return WriteLog(FormatEventLine(std::time(nullptr), message));
}

std::string FormatEventLine(std::time_t when, const std::string& message) {
    std::tm local{};
    char stamp[32] = {};
    if (localtime_r(&when, &local) != nullptr) {
        std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &local);
    }
    return std::string(stamp) + " " + message + "\n";
}

LogSink* SetLogSink(LogSink* sink) {
    std::lock_guard lock(LogMutex());
    LogSink* previous = CurrentSink();
    CurrentSink() = sink;
    return previous;
}
