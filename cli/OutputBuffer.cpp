#include "cli/OutputBuffer.h"

#include <cerrno>
#include <unistd.h>

OutputBuffer::OutputBuffer(Sink sink, std::size_t blockSize)
    : sink_(std::move(sink))
    , blockSize_(blockSize)
{
    buffer_.reserve(blockSize_ + 256);
}

OutputBuffer::Sink OutputBuffer::ToDescriptor(int descriptor)
{
    return [descriptor](std::string_view text) {
        while (!text.empty()) {
            const ssize_t count = ::write(descriptor, text.data(), text.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return false;
            text.remove_prefix(static_cast<std::size_t>(count));
        }
        return true;
    };
}

void OutputBuffer::Field(std::string_view text)
{
    if (fieldWritten_)
        buffer_ += separator_;
    fieldWritten_ = true;
    const bool quote = text.find('"') != std::string_view::npos
        || (!separator_.empty() && text.find(separator_) != std::string_view::npos);
    if (!quote) {
        buffer_ += text;
        return;
    }
    buffer_ += '"';
    for (const char c : text) {
        if (c == '"')
            buffer_ += '"';
        buffer_ += c;
    }
    buffer_ += '"';
}

void OutputBuffer::SetSeparator(std::string_view separator)
{
    separator_ = separator;
    numbersNeedQuotes_ = separator_.find_first_of("0123456789.,+-EINFA") != std::string::npos;
}

void OutputBuffer::Number(std::string_view text)
{
    // A number text never holds a quote; whether it holds the separator needs looking only
    // when the separator has a character that a number text can have.
    if (numbersNeedQuotes_ && text.find(separator_) != std::string_view::npos) {
        Field(text);
        return;
    }
    RawField(text);
}

void OutputBuffer::RawField(std::string_view text)
{
    if (fieldWritten_)
        buffer_ += separator_;
    fieldWritten_ = true;
    buffer_ += text;
}

void OutputBuffer::Text(std::string_view text)
{
    buffer_ += text;
}

void OutputBuffer::EndLine()
{
    buffer_ += '\n';
    fieldWritten_ = false;
    lineStart_ = buffer_.size();
    if (buffer_.size() >= blockSize_)
        Flush();
}

void OutputBuffer::DropLine()
{
    buffer_.resize(lineStart_);
    fieldWritten_ = false;
}

bool OutputBuffer::Flush()
{
    // Only whole lines leave the buffer.
    if (!failed_ && lineStart_ > 0 && !sink_(std::string_view(buffer_).substr(0, lineStart_))) {
        failed_ = true;
        error_ = errno;
    }
    buffer_.erase(0, lineStart_);
    lineStart_ = 0;
    return !failed_;
}
