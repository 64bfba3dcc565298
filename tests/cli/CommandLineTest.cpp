#include "cli/CommandLine.h"
#include "cli/HelpText.h"
#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"

#include <QTest>

using namespace std::string_literals;

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

// Every "--name" a text mentions.
std::set<std::string> MentionedOptions(const std::string& text)
{
    static const std::regex option("--[a-z][a-z-]*[a-z]");
    std::set<std::string> names;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), option);
         match != std::sregex_iterator(); ++match)
        names.insert(match->str());
    return names;
}

// The manual page as its reader sees it, as far as the names of options go: "\-" is "-".
std::string ManualPage()
{
    std::ifstream file(TRALTO_MANUAL_PAGE);
    std::ostringstream text;
    text << file.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
}

// Whether `word` stands in `line` as a word of its own (between blanks or quotes), or is empty.
bool HasWord(const std::string& line, std::string_view word)
{
    const auto bounds = [](char c) { return c == ' ' || c == '"'; };
    for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if ((at == 0 || bounds(line[at - 1])) && (after == line.size() || bounds(line[after])))
            return true;
    }
    return word.empty();
}

} // namespace

// The options: what each one sets, and the message for each wrong use.
class CommandLineTest : public QObject
{
    Q_OBJECT

    // The parsed options in one line, so that a table row can state them all.
    static std::string Summary(const Options& o)
    {
        return "command=" + std::to_string(int(o.command))
            + " from=" + std::string(SystemName(o.conversion.from))
            + " to=" + std::string(SystemName(o.conversion.to))
            + " theta=" + std::to_string(int(o.conversion.theta))
            + " unit=" + std::to_string(int(o.conversion.unit))
            + " format=" + std::to_string(int(o.format.kind)) + "/"
            + std::to_string(o.format.precision) + "/" + std::to_string(o.format.digits)
            + " separator=" + (o.separator ? "[" + *o.separator + "]" : "input")
            + " keep=" + std::to_string(o.keepGoing) + " header=" + std::to_string(o.detectHeader)
            + " values=" + std::to_string(o.values.size())
            + (o.values.empty() ? "" : ":" + o.values.back()) + ReadingSummary(o);
    }
    // The options of files and columns, only where given, so that most rows need not say them.
    static std::string ReadingSummary(const Options& o)
    {
        std::string summary;
        for (const int column : o.columns)
            summary += (summary.empty() ? " columns=" : ",") + std::to_string(column);
        if (o.decimalComma)
            summary += " decimal-comma";
        if (o.output)
            summary += " output=" + *o.output;
        return summary;
    }

private slots:
    void acceptedCommandLines_data()
    {
        QTest::addColumn<std::string>("arguments");
        QTest::addColumn<std::string>("summary");
        const std::string convertDefaults = "command=3 from=spherical to=cartesian theta=0 unit=0 "
                                            "format=0/5/1 separator=input keep=0 header=1 values="s;
        QTest::newRow("defaults") << std::string("convert --from spherical --to cartesian")
                                  << convertDefaults + "0"s;
        QTest::newRow("short system names, any case")
            << std::string("convert --from SPH --to cart") << convertDefaults + "0"s;
        QTest::newRow("option=value")
            << std::string("convert --from=spherical --to=cartesian") << convertDefaults + "0"s;
        QTest::newRow("negative values are no options")
            << std::string("convert --from spherical -1 --to cartesian -pi -2")
            << convertDefaults + "3:-2"s;
        QTest::newRow("after -- everything is a value")
            << std::string("convert --from spherical --to cartesian -- --deg 1 2")
            << convertDefaults + "3:2"s;
        QTest::newRow("every conversion option")
            << std::string("convert --from cyl --to sph --theta xy-plane --deg --separator tab "
                           "--keep-going --no-header 1 2 3"s)
            << std::string("command=3 from=cylindrical to=spherical theta=1 unit=1 format=0/5/1 "
                           "separator=[\t] keep=1 header=0 values=3:3"s);
        QTest::newRow("--rad after --deg")
            << std::string("convert --from polar --to xy --deg --rad --theta z")
            << std::string("command=3 from=polar to=cartesian2 theta=0 unit=0 format=0/5/1 "
                           "separator=input keep=0 header=1 values=0"s);
        QTest::newRow("exact") << std::string("eval --exact 1")
                               << std::string(
                                      "command=2 from=cartesian to=spherical theta=0 unit=0 "
                                      "format=0/18/1 separator=input keep=0 header=1 values=1:1"s);
        QTest::newRow("exponent with 4 digits")
            << std::string("eval --format exponent --digits 4 --precision 2")
            << std::string("command=2 from=cartesian to=spherical theta=0 unit=0 format=1/2/4 "
                           "separator=input keep=0 header=1 values=0"s);
        QTest::newRow("fixed with 18 decimals")
            << std::string("eval --format fixed --digits 18 --precision 18")
            << std::string("command=2 from=cartesian to=spherical theta=0 unit=0 format=2/18/18 "
                           "separator=input keep=0 header=1 values=0"s);
        QTest::newRow("number with 0 decimals")
            << std::string("eval --format=number --digits=0")
            << std::string("command=2 from=cartesian to=spherical theta=0 unit=0 format=3/5/0 "
                           "separator=input keep=0 header=1 values=0"s);
        QTest::newRow("columns, decimal comma, output file") << std::string(
            "convert --from sph --to cart --columns 3,1,12 --decimal-comma -o out "
            "a.csv -") << convertDefaults + "2:- columns=2,0,11 decimal-comma output=out"s;
        QTest::newRow("help anywhere")
            << std::string("convert --from x --help")
            << std::string("command=0 from=cartesian to=spherical theta=0 "
                           "unit=0 format=0/5/1 separator=input keep=0 "
                           "header=1 values=0"s);
        QTest::newRow("version") << std::string("eval --version")
                                 << std::string("command=1 from=cartesian to=spherical theta=0 "
                                                "unit=0 format=0/5/1 separator=input keep=0 "
                                                "header=1 values=0"s);
    }
    void acceptedCommandLines()
    {
        QFETCH(std::string, arguments);
        QFETCH(std::string, summary);
        try {
            QCOMPARE(Summary(ParseCommandLine(Words(arguments))), summary);
        } catch (const UsageError& error) {
            QFAIL(error.what());
        }
    }

    void refusedCommandLines_data()
    {
        QTest::addColumn<std::string>("arguments");
        QTest::addColumn<std::string>("message");
        QTest::newRow("nothing") << std::string() << "no command given"s;
        QTest::newRow("unknown command")
            << std::string("transform") << "unknown command 'transform' (eval or convert)"s;
        QTest::newRow("unknown option")
            << std::string("eval --fast 1") << "unknown option '--fast'"s;
        QTest::newRow("missing --to")
            << std::string("convert --from xyz") << "convert needs --from and --to"s;
        QTest::newRow("unknown system") << std::string("convert --from xyz --to polarish")
                                        << "--to is cartesian, spherical, cylindrical (space) or "
                                           "cartesian2, polar (plane), not 'polarish'"s;
        QTest::newRow("space to plane")
            << std::string("convert --from xyz --to polar")
            << "cannot convert between cartesian (3-D) and polar (2-D)"s;
        QTest::newRow("bad theta") << std::string("convert --from sph --to xyz --theta x")
                                   << "--theta is z-axis or xy-plane, not 'x'"s;
        QTest::newRow("value missing")
            << std::string("convert --from sph --to") << "--to needs a value"s;
        QTest::newRow("value given to a switch")
            << std::string("eval --keep-going=yes") << "--keep-going takes no value"s;
        QTest::newRow("conversion option for eval")
            << std::string("eval --deg 90") << "--deg belongs to convert"s;
        QTest::newRow("separator for eval")
            << std::string("eval --separator , 1") << "--separator belongs to convert"s;
        QTest::newRow("empty separator") << std::string("convert --from sph --to xyz --separator=")
                                         << "--separator must not be empty"s;
        QTest::newRow("unknown format")
            << std::string("eval --format currency")
            << "--format is general, exponent, fixed or number, not 'currency'"s;
        QTest::newRow("precision not a number")
            << std::string("eval --precision 5x") << "--precision needs a whole number, not '5x'"s;
        QTest::newRow("precision too small")
            << std::string("eval --precision 1") << "--precision must lie between 2 and 18, not 1"s;
        QTest::newRow("precision too large") << std::string("eval --precision 19")
                                             << "--precision must lie between 2 and 18, not 19"s;
        QTest::newRow("exponent digits too many")
            << std::string("eval --format exponent --digits 5")
            << "--digits must lie between 0 and 4 (exponent digits), not 5"s;
        QTest::newRow("general takes exponent digits") << std::string(
            "eval --digits 5") << "--digits must lie between 0 and 4 (exponent digits), not 5"s;
        QTest::newRow("decimals too many")
            << std::string("eval --format fixed --digits 19")
            << "--digits must lie between 0 and 18 (decimals), not 19"s;
        QTest::newRow("negative decimals")
            << std::string("eval --format number --digits -1")
            << "--digits must lie between 0 and 18 (decimals), not -1"s;
        QTest::newRow("columns count from 1")
            << std::string("convert --from sph --to cart --columns 0,1,2")
            << "--columns counts the fields from 1, not 0"s;
        QTest::newRow("a column beyond every line")
            << std::string("convert --from sph --to cart --columns 1,2,1048578")
            << "--columns: no line has a field 1048578"s;
        QTest::newRow("a column twice")
            << std::string("convert --from sph --to cart --columns 2,3,2")
            << "--columns names field 2 twice"s;
        QTest::newRow("columns fewer than the values")
            << std::string("convert --from sph --to cart --columns 2,3")
            << "--columns names 2 fields; spherical has 3 values"s;
        QTest::newRow("output without a file") << std::string("eval 1 -o") << "-o needs a value"s;
        QTest::newRow("decimal comma with a separator that holds a comma")
            << std::string("convert --from sph --to cart --decimal-comma --separator=,")
            << "--decimal-comma writes \",\" inside the numbers: choose another --separator"s;
        QTest::newRow("exact with precision")
            << std::string("eval --exact --precision 5")
            << "--exact is the general format with precision 18; it "
               "takes no --format, --precision or --digits"s;
    }
    void refusedCommandLines()
    {
        QFETCH(std::string, arguments);
        QFETCH(std::string, message);
        try {
            ParseCommandLine(Words(arguments));
            QFAIL("accepted");
        } catch (const UsageError& error) {
            QCOMPARE(std::string(error.what()), message);
        }
    }

    // The option table is what the parser reads and --help lists; the manual page is written
    // by hand, so it must be held to the table: the same options with the same values.
    void manualPageDescribesTheOptionTable()
    {
        const std::string manual = ManualPage();
        QVERIFY(!manual.empty());
        QVERIFY(manual.find("\"Tralto " TRALTO_PROJECT_VERSION "\"") != std::string::npos);
        const std::size_t begin = manual.find("\n.SH OPTIONS\n");
        const std::size_t end = manual.find("\n.SH ", begin + 1);
        QVERIFY(begin != std::string::npos && end != std::string::npos);
        // The lines after ".TP" head the descriptions of the options.
        std::vector<std::string> heads;
        std::istringstream section(manual.substr(begin, end - begin));
        for (std::string line; std::getline(section, line);) {
            if (line == ".TP" && std::getline(section, line))
                heads.push_back(line);
        }
        std::set<std::string> table;
        for (const OptionDescription& option : OptionTable()) {
            table.insert(std::string(option.name));
            const auto described = std::find_if(heads.begin(), heads.end(), [&](const auto& head) {
                return MentionedOptions(head).count(std::string(option.name))
                    && HasWord(head, option.valueName) && HasWord(head, option.shortName);
            });
            QVERIFY2(described != heads.end(), option.name.data());
        }
        for (const std::string& head : heads) {
            for (const std::string& name : MentionedOptions(head))
                QVERIFY2(table.count(name), head.c_str());
        }
        // The prose of the page and of --help names no option that is not there.
        for (const std::string& text : { manual, std::string(HelpText()) }) {
            for (const std::string& name : MentionedOptions(text))
                QVERIFY2(table.count(name), name.c_str());
        }
    }
};

TRALTO_TEST(CommandLineTest);
#include "CommandLineTest.moc"
