// Line handling for the small DOS-era text files the deleter rewrites
// (WinInit.INI, the reboot batch file). Lines are kept whole whatever their
// length: cutting a long line into pieces would corrupt the paths in it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Splits on "\n" and drops a "\r" before it; a last line without a line end
// counts, an empty text holds no lines.
std::vector<std::string> SplitFileLines(std::string_view text);
// Each line followed by "\r\n", the line end these files have on Windows.
std::string JoinFileLines(const std::vector<std::string>& lines);
