#include "data/SqlRewrite.h"

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
            out += u'$' + QString::number(++count);
            ++i;
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

} // namespace

QString rewriteForPostgres(const QString& sql, int* marks)
{
    return rewriteMarks(sql, true, marks);
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
