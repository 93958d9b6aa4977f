// The printers a spooler knows, in the order it lists them (the image's),
// found by their full name without case, as OpenPrinter finds them, in
// logarithmic time: a removal pass opens and deletes thousands of printers
// one call at a time.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "value_iterator.h"

namespace sim {

struct JobEntry {
  std::uint32_t id = 0;
  std::string document;
  std::uint32_t status = 0;
};

struct PrinterEntry {
  std::string name;        // without the server part
  std::string serverName;  // "\\SERVER" for a connection, empty for a local printer
  std::string shareName;
  std::string portName;
  std::string driverName;
  std::string printProcessor = "WinPrint";
  std::string datatype = "RAW";
  std::uint32_t attributes = 0;
  std::uint32_t status = 0;
  std::vector<JobEntry> jobs;
  // Virtual seconds (since elapsed 0) at which the queue has printed every
  // job; nullopt: the jobs stay.
  std::optional<std::uint64_t> drainSeconds;
  // DeletePrinter came while jobs were queued: the printer goes when they do.
  bool pendingDeletion = false;
  bool IsConnection() const { return !serverName.empty(); }
  // The name OpenPrinter and EnumPrinters use.
  std::string FullName() const { return IsConnection() ? serverName + "\\" + name : name; }
};

// A printer's name, server and driver stay as they were added: the table
// files it under them.
class PrinterTable {
  using Entries = std::map<std::uint64_t, PrinterEntry>;  // by the number of their arrival

 public:
  using iterator = ValueIterator<Entries::iterator>;
  using const_iterator = ValueIterator<Entries::const_iterator>;
  iterator begin() { return iterator{entries_.begin()}; }
  iterator end() { return iterator{entries_.end()}; }
  const_iterator begin() const { return const_iterator{entries_.begin()}; }
  const_iterator end() const { return const_iterator{entries_.end()}; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // Appends `entry`; false, and nothing added, when a printer has its full name.
  bool Add(PrinterEntry entry);
  PrinterEntry* Find(std::string_view fullName);
  const PrinterEntry* Find(std::string_view fullName) const;
  void Erase(std::string_view fullName);
  // Some printer, pending deletions included, prints with a driver of this name.
  bool UsesDriver(std::string_view driverName) const;

 private:
  Entries entries_;
  std::uint64_t nextNumber_ = 0;
  std::map<std::string, std::uint64_t, text::ILessFn> byName_;
  // How many printers print with each driver name.
  std::map<std::string, std::size_t, text::ILessFn> driverUsers_;
};

}  // namespace sim
