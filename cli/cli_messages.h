// Messages of gradation-cli: always one line, whatever names they quote.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace gradation::cli {

// A name from outside (a file name, an option's value) as a message shows it: as it
// is when it is plain, '' when empty, and in $'...' with control characters escaped
// when it holds any, so that it stays on one line and cannot steer the terminal.
std::string shown(std::string_view name);

// Why a write failed, for a message: ": reason", or nothing when it is not known.
inline std::string because(const std::string& reason) { return reason.empty() ? "" : ": " + reason; }

// Writes "gradation-cli: MESSAGE" as one line to `err` and yields `code`. A control
// character that reached the message by another way is escaped here too.
int report_error(std::ostream& err, int code, std::string_view message);

}  // namespace gradation::cli
