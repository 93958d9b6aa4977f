// Which company names in a version resource are the maker's.
#include <gtest/gtest.h>

#include "printing/maker_company.h"

namespace {

TEST(MakerCompany, TheMakersNameCountsAsAWholeWordInAnyCase) {
  for (const char* company : {"Vorkast", "VORKAST CORPORATION", "Vorkast Co., Ltd.", "BREVIK Inc.", "brevik",
                              "Vorkast-Brevik GmbH", "(c) Vorkast"})
    EXPECT_TRUE(IsMakerCompany(company)) << company;
  // Another company whose name merely begins like the maker's is another company.
  for (const char* company : {"", "Microsoft Corporation", "Vorkastle Ltd", "Brevikson AS", "NotVorkast",
                              "Vorkast\xc3\xa9 SA", " "})
    EXPECT_FALSE(IsMakerCompany(company)) << company;
}

}  // namespace
