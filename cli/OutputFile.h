#pragma once

// The file of --output, replaced atomically: the output goes to a temporary file beside it
// ("<name>.XXXXXX"), which takes the file's place by a rename only once the run has ended well
// and everything is on disk. A run that fails, or is interrupted (SIGINT, SIGTERM, SIGHUP),
// removes the temporary file, so an existing file stays as it was and no part of a file is
// left behind. Something that is not a plain file (a terminal, a pipe, /dev/null) is written
// directly. A symbolic link is followed: the file it points to is replaced, the link stays.

#include <string>

class OutputFile
{
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the temporary file (or the file itself when it is not a plain one); false with the
    // reason.
    bool Open(const std::string& path, std::string& problem);
    int Descriptor() const { return descriptor_; }
    // Whether a temporary file stands in for the file (it is a plain file or a new one).
    bool Replaces() const { return !temporary_.empty(); }

    // Syncs, closes and renames the temporary file over the file; false with the reason (the
    // temporary file is then removed).
    bool Commit(std::string& problem);
    // Closes and removes the temporary file; the file stays as it was.
    void Discard();

private:
    std::string target_;
    std::string temporary_;
    int descriptor_ = -1;
};
