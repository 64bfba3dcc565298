#include <QTest>

#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

#include <limits>

using tralto::test::MathErrorRecorder;
using tralto::test::TraceCapture;

namespace {

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    text.reserve(piece.size() * std::size_t(count));
    for (int index = 0; index < count; ++index)
        text += piece;
    return text;
}

} // namespace

class EvaluationTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { quiet = std::make_unique<TraceCapture>(); }
    void cleanup() { quiet.reset(); }

    // Sums and quotients in extended precision, decimal literals and pi at
    // double precision, functions of the double-rounded argument.
    void precision_data()
    {
        tralto::test::AddValueColumns();
        const auto row = tralto::test::AddValueRow;
        row("1/3", 1.0L / 3.0L);
        row("2/3*3", 2.0L / 3.0L * 3.0L);
        row("0.1+0.2", static_cast<long double>(0.1) + static_cast<long double>(0.2));
        row("sqrt 2", tralto::test::AtRunTime(sqrtl, 2));
        row("2^0.5", tralto::test::AtRunTime(sqrtl, 2));
        row("sin pi", tralto::test::AtRunTime(sinl, Pi));
        row("cos pi", -1);
        row("4*atan 1", 3.14159265358979323846264338327950288L);
        row("pi", Pi);
        row("sin(1/3)", tralto::test::AtRunTime(sinl, static_cast<double>(1.0L / 3.0L)));
        row("ln 10", tralto::test::AtRunTime(logl, 10));
        row("log 1000", 3);
        row("acos(-1)", tralto::test::AtRunTime(acosl, -1));
        row("tan 1", tralto::test::AtRunTime(tanl, 1));
        row("asin(1+1e-17)", tralto::test::AtRunTime(asinl, 1));
        row("1e300*1e300", static_cast<long double>(1e300) * static_cast<long double>(1e300));
        row("0x7FFFFFFF+1", 2147483648.0L);
    }

    void precision() { tralto::test::CompareEvaluation(); }

    // The exact powers of ten of a double have their exponent as logarithm, however the library
    // rounds; the doubles nearest 1e23 and 0.001 are no powers of ten and keep their logarithm.
    void decimalLogarithm_data()
    {
        tralto::test::AddValueColumns();
        for (int exponent = 0; exponent <= 22; ++exponent) {
            const std::string text = "log 1e" + std::to_string(exponent);
            QTest::newRow(text.c_str()) << text << static_cast<long double>(exponent);
        }
        const auto row = tralto::test::AddValueRow;
        row("log 10000000", 7);
        row("log 0x989680", 7);
        row("log (1e5*1e9)", 14);
        row("log 1e23", tralto::test::AtRunTime(log10l, 1e23));
        row("log 1e-3", tralto::test::AtRunTime(log10l, 1e-3));
        row("log (1e15+1)", tralto::test::AtRunTime(log10l, 1e15 + 1));
        row("log (1e22*10)", tralto::test::AtRunTime(log10l, 1e23));
    }

    void decimalLogarithm() { tralto::test::CompareEvaluation(); }

    void integerOperators_data()
    {
        tralto::test::AddValueColumns();
        const auto row = tralto::test::AddValueRow;
        row("7 div 2", 3);
        row("-7 div 2", -3);
        row("-7 mod 2", -1);
        row("7 mod -2", 1);
        row("7.9 div 2", 3);
        row("0x10 div 3", 5);
        row("-2147483648 div -1", 2147483648.0L);
        row("0x80000000 div -1", 2147483648.0L);
        row("0x80000000 mod -1", 0);
        row("4294967303 div 2", 3);
        row("1e19 div 3", 0);
        row("1e400 div 3", 0);
        row("7 div 0", 0);
        row("7 mod 0", 0);
        row("7 div 0.5", 0);
        row("7 div 4294967296", 0);
        row("7 div 1e19", 0);
        row("7 div 1e400", 0);
        row("7/0", 0);
        row("7/0.0", 0);
        row("7/-0", 0);
    }

    void integerOperators() { tralto::test::CompareEvaluation(); }

    // A name has no value: an operator that needs it fails the whole text,
    // a name standing alone leaves the value before it.
    void names_data()
    {
        tralto::test::AddValueColumns();
        QTest::newRow("operand") << std::string("x+1") << 0.0L;
        QTest::newRow("alone") << std::string("x") << 0.0L;
        QTest::newRow("after a value") << std::string("3 Pi") << 3.0L;
        QTest::newRow("before a value") << std::string("Pi 3") << 3.0L;
        QTest::newRow("in parentheses after a value") << std::string("3 (x)") << 3.0L;
        QTest::newRow("operand after a value") << std::string("3 (x+1)") << 0.0L;
        QTest::newRow("negated after a value") << std::string("3 (-x)") << 0.0L;
    }

    void names() { tralto::test::CompareEvaluation(); }

    // A function of a missing operand must not see the value of an earlier
    // expression: that would report a math error the user never asked for.
    void missingOperandReachesNoFunction()
    {
        const MathErrorRecorder recorder;
        TRALTO_COMPARE_VALUE(EvaluateText("-1 (sqrt x)"), 0.0L);
        QCOMPARE(recorder.Reports(), QString());
    }

    void emptyTexts_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::newRow("empty") << std::string();
        QTest::newRow("blanks") << std::string("   \t ");
        QTest::newRow("zero byte first") << std::string("\0"
                                                        "5",
            2);
        QTest::newRow("newline first") << std::string("\n5");
    }

    void emptyTexts()
    {
        QFETCH(std::string, text);
        TRALTO_COMPARE_VALUE(EvaluateText(text), 0.0L);
    }

    void nesting_data()
    {
        tralto::test::AddValueColumns();
        const int limit = CParser::MaxNesting;
        QTest::newRow("parentheses at limit")
            << Repeat("(", limit) + "1" + Repeat(")", limit) << 1.0L;
        QTest::newRow("parentheses over limit")
            << Repeat("(", limit + 1) + "1" + Repeat(")", limit + 1) << 0.0L;
        QTest::newRow("minuses at limit") << Repeat("-", limit) + "1" << 1.0L;
        QTest::newRow("minuses over limit") << Repeat("-", limit + 1) + "1" << 0.0L;
        QTest::newRow("functions at limit") << Repeat("sqrt ", limit) + "1" << 1.0L;
        QTest::newRow("functions over limit") << Repeat("sqrt ", limit + 1) + "1" << 0.0L;
        QTest::newRow("mixed at limit")
            << Repeat("(-", limit / 2) + "2" + Repeat(")", limit / 2) << 2.0L;
        QTest::newRow("mixed over limit")
            << Repeat("(-", limit / 2) + "-2" + Repeat(")", limit / 2) << 0.0L;
        QTest::newRow("million parentheses") << Repeat("(", 1000001) << 0.0L;
        QTest::newRow("million minuses") << Repeat("-", 1000000) + "1" << 0.0L;
        QTest::newRow("long flat sum") << "1" + Repeat("+1", 99999) << 100000.0L;
        QTest::newRow("many expressions") << Repeat("1 ", 100000) + "7" << 7.0L;
    }

    void nesting() { tralto::test::CompareEvaluation(); }

    void nestingError()
    {
        CParser parser;
        parser.SetText(std::string(CParser::MaxNesting + 1, '('));
        tralto::test::CompareError(
            tralto::test::CaughtError([&] { parser.Parse(); }), "!!Schachtelung", -6);
    }

    // Emit never reads an empty stack, whoever calls it.
    void emitWithoutOperands_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("error");
        QTest::newRow("plus with one value") << int('+') << 1 << -5;
        QTest::newRow("minus without values") << int('-') << 0 << -5;
        QTest::newRow("power with one value") << int('^') << 1 << -5;
        QTest::newRow("div with one value") << int(CParser::DIV) << 1 << -5;
        QTest::newRow("mod without values") << int(CParser::MOD) << 0 << -5;
        QTest::newRow("sine without values") << int(CParser::SIN) << 0 << -5;
        QTest::newRow("arc tangent without values") << int(CParser::ATAN) << 0 << -5;
        QTest::newRow("unknown word code") << 1004 << 2 << -7;
        QTest::newRow("unknown character") << int('%') << 2 << -7;
    }

    void emitWithoutOperands()
    {
        QFETCH(int, code);
        QFETCH(int, values);
        QFETCH(int, error);
        CParser parser;
        for (int index = 0; index < values; ++index)
            parser.Emit(CParser::NUMBER, 4);
        const auto raised = tralto::test::CaughtError([&] { parser.Emit(code, 0); });
        QVERIFY(raised.has_value());
        QCOMPARE(int(raised->errorCode), error);
        QCOMPARE(parser.ValueStack().size(), std::size_t(values));
    }

    void emitNameOutsideTable_data()
    {
        QTest::addColumn<long double>("index");
        QTest::newRow("past the end") << 12.0L;
        QTest::newRow("negative") << -1.0L;
        QTest::newRow("not a number") << std::numeric_limits<long double>::quiet_NaN();
    }

    void emitNameOutsideTable()
    {
        QFETCH(long double, index);
        CParser parser;
        QVERIFY_THROWS_EXCEPTION(CParseException, parser.Emit(CParser::NAME, index));
    }

private:
    std::unique_ptr<TraceCapture> quiet;
};

TRALTO_TEST(EvaluationTest);
#include "EvaluationTest.moc"
