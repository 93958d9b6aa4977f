// What a run left of what it set out to remove, in words for the person who
// ran it: the completion dialog's list of failures, and the objects the run
// kept on purpose because they may be somebody else's.
#pragma once
#include <cstddef>
#include <ostream>

#include <nlohmann/json.hpp>

class CUnstMain;

// Prints nothing when nothing selected was left and nothing was kept.
void PrintRemovalReport(const CUnstMain& app, std::ostream& out);

// What this run removed, read from the journal entries after `from`: the
// printers and printer drivers the spooler deleted. Nothing when none.
void PrintRemoved(const nlohmann::json& journal, std::size_t from, std::ostream& out);
