// The separator page's two built-in pictures: Windows metafiles that show
// our mark and the job's details through the placeholders "%1%" (document),
// "%2%" (user) and "%3%" (date and time). Number 600 is shown on Windows 95,
// 601 on Windows 98 and Me. emfplay.dll carries them as resources of type
// 602; the files it is built from are written by the separator-art program
// and checked against this drawing by a test.
#pragma once
#include <cstdint>
#include <vector>

namespace wmf {

// Empty for a number that is not one of the two.
std::vector<std::uint8_t> SeparatorPicture(std::uint32_t number);

}  // namespace wmf
