#include "data/SqlRewrite.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace kessory {
namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool wordAt(const QString& sql, qsizetype i, QLatin1StringView word)
{
    const qsizetype n = word.size();
    if (i + n > sql.size())
        return false;
    if (QStringView(sql).mid(i, n).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    if (i > 0 && isWordChar(sql[i - 1]))
        return false;
    if (i + n < sql.size() && isWordChar(sql[i + n]))
        return false;
    return true;
}

} // namespace

QString rewriteForSqlite(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'') {
            // Copy a whole quoted literal, doubled quotes included.
            out += c;
            ++i;
            while (i < n) {
                out += sql[i];
                if (sql[i] == u'\'') {
                    if (i + 1 < n && sql[i + 1] == u'\'') {
                        out += sql[i + 1];
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            continue;
        }
        if (c == u'#') {
            const qsizetype close = sql.indexOf(u'#', i + 1);
            if (close > i) {
                QString date = sql.mid(i + 1, close - i - 1);
                date.replace(u'\'', QLatin1String("''"));
                out += u'\'' + date + u'\'';
                i = close + 1;
                continue;
            }
        }
        if ((c == u'T' || c == u't') && wordAt(sql, i, QLatin1StringView("true"))) {
            out += u'1';
            i += 4;
            continue;
        }
        if ((c == u'F' || c == u'f') && wordAt(sql, i, QLatin1StringView("false"))) {
            out += u'0';
            i += 5;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

namespace {

// Copies a quoted run (text in single quotes, a name in double quotes) starting at i, doubled quotes included.
qsizetype copyQuoted(const QString& sql, qsizetype i, QString& out)
{
    const QChar q = sql[i];
    out += q;
    ++i;
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i] == q) {
            if (i + 1 < sql.size() && sql[i + 1] == q) {
                out += sql[i + 1];
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

QString rewriteMarks(const QString& sql, bool programText, int* marks)
{
    QString out;
    out.reserve(sql.size() + 16);
    int count = 0;
    bool afterAs = false;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            i = copyQuoted(sql, i, out);
            afterAs = false;
            continue;
        }
        if (c == u'?') {
            // ?NNN names its value by number, as SQLite allows; a bare ? takes the next.
            qsizetype j = i + 1;
            while (j < n && sql[j].isDigit())
                ++j;
            int number = j > i + 1 ? sql.mid(i + 1, j - i - 1).toInt() : ++count;
            count = std::max(count, number);
            out += u'$' + QString::number(number);
            // A value joined to text with || has no type the server can infer: it is text.
            if (programText
                && (QStringView(sql).mid(j).trimmed().startsWith(QLatin1String("||"))
                    || QStringView(out)
                           .chopped(QString::number(number).size() + 1)
                           .trimmed()
                           .endsWith(QLatin1String("||"))))
                out += QLatin1String("::text");
            i = j;
            continue;
        }
        if (programText && c == u'#') {
            const qsizetype close = sql.indexOf(u'#', i + 1);
            if (close > i) {
                QString date = sql.mid(i + 1, close - i - 1);
                date.replace(u'\'', QLatin1String("''"));
                out += u'\'' + date + u'\'';
                i = close + 1;
                continue;
            }
        }
        if (programText && isWordChar(c) && (i == 0 || !isWordChar(sql[i - 1]))) {
            if (afterAs && wordAt(sql, i, QLatin1StringView("integer"))) {
                out += QLatin1String("bigint");
                i += 7;
                afterAs = false;
                continue;
            }
            afterAs = wordAt(sql, i, QLatin1StringView("as"));
            while (i < n && isWordChar(sql[i]))
                out += sql[i++];
            continue;
        }
        if (!c.isSpace())
            afterAs = false;
        out += c;
        ++i;
    }
    if (marks)
        *marks = count;
    return out;
}

// The books' flag columns: a server keeps them as boolean, which takes no number. The program's text writes them
// with 0 and 1 (Values (..., 0), 已作废 = 1); those numbers become false and true.
bool isFlagColumn(QStringView name)
{
    static const QStringList flags { QStringLiteral("已作废"),   QStringLiteral("方向"),   QStringLiteral("末级账"),
                                     QStringLiteral("现金账"),   QStringLiteral("银行账"), QStringLiteral("余额方向"),
                                     QStringLiteral("科目性质"), QStringLiteral("停用") };
    return flags.contains(name);
}

struct Token {
    enum Kind { Word, Number, Quoted, Space, Symbol } kind;
    QString text;
};

std::vector<Token> tokenize(const QString& sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            QString quoted;
            i = copyQuoted(sql, i, quoted);
            tokens.push_back({ c == u'"' ? Token::Word : Token::Quoted, quoted });
            continue;
        }
        qsizetype j = i + 1;
        Token::Kind kind = Token::Symbol;
        if (c.isSpace()) {
            kind = Token::Space;
            while (j < n && sql[j].isSpace())
                ++j;
        } else if (c.isDigit()) {
            kind = Token::Number;
            while (j < n && (sql[j].isDigit() || sql[j] == u'.'))
                ++j;
        } else if (isWordChar(c) || c == u'$') {
            kind = Token::Word;
            while (j < n && isWordChar(sql[j]))
                ++j;
        } else if ((c == u'<' || c == u'!') && j < n && (sql[j] == u'>' || sql[j] == u'=')) {
            ++j;
        }
        tokens.push_back({ kind, sql.mid(i, j - i) });
        i = j;
    }
    return tokens;
}

// The next token at or after i that is not blank; size() when none.
std::size_t nextSolid(const std::vector<Token>& t, std::size_t i)
{
    while (i < t.size() && t[i].kind == Token::Space)
        ++i;
    return i;
}

QString unquoted(const QString& word)
{
    return word.startsWith(u'"') ? word.mid(1, word.size() - 2) : word;
}

// Makes the number at i (with a minus before it when there is one) a boolean word; true when it did.
bool flagValueAt(std::vector<Token>& t, std::size_t i)
{
    bool minus = false;
    if (i < t.size() && t[i].text == QLatin1String("-")) {
        minus = true;
        i = nextSolid(t, i + 1);
    }
    if (i >= t.size() || t[i].kind != Token::Number)
        return false;
    const std::size_t after = nextSolid(t, i + 1);
    if (after < t.size() && t[after].kind == Token::Symbol && t[after].text != QLatin1String(",")
        && t[after].text != QLatin1String(")"))
        return false; // part of a longer expression
    t[i].text = t[i].text.toDouble() != 0 || minus ? QStringLiteral("true") : QStringLiteral("false");
    return true;
}

QString flagsAsBooleans(const QString& sql)
{
    std::vector<Token> t = tokenize(sql);
    // flag = 1, flag <> 0
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Word || !isFlagColumn(unquoted(t[i].text)))
            continue;
        const std::size_t op = nextSolid(t, i + 1);
        if (op < t.size()
            && (t[op].text == QLatin1String("=") || t[op].text == QLatin1String("<>")
                || t[op].text == QLatin1String("!=")))
            flagValueAt(t, nextSolid(t, op + 1));
    }
    // Insert Into table (columns) Values (values), (values) ...
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Word || t[i].text.compare(QLatin1String("into"), Qt::CaseInsensitive) != 0)
            continue;
        std::size_t k = nextSolid(t, nextSolid(t, i + 1) + 1);
        if (k >= t.size() || t[k].text != QLatin1String("("))
            continue;
        std::vector<bool> flagAt;
        for (k = nextSolid(t, k + 1); k < t.size() && t[k].text != QLatin1String(")"); k = nextSolid(t, k + 1)) {
            if (t[k].kind == Token::Word)
                flagAt.push_back(isFlagColumn(unquoted(t[k].text)));
        }
        k = nextSolid(t, k + 1);
        if (k >= t.size() || t[k].text.compare(QLatin1String("values"), Qt::CaseInsensitive) != 0)
            continue;
        for (k = nextSolid(t, k + 1); k < t.size() && t[k].text == QLatin1String("(");) {
            std::size_t column = 0;
            int depth = 0;
            bool start = true;
            for (k = k + 1; k < t.size(); ++k) {
                const QString& x = t[k].text;
                if (t[k].kind == Token::Space)
                    continue;
                if (start && depth == 0 && column < flagAt.size() && flagAt[column])
                    flagValueAt(t, k);
                start = false;
                if (x == QLatin1String("("))
                    ++depth;
                else if (x == QLatin1String(")") && depth-- == 0)
                    break;
                else if (x == QLatin1String(",") && depth == 0) {
                    ++column;
                    start = true;
                }
            }
            k = nextSolid(t, k + 1);
            if (k < t.size() && t[k].text == QLatin1String(","))
                k = nextSolid(t, k + 1);
        }
    }
    QString out;
    out.reserve(sql.size() + 16);
    for (const Token& x : t)
        out += x.text;
    return out;
}

} // namespace

QString rewriteForPostgres(const QString& sql, int* marks)
{
    return flagsAsBooleans(rewriteMarks(sql, true, marks));
}

QString numberMarks(const QString& sql, int* marks)
{
    return rewriteMarks(sql, false, marks);
}

QString sqlQuote(const QString& text)
{
    QString out = text;
    out.replace(u'\'', QLatin1String("''"));
    return out;
}

} // namespace kessory
