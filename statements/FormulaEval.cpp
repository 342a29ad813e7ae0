#include "statements/FormulaEval.h"

#include "statements/BookFigures.h"
#include "statements/Formula.h"

namespace kessory {
namespace {

__extension__ using Wide = __int128;

constexpr qint64 kLimit = 999'999'999'999'999'99LL;

FormulaValue checked(Wide value)
{
    if (value > kLimit || value < -kLimit)
        return FormulaValue::failed(QStringLiteral("计算结果超出范围"));
    return FormulaValue::of(static_cast<qint64>(value));
}

// num / den rounded half away from zero.
Wide divideRounded(Wide num, Wide den)
{
    Wide q = num / den;
    const Wide r = num % den;
    if (2 * (r < 0 ? -r : r) >= (den < 0 ? -den : den))
        q += ((num < 0) != (den < 0)) ? -1 : 1;
    return q;
}

// One function of one account, with its sub-accounts.
FormulaValue accountFigure(const FormulaNode& node, const QString& code, const FormulaScope& scope)
{
    const BookFigures& f = *scope.figures;
    const QString& fn = node.function;
    const BookFigures::Account* a = f.account(code);
    if (!a && !code.isEmpty())
        return FormulaValue::failed(QStringLiteral("科目“%1”不在科目表中").arg(code));
    if (fn == QStringLiteral("现金流入"))
        return FormulaValue::of(f.received(code));
    if (fn == QStringLiteral("现金流出"))
        return FormulaValue::of(f.paid(code));
    if (!a)
        return FormulaValue::failed(QStringLiteral("函数“%1”缺少科目编号").arg(fn));
    // Raw figures are credit minus debit; a debit-side account reads them the other way round.
    const qint64 sign = a->creditSide ? 1 : -1;
    const int start = scope.startMonth;
    const int end = scope.endMonth;
    if (fn == QStringLiteral("期初余额"))
        return FormulaValue::of(sign * f.opening(code));
    if (fn == QStringLiteral("期末余额"))
        return FormulaValue::of(sign * (f.opening(code) + f.credit(code, 1, end) - f.debit(code, 1, end)));
    if (fn == QStringLiteral("借方发生额"))
        return FormulaValue::of(f.debit(code, start, end));
    if (fn == QStringLiteral("贷方发生额"))
        return FormulaValue::of(f.credit(code, start, end));
    if (fn == QStringLiteral("净发生额"))
        return FormulaValue::of(sign * (f.credit(code, start, end) - f.debit(code, start, end)));
    // 本年累计: January to the end month, one side or the net.
    if (node.side == QStringLiteral("借"))
        return FormulaValue::of(f.debit(code, 1, end));
    if (node.side == QStringLiteral("贷"))
        return FormulaValue::of(f.credit(code, 1, end));
    return FormulaValue::of(sign * (f.credit(code, 1, end) - f.debit(code, 1, end)));
}

FormulaValue evaluate(const FormulaNode& node, const FormulaScope& scope, std::vector<FormulaPart>* parts)
{
    switch (node.kind) {
    case FormulaNode::Kind::Number:
        return FormulaValue::of(node.cents);
    case FormulaNode::Kind::Line: {
        FormulaValue v
            = scope.lineValue ? scope.lineValue(node.line) : FormulaValue::failed(QStringLiteral("不能引用行次"));
        if (v.ok && parts)
            parts->push_back({ QString(), QString(), QString(), node.line, v.cents });
        return v;
    }
    case FormulaNode::Kind::Function: {
        Wide total = 0;
        QStringList codes = node.accounts;
        if (codes.isEmpty())
            codes << QString(); // the cash functions without accounts: every account
        for (const QString& code : codes) {
            const FormulaValue v = accountFigure(node, code, scope);
            if (!v.ok)
                return v;
            if (parts) {
                const BookFigures::Account* a = scope.figures->account(code);
                parts->push_back({ node.function, code, a ? a->name : QString(), 0, v.cents });
            }
            total += v.cents;
        }
        return checked(total);
    }
    case FormulaNode::Kind::Negate: {
        const FormulaValue v = evaluate(*node.left, scope, parts);
        return v.ok ? FormulaValue::of(-v.cents) : v;
    }
    default:
        break;
    }
    const FormulaValue l = evaluate(*node.left, scope, parts);
    if (!l.ok)
        return l;
    const FormulaValue r = evaluate(*node.right, scope, parts);
    if (!r.ok)
        return r;
    switch (node.kind) {
    case FormulaNode::Kind::Add:
        return checked(Wide(l.cents) + r.cents);
    case FormulaNode::Kind::Subtract:
        return checked(Wide(l.cents) - r.cents);
    case FormulaNode::Kind::Multiply:
        return checked(divideRounded(Wide(l.cents) * r.cents, 100));
    default:
        if (r.cents == 0)
            return FormulaValue::failed(QStringLiteral("第%1个字符处除数为零").arg(node.position + 1));
        return checked(divideRounded(Wide(l.cents) * 100, r.cents));
    }
}

} // namespace

FormulaValue evaluateFormula(const FormulaNode& root, const FormulaScope& scope, std::vector<FormulaPart>* parts)
{
    if (!scope.figures)
        return FormulaValue::failed(QStringLiteral("账簿未打开"));
    return evaluate(root, scope, parts);
}

} // namespace kessory
