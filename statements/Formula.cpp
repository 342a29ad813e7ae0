#include "statements/Formula.h"

#include <vector>

namespace kessory {
namespace {

// Long enough for any statement line, short enough that reading and evaluating a formula never nests deeply.
constexpr qsizetype kMaxLength = 2000;
constexpr qint64 kMaxCents = 999'999'999'999'999'99LL; // ten thousand trillion yuan: far beyond any book

struct Token {
    enum class Type { End, Number, Name, Symbol };
    Type type = Type::End;
    QString text; // Number: the digits as written; Name: the word; Symbol: the operator in ASCII (+ - * / ( ) [ ] ,)
    int position = 0;
};

// Full-width forms typed through a Chinese input method (（ ） ＋ ， ０…) read as their ASCII twins; the other
// operator signs as their ASCII ones.
QChar normalised(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(static_cast<char16_t>(u - 0xFEE0));
    switch (u) {
    case 0x2212: // −
    case 0x2013: // –
        return QLatin1Char('-');
    case 0x00D7: // ×
        return QLatin1Char('*');
    case 0x00F7: // ÷
        return QLatin1Char('/');
    case 0x3010: // 【
        return QLatin1Char('[');
    case 0x3011: // 】
        return QLatin1Char(']');
    case 0x3000: // ideographic space
        return QLatin1Char(' ');
    default:
        return c;
    }
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString at(int position)
{
    return QStringLiteral("第%1个字符处").arg(position + 1);
}

class Parser {
public:
    explicit Parser(const QString& text)
    {
        m_text.reserve(text.size());
        for (QChar c : text)
            m_text.append(normalised(c));
    }

    ParsedFormula run()
    {
        ParsedFormula result;
        if (m_text.size() > kMaxLength) {
            result.error = QStringLiteral("公式太长（最多%1个字符）").arg(kMaxLength);
            return result;
        }
        if (!tokenize()) {
            result.error = m_error;
            return result;
        }
        if (m_tokens.front().type == Token::Type::End) {
            result.error = QStringLiteral("公式是空的");
            return result;
        }
        std::unique_ptr<FormulaNode> root = expression();
        if (root && peek().type != Token::Type::End)
            fail(QStringLiteral("%1多了“%2”").arg(at(peek().position), peek().text));
        if (!m_error.isEmpty()) {
            result.error = m_error;
            return result;
        }
        result.root = std::move(root);
        return result;
    }

private:
    bool tokenize()
    {
        int i = 0;
        const int n = static_cast<int>(m_text.size());
        while (i < n) {
            const QChar c = m_text.at(i);
            if (c.isSpace()) {
                ++i;
            } else if (isDigit(c) || c == QLatin1Char('.')) {
                const int start = i;
                while (i < n && (isDigit(m_text.at(i)) || m_text.at(i) == QLatin1Char('.')))
                    ++i;
                m_tokens.push_back({ Token::Type::Number, m_text.mid(start, i - start), start });
            } else if (c.isLetter()) {
                const int start = i;
                while (i < n && m_text.at(i).isLetter())
                    ++i;
                m_tokens.push_back({ Token::Type::Name, m_text.mid(start, i - start), start });
            } else if (QStringLiteral("+-*/()[],").contains(c)) {
                m_tokens.push_back({ Token::Type::Symbol, QString(c), i });
                ++i;
            } else {
                m_error = QStringLiteral("%1的“%2”不能识别").arg(at(i), QString(c));
                return false;
            }
        }
        m_tokens.push_back({ Token::Type::End, QString(), n });
        return true;
    }

    const Token& peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    bool isSymbol(const char* s) const { return peek().type == Token::Type::Symbol && peek().text == QLatin1String(s); }

    // Keeps the first error only: the message names its place itself.
    std::unique_ptr<FormulaNode> fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
        return nullptr;
    }

    static std::unique_ptr<FormulaNode> binary(FormulaNode::Kind kind, std::unique_ptr<FormulaNode> l,
                                               std::unique_ptr<FormulaNode> r, int position)
    {
        auto node = std::make_unique<FormulaNode>();
        node->kind = kind;
        node->position = position;
        node->left = std::move(l);
        node->right = std::move(r);
        return node;
    }

    // operand { (first|second) operand }, grouped from the left.
    std::unique_ptr<FormulaNode> chain(std::unique_ptr<FormulaNode> (Parser::*operand)(), const char* first,
                                       FormulaNode::Kind firstKind, const char* second, FormulaNode::Kind secondKind)
    {
        std::unique_ptr<FormulaNode> left = (this->*operand)();
        while (left && (isSymbol(first) || isSymbol(second))) {
            const Token op = take();
            std::unique_ptr<FormulaNode> right = (this->*operand)();
            if (!right)
                return nullptr;
            left = binary(op.text == QLatin1String(first) ? firstKind : secondKind, std::move(left), std::move(right),
                          op.position);
        }
        return left;
    }

    // expression := term { (+|-) term }
    std::unique_ptr<FormulaNode> expression()
    {
        return chain(&Parser::term, "+", FormulaNode::Kind::Add, "-", FormulaNode::Kind::Subtract);
    }

    // term := unary { (*|/) unary }
    std::unique_ptr<FormulaNode> term()
    {
        return chain(&Parser::unary, "*", FormulaNode::Kind::Multiply, "/", FormulaNode::Kind::Divide);
    }

    // unary := (+|-) unary | primary
    std::unique_ptr<FormulaNode> unary()
    {
        if (isSymbol("+")) {
            take();
            return unary();
        }
        if (isSymbol("-")) {
            const Token op = take();
            std::unique_ptr<FormulaNode> operand = unary();
            if (!operand)
                return nullptr;
            auto node = std::make_unique<FormulaNode>();
            node->kind = FormulaNode::Kind::Negate;
            node->position = op.position;
            node->left = std::move(operand);
            return node;
        }
        return primary();
    }

    // primary := number | [ line ] | 行 line | name ( arguments ) | ( expression )
    std::unique_ptr<FormulaNode> primary()
    {
        const Token t = peek();
        switch (t.type) {
        case Token::Type::Number:
            take();
            return number(t);
        case Token::Type::Name:
            take();
            if (t.text == QStringLiteral("行"))
                return lineNumber(t.position);
            return call(t);
        case Token::Type::Symbol:
            if (t.text == QLatin1String("(")) {
                take();
                std::unique_ptr<FormulaNode> inner = expression();
                if (!inner)
                    return nullptr;
                if (!isSymbol(")"))
                    return fail(QStringLiteral("%1缺少右括号“)”（与第%2个字符处的左括号配对）")
                                    .arg(at(peek().position))
                                    .arg(t.position + 1));
                take();
                return inner;
            }
            if (t.text == QLatin1String("[")) {
                take();
                std::unique_ptr<FormulaNode> ref = lineNumber(t.position);
                if (!ref)
                    return nullptr;
                if (!isSymbol("]"))
                    return fail(QStringLiteral("%1缺少右方括号“]”").arg(at(peek().position)));
                take();
                return ref;
            }
            return fail(QStringLiteral("%1应为数字、行次、函数或左括号，却是“%2”").arg(at(t.position), t.text));
        case Token::Type::End:
            break;
        }
        return fail(QStringLiteral("公式在末尾不完整：缺少数字、行次、函数或右边的运算数"));
    }

    std::unique_ptr<FormulaNode> number(const Token& t)
    {
        const QStringList parts = t.text.split(QLatin1Char('.'));
        if (parts.size() > 2 || (parts.size() == 2 && parts.at(0).isEmpty()) || t.text.endsWith(QLatin1Char('.')))
            return fail(QStringLiteral("%1的数字“%2”写法不对").arg(at(t.position), t.text));
        const QString fraction = parts.size() == 2 ? parts.at(1) : QString();
        if (fraction.size() > 2)
            return fail(QStringLiteral("%1的数字“%2”最多只能有两位小数（金额以分为单位）").arg(at(t.position), t.text));
        bool ok = false;
        const qint64 yuan = parts.at(0).size() <= 15 ? parts.at(0).toLongLong(&ok) : 0;
        if (!ok)
            return fail(QStringLiteral("%1的数字“%2”太大").arg(at(t.position), t.text));
        auto node = std::make_unique<FormulaNode>();
        node->kind = FormulaNode::Kind::Number;
        node->position = t.position;
        node->cents = yuan * 100 + QString(fraction + QStringLiteral("00")).left(2).toLongLong();
        if (node->cents > kMaxCents)
            return fail(QStringLiteral("%1的数字“%2”太大").arg(at(t.position), t.text));
        return node;
    }

    std::unique_ptr<FormulaNode> lineNumber(int position)
    {
        const Token t = peek();
        bool ok = false;
        const int line = t.type == Token::Type::Number && t.text.size() <= 6 ? t.text.toInt(&ok) : 0;
        if (!ok || line <= 0)
            return fail(QStringLiteral("%1应为行次（正整数）").arg(at(t.position)));
        take();
        auto node = std::make_unique<FormulaNode>();
        node->kind = FormulaNode::Kind::Line;
        node->position = position;
        node->line = line;
        return node;
    }

    std::unique_ptr<FormulaNode> call(const Token& name)
    {
        if (!formulaFunctions().contains(name.text))
            return fail(QStringLiteral("%1的“%2”不是可用的函数（可用：%3）")
                            .arg(at(name.position), name.text, formulaFunctions().join(QStringLiteral("、"))));
        if (!isSymbol("("))
            return fail(QStringLiteral("%1函数“%2”后应为左括号“(”").arg(at(peek().position), name.text));
        take();
        auto node = std::make_unique<FormulaNode>();
        node->kind = FormulaNode::Kind::Function;
        node->position = name.position;
        node->function = name.text;
        const bool takesSide = name.text == QStringLiteral("本年累计");
        const bool mayBeEmpty = name.text.startsWith(QStringLiteral("现金流"));
        while (!isSymbol(")")) {
            if (peek().type == Token::Type::End)
                return fail(QStringLiteral("函数“%1”缺少右括号“)”").arg(name.text));
            if (!node->accounts.isEmpty() || !node->side.isEmpty()) {
                if (!isSymbol(","))
                    return fail(QStringLiteral("%1应为逗号“,”或右括号“)”").arg(at(peek().position)));
                take();
            }
            const Token arg = peek();
            if (!node->side.isEmpty())
                return fail(QStringLiteral("%1：借或贷只能写在最后").arg(at(arg.position)));
            if (arg.type == Token::Type::Name
                && (arg.text == QStringLiteral("借") || arg.text == QStringLiteral("贷"))) {
                if (!takesSide)
                    return fail(QStringLiteral("%1：只有“本年累计”可以在科目后写借或贷").arg(at(arg.position)));
                take();
                node->side = arg.text;
                continue;
            }
            if (arg.type != Token::Type::Number)
                return fail(QStringLiteral("%1应为科目编号").arg(at(arg.position)));
            const qsizetype len = arg.text.size();
            if (arg.text.contains(QLatin1Char('.')) || len < 3 || len > 13 || len % 2 == 0)
                return fail(QStringLiteral("%1的“%2”不是科目编号（应为3、5、7、9、11或13位数字）")
                                .arg(at(arg.position), arg.text));
            take();
            node->accounts << arg.text;
        }
        take();
        if (node->accounts.isEmpty() && !mayBeEmpty)
            return fail(QStringLiteral("%1函数“%2”至少要有一个科目编号").arg(at(name.position), name.text));
        return node;
    }

    QString m_text;
    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
    QString m_error;
};

} // namespace

const QStringList& formulaFunctions()
{
    static const QStringList names {
        QStringLiteral("期初余额"),   QStringLiteral("期末余额"), QStringLiteral("借方发生额"),
        QStringLiteral("贷方发生额"), QStringLiteral("净发生额"), QStringLiteral("本年累计"),
        QStringLiteral("现金流入"),   QStringLiteral("现金流出"),
    };
    return names;
}

ParsedFormula parseFormula(const QString& text)
{
    return Parser(text).run();
}

} // namespace kessory
