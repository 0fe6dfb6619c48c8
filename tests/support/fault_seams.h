// Faults injected through the programs' seams. Each .cpp here defines a seam's functions
// in place of the programs' own (core/files/system_calls.cpp, platform/clipboard_take.cpp);
// a test links one as an object library, and only that test has the fault.
#pragma once

#include <functional>

namespace gradation::test {

enum class SystemCall { MakeTemporary, Write, ChangeMode, Sync, Rename };

// Asked before every system call of replacing a file, with how many calls of its kind
// came before since it was set; true makes that call fail with EIO (a write puts half its
// bytes on disk first, as a disk that fills up would). Empty lets every call run.
void set_system_call_fault(std::function<bool(SystemCall call, int nth)> fault);

// The next `count` clipboard writes do not take effect, as when another program keeps
// the X11 selection.
void fail_next_clipboard_writes(int count);

}  // namespace gradation::test
