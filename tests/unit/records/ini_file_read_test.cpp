// Reading a file into the model: which lines count, how headers merge, what
// Read reports, and hostile files read whole and in bounded time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ini_test_machine.h"

using initest::kPath;
using initest::Picture;
using initest::Put;

namespace {

TEST(IniFileRead, LinesAreTrimmedAndOnlyHeadersKeysOfASectionAndNothingElseCount) {
  struct Case {
    const char* name;
    const char* content;
    const char* model;
  };
  const Case cases[] = {
      {"comments only at the start of a line", "[S]\n  ; c=1\n\t# d=2\nkey=value ; note\n",
       "[S]{key=value ; note}"},
      {"lines before the first header are dropped", "a=1\nflag\n[S]\nb=2\n", "[S]{b=2}"},
      {"blank lines are skipped", "\n[S]\n\n \t\nb=2\n\n", "[S]{b=2}"},
      {"a header is trimmed", "  [S]  \nk=v\n", "[S]{k=v}"},
      {"an unclosed header is a key line", "[S]\n[Uninstall\n", "[S]{[uninstall=}"},
      {"brackets alone make a header", "[]\nk=v\n", "[]{k=v}"},
      {"new sections go to the head", "[A]\n[B]\nx=1\n[C]\n", "[C]{}[B]{x=1}[A]{}"},
      {"CR LF line ends and no line end at the end", "[S]\r\nx=1\r\ny=2", "[S]{x=1,y=2}"},
      {"a header differing in case merges into the first, later values win",
       "[Printers]\nA=1\nb=1\n[Uninstall]\n[PRINTERS]\na=2\n", "[Uninstall]{}[Printers]{a=2,b=1}"},
  };
  for (const Case& c : cases) {
    auto machine = initest::Machine();
    Put(*machine, c.content);
    EXPECT_EQ(Picture(*initest::ReadOnly(*machine)), c.model) << c.name;
  }
}

TEST(IniFileRead, ReadGivesTheSectionsHeldZeroForNoFileAndMinusOneWhenTheFileCannotBeRead) {
  auto machine = initest::Machine(R"("faults": [{"call": "FileSystem.ReadText", "error": "ERROR_ACCESS_DENIED",
                                                 "match": "*\\locked.ini"}])");
  auto& files = machine->platform().files;
  Put(*machine, "[A]\n[B]\n");
  Put(*machine, "[C]\n[a]\n", "C:\\scripts\\more.ini");
  Put(*machine, "[D]\n", "C:\\scripts\\locked.ini");

  CIniFile file(files);
  file.m_bWriteOnDestroy = false;
  EXPECT_EQ(file.Read(""), 0);
  EXPECT_EQ(file.Read("C:\\scripts\\missing.ini"), 0);
  EXPECT_EQ(file.Read(kPath), 2);
  EXPECT_EQ(file.Read("C:\\scripts\\more.ini"), 3);  // counts what was held before
  EXPECT_EQ(file.Read("C:\\scripts\\locked.ini"), CIniFile::kFileError);
  EXPECT_EQ(file.Read("C:\\scripts"), CIniFile::kFileError);  // a directory
  EXPECT_EQ(Picture(file), "[C]{}[B]{}[A]{}");                // what was read stays

  CIniFile missing(files, "C:\\scripts\\missing.ini");
  missing.m_bWriteOnDestroy = false;
  EXPECT_EQ(missing.size(), 0u);
}

class HeaderRecorder : public CIniFile {
 public:
  using CIniFile::CIniFile;
  std::vector<std::string> headers;

 protected:
  void OnSectionHeader(std::string_view line) override { headers.emplace_back(line); }
};

TEST(IniFileRead, EveryHeaderLineIsAnnouncedBeforeItIsLookedUp) {
  auto machine = initest::Machine();
  Put(*machine, "[A]\n [a] \n[B\nk=v\n");
  HeaderRecorder file(machine->platform().files);
  file.m_bWriteOnDestroy = false;
  EXPECT_EQ(file.Read(kPath), 1);
  EXPECT_EQ(file.headers, (std::vector<std::string>{"[A]", "[a]"}));
}

TEST(IniFileRead, HostileFilesAreReadWholeWithoutCrashingOrSlowingDown) {
  // Binary bytes, zeros included, and no line end at the end.
  std::string binary = "[Bin]\n";
  for (int round = 0; round < 64; ++round) {
    for (int b = 0; b < 256; ++b) binary.push_back(static_cast<char>(b));
  }
  auto machine = initest::Machine();
  Put(*machine, binary);
  EXPECT_GE(initest::ReadOnly(*machine)->size(), 1u);

  // A value of a megabyte is kept whole.
  const std::string huge(1 << 20, 'v');
  Put(*machine, "[S]\nk=" + huge);
  EXPECT_EQ(initest::ReadOnly(*machine)->FindSection("[S]")->GetValue("k"), huge);

  // A section repeated many times, and very many sections: each header is
  // found without walking the list.
  std::string repeated;
  for (int i = 0; i < 1000; ++i) repeated += "[Uninstall]\nk" + std::to_string(i) + "=1\n";
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  Put(*machine, repeated + many);
  const auto file = initest::ReadOnly(*machine);
  EXPECT_EQ(file->size(), 100001u);
  EXPECT_EQ(file->FindSection("[uninstall]")->size(), 1000u);
  EXPECT_EQ(file->FindSection("[s99999]")->GetValue("K"), "99999");
}

}  // namespace
