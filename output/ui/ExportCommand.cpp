#include "output/ui/ExportCommand.h"

#include "data/basDBOperate.h"
#include "output/BookDocuments.h"
#include "output/ui/BookJobs.h"
#include "shell/Clock.h"
#include "statements/StatementDefinition.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <cstdio>
#include <functional>

namespace kessory {
namespace {

const char* const kUsage
    = "用法：kessory export 种类 [选项] 文件\n"
      "种类：voucher（凭证）detail（明细账）general（总账）summary（科目汇总表）\n"
      "      income（损益表）cashflow（现金流量表）balance（资产负债表）accounts（会计科目表）\n"
      "文件的扩展名决定格式：.pdf、.xlsx 或 .csv\n"
      "选项：voucher  --category 记|转  --from 号  --to 号  --month 月  --no-voided  --paper voucher|a4\n"
      "      detail   --account 科目编号  --month 月（0 为全年）\n"
      "      general、summary  --months 起-止（如 1-6）\n";

struct Options {
    QHash<QString, QString> values;
    QString file;
};

// The options each kind accepts; "no-voided" is the one flag without a value.
QStringList allowedOptions(const QString& kind)
{
    if (kind == QStringLiteral("voucher"))
        return { QStringLiteral("category"), QStringLiteral("from"),      QStringLiteral("to"),
                 QStringLiteral("month"),    QStringLiteral("no-voided"), QStringLiteral("paper") };
    if (kind == QStringLiteral("detail"))
        return { QStringLiteral("account"), QStringLiteral("month") };
    if (kind == QStringLiteral("general") || kind == QStringLiteral("summary"))
        return { QStringLiteral("months") };
    return {};
}

bool parseOptions(const QString& kind, const QStringList& args, Options& out, QString& error)
{
    const QStringList allowed = allowedOptions(kind);
    for (int i = 0; i < args.size(); ++i) {
        const QString arg = args.at(i);
        if (!arg.startsWith(QStringLiteral("--"))) {
            if (!out.file.isEmpty()) {
                error = QStringLiteral("多余的参数：%1").arg(arg);
                return false;
            }
            out.file = arg;
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = eq >= 0;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        if (!allowed.contains(name)) {
            error = QStringLiteral("%1 没有选项 --%2").arg(kind, name);
            return false;
        }
        if (name == QStringLiteral("no-voided")) {
            out.values.insert(name, QStringLiteral("1"));
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("选项 --%1 缺少取值").arg(name);
                return false;
            }
            value = args.at(++i);
        }
        out.values.insert(name, value.trimmed());
    }
    if (out.file.isEmpty()) {
        error = QStringLiteral("缺少输出文件");
        return false;
    }
    if (formatOfPath(out.file) == OutputFormat::Unknown) {
        error = QStringLiteral("不支持的文件类型：%1（请用 .pdf、.xlsx 或 .csv）").arg(out.file);
        return false;
    }
    return true;
}

bool readInt(const Options& o, const QString& name, int low, int high, int& value, QString& error)
{
    if (!o.values.contains(name))
        return true;
    bool ok = false;
    const int v = o.values.value(name).toInt(&ok);
    if (!ok || v < low || v > high) {
        error = QStringLiteral("选项 --%1 的取值 %2 无效：应为 %3 到 %4 的整数")
                    .arg(name, o.values.value(name))
                    .arg(low)
                    .arg(high);
        return false;
    }
    value = v;
    return true;
}

bool readMonths(const Options& o, int& start, int& end, QString& error)
{
    if (!o.values.contains(QStringLiteral("months")))
        return true;
    const QString text = o.values.value(QStringLiteral("months"));
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?:-(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = form.match(text);
    const int a = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int b = m.hasMatch() ? (m.captured(2).isEmpty() ? a : m.captured(2).toInt()) : 0;
    if (!m.hasMatch() || a < 1 || b > 12 || a > b) {
        error = QStringLiteral("选项 --months 的取值 %1 无效：应为 1 到 12 的月份，如 1-6").arg(text);
        return false;
    }
    start = a;
    end = b;
    return true;
}

bool buildJob(const QString& kind, const Options& o, OutputJob& job, QString& error)
{
    if (kind == QStringLiteral("voucher")) {
        VoucherRange range;
        range.category = o.values.value(QStringLiteral("category"));
        if (!range.category.isEmpty() && range.category != QStringLiteral("记")
            && range.category != QStringLiteral("转")) {
            error = QStringLiteral("选项 --category 的取值 %1 无效：应为 记 或 转").arg(range.category);
            return false;
        }
        if (!readInt(o, QStringLiteral("from"), 1, 32767, range.fromNumber, error)
            || !readInt(o, QStringLiteral("to"), 1, 32767, range.toNumber, error)
            || !readInt(o, QStringLiteral("month"), 1, 12, range.month, error))
            return false;
        if (range.fromNumber > range.toNumber) {
            error = QStringLiteral("凭证号范围无效：起始号 %1 大于终止号 %2").arg(range.fromNumber).arg(range.toNumber);
            return false;
        }
        range.includeVoided = !o.values.contains(QStringLiteral("no-voided"));
        const QString paper = o.values.value(QStringLiteral("paper"), QStringLiteral("voucher"));
        if (paper != QStringLiteral("voucher") && paper != QStringLiteral("a4")) {
            error = QStringLiteral("选项 --paper 的取值 %1 无效：应为 voucher 或 a4").arg(paper);
            return false;
        }
        job = voucherJob(range, paper == QStringLiteral("a4") ? VoucherPaperKind::A4Twice : VoucherPaperKind::Voucher);
        return true;
    }
    if (kind == QStringLiteral("detail")) {
        int month = 0;
        if (!readInt(o, QStringLiteral("month"), 0, 12, month, error))
            return false;
        QString account = o.values.value(QStringLiteral("account"), QStringLiteral("000"));
        if (account != QStringLiteral("000") && accountNameOf(account).isEmpty()) {
            error = QStringLiteral("科目 %1 不存在").arg(account);
            return false;
        }
        job = detailLedgerJob(account, month);
        return true;
    }
    if (kind == QStringLiteral("general") || kind == QStringLiteral("summary")) {
        // January to the current month unless told.
        int start = 1;
        int end = Clock::currentMonth();
        if (!readMonths(o, start, end, error))
            return false;
        job = kind == QStringLiteral("general") ? generalLedgerJob(start, end) : accountSummaryJob(start, end);
        return true;
    }
    if (kind == QStringLiteral("accounts")) {
        job = accountsJob();
        return true;
    }
    const StatementDefinition* statement = kind == QStringLiteral("income") ? &incomeStatement()
        : kind == QStringLiteral("cashflow")                                ? &cashFlowStatement()
        : kind == QStringLiteral("balance")                                 ? &balanceSheet()
                                                                            : nullptr;
    if (!statement) {
        error = QStringLiteral("未知的种类：%1").arg(kind);
        return false;
    }
    if (!statementJob(*statement, job)) {
        error = QStringLiteral("无法读取%1").arg(statement->title.simplified().remove(QLatin1Char(' ')));
        return false;
    }
    return true;
}

void printError(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputs("\n", stderr);
}

} // namespace

int exportWithArguments(const QStringList& arguments, QString* message)
{
    const auto usage = [message](const QString& error) {
        if (message)
            *message = error + QLatin1Char('\n') + QString::fromUtf8(kUsage);
        return 2;
    };
    if (arguments.isEmpty())
        return usage(QStringLiteral("缺少种类"));
    const QString kind = arguments.first();
    static const QStringList kinds { QStringLiteral("voucher"), QStringLiteral("detail"),  QStringLiteral("general"),
                                     QStringLiteral("summary"), QStringLiteral("income"),  QStringLiteral("cashflow"),
                                     QStringLiteral("balance"), QStringLiteral("accounts") };
    if (!kinds.contains(kind))
        return usage(QStringLiteral("未知的种类：%1").arg(kind));
    Options options;
    QString error;
    if (!parseOptions(kind, arguments.mid(1), options, error))
        return usage(error);
    OutputJob job;
    if (!buildJob(kind, options, job, error)) {
        if (message)
            *message = error;
        return 2;
    }
    if (!writeJob(job, options.file, &error)) {
        if (message)
            *message = error;
        return 1;
    }
    if (message)
        *message = QStringLiteral("已写入 %1").arg(QDir::toNativeSeparators(options.file));
    return 0;
}

int runExportCommand(int argc, char** argv)
{
    // No window is shown: without a display the off-screen platform serves the fonts and the PDF writer.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(2);

    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/DATA/DATA.DAT");
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("缺少文件 %1，无法导出.").arg(QDir::toNativeSeparators(path)));
        return 1;
    }
    basDBOperate::strDBPath = path;
    RecordsetPtr rs;
    if (!basDBOperate::funOpenDB(rs)) {
        printError(QStringLiteral("数据文件无法打开，无法导出."));
        return 1;
    }
    QString message;
    const int code = exportWithArguments(arguments, &message);
    if (code == 0)
        std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stdout);
    else
        printError(message);
    basDBOperate::funCloseDB(rs);
    return code;
}

} // namespace kessory
