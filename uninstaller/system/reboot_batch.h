// The batch file that removes directories at the next log-on on the 9x
// family, where the system cannot schedule a directory removal itself. It
// always ends with the one line that deletes the batch file.
#pragma once
#include <string>
#include <string_view>

inline constexpr char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The two lines for one directory: its rmdir, then the batch file's own del.
std::string RebootBatchLines(std::string_view directory);
// `batchText` without its self-deleting line(s), plus the lines for
// `directory`.
std::string AppendToRebootBatch(std::string_view batchText, std::string_view directory);
// "<windows>\command.com /C c:\unsttmp0.bat", the run-once command.
std::string RebootBatchCommand(std::string_view windowsDirectory);
