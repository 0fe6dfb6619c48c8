#include "support/fault_seams.h"

#include "core/files/system_calls.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gradation {
namespace {

std::function<bool(test::SystemCall, int)> g_fault;
std::array<int, 5> g_calls{};  // calls of each kind since the fault was set

bool fails(test::SystemCall call) {
    const int nth = g_calls[static_cast<std::size_t>(call)]++;
    if (!g_fault || !g_fault(call, nth)) return false;
    errno = EIO;
    return true;
}

}  // namespace

void test::set_system_call_fault(std::function<bool(SystemCall, int)> fault) {
    g_fault = std::move(fault);
    g_calls = {};
}

namespace system_calls {

int make_temporary(char* name_template) {
    return fails(test::SystemCall::MakeTemporary) ? -1 : ::mkostemp(name_template, O_CLOEXEC);
}

ssize_t write(int fd, const void* data, std::size_t size) {
    if (!fails(test::SystemCall::Write)) return ::write(fd, data, size);
    if (::write(fd, data, size / 2) >= 0) errno = EIO;
    return -1;
}

int change_mode(int fd, mode_t mode) { return fails(test::SystemCall::ChangeMode) ? -1 : ::fchmod(fd, mode); }
int sync(int fd) { return fails(test::SystemCall::Sync) ? -1 : ::fsync(fd); }
int rename(const char* from, const char* to) { return fails(test::SystemCall::Rename) ? -1 : ::rename(from, to); }

}  // namespace system_calls
}  // namespace gradation
