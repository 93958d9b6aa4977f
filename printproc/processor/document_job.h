// One document on its way through the processor, shared by the steps of
// print-document.
#pragma once
#include <string>

#include "platform/print/job_channel.h"
#include "processor/print_processor.h"

namespace emfplay {

struct PrintProcessor::Job {
  ProcessorHandle& handle;
  const DocumentData& doc;
  std::string port;
  std::string destination;
  SeparatorKind separator = SeparatorKind::None;
  plat::print::UniqueJobPrinter readChannel;

  std::string document() const { return doc.document.value_or(""); }
  std::string datatype() const { return doc.datatype.value_or(""); }
  plat::print::DocInfo2 DocInfo(std::uint32_t mode) const {
    return {document(), doc.outputFile, datatype(), mode, doc.jobId};
  }
};

}  // namespace emfplay
