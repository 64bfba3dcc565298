#pragma once

#include <functional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// Runs `copies` child processes, as that many copies of the program would
// run. Each runs copy(index, waitForAll); waitForAll returns once every copy
// has called it, so that what follows it starts in all of them at once. A
// copy that returns true exits with 0. True when every copy did.
inline bool RunCopies(
    int copies, const std::function<bool(int index, const std::function<void()>& waitForAll)>& copy)
{
    int ready[2];
    int gate[2];
    if (pipe(ready) != 0 || pipe(gate) != 0)
        return false;
    std::vector<pid_t> children;
    for (int index = 0; index < copies; ++index) {
        const pid_t child = fork();
        if (child == 0) {
            close(gate[1]);
            const auto waitForAll = [&] {
                const char byte = 1;
                char never = 0;
                // The read returns when the parent closes the gate's end.
                if (write(ready[1], &byte, 1) != 1 || read(gate[0], &never, 1) != 0)
                    _exit(3);
            };
            _exit(copy(index, waitForAll) ? 0 : 1);
        }
        if (child > 0)
            children.push_back(child);
    }
    bool allReady = int(children.size()) == copies;
    for (size_t index = 0; allReady && index < children.size(); ++index) {
        char byte = 0;
        allReady = read(ready[0], &byte, 1) == 1;
    }
    for (const int end : { ready[0], ready[1], gate[0], gate[1] })
        close(end);
    bool allDone = allReady;
    for (const pid_t child : children) {
        int status = 0;
        allDone = waitpid(child, &status, 0) == child && WIFEXITED(status)
            && WEXITSTATUS(status) == 0 && allDone;
    }
    return allDone;
}
