#include "cli/HelpText.h"

std::string_view HelpText()
{
    return R"(Usage: tralto eval [OPTIONS] [EXPRESSION...]
       tralto convert --from SYSTEM --to SYSTEM [OPTIONS] [VALUE...]
       tralto --help | --version

Tralto's coordinate engine on the command line: the expressions, conversions and number
texts of the coordinate windows, for scripts and point files.

COMMANDS
  eval        Evaluates each EXPRESSION and prints its value, one per line. Without
              expressions, evaluates every line of standard input.
  convert     Converts one point given as VALUEs, or every line of standard input, from
              one coordinate system to another, and prints the converted point.

  Every expression and value is an expression as the windows' fields accept it: decimal
  numbers (1.5, 2e-3), hexadecimal (0x1F) and binary (0b101) integers, + - * / ^, div and
  mod, pi, and the functions sin cos tan sqrt ln log asin acos atan (in radians).
  Arguments beginning with "--" are options; every other argument is a value, so "-1" and
  "-pi/2" need no quoting. "--" makes all following arguments values.

COORDINATE SYSTEMS (convert)
  cartesian    x, y, z            (also: cart, xyz)
  spherical    r, theta, phi      (also: sph, sphere)
  cylindrical  r, phi, z          (also: cyl, cylinder)
  cartesian2   x, y     (plane)   (also: cart2, xy)
  polar        r, phi   (plane)   (also: pol, polar2)
  Values come and go in the order shown. Both systems must be of the same dimension.

CONVERSION OPTIONS
  --from SYSTEM, --to SYSTEM
              The systems of the input and of the output. Both required.
  --theta z-axis|xy-plane
              Theta is the angle from the positive z axis (z-axis, the default) or from
              the xy plane, positive above it (xy-plane). Short forms: z, xy.
  --deg       Angles (theta, phi) are entered and printed in degrees.
  --rad       Angles in radians (the default).

  The point goes through the engine exactly as through a window: the values are entered in
  the order of the source system's fields and the window's conversion runs, so the digits
  printed are those the window shows for the same settings. As in the windows, an entered
  triple is never normalised: a negative r or an angle beyond a turn stays as entered.
  In the plane, r and phi build the point from polar form as in the window: a negative r
  gives the point of distance |r| in direction phi.

OUTPUT OPTIONS
  --format general|exponent|fixed|number
              Layout of the numbers, as in the format dialog (default: general).
                general   3.1416, 1.2346E5, 1E-7 (scientific outside 1E-4 .. 10^precision)
                exponent  3.1416E+0
                fixed     3.1 (decimals set by --digits)
                number    31,415,926.5 (fixed, thousands grouped with ",")
  --precision N
              Significant digits, 2 to 18 (default: 5).
  --digits N  Exponent layout: minimum exponent digits, 0 to 4 (4 pads nothing);
              fixed and number layouts: decimals, 0 to 18. No effect in the general
              layout (0 to 4 accepted). Default: 1.
  --exact     All 18 significant digits: the general layout with precision 18. Not
              together with --format, --precision or --digits.
  --separator TEXT
              Separator between the output fields (convert). Also: tab, space, comma,
              semicolon, \t. Default: the input's separator; a blank for values given as
              arguments.

  The decimal separator is always "." and no locale is consulted. Values whose magnitude
  is below 1E-16 print as 0, as in the windows. A field that holds the separator (a grouped
  number in a comma-separated file) is put in double quotes.

POINT FILES (convert without values)
  Each line of standard input is one point. The fields are separated by semicolons,
  commas, tabs or blanks: the first line that is not blank or a comment decides, in that
  order (a line with a ";" is semicolon-separated, else one with a "," comma-separated,
  else one with a tab tab-separated, else runs of blanks separate). Blanks around a field
  and double quotes around it are dropped. A first line none of whose fields is a value
  (such as "x,y,z") is taken as the column names and printed as the names of the target
  system's values; --no-header reads it as a point. Blank lines and lines beginning with
  "#" are written unchanged, so output line N belongs to input line N. CR-LF line ends, a
  missing last line break and a UTF-8 byte order mark are accepted; output lines end in LF.
  Lines may be up to 1 MiB long. Input is read and written as a stream, in constant memory.

  --no-header  The first line is a point even when none of its fields is a value.

ERRORS
  A value that is not an expression, that holds an unknown name or that has anything
  stuck to a number ("2pi", "1.5.3"), an empty field, a line with too few or too many
  fields, a line too long, and a math error ("sqrt: DOMAIN error") are errors, never
  silently 0 as in a window. Each is reported on standard error with the line, the field
  and the text, for example:
      tralto: line 7, field 2 "2*pix": unknown name 'pix'
  By default the run stops at the first bad line; the lines before it have been written,
  nothing after it.
  --keep-going
              Write a bad line as empty fields (an empty line for eval), report it and go
              on; the exit status is then 1.

EXIT STATUS
  0  every value converted or evaluated
  1  at least one bad value or line
  2  a wrong command line, or reading or writing failed

EXAMPLES
  tralto eval '2*pi/3' 0x1F 'sqrt 2'
  tralto convert --from spherical --to cartesian --deg 1 90 45
  tralto convert --from cartesian --to spherical --theta xy-plane --exact < points.csv
  tralto convert --from polar --to cartesian2 --deg --format fixed --digits 3 2 30
)";
}
