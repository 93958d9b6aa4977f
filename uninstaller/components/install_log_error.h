// What a failed call to the install-log server raises. Only two places catch
// it: component detection at start-up (the uninstaller cannot run without the
// log) and the removal worker (the remaining removal steps are skipped and
// the run reports what stays).
#pragma once
#include <stdexcept>
#include <string>

#include "platform/install_log.h"

class InstallLogError : public std::runtime_error {
 public:
  explicit InstallLogError(plat::LogFailure failure)
      : std::runtime_error(failure.description), failure_(std::move(failure)) {}
  const plat::LogFailure& failure() const { return failure_; }

 private:
  plat::LogFailure failure_;
};
