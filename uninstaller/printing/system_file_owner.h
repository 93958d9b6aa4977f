// Whose a file in the system directory is. A driver's dependent files are
// also looked for there by bare name, and the system directory holds the
// files of every program: a maker's driver that lists "MFC42.DLL" must not
// take the copy that everything else uses.
#pragma once
#include <string_view>

#include "printing/printing_context.h"

// True when the file at `path` is not the maker's to delete: on Windows 2000
// and XP Windows File Protection guards it, or its version resource names a
// company other than the maker (IsMakerCompany). A file without version
// information, or whose resource names no company, is not kept for that. A
// question that cannot be answered keeps the file: not knowing whose it is
// is no reason to delete it.
bool IsOthersSystemFile(PrintingContext& context, std::string_view path);
