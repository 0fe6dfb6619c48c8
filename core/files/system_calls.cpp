#include "core/files/system_calls.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gradation::system_calls {

int make_temporary(char* name_template) { return ::mkostemp(name_template, O_CLOEXEC); }
ssize_t write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int change_mode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int sync(int fd) { return ::fsync(fd); }
int rename(const char* from, const char* to) { return ::rename(from, to); }

}  // namespace gradation::system_calls
