#include "items/unst_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Keys(const UnstItemArray& items, const std::vector<int>& indices) {
  std::vector<std::string> keys;
  for (int i : indices) keys.push_back(items[i].key);
  return keys;
}

TEST(UnstItemArray, CollectsChildrenDepthFirstWithoutCaseAndStopsOnALoop) {
  UnstItemArray items;
  items.Add("A", "", "", "", 1);
  items.Add("B", "a", "", "", 1);
  items.Add("C", "A", "", "", 1);
  items.Add("B1", "B", "", "", 1);
  items.Add("X", "Y", "", "", 1);  // X and Y name each other as parent
  items.Add("Y", "X", "", "", 1);

  struct Case {
    const char* key;
    std::vector<std::string> children;
  };
  for (const Case& c : {Case{"A", {"B", "B1", "C"}}, Case{"b", {"B1"}}, Case{"C", {}}, Case{"", {}},
                        Case{"X", {"Y", "X"}}}) {
    std::vector<int> indices;
    items.CollectChildren(c.key, indices);
    EXPECT_EQ(Keys(items, indices), c.children) << c.key;
  }
}

TEST(UnstItemArray, ListsOnlySelectedItemsThatFailedInArrayOrder) {
  UnstItemArray items;
  for (const char* key : {"Kept", "Failed", "Done", "Unchosen"}) items.Add(key, "", "", std::string(key) + " name", 1);
  items[0].selected = false;
  items[1].selected = true;
  items[1].removed = false;
  items[2].selected = true;
  items[3].removed = false;  // not chosen, so not a failure

  std::string text = "before\n";
  items.AppendFailures(text);
  EXPECT_EQ(text, "before\nFailed name\n");
  EXPECT_EQ(items.CountSelected(), 2);
  EXPECT_EQ(items.Find("DONE"), 2);
  EXPECT_EQ(items.Find("none"), -1);
  items[0].requiredKeys = {"Failed"};
  EXPECT_TRUE(UnstItemArray::Requires(items[0], "failed"));
  EXPECT_FALSE(UnstItemArray::Requires(items[0], "Done"));
}

}  // namespace
