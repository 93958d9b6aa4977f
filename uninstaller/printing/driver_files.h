// Deleting a driver's files: a file with the companions the system or the
// maker's setup made from it (a help file's index, a PostScript
// description's compiled form, an archive's unpacked members).
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "printing/printing_context.h"

// Whether another driver set still needs a file (given by its full path);
// such a file stays, and so do its companions.
using NeededElsewhere = std::function<bool(std::string_view path)>;

// Deletes `path` when it is an existing file, with its companions: an
// archive's members first (those `neededElsewhere` does not claim), then the
// file, then "name.GID" beside a ".HLP" and "name.BPD" beside a ".PPD".
void DeleteWithCompanions(PrintingContext& context, std::string_view path, const NeededElsewhere& neededElsewhere);
// When `path` ends in "." + `extension` (without case), deletes the path
// with that extension replaced by `companionExtension`, unless
// `neededElsewhere` claims that companion.
void DeleteCompanion(PrintingContext& context, std::string_view path, std::string_view extension,
                     std::string_view companionExtension, const NeededElsewhere& neededElsewhere);
// Deletes the members the maker's lister reports for an archive, but not
// those `neededElsewhere` claims, and the list it wrote. False when the
// lister is not there, does not report success, or its list is not there.
bool DeleteZipMembers(PrintingContext& context, std::string_view zipPath, const NeededElsewhere& neededElsewhere);
// One of the maker's files that other programs share from the system
// directory.
bool IsSharedFile(std::string_view fileName);
