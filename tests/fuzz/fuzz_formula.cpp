// Fuzzes the report formula parser and evaluator with texts built from the language's own pieces and stray bytes.
// A formula is either read with a tree or refused with a reason; a tree evaluates to a value or a reason; nothing
// ever crashes, hangs or overflows.
#include "statements/BookFigures.h"
#include "statements/Formula.h"
#include "statements/FormulaEval.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const pieces[] = {
        "(",         ")",         "[",
        "]",         "+",         "-",
        "*",         "/",         ",",
        "×",         "÷",         "−",
        "（",        "）",        "【",
        "】",        "行",        " ",
        "0",         "1",         "7",
        ".",         "5.25",      "101",
        "10201",     "99",        "999999999999999",
        "期末余额(", "借",        "贷",
        "本年累计(", "现金流入(", "现金流出(",
        "期初余额(", "净发生额(", "借方发生额(",
        "期末余额",  "0.001",     "\xe3\x80\x80",
        "\xff",      "$",         "[1]",
        "行2",       "1/0",
    };
    constexpr size_t count = sizeof pieces / sizeof *pieces;
    QByteArray text;
    for (size_t i = 0; i < size && i < 256; ++i)
        text += pieces[data[i] % count];

    const kessory::ParsedFormula parsed = kessory::parseFormula(QString::fromUtf8(text));
    if (parsed.ok() == !parsed.error.isEmpty())
        std::abort();
    if (!parsed.ok())
        return 0;
    static const kessory::BookFigures none;
    kessory::FormulaScope scope;
    scope.figures = &none;
    scope.lineValue = [](int line) {
        return line % 3 == 0 ? kessory::FormulaValue::failed(QStringLiteral("行次有错"))
                             : kessory::FormulaValue::of(line * 12345);
    };
    std::vector<kessory::FormulaPart> parts;
    const kessory::FormulaValue v = kessory::evaluateFormula(*parsed.root, scope, &parts);
    if (v.ok == !v.error.isEmpty())
        std::abort();
    return 0;
}
