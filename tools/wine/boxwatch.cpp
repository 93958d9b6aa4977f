// boxwatch: starts a program, answers the message boxes it shows, and ends
// with the program's exit code. Each box is printed as one JSON line in the
// simulated machine's journal form, so Wine runs and simulated runs can be
// compared line by line:
//   {"event":"messageBox","caption":"Uninstall","text":"...","icon":"question","buttons":"yesno","answer":"IDNO"}
//   {"event":"exit","code":0}
//
//   boxwatch.exe [--timeout SECONDS] [--answer IDYES|IDNO|IDOK|IDCANCEL|...]... -- PROGRAM [ARGS...]
//
// Answers are used in order, one per box. A box with no answer left gets the
// answer the simulated machine would give it (IDOK for an OK box, IDNO for a
// yes/no box, IDCANCEL otherwise) and is marked "unanswered". When the
// program is still running at the time-out it is ended, a {"event":"timeout"}
// line is printed and boxwatch exits with 124, so no test can hang.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "box_reader.h"

namespace {

constexpr int kTimedOut = 124;
constexpr int kUsage = 125;
constexpr DWORD kSettleMs = 3000;

struct Options {
  DWORD timeoutMs = 30000;
  std::vector<int> answers;
  std::wstring commandLine;
};

// Quotes one argument the way CommandLineToArgvW splits it back.
std::wstring Quote(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  out.push_back(L'"');
  return out;
}

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
  int i = 1;
  for (; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--") {
      ++i;
      break;
    }
    if (i + 1 >= argc) return false;
    if (arg == L"--timeout") {
      options->timeoutMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10) * 1000);
    } else if (arg == L"--answer") {
      const int id = boxwatch::ButtonIdFromName(argv[++i]);
      if (id == 0) return false;
      options->answers.push_back(id);
    } else {
      return false;
    }
  }
  if (i >= argc) return false;
  for (int first = i; i < argc; ++i) {
    if (i > first) options->commandLine.push_back(L' ');
    options->commandLine += Quote(argv[i]);
  }
  return true;
}

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

struct Search {
  DWORD processId;
  std::set<HWND>* handled;
  HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd) || search->handled->count(hwnd)) return TRUE;
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (std::wstring(className) != L"#32770") return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fputs("usage: boxwatch.exe [--timeout SECONDS] [--answer IDYES|IDNO|IDOK|IDCANCEL]... -- PROGRAM [ARGS...]\n",
               stderr);
    return kUsage;
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = options.commandLine;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "boxwatch: cannot start the program (error %lu)\n", GetLastError());
    return kUsage;
  }
  CloseHandle(process.hThread);

  const DWORD start = GetTickCount();
  std::set<HWND> handled;
  std::map<HWND, DWORD> firstSeen;
  std::size_t nextAnswer = 0;
  for (;;) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    if (GetTickCount() - start > options.timeoutMs) {
      TerminateProcess(process.hProcess, kTimedOut);
      PrintLine(R"({"event":"timeout"})");
      CloseHandle(process.hProcess);
      return kTimedOut;
    }
    Search search{process.dwProcessId, &handled, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) continue;

    boxwatch::Box box = boxwatch::ReadBox(search.found);
    // A box still being built or painted is looked at again, for a while.
    const DWORD seen = firstSeen.emplace(search.found, GetTickCount()).first->second;
    if (!box.complete && GetTickCount() - seen < kSettleMs) continue;
    handled.insert(search.found);
    const bool scripted = nextAnswer < options.answers.size();
    const int answer = scripted ? options.answers[nextAnswer++] : boxwatch::DefaultAnswer(box);
    PrintLine(boxwatch::JournalLine(box, answer, !scripted));
    boxwatch::Press(box, answer);
  }

  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  PrintLine("{\"event\":\"exit\",\"code\":" + std::to_string(static_cast<long>(exitCode)) + "}");
  return static_cast<int>(exitCode);
}
