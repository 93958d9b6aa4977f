#include "simprint/sim_maker_libraries.h"

#include <array>
#include <cstring>

#include "platform/win_errors.h"

namespace sim::print {

namespace pp = plat::print;

namespace {

// The addresses the sim hands out for the three callbacks, and the context.
constexpr std::uint32_t kStartPageAddress = 0x5000;
constexpr std::uint32_t kEndPageAddress = 0x5100;
constexpr std::uint32_t kWriteAddress = 0x5200;
constexpr std::uint32_t kContext = 0xC0DE;
constexpr std::uint32_t kFirstObject = 0x8001;

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint32_t v = 0;
  if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
  return v;
}

// "106[40]": the first field of a block and its size.
std::string Describe(std::span<const std::uint8_t> data) {
  return std::to_string(Get32(data, 0)) + "[" + std::to_string(data.size()) + "]";
}

}  // namespace

class SimJobFinishing final : public pp::JobFinishingLibrary {
 public:
  SimJobFinishing(SimMakerLibraries& owner, std::string name) : owner_(owner), name_(std::move(name)) {}
  ~SimJobFinishing() override {
    --owner_.loaded_;
    owner_.journal_.Add("FreeLibrary(" + name_ + ")");
  }

  pp::FinishingHooks Hooks(pp::FinishingCallbacks& callbacks) override {
    callbacks_ = &callbacks;
    return {kStartPageAddress, kEndPageAddress, kWriteAddress, kContext};
  }

  std::uint32_t LgMain(std::uint32_t command, std::span<std::uint8_t> data, std::uint32_t* output,
                       std::uint32_t& context) override {
    owner_.calls_.push_back({command, {data.begin(), data.end()}});
    const std::string line = "LGMain(" + std::to_string(command) + ", " + Describe(data) + ")";
    if (const auto fault = owner_.journal_.FaultFor("LGMain")) {
      owner_.journal_.Add(line + " -> 0");
      return 0;
    }
    if (command == 0 && !Bind(data)) {
      owner_.journal_.Add(line + " -> 0: no callbacks in the header");
      return 0;
    }
    if (command == 0) context = 1;
    owner_.journal_.Add(line + " -> 1");
    if (command == 16 || command == 17 || command == 18 || command == 19 || command == 38) {
      if (output) *output = next_++;
    }
    if (command == 6 && bound_) callbacks_->StartPage();
    if (command == 7 && bound_) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(SimMakerLibraries::kPageData.data());
      callbacks_->Write({bytes, SimMakerLibraries::kPageData.size()});
      callbacks_->EndPage();
    }
    return 1;
  }

 private:
  // Finds the three callbacks in the header's list, and the context in it.
  bool Bind(std::span<const std::uint8_t> header) {
    if (Get32(header, 4) != header.size() || Get32(header, 20) != kContext) return false;
    int found = 0;
    for (std::size_t at = Get32(header, 60); at + 12 <= header.size() && Get32(header, at) != 0; at += 12) {
      const std::uint32_t number = Get32(header, at), address = Get32(header, at + 8);
      if ((number == 50 && address == kStartPageAddress) || (number == 51 && address == kEndPageAddress) ||
          (number == 52 && address == kWriteAddress))
        ++found;
    }
    bound_ = found == 3 && callbacks_;
    return bound_;
  }

  SimMakerLibraries& owner_;
  std::string name_;
  pp::FinishingCallbacks* callbacks_ = nullptr;
  bool bound_ = false;
  std::uint32_t next_ = kFirstObject;
};

class SimDocumentOutput final : public pp::DocumentOutputLibrary {
 public:
  SimDocumentOutput(SimMakerLibraries& owner, std::string name) : owner_(owner), name_(std::move(name)) {}
  ~SimDocumentOutput() override {
    --owner_.loaded_;
    owner_.journal_.Add("FreeLibrary(" + name_ + ")");
  }

  std::uint32_t AddDocument(pp::DocumentOutputCallbacks& callbacks, std::uint32_t jobId, std::string_view printer,
                            std::string_view spoolFile, const pp::DocInfo2& doc) override {
    callbacks_ = &callbacks;
    spoolFile_ = spoolFile;
    owner_.tableNumbers_.assign(std::begin(pp::kDocumentOutputCallbackNumbers),
                                std::end(pp::kDocumentOutputCallbackNumbers));
    const std::uint32_t answer = owner_.setup.addDocumentAnswer;
    owner_.journal_.Add("edf_add_document_a(0, " + std::to_string(jobId) + ", " + Quote(printer) + ", " +
                        Quote(spoolFile) + ", 2, {" + Quote(std::string_view(doc.document)) + ", " + Quote(doc.outputFile) + ", " +
                        Quote(std::string_view(doc.datatype)) + ", " + std::to_string(doc.mode) + ", " + std::to_string(doc.jobId) +
                        "}) -> " + Hex(answer));
    return answer;
  }

  std::uint32_t StartPrinting() override {
    const std::uint32_t answer = owner_.setup.startPrintingAnswer;
    owner_.journal_.Add("edf_start_printing(0) -> " + Hex(answer));
    if (answer != 0 || !callbacks_) return answer;
    callbacks_->Store(SimMakerLibraries::kStoredValue);
    callbacks_->SendDuplexMessage();
    const auto* content = owner_.files_.Content(spoolFile_);
    if (!content) return 1;
    // The records start behind the signature and the stream header.
    const std::uint32_t offset = 4 + Get32(*content, 8);
    if (owner_.setup.playFromMemory) {
      if (offset <= content->size())
        callbacks_->PlayRecords(std::span<const std::uint8_t>(*content).subspan(offset));
    } else {
      auto file = owner_.files_.OpenForReading(spoolFile_);
      if (!file.ok()) return 1;
      std::array<std::uint8_t, 24> position{};
      for (std::size_t i = 0; i < position.size(); ++i) position[i] = static_cast<std::uint8_t>(0xA0 + i);
      callbacks_->PlaySpooledFile(*file, offset, pp::PlayPosition(position));
      owner_.files_.Close(*file);
    }
    callbacks_->EndPage();
    return 0;
  }

 private:
  SimMakerLibraries& owner_;
  std::string name_;
  pp::DocumentOutputCallbacks* callbacks_ = nullptr;
  std::string spoolFile_;
};

pp::Result<std::unique_ptr<pp::JobFinishingLibrary>> SimMakerLibraries::LoadJobFinishing() {
  const std::string line = "LoadLibrary(\"vkijfc01.dll\")";
  if (!setup.jobFinishing) {
    journal_.Add(line + " -> fails ERROR_MOD_NOT_FOUND");
    return pp::Error(pp::kErrorModNotFound);
  }
  const std::string name = "lib" + std::to_string(++nextLibrary_);
  journal_.Add(line + " -> " + name);
  if (!setup.lgMain) {
    journal_.Add("GetProcAddress(" + name + ", \"LGMain\") -> fails ERROR_PROC_NOT_FOUND");
    journal_.Add("FreeLibrary(" + name + ")");
    return pp::Error(pp::kErrorProcNotFound);
  }
  ++loaded_;
  return std::unique_ptr<pp::JobFinishingLibrary>(std::make_unique<SimJobFinishing>(*this, name));
}

pp::Result<std::unique_ptr<pp::DocumentOutputLibrary>> SimMakerLibraries::LoadDocumentOutput() {
  const std::string line = "LoadLibrary(\"voredf.dll\")";
  if (!setup.documentOutput) {
    journal_.Add(line + " -> fails ERROR_MOD_NOT_FOUND");
    return pp::Error(pp::kErrorModNotFound);
  }
  const std::string name = "lib" + std::to_string(++nextLibrary_);
  journal_.Add(line + " -> " + name);
  if (!setup.documentOutputEntries) {
    journal_.Add("GetProcAddress(" + name + ", \"edf_add_document_a\") -> fails ERROR_PROC_NOT_FOUND");
    journal_.Add("FreeLibrary(" + name + ")");
    return pp::Error(pp::kErrorProcNotFound);
  }
  ++loaded_;
  return std::unique_ptr<pp::DocumentOutputLibrary>(std::make_unique<SimDocumentOutput>(*this, name));
}

pp::Result<std::string> SimMakerLibraries::WindowsDirectory() { return setup.windowsDirectory; }

}  // namespace sim::print
