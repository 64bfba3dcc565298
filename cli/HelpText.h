#pragma once

#include <string_view>

// The full description of the command line, as `tralto --help` prints it.
std::string_view HelpText();
