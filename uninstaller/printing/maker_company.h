// The companies whose names mark a file as the maker's in its version
// resource: the maker itself and the brand under which this edition ships
// the maker's drivers. Kept here alone, so that every question "is this the
// maker's file" reads the same names.
#pragma once
#include <string_view>

// True when one word of `company` (split at anything but letters and
// digits) is one of the maker's names, ignoring case: "Vorkast
// Corporation", "BREVIK Inc." An empty text names no company.
bool IsMakerCompany(std::string_view company);
