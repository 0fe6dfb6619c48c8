// The system calls that replacing a file makes, each through one function here, so that
// a test can link its own definitions in place of system_calls.cpp and make any step
// fail as the system would. The programs link the plain calls.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace gradation::system_calls {

int make_temporary(char* name_template);  // mkostemp, the file closed on exec
ssize_t write(int fd, const void* data, std::size_t size);
int change_mode(int fd, mode_t mode);  // fchmod
int sync(int fd);                      // fsync
int rename(const char* from, const char* to);

}  // namespace gradation::system_calls
