// prnshext-sim: the Printers-folder extension on a simulated machine. It
// selects printers as the shell would and prints the context menu the
// extension builds (items, command identifiers, help texts, the answer), or
// invokes one of its commands, or renames a printer through the copy hook;
// then it saves the machine with its journal.
//
//   prnshext-sim --machine IMAGE [--save OUT] menu PRINTER...
//   prnshext-sim --machine IMAGE [--save OUT] invoke OFFSET PRINTER...
//   prnshext-sim --machine IMAGE [--save OUT] rename OLD NEW
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "context_menu.h"
#include "printer_rename.h"
#include "shell_extension.h"
#include "simshell/shell_machine.h"

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kRunnerFailure = 2;
constexpr std::uint32_t kFirstCommandId = 100;

struct Options {
  std::string machine;
  std::string save;
  std::string command;
  std::vector<std::string> operands;
  std::uint32_t offset = 0;  // invoke's command offset
};

bool ParseOffset(const std::string& s, std::uint32_t* out) {
  if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  *out = static_cast<std::uint32_t>(std::stoul(s));
  return true;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--machine" && i + 1 < args.size()) {
      o->machine = args[++i];
    } else if (args[i] == "--save" && i + 1 < args.size()) {
      o->save = args[++i];
    } else if (o->command.empty()) {
      o->command = args[i];
    } else {
      o->operands.push_back(args[i]);
    }
  }
  if (o->machine.empty()) return false;
  if (o->command == "menu") return !o->operands.empty();
  if (o->command == "invoke") return o->operands.size() >= 2 && ParseOffset(o->operands[0], &o->offset);
  if (o->command == "rename") return o->operands.size() == 2;
  return false;
}

// The "PrinterFriendlyName" block the shell would hand over for `names`.
std::vector<std::uint8_t> NameBlock(const std::vector<std::string>& names, bool wide) {
  std::vector<std::uint8_t> b{4, 0, 0, 0};
  auto put = [&](const std::string& s) {
    if (wide) {
      for (const char16_t c : text::Utf8ToUtf16(s)) {
        b.push_back(static_cast<std::uint8_t>(c & 0xFF));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
      }
      b.insert(b.end(), {0, 0});
    } else {
      b.insert(b.end(), s.begin(), s.end());
      b.push_back(0);
    }
  };
  for (const auto& n : names) put(n);
  put("");
  return b;
}

void PrintMenu(const shellext::MenuPlan& plan) {
  for (const auto& e : plan.entries) {
    if (e.separator) {
      std::cout << e.position << "  ----------\n";
      continue;
    }
    std::cout << e.position << "  id " << e.commandId << "  offset " << e.item->offset << "  \"" << e.item->menuText
              << "\"  help \"" << e.item->helpText << "\"\n";
  }
  std::cout << "QueryContextMenu returned " << plan.result << "\n";
}

std::string Hex(shellext::HResult hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::cerr << "usage: prnshext-sim --machine IMAGE [--save OUT] menu PRINTER...\n"
                 "       prnshext-sim --machine IMAGE [--save OUT] invoke OFFSET PRINTER...\n"
                 "       prnshext-sim --machine IMAGE [--save OUT] rename OLD NEW\n";
    return kRunnerFailure;
  }
  std::ifstream in(o.machine, std::ios::binary);
  if (!in) {
    std::cerr << "prnshext-sim: cannot read " << o.machine << "\n";
    return kRunnerFailure;
  }
  std::stringstream text;
  text << in.rdbuf();
  sim::LoadError error;
  auto machine = sim::shell::ShellMachine::FromText(text.str(), &error);
  if (!machine) {
    std::cerr << "prnshext-sim: " << o.machine << ": " << error.ToString() << "\n";
    return kRunnerFailure;
  }
  const auto& p = machine->platform();
  const auto module = shellext::AttachModule(p.osInfo, p.security);
  shellext::ShellExtension ext(p, module);

  int code = kDone;
  if (o.command == "rename") {
    const auto answer = ext.CopyCallback(0, shellext::kPoRename, o.operands[0], o.operands[1]);
    std::cout << "CopyCallback returned " << answer << "\n";
  } else {
    const bool invoke = o.command == "invoke";
    std::vector<std::string> printers(o.operands.begin() + (invoke ? 1 : 0), o.operands.end());
    const shellext::FriendlyNameData data{shellext::kSOk, NameBlock(printers, module.IsNT())};
    const auto init = ext.Initialize(&data);
    if (init != shellext::kSOk) {
      std::cout << "Initialize returned " << Hex(init) << "\n";
      code = kRefused;
    } else {
      const auto plan = ext.QueryContextMenu(0, kFirstCommandId);
      if (!invoke) {
        PrintMenu(plan);  // invoke evaluates the menu too, as the shell does before it invokes
      } else {
        const auto offset = o.offset;
        const auto hr = ext.InvokeCommand(false, offset, 0);
        std::cout << "InvokeCommand(" << offset << ") returned " << Hex(hr) << "\n";
        if (shellext::Failed(hr)) code = kRefused;
      }
    }
  }
  machine->machine().Record({{"event", "exit"}, {"code", code}});
  if (!o.save.empty()) {
    std::ofstream out(o.save, std::ios::binary | std::ios::trunc);
    out << machine->Save().dump(2) << "\n";
    if (!out) {
      std::cerr << "prnshext-sim: cannot write " << o.save << "\n";
      return kRunnerFailure;
    }
  }
  return code;
}
