#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan {

// Starts programs without a shell and without waiting for them: every argument
// reaches the program as it is. What the program prints is appended to a file. A
// script that is not executable runs through /bin/sh, still with its arguments apart.
class ProgramStarter {
public:
    ~ProgramStarter();

    bool start(const std::vector<std::string>& arguments, const std::string& outputPath);

private:
    void reapFinished();

    std::vector<pid_t> running_;
};

} // namespace orvan
