// gradation-cli's exit statuses.
#pragma once

namespace gradation::cli {

// kWrittenUnreported: an edit was written, but its report could not be printed.
enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2, kWrittenUnreported = 3 };

}  // namespace gradation::cli
