#include "sim_options.h"

#include <charconv>

namespace {

bool Number(const std::string& text, std::size_t* out) {
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, *out);
  return r.ec == std::errc() && r.ptr == end;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions* o, std::string* error) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    o->command = SimOptions::Command::Help;
    return true;
  }
  if (args[0] == "sample") {
    const bool finishing = args.size() == 3 && args[1] == "--finishing";
    if (args.size() != 2 && !finishing) {
      *error = "sample takes one file name, after --finishing for a job-finishing stream";
      return false;
    }
    o->command = SimOptions::Command::Sample;
    o->sampleMode = finishing ? 0 : 1;
    o->jobPath = args.back();
    return true;
  }
  if (args[0] != "play" && args[0] != "render") {
    *error = "unknown command '" + args[0] + "'";
    return false;
  }
  const bool render = args[0] == "render";
  o->command = render ? SimOptions::Command::Render : SimOptions::Command::Play;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) {
        *error = a + " needs a value";
        return false;
      }
      *out = args[++i];
      return true;
    };
    auto number = [&](std::size_t* out) {
      std::string text;
      if (!value(&text)) return false;
      if (!Number(text, out)) {
        *error = a + " needs a number, not '" + text + "'";
        return false;
      }
      return true;
    };
    std::string text;
    std::size_t n = 0;
    bool ok = true;
    if (a == "--machine") ok = value(&o->machinePath);
    else if (a == "--printer") ok = value(&o->printer);
    else if (a == "--port") ok = value(&o->port);
    else if (a == "--datatype") ok = value(&o->datatype);
    else if (a == "--document") ok = value(&text) && (o->document = text, true);
    else if (a == "--from") ok = value(&text) && (o->fromMachine = text, true);
    else if (a == "--output") ok = value(&text) && (o->outputFile = text, true);
    else if (a == "--separator") ok = value(&text) && (o->separatorFile = text, true);
    else if (a == "--read-size") ok = number(&o->readSize);
    else if (a == "--pause-at") ok = number(&n) && (o->pauseAt = n, true);
    else if (a == "--cancel-at") ok = number(&n) && (o->cancelAt = n, true);
    else if (a == "--cancel-when-paused") o->cancelWhenPaused = true;
    else if (a == "--all") o->allCalls = true;
    else if (a == "--refuse-documents") o->refuseDocuments = true;
    else if (render && a == "--dpi") ok = number(&o->dpi) && (o->dpi > 0 || (*error = "--dpi needs more than 0", false));
    else if (!a.empty() && a[0] == '-') {
      *error = "unknown option " + a;
      return false;
    } else if (o->jobPath.empty()) {
      o->jobPath = a;
    } else if (render && o->renderPath.empty()) {
      o->renderPath = a;
    } else {
      *error = "only one job file, please";
      return false;
    }
    if (!ok) return false;
  }
  if (o->jobPath.empty()) {
    *error = args[0] + " needs a job file";
    return false;
  }
  if (render) {
    const auto ends = [&](std::string_view tail) {
      return o->renderPath.size() > tail.size() &&
             o->renderPath.compare(o->renderPath.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (!ends(".pdf") && !ends(".png")) {
      *error = "render needs a picture to write, OUT.pdf or OUT.png";
      return false;
    }
  }
  return true;
}
