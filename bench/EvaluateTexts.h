#pragma once

// What the evaluation benchmarks share: the texts, a sink for the trace, and
// one evaluation through each engine.

#include <array>
#include <iostream>
#include <streambuf>
#include <string>

namespace tralto::bench {

inline const std::array<std::string, 8> EvaluateTexts {
    "1+2*3",
    "(1+2)*3",
    "2^3^2",
    "sin(0.5)+cos(0.25)",
    "sqrt(2)*pi",
    "4*atan(1)",
    "((((1+2)*3-4)/5)^2)",
    "123456.789*0.000123+17/3",
};

// Swallows the trace: the benchmark measures the writing, not a terminal.
class NullBuffer : public std::streambuf
{
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// Sends std::cout and std::cerr to a null sink for its lifetime.
class SilencedTrace
{
public:
    SilencedTrace()
        : oldOut(std::cout.rdbuf(&sink))
        , oldErr(std::cerr.rdbuf(&sink))
    {
    }
    ~SilencedTrace()
    {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
    }
    SilencedTrace(const SilencedTrace&) = delete;
    SilencedTrace& operator=(const SilencedTrace&) = delete;

private:
    NullBuffer sink;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
};

long double EvaluateWithTralto(const std::string& text);
// A fresh muParser with "pi" defined, the text set and evaluated, as one
// field evaluation would cost there.
double EvaluateWithMuParser(const std::string& text);

} // namespace tralto::bench
