#include "tests/support/ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

namespace veldrun {
namespace test {

int RunInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        int status = 99;
        try {
            status = body();
        } catch (...) {
            status = 98;
        }
        ::_exit(status);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

} // namespace test
} // namespace veldrun
