#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

// Files of a folder by name; no text: the file must not be there.
using Files = std::vector<std::pair<std::string, std::optional<std::string>>>;

void WriteFile(const std::string& name, const std::string& text)
{
    std::ofstream(name, std::ios::binary) << text;
}

std::optional<std::string> ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::set<std::string> FolderNames()
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        names.insert(entry.path().filename().string());
    return names;
}

// Swaps "." and ",", and "," and ";" as separators: a file of a comma-decimal language from
// one of a decimal-point one.
std::string CommaDecimal(const std::string& text)
{
    std::string swapped = text;
    for (char& c : swapped)
        c = c == '.' ? ',' : c == ',' ? ';' : c;
    return swapped;
}

} // namespace

Q_DECLARE_METATYPE(Files)

// The rules for the files people have: results that are not finite numbers, when a first line
// is the column names, decimal commas, columns and fields that pass through, file arguments
// and the output file, and messages that name the file and its line. Each row runs in a fresh
// folder that holds the files of the row.
class FileTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> folder_;
    QString previous_;

private slots:
    void init()
    {
        previous_ = QDir::currentPath();
        folder_.emplace();
        QVERIFY(folder_->isValid());
        QVERIFY(QDir::setCurrent(folder_->path()));
    }
    void cleanup()
    {
        QDir::setCurrent(previous_);
        folder_.reset();
    }

    void runs_data()
    {
        QTest::addColumn<std::string>("arguments");
        QTest::addColumn<Files>("files");
        QTest::addColumn<std::string>("input");
        QTest::addColumn<std::string>("output");
        QTest::addColumn<std::string>("errors");
        QTest::addColumn<int>("status");
        QTest::addColumn<Files>("after");
        const std::string toSpherical = "convert --from cart --to sph ";
        const std::string toCartesian = "convert --from sph --to cart ";
        const std::string none;
        const Files noFiles;
        // 1e4932: a coordinate that is finite, but whose point has a distance beyond the largest
        // number. Its text is long, so the message shows its first 80 characters.
        std::string distant;
        for (int factor = 0; factor < 16; ++factor)
            distant += "1e308*";
        distant += "1e4";
        const std::string distantShown = distant.substr(0, 80) + "...";

        // Results that are not finite numbers
        QTest::newRow("an angle too large names no direction")
            << toCartesian << noFiles << "1,2,0\n1,1e300,0\n"s
            << "0.9093,0,-0.41615\n"s
            << "tralto: line 2, field 2 \"1e300\": an angle of 2^53 (9.007E15) radians or more "
               "names no direction\n"s
            << 1 << noFiles;
        QTest::newRow("a distance beyond the range of numbers")
            << toSpherical << noFiles << "1," + distant + "," + distant + "\n"
            << none
            << "tralto: line 1, field 2 \"" + distantShown
                + "\": too large: the converted point is beyond the range of numbers\n"
            << 1 << noFiles;
        QTest::newRow("not finite, kept going")
            << toCartesian + "--keep-going" << noFiles << "1,1e300,0\n1,0,0\n"s
            << ",,\n0,0,1\n"s
            << "tralto: line 1, field 2 \"1e300\": an angle of 2^53 (9.007E15) radians or more "
               "names no direction\n"s
            << 1 << noFiles;
        QTest::newRow("not finite, given as arguments")
            << toCartesian + "1 1e300 0" << noFiles << none << none
            << "tralto: value 2 \"1e300\": an angle of 2^53 (9.007E15) radians or more names "
               "no direction\n"s
            << 1 << noFiles;

        // Column names
        QTest::newRow("names only: no point, no message")
            << toSpherical << noFiles << "x,y,z\n"s
            << "r,theta,phi\n"s << none << 0 << noFiles;
        QTest::newRow("a decimal-comma export is no header")
            << toSpherical << noFiles << "1,5;2,5;3,5\n"s << none
            << "tralto: line 1, field 1 \"1,5\": a decimal comma? --decimal-comma reads it\n"s << 1
            << noFiles;
        QTest::newRow("a field starting like a number is no name")
            << toSpherical << noFiles << "x,y,-z\n1,0,0\n"s << none
            << "tralto: line 1, field 1 \"x\": unknown name 'x'\n"s << 1 << noFiles;
        QTest::newRow("binary input is no header")
            << toSpherical << noFiles << "\x01\x02,\x7f,z\n"s << none
            << "tralto: line 1, field 1 \"\\x01\\x02\": a number, pi, a function or '(' is "
               "missing or out of place\n"s
            << 1 << noFiles;
        QTest::newRow("UTF-16 errs on its first line")
            << toSpherical << noFiles << std::string("\xFF\xFEx\0,\0y\0,\0z\0\n\0", 14) << none
            << "tralto: line 1: UTF-16 text: tralto reads UTF-8\n"s << 1 << noFiles;
        QTest::newRow("UTF-16 errs in eval too")
            << "eval"s << noFiles << std::string("\xFE\xFF\0001\n", 5) << none
            << "tralto: line 1: UTF-16 text: tralto reads UTF-8\n"s << 1 << noFiles;
        QTest::newRow("names of one file in UTF-8 with a byte order mark")
            << toSpherical << noFiles << "\xEF\xBB\xBF\"Ost\",\"Nord\",\"H\xC3\xB6he\",Nr\n"s
            << "r,theta,phi,Nr\n"s << none << 0 << noFiles;

        // Decimal commas
        QTest::newRow("decimal comma read and written")
            << toSpherical + "--decimal-comma" << noFiles << "x;y;z\n1,5;0;0\n0 ; 0 ; -2,5\n"s
            << "r;theta;phi\n1,5;1,5708;0\n2,5;3,1416;1,5708\n"s << none << 0 << noFiles;
        QTest::newRow("decimal comma refuses a point")
            << toSpherical + "--decimal-comma" << noFiles << "1.5;0;0\n"s << none
            << "tralto: line 1, field 1 \"1.5\": holds a \".\": with --decimal-comma a number is "
               "written 2,5\n"s
            << 1 << noFiles;
        QTest::newRow("decimal comma groups thousands with points")
            << "eval --decimal-comma --format number --digits 2 --precision 9 1234,5*1000"s
            << noFiles << none << "1.234.500,00\n"s << none << 0 << noFiles;
        QTest::newRow("decimal comma with a comma separator is refused")
            << toSpherical + "--decimal-comma --separator comma" << noFiles << none << none
            << "tralto: usage: --decimal-comma writes \",\" inside the numbers: choose another "
               "--separator\n"s
            << 2 << noFiles;

        // Columns and the fields that pass through
        QTest::newRow("columns, names and fields passed through in their places")
            << toSpherical + "--columns 2,4,5" << noFiles << "id,x,note,y,z\nA,1,n,0,0\nB,0,,2,0\n"s
            << "id,r,note,theta,phi\nA,1,n,1.5708,0\nB,2,,1.5708,1.5708\n"s << none << 0 << noFiles;
        QTest::newRow("columns in another order")
            << toSpherical + "--columns 3,2,1" << noFiles << "0,0,1\n"s
            << "0,1.5708,1\n"s << none << 0 << noFiles;
        QTest::newRow("fields after the point pass through, quotes and all")
            << toSpherical << noFiles << "1,0,0,\"a, \"\"b\"\"\",7\n"s
            << "1,1.5708,0,\"a, \"\"b\"\"\",7\n"s << none << 0 << noFiles;
        QTest::newRow("a field passed through to another separator is quoted anew")
            << toSpherical + "--separator ;" << noFiles << "1,0,0,\"a;b\",\"c,d\",\"e\"\"\"\n"s
            << "1;1.5708;0;\"a;b\";c,d;\"e\"\"\"\n"s << none << 0 << noFiles;
        QTest::newRow("a line too short for the columns")
            << toSpherical + "--columns 2,3,4" << noFiles << "1,0,0\n"s << none
            << "tralto: line 1: --columns needs 4 fields, found 3\n"s << 1 << noFiles;
        QTest::newRow("a bad line kept going keeps what passes through")
            << toSpherical + "--columns 2,3,4 --keep-going" << noFiles << "A,1,x,0\nB,1,0,0\n"s
            << "A,,,\nB,1,1.5708,0\n"s
            << "tralto: line 1, field 3 \"x\": unknown name 'x'\n"s << 1 << noFiles;
        QTest::newRow("columns are for input lines")
            << toSpherical + "--columns 2,3,4 1 2 3" << noFiles << none << none
            << "tralto: convert: --columns picks the fields of input lines, not values\n"s << 2
            << noFiles;

        // File arguments and their line numbers
        const Files twoFiles { { "a.csv", "1,0,0\n" }, { "b.csv", "x,y,z\n0,1,0\n2pi,0,0\n" } };
        QTest::newRow("two files, each with its own names and line numbers")
            << toSpherical + "a.csv b.csv" << twoFiles << none
            << "1,1.5708,0\nr,theta,phi\n1,1.5708,1.5708\n"s
            << "tralto: b.csv, line 3, field 1 \"2pi\": '2pi' is not a number\n"s << 1 << noFiles;
        QTest::newRow("each file its own separator")
            << toSpherical + "a.csv c.csv"
            << Files { { "a.csv", "1,0,0\n" }, { "c.csv", "0;1;0\n" } } << none
            << "1,1.5708,0\n1;1.5708;1.5708\n"s << none << 0 << noFiles;
        QTest::newRow("standard input between files")
            << toSpherical + "--keep-going a.csv - a.csv" << twoFiles << "0,0,x\n"s
            << "1,1.5708,0\n,,\n1,1.5708,0\n"s
            << "tralto: standard input, line 1, field 3 \"x\": unknown name 'x'\n"s << 1 << noFiles;
        QTest::newRow("a file of expressions")
            << "eval"s + " e.txt" << Files { { "e.txt", "1+1\n\n# c\nln 0\n" } } << none
            << "2\n\n# c\n"s
            << "tralto: e.txt, line 4 \"ln 0\": ln: SING error (the logarithm of 0)\n"s << 1
            << noFiles;
        QTest::newRow("a missing file makes the arguments values, with a hint")
            << toSpherical + "a.csv points.csv" << twoFiles << none << none
            << "tralto: convert: cartesian needs 3 values (x, y, z), found 2; 'a.csv' is read as a "
               "file only when every argument is a file\n"s
            << 2 << noFiles;
        QTest::newRow("a file name among values gets a hint")
            << toSpherical + "1 2 a.csv" << twoFiles << none << none
            << "tralto: value 3 \"a.csv\": unknown name 'a'; 'a.csv' is read as a file only when "
               "every argument is a file\n"s
            << 1 << noFiles;
        QTest::newRow("a file name where expressions are expected")
            << "eval ./data.txt"s << noFiles << none << none
            << "tralto: expression 1 \"./data.txt\": unknown name 'data'; no file './data.txt' to "
               "read "
               "either\n"s
            << 1 << noFiles;
        QTest::newRow("a value stays a value where a file of its name exists")
            << "eval 1"s << Files { { "1", "7\n" } } << none << "1\n"s << none << 0 << noFiles;
        QTest::newRow("an unreadable input file")
            << toSpherical + "a.csv folder" << twoFiles << none << "1,1.5708,0\n"s
            << "tralto: folder: "s + std::strerror(EISDIR) + "\n"
            << 2 << noFiles;

        // The output file
        QTest::newRow("-o writes the file and nothing else")
            << toSpherical + "-o out.csv a.csv" << twoFiles << none << none << none << 0
            << Files { { "out.csv", "1,1.5708,0\n" } };
        QTest::newRow("--output replaces a file")
            << toSpherical + "--output=out.csv a.csv"
            << Files { { "a.csv", "1,0,0\n" }, { "out.csv", "old\n" } } << none << none << none << 0
            << Files { { "out.csv", "1,1.5708,0\n" } };
        QTest::newRow("a run stopped at a bad line leaves the file as it was")
            << toSpherical + "-o out.csv a.csv b.csv"
            << Files { { "a.csv", "1,0,0\n" }, { "b.csv", "x\n" }, { "out.csv", "old\n" } } << none
            << none
            << "tralto: b.csv, line 1: cartesian needs 3 values (x, y, z), found 1\n"
               "tralto: out.csv: not written: the run stopped before the end\n"s
            << 1 << Files { { "out.csv", "old\n" } };
        QTest::newRow("and writes no new file")
            << toSpherical + "-o out.csv a.csv b.csv"
            << Files { { "a.csv", "1,0,0\n" }, { "b.csv", "x\n" } } << none << none
            << "tralto: b.csv, line 1: cartesian needs 3 values (x, y, z), found 1\n"
               "tralto: out.csv: not written: the run stopped before the end\n"s
            << 1 << Files { { "out.csv", std::nullopt } };
        QTest::newRow("kept going, the whole file is written")
            << toSpherical + "--keep-going -o out.csv" << noFiles << "1,0,0\nx,0,0\n0,1,0\n"s
            << none << "tralto: line 2, field 1 \"x\": unknown name 'x'\n"s << 1
            << Files { { "out.csv", "1,1.5708,0\n,,\n1,1.5708,1.5708\n" } };
        QTest::newRow("the input file as the output file")
            << toSpherical + "-o a.csv a.csv" << twoFiles << none << none << none << 0
            << Files { { "a.csv", "1,1.5708,0\n" } };
        QTest::newRow("an output file in a folder that is not there")
            << "eval -o missing/out.txt 1"s << noFiles << none << none
            << "tralto: missing/out.txt: "s + std::strerror(ENOENT) + "\n"
            << 2 << noFiles;
    }
    void runs()
    {
        QFETCH(std::string, arguments);
        QFETCH(Files, files);
        QFETCH(std::string, input);
        QFETCH(std::string, output);
        QFETCH(std::string, errors);
        QFETCH(int, status);
        QFETCH(Files, after);
        QVERIFY(QDir().mkdir("folder"));
        for (const auto& [name, text] : files)
            WriteFile(name, *text);
        const CliRun run = RunTralto(Words(arguments), input);
        QCOMPARE(run.output, output);
        QCOMPARE(run.errors, errors);
        QCOMPARE(run.status, status);
        // The files named as they should be, and nothing else: no temporary file left.
        std::set<std::string> expected { "folder" };
        for (const auto& [name, text] : files)
            expected.insert(name);
        for (const auto& [name, text] : after) {
            QCOMPARE(ReadFile(name), text);
            if (text)
                expected.insert(name);
            else
                expected.erase(name);
        }
        QCOMPARE(FolderNames(), expected);
    }

    // A file written with a decimal comma reads back as the same file written with a decimal
    // point does, both ways.
    void decimalCommaRoundTrip()
    {
        const std::string points = "r,theta,phi\n1,90,45\n2.5,10,-170\n7,179,0.5\n1e-3,33,2e5\n";
        const std::string there = "convert --exact --deg --from sph --to cart";
        const std::string back = "convert --exact --deg --from cart --to sph";
        const CliRun pointOut = RunTralto(Words(there), points);
        const CliRun commaOut = RunTralto(Words(there + " --decimal-comma"), CommaDecimal(points));
        QCOMPARE(pointOut.status, 0);
        QCOMPARE(commaOut.output, CommaDecimal(pointOut.output));
        const CliRun pointBack = RunTralto(Words(back), pointOut.output);
        const CliRun commaBack = RunTralto(Words(back + " --decimal-comma"), commaOut.output);
        QCOMPARE(pointBack.status, 0);
        QCOMPARE(commaBack.errors, std::string());
        QCOMPARE(commaBack.output, CommaDecimal(pointBack.output));
    }
};

TRALTO_TEST(FileTest);
#include "FileTest.moc"
