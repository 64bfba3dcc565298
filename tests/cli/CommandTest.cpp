#include "cli/LineReader.h"
#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"

#include <QTest>

using namespace std::string_literals;

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<long double> Numbers(const std::string& line, char separator)
{
    std::vector<long double> numbers;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        numbers.push_back(std::strtold(line.substr(start, end - start).c_str(), nullptr));
        if (end == std::string::npos)
            return numbers;
        start = end + 1;
    }
}

} // namespace

// The commands from arguments to output: separators, header and comment lines, formats, every
// error path with its message and exit status, and round trips.
class CommandTest : public QObject
{
    Q_OBJECT

private slots:
    void runs_data()
    {
        QTest::addColumn<std::string>("arguments");
        QTest::addColumn<std::string>("input");
        QTest::addColumn<std::string>("output");
        QTest::addColumn<std::string>("errors");
        QTest::addColumn<int>("status");
        const std::string toSpherical = "convert --from cartesian --to spherical";
        const std::string none;

        // Point files
        QTest::newRow("header, comment, blank line, CR-LF, no final line break")
            << toSpherical << std::string("x,y,z\r\n# origin\r\n0,0,0\r\n\r\n0,0,5\r\n3,4,0")
            << std::string("r,theta,phi\n# origin\n0,0,1.5708\n\n5,0,1.5708\n5,1.5708,0.9273\n")
            << none << 0;
        QTest::newRow("semicolons kept")
            << toSpherical << std::string("1;0;0\n") << std::string("1;1.5708;0\n") << none << 0;
        QTest::newRow("tabs kept") << toSpherical << std::string("1\t0\t0\n")
                                   << std::string("1\t1.5708\t0\n") << none << 0;
        QTest::newRow("runs of blanks become one")
            << toSpherical << std::string("  1   0   0 \n 0 1 0\n")
            << std::string("1 1.5708 0\n1 1.5708 1.5708\n") << none << 0;
        QTest::newRow("separator given")
            << toSpherical + " --separator=;"s << std::string("1,0,0\n")
            << std::string("1;1.5708;0\n") << none << 0;
        QTest::newRow("separator by name")
            << toSpherical + " --separator tab"s << std::string("1 0 0\n")
            << std::string("1\t1.5708\t0\n") << none << 0;
        QTest::newRow("quoted fields") << toSpherical << std::string("\"1\",\" 0\",\"0\"\n")
                                       << std::string("1,1.5708,0\n") << none << 0;
        QTest::newRow("expressions as values")
            << std::string("convert --from spherical --to cartesian")
            << std::string("2, pi/2, 0x0\n") << std::string("2,0,1.2246E-16\n") << none << 0;
        QTest::newRow("grouped numbers quoted")
            << std::string("convert --from cart --to cart --format number --precision 10")
            << std::string("1234.5,0,-1234567\n") << std::string("\"1,234.5\",0,\"-1,234,567.0\"\n")
            << none << 0;
        QTest::newRow("byte order mark") << toSpherical << std::string("\xEF\xBB\xBFx,y,z\n1,0,0\n")
                                         << std::string("r,theta,phi\n1,1.5708,0\n") << none << 0;
        QTest::newRow("header in blanks")
            << toSpherical << std::string("# points\n x  y  z\n1 0 0\n")
            << std::string("# points\nr theta phi\n1 1.5708 0\n") << none << 0;

        // Conversions and settings
        QTest::newRow("degrees") << std::string("convert --from sph --to cart --deg")
                                 << std::string("1,90,0\n2,90,90\n")
                                 << std::string("1,0,0\n1.2246E-16,2,1.2246E-16\n") << none << 0;
        QTest::newRow("theta from the xy-plane")
            << toSpherical + " --theta xy-plane --deg"s << std::string("0,0,5\n0,0,-5\n")
            << std::string("5,90,90\n5,-90,90\n") << none << 0;
        QTest::newRow("cylindrical")
            << std::string("convert --from cart --to cyl") << std::string("3,4,5\n")
            << std::string("5,0.9273,5\n") << none << 0;
        QTest::newRow("from cylindrical, an entered triple is kept")
            << std::string("convert --from cyl --to cyl") << std::string("-2,7,1\n")
            << std::string("-2,7,1\n") << none << 0;
        QTest::newRow("polar: a negative r is its magnitude")
            << std::string("convert --from polar --to xy") << std::string("-2,0\n")
            << std::string("2,0\n") << none << 0;
        QTest::newRow("polar in degrees")
            << std::string("convert --from polar --to xy --deg") << std::string("2,90\n")
            << std::string("0,2\n") << none << 0;
        QTest::newRow("plane to polar")
            << std::string("convert --from xy --to polar --deg") << std::string("-1,0\n0,-3\n")
            << std::string("1,180\n3,-90\n") << none << 0;

        // Errors
        QTest::newRow("a bad field stops the run")
            << toSpherical << std::string("1,0,0\n2pi,0,0\n3,0,0\n") << std::string("1,1.5708,0\n")
            << std::string("tralto: line 2, field 1 \"2pi\": '2pi' is not a number\n") << 1;
        QTest::newRow("keep going writes empty fields")
            << toSpherical + " --keep-going"s << std::string("1,0,0\n2pi,0,0\n3,0,0\n")
            << std::string("1,1.5708,0\n,,\n3,1.5708,0\n")
            << std::string("tralto: line 2, field 1 \"2pi\": '2pi' is not a number\n") << 1;
        QTest::newRow("too few fields") << toSpherical << std::string("1,0\n") << none
                                        << std::string("tralto: line 1: cartesian needs 3 values "
                                                       "(x, y, z), found 2\n"s)
                                        << 1;
        QTest::newRow("fields after the point pass through")
            << toSpherical << std::string("1,0,0,0\n1,0,0\n")
            << std::string("1,1.5708,0,0\n1,1.5708,0\n") << none << 0;
        QTest::newRow("empty field") << toSpherical << std::string("1,,0\n") << none
                                     << std::string("tralto: line 1, field 2 \"\": empty\n") << 1;
        QTest::newRow("zero byte")
            << toSpherical << std::string("1,0\0,0\n", 7) << none
            << std::string("tralto: line 1, field 2 \"0\\x00\": holds a zero byte\n") << 1;
        QTest::newRow("not UTF-8")
            << toSpherical << std::string("1,\xff,0\n") << none
            << std::string("tralto: line 1, field 2 \"\\xFF\": a number, pi, a function or '(' is "
                           "missing or out of place\n"s)
            << 1;
        QTest::newRow("UTF-8 shown as it is")
            << toSpherical << std::string("1,\xcf\x80,0\n") << none
            << std::string("tralto: line 1, field 2 \"\xcf\x80\": a "
                           "number, pi, a function or '(' is "
                           "missing or out of place\n"s)
            << 1;
        QTest::newRow("math error names the line")
            << toSpherical << std::string("1,1,1\nsqrt(-1),0,0\n")
            << std::string("1.7321,0.95532,0.7854\n")
            << std::string("tralto: line 2, field 1 \"sqrt(-1)\": sqrt: DOMAIN error (a negative "
                           "argument)\n")
            << 1;
        QTest::newRow("names read as a point with --no-header")
            << toSpherical + " --no-header"s << std::string("x,y,z\n") << none
            << std::string("tralto: line 1, field 1 \"x\": unknown name 'x'\n") << 1;
        QTest::newRow("names after the first point are a bad line")
            << toSpherical << std::string("1,0,0\nx,y,z\n") << std::string("1,1.5708,0\n")
            << std::string("tralto: line 2, field 1 \"x\": unknown name 'x'\n") << 1;
        QTest::newRow("first bad field of the line reported")
            << toSpherical << std::string("1,a,b\n") << none
            << std::string("tralto: line 1, field 2 \"a\": unknown name 'a'\n") << 1;

        // eval
        QTest::newRow("eval arguments") << std::string("eval 2*pi/3 0x1F sqrt(2) -0.5") << none
                                        << std::string("2.0944\n31\n1.4142\n-0.5\n") << none << 0;
        QTest::newRow("eval exponent layout")
            << std::string("eval --format exponent --digits 2 1234.5") << none
            << std::string("1.2345E+03\n") << none << 0;
        QTest::newRow("eval fixed layout") << std::string("eval --format fixed --digits 3 pi")
                                           << none << std::string("3.142\n") << none << 0;
        QTest::newRow("eval exact") << std::string("eval --exact pi") << none
                                    << std::string("3.14159265358979312\n") << none << 0;
        QTest::newRow("eval precision") << std::string("eval --precision 8 1/3") << none
                                        << std::string("0.33333333\n") << none << 0;
        QTest::newRow("eval values below 1E-16 show as 0")
            << std::string("eval 1e-17 1e-16") << none << std::string("0\n1E-16\n") << none << 0;
        QTest::newRow("eval stops at a bad expression")
            << std::string("eval 1 x 3") << none << std::string("1\n")
            << std::string("tralto: expression 2 \"x\": unknown name 'x'\n") << 1;
        QTest::newRow("eval keeps going")
            << std::string("eval --keep-going 1 7/0 3") << none << std::string("1\n\n3\n")
            << std::string("tralto: expression 2 \"7/0\": division "
                           "by zero\n"s)
            << 1;
        QTest::newRow("eval input lines")
            << std::string("eval --keep-going") << std::string(" 1+1 \r\n# note\n\n1/0\n3")
            << std::string("2\n# note\n\n\n3\n")
            << std::string("tralto: line 4 \"1/0\": division by zero\n") << 1;

        // convert with values as arguments
        QTest::newRow("point as arguments")
            << std::string("convert --from sph --to cart --deg 1 90 45") << none
            << std::string("0.70711 0.70711 0\n") << none << 0;
        QTest::newRow("point as arguments, separator")
            << std::string("convert --from xy --to polar --separator , -- -1 -1") << none
            << std::string("1.4142,-2.3562\n") << none << 0;
        QTest::newRow("point as arguments, too few")
            << std::string("convert --from sph --to cart 1 2") << none << none
            << std::string("tralto: convert: spherical needs 3 values (r, theta, phi), found 2\n")
            << 2;
        QTest::newRow("point as arguments, bad value")
            << std::string("convert --from sph --to cart 1 a 2") << none << none
            << std::string("tralto: value 2 \"a\": unknown name 'a'\n") << 1;
        QTest::newRow("wrong command line")
            << std::string("convert --from sph") << none << none
            << std::string("tralto: usage: convert needs --from and --to\n") << 2;
    }
    void runs()
    {
        QFETCH(std::string, arguments);
        QFETCH(std::string, input);
        QFETCH(std::string, output);
        QFETCH(std::string, errors);
        QFETCH(int, status);
        const CliRun run = RunTralto(Words(arguments), input);
        QCOMPARE(run.output, output);
        QCOMPARE(run.errors, errors);
        QCOMPARE(run.status, status);
    }

    void lineTooLongIsReportedAndSkipped()
    {
        const std::string input = std::string(LineReader::MaxLineLength + 1, '1') + "\n1,0,0\n";
        const CliRun run
            = RunTralto(Words("convert --from cart --to sph --keep-going"), input, 100000);
        QCOMPARE(run.output, std::string(",,\n1,1.5708,0\n"));
        QCOMPARE(run.errors, std::string("tralto: line 1: longer than 1048576 bytes\n"));
        QCOMPARE(run.status, 1);
    }

    void outputThatFailsEndsTheRun()
    {
        std::string input;
        for (int i = 0; i < 10000; ++i)
            input += "1,2,3\n";
        std::size_t read = 0;
        int writes = 0;
        std::string errors;
        Diagnostics diagnostics([&](std::string_view message) { errors += message; });
        Streams streams { [&](char* buffer, std::size_t size) -> ssize_t {
                             const std::size_t count = std::min(size, input.size() - read);
                             std::memcpy(buffer, input.data() + read, count);
                             read += count;
                             return static_cast<ssize_t>(count);
                         },
            [&](std::string_view) {
                errno = ENOSPC;
                return ++writes == 1;
            },
            diagnostics, 64, 256 };
        const int status
            = RunCommand(ParseCommandLine(Words("convert --from cart --to sph")), streams);
        QCOMPARE(status, 2);
        QCOMPARE(errors, "tralto: standard output: "s + std::strerror(ENOSPC) + "\n");
        QCOMPARE(writes, 2);
        QVERIFY(read < input.size() / 10);
    }

    void messageFollowsTheLinesBeforeIt()
    {
        std::string transcript;
        Diagnostics diagnostics([&](std::string_view message) { transcript += message; });
        Streams streams { TextSource("1,0,0\n2pi,0,0\n", 64),
            [&](std::string_view text) {
                transcript += text;
                return true;
            },
            diagnostics };
        RunCommand(ParseCommandLine(Words("convert --from cart --to sph --keep-going")), streams);
        QCOMPARE(transcript,
            "1,1.5708,0\ntralto: line 2, field 1 \"2pi\": '2pi' is not a number\n,,\n"s);
    }

    void longTextsAreCutInMessages()
    {
        const CliRun run = RunTralto({ "eval", "1+" + std::string(200, 'a') });
        const std::string expected = "tralto: expression 1 \"1+" + std::string(78, 'a')
            + "...\": unknown name '" + std::string(40, 'a') + "...'\n";
        QCOMPARE(run.errors, expected);
    }

    // Out and back again at full precision gives the point back up to the rounding of the
    // 18-digit texts (read at double precision) and of the conversions.
    void roundTrips_data()
    {
        QTest::addColumn<std::string>("there");
        QTest::addColumn<std::string>("back");
        QTest::addColumn<std::string>("points");
        const std::string space = "1,2,3\n-4.5,0.25,-7\n0,0,-2\n1e-3,2e5,-3\n-1,-1e-6,0.5\n";
        QTest::newRow("spherical, theta from the z axis")
            << std::string("--from cart --to sph") << std::string("--from sph --to cart") << space;
        QTest::newRow("spherical, theta from the xy-plane")
            << std::string("--from cart --to sph --theta xy-plane")
            << std::string("--from sph --to cart --theta xy-plane") << space;
        QTest::newRow("spherical in degrees, both conventions")
            << std::string("--from cart --to sph --deg --theta xy")
            << std::string("--from sph --to cart --deg --theta xy") << space;
        QTest::newRow("spherical first, z axis")
            << std::string("--from sph --to cart --deg")
            << std::string("--from cart --to sph --deg")
            << std::string("1,90,45\n2.5,10,-170\n7,179,0.5\n");
        QTest::newRow("spherical first, xy-plane")
            << std::string("--from sph --to cart --theta xy-plane")
            << std::string("--from cart --to sph --theta xy-plane")
            << std::string("1,1.5,0.5\n2.5,-1.2,-3\n7,0.1,3\n");
        QTest::newRow("cylindrical")
            << std::string("--from cart --to cyl") << std::string("--from cyl --to cart") << space;
        QTest::newRow("spherical to cylindrical")
            << std::string("--from sph --to cyl") << std::string("--from cyl --to sph")
            << std::string("1,1.5,0.5\n2.5,2.2,-3\n");
        QTest::newRow("polar") << std::string("--from xy --to polar")
                               << std::string("--from polar --to xy")
                               << std::string("1,2\n-4.5,0.25\n0,-2\n1e-3,2e5\n");
        QTest::newRow("polar in degrees") << std::string("--from polar --to xy --deg")
                                          << std::string("--from xy --to polar --deg")
                                          << std::string("1,30\n2,-150\n0.5,179.5\n");
    }
    void roundTrips()
    {
        QFETCH(std::string, there);
        QFETCH(std::string, back);
        QFETCH(std::string, points);
        const CliRun out = RunTralto(Words("convert --exact " + there), points);
        QCOMPARE(out.status, 0);
        const CliRun in = RunTralto(Words("convert --exact " + back), out.output);
        QCOMPARE(in.status, 0);
        QCOMPARE(in.errors, std::string());
        std::size_t start = 0, startBack = 0;
        while (start < points.size()) {
            const std::size_t end = points.find('\n', start);
            const std::size_t endBack = in.output.find('\n', startBack);
            QVERIFY(endBack != std::string::npos);
            const auto original = Numbers(points.substr(start, end - start), ',');
            const auto returned = Numbers(in.output.substr(startBack, endBack - startBack), ',');
            QCOMPARE(returned.size(), original.size());
            // Decimal texts are read at double precision, so an angle comes back within a
            // relative 1e-16 or so; the error it makes in every coordinate scales with the
            // point's size, not with the coordinate's own magnitude.
            long double size = 1;
            for (const long double value : original)
                size = std::max(size, std::fabs(value));
            for (std::size_t i = 0; i < original.size(); ++i) {
                const long double tolerance = 1e-13L * size;
                QVERIFY2(std::fabs(returned[i] - original[i]) <= tolerance,
                    (points.substr(start, end - start) + " came back as "
                        + in.output.substr(startBack, endBack - startBack))
                        .c_str());
            }
            start = end + 1;
            startBack = endBack + 1;
        }
    }
};

TRALTO_TEST(CommandTest);
#include "CommandTest.moc"
