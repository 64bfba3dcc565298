#include "cli/HelpText.h"

#include "cli/CommandLine.h"

#include <string>

namespace {

constexpr std::string_view Introduction = R"(Usage: tralto eval [OPTIONS] [EXPRESSION... | FILE...]
       tralto convert --from SYSTEM --to SYSTEM [OPTIONS] [VALUE... | FILE...]
       tralto --help | --version

Tralto's coordinate engine on the command line: the expressions, conversions and number
texts of the coordinate windows, for scripts and point files.

COMMANDS
  eval        Evaluates each EXPRESSION and prints its value, one per line. Without
              expressions, evaluates every line of the input.
  convert     Converts one point given as VALUEs, or every line of the input, from
              one coordinate system to another, and prints the converted point.

  Every expression and value is an expression as the windows' fields accept it: decimal
  numbers (1.5, 2e-3), hexadecimal (0x1F) and binary (0b101) integers, + - * / ^, div and
  mod, pi, and the functions sin cos tan sqrt ln log asin acos atan (in radians).
  Arguments beginning with "--", and -o and -h, are options; every other argument is a
  value or a file, so "-1" and "-pi/2" need no quoting. "--" makes all following
  arguments values or files.

INPUT
  Without arguments the input is standard input. When every argument names a file that
  exists, or is "-" (standard input), and none of them is a value, the arguments are
  input files, read one after another; otherwise they are values.

COORDINATE SYSTEMS (convert)
  cartesian    x, y, z            (also: cart, xyz)
  spherical    r, theta, phi      (also: sph, sphere)
  cylindrical  r, phi, z          (also: cyl, cylinder)
  cartesian2   x, y     (plane)   (also: cart2, xy)
  polar        r, phi   (plane)   (also: pol, polar2)
  Values come and go in the order shown. Both systems must be of the same dimension.

  The point goes through the engine exactly as through a window: the values are entered in
  the order of the source system's fields and the window's conversion runs, so the digits
  printed are those the window shows for the same settings. As in the windows, an entered
  triple is never normalised: a negative r or an angle beyond a turn stays as entered.
  In the plane, r and phi build the point from polar form as in the window: a negative r
  gives the point of distance |r| in direction phi.
)";

constexpr std::string_view Conclusion = R"(
NUMBERS
  The decimal separator is "." (with --decimal-comma ",") and no locale is consulted.
  Values whose magnitude is below 1E-16 print as 0, as in the windows. A field that holds
  the separator (a grouped number in a comma-separated file) is put in double quotes.

POINT FILES (convert without values)
  Each line is one point. The fields are separated by semicolons, commas, tabs or blanks:
  the first line of a file that is not blank or a comment decides, in that order (a line
  with a ";" is semicolon-separated, else one with a "," comma-separated, else one with a
  tab tab-separated, else runs of blanks separate; with --decimal-comma never by commas).
  Blanks around a field are dropped; a field may be in double quotes, and a separator
  inside them belongs to it. The first such line is the column names when none of its
  fields is a value or starts like a number (a digit, a sign or a point), such as "x,y,z":
  the point's names become the target system's names, other names stay. Fields beyond the
  point, or outside --columns, pass through unchanged, quotes and all.
  Blank lines come out empty and lines beginning with "#" unchanged, so output line N
  belongs to input line N. CR-LF line ends, a missing last line break and a UTF-8 byte
  order mark are accepted; output lines end in LF. Lines may be up to 1 MiB long. Input is
  read and written as a stream, in constant memory.

ERRORS
  A value that is not an expression, that holds an unknown name or that has anything
  stuck to a number ("2pi", "1.5.3"), an empty field, a line with too few fields, a line
  too long, a UTF-16 file, a math error ("sqrt: DOMAIN error") and a
  result that is not a finite number are errors, never silently 0 as in a window. Each is
  reported on standard error with the file, the line, the field and the text, such as
      tralto: points.csv, line 7, field 2 "2*pix": unknown name 'pix'
  By default the run stops at the first bad line; the lines before it have been written,
  nothing after it (and a file of --output is left as it was). --keep-going goes on.

EXIT STATUS
  0  every value converted or evaluated
  1  at least one bad value or line
  2  a wrong command line, or reading or writing failed

EXAMPLES
  tralto eval '2*pi/3' 0x1F 'sqrt 2'
  tralto convert --from spherical --to cartesian --deg 1 90 45
  tralto convert --from cartesian --to spherical --theta xy-plane --exact points.csv
  tralto convert --from sph --to cart --deg --columns 2,3,4 --decimal-comma \
      -o cartesian.csv export.csv
)";

std::string BuildHelpText()
{
    std::string text(Introduction);
    std::string_view section;
    for (const OptionDescription& option : OptionTable()) {
        if (option.section != section) {
            section = option.section;
            text += "\n";
            text += section;
            text += "\n";
        }
        text += "  ";
        if (!option.shortName.empty()) {
            text += option.shortName;
            if (!option.valueName.empty())
                text += " " + std::string(option.valueName);
            text += ", ";
        }
        text += option.name;
        if (!option.valueName.empty())
            text += " " + std::string(option.valueName);
        std::string_view help = option.help;
        while (!help.empty()) {
            const std::size_t end = help.find('\n');
            text += "\n              ";
            text += help.substr(0, end);
            help.remove_prefix(end == std::string_view::npos ? help.size() : end + 1);
        }
        text += "\n";
    }
    text += Conclusion;
    return text;
}

} // namespace

std::string_view HelpText()
{
    static const std::string text = BuildHelpText();
    return text;
}
