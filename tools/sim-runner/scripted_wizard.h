// The scripted wizard's hands: clicks the boxes of the labels an image's
// wizard answer names, on the same model the terminal and Windows wizards
// draw, and writes the choice back as leaving the first page does.
#pragma once
#include <optional>
#include <string>
#include <vector>

class CUnstMain;

// What went wrong, or nullopt: a label no node of the tree shows.
std::optional<std::string> TickWizard(CUnstMain& app, const std::vector<std::string>& labels);
