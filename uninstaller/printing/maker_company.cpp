#include "printing/maker_company.h"

#include "maker/maker_identity.h"
#include "platform/text.h"

namespace {

bool IsWordCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  // Bytes of non-ASCII letters count as letters, so that a longer word
  // holding a maker's name as its beginning is not cut there.
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || u >= 0x80;
}

}  // namespace

bool IsMakerCompany(std::string_view company) {
  std::size_t i = 0;
  while (i < company.size()) {
    while (i < company.size() && !IsWordCharacter(company[i])) ++i;
    const std::size_t start = i;
    while (i < company.size() && IsWordCharacter(company[i])) ++i;
    const std::string_view word = company.substr(start, i - start);
    for (std::string_view name : maker::kCompanyWords) {
      if (!word.empty() && text::IEquals(word, name)) return true;
    }
  }
  return false;
}
