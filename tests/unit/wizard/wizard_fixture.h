// A selection page on components, printers and drivers given as small
// tables, and the tree drawn as one line so that a case reads at a glance:
// "A[x](B[ ] C[#])" with [ ] Unticked, [x] Ticked, [#] Locked, [~] Partial.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "wizard/select_page_model.h"

namespace wizard_test {

struct Item {
  std::string key;
  std::string parent;
  std::vector<std::string> requires_ = {};
  int strength = 0;
  bool selected = false;
  bool follows = true;
};

struct Entry {
  std::string name;
  bool selected = false;
  bool notTried = true;
};

inline const char* Mark(CheckState s) {
  switch (s) {
    case CheckState::Unticked:
      return "[ ]";
    case CheckState::Ticked:
      return "[x]";
    case CheckState::Locked:
      return "[#]";
    case CheckState::Partial:
      return "[~]";
    case CheckState::None:
      break;
  }
  return "";
}

inline std::string DrawNode(const CheckTree& tree, NodeId id) {
  const CheckNode& n = tree.node(id);
  std::string s = n.text + Mark(n.state);
  if (n.children.empty()) return s;
  s += "(";
  for (std::size_t i = 0; i < n.children.size(); ++i) s += (i ? " " : "") + DrawNode(tree, n.children[i]);
  return s + ")";
}

inline std::string Draw(const CheckTree& tree) {
  std::string s;
  for (NodeId id : tree.TopLevel()) s += (s.empty() ? "" : " ") + DrawNode(tree, id);
  return s;
}

// Components named by their keys, printers and unattached drivers by their
// names; the flags behind the choices live as long as the world.
struct World {
  explicit World(std::initializer_list<Item> components, std::initializer_list<Entry> printerEntries = {},
                 std::initializer_list<Entry> driverEntries = {}, bool anyPrinter = false)
      : World(std::vector<Item>(components), printerEntries, driverEntries, anyPrinter) {}
  World(const std::vector<Item>& components, const std::vector<Entry>& printerEntries,
        const std::vector<Entry>& driverEntries = {}, bool anyPrinter = false) {
    for (const Item& c : components) {
      const int i = items.Add(c.key, c.parent, "", c.key, 1);
      items[i].requiredKeys = c.requires_;
      items[i].dependencyStrength = c.strength;
      items[i].selected = c.selected;
      items[i].followsChildren = c.follows;
    }
    printers.present = anyPrinter || !printerEntries.empty();
    for (const Entry& e : printerEntries) printers.entries.push_back(Keep(e));
    drivers.present = !driverEntries.empty();
    for (const Entry& e : driverEntries) drivers.entries.push_back(Keep(e));
    model = std::make_unique<SelectPageModel>(items, printers, drivers);
    model->Fill();
  }

  NodeId Node(const std::string& keyOrName) const {
    const int i = items.Find(keyOrName);
    if (i >= 0) return model->NodeOfItem(i);
    for (NodeId id = 0; id < model->tree().size(); ++id) {
      if (model->tree().node(id).text == keyOrName) return id;
    }
    ADD_FAILURE() << "no node " << keyOrName;
    return kNoNode;
  }
  CheckState State(const std::string& keyOrName) const { return model->tree().State(Node(keyOrName)); }
  World& Click(const std::string& keyOrName) {
    model->ClickBox(Node(keyOrName));
    return *this;
  }
  World& Space(const std::string& keyOrName) {
    model->ClickLabel(Node(keyOrName));
    model->PressKey(TreeKey::Space);
    return *this;
  }
  std::string Drawn() const { return Draw(model->tree()); }
  bool Selected(const std::string& key) const { return items[items.Find(key)].selected; }

  UnstItemArray items;
  std::deque<bool> flags;
  ChoiceList printers;
  ChoiceList drivers;
  std::unique_ptr<SelectPageModel> model;

 private:
  Choice Keep(const Entry& e) {
    flags.push_back(e.selected);
    return Choice{e.name, &flags.back(), e.notTried};
  }
};

}  // namespace wizard_test
