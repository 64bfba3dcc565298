#include "cli/LineReader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

LineReader::LineReader(Source source, std::size_t bufferSize)
    : source_(std::move(source))
    , buffer_(bufferSize == 0 ? 1 : bufferSize)
{
}

LineReader::Source LineReader::FromDescriptor(int descriptor)
{
    return [descriptor](char* buffer, std::size_t size) -> ssize_t {
        for (;;) {
            const ssize_t count = ::read(descriptor, buffer, size);
            if (count >= 0 || errno != EINTR)
                return count;
        }
    };
}

bool LineReader::Refill()
{
    begin_ = end_ = 0;
    const ssize_t count = source_(buffer_.data(), buffer_.size());
    if (count < 0)
        failed_ = true;
    else if (count == 0)
        atEnd_ = true;
    else
        end_ = static_cast<std::size_t>(count);
    return count > 0;
}

LineReader::Status LineReader::Finish(std::string_view& line, std::string_view text)
{
    ++lineNumber_;
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    line = text;
    return Status::Line;
}

LineReader::Status LineReader::Next(std::string_view& line)
{
    pending_.clear();
    for (;;) {
        if (begin_ == end_) {
            if (failed_)
                return Status::ReadError;
            if (atEnd_ || !Refill()) {
                if (failed_)
                    return Status::ReadError;
                skipping_ = false;
                // The last line without its line break.
                if (!pending_.empty())
                    return Finish(line, pending_);
                return Status::End;
            }
        }
        const char* const start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const auto* const newline = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : available;
        begin_ += newline ? length + 1 : length;
        if (skipping_) {
            skipping_ = !newline;
            continue;
        }
        if (pending_.size() + length > MaxLineLength) {
            pending_.clear();
            skipping_ = !newline;
            ++lineNumber_;
            return Status::TooLong;
        }
        if (newline && pending_.empty())
            return Finish(line, std::string_view(start, length));
        pending_.append(start, length);
        if (newline)
            return Finish(line, pending_);
    }
}
