#include "tree_order.h"

#include "file_tree.h"

namespace sim {

namespace {
void AddBelow(const MachineData& d, const std::string& dir, std::vector<std::string>& out) {
  for (const FileEntry* child : ChildrenOf(d, dir)) {
    if (child->IsDirectory()) AddBelow(d, child->path, out);
    out.push_back(child->path);
  }
}
}  // namespace

std::vector<std::string> TreeDeletionOrder(const MachineData& d, const std::string& path) {
  std::vector<std::string> order;
  const auto it = d.files.find(path);
  if (it == d.files.end() && !IsDrive(path)) return order;
  if (IsDrive(path) || it->second.IsDirectory()) AddBelow(d, path, order);
  if (it != d.files.end()) order.push_back(it->second.path);
  return order;
}

}  // namespace sim
