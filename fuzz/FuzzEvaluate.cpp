// Any bytes as the text of an input field: the evaluator must give a value,
// never crash, overflow its stack or run into undefined behaviour.
#include "expression/Parser.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string>

namespace {

// Swallows the trace, which would otherwise dominate the run.
class NullBuffer : public std::streambuf
{
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

bool Silence()
{
    // Never destroyed: the streams still flush into it when the program ends.
    static NullBuffer* const sink = new NullBuffer;
    std::cout.rdbuf(sink);
    std::cerr.rdbuf(sink);
    SetMathErrorHandler([](const std::string&, const std::string&) {});
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool silenced = Silence();
    (void)silenced;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const long double value = EvaluateText(text);
    // Reading the value keeps the evaluation from being optimised away.
    volatile bool isNumber = value == value;
    (void)isNumber;
    return 0;
}
