#include "output/ui/WindowOutput.h"

#include "data/Numbers.h"
#include "ledgers/ui/frmKMHZB.h"
#include "ledgers/ui/frmMXZ.h"
#include "ledgers/ui/frmZZ.h"
#include "output/BookDocuments.h"
#include "output/ui/BookJobs.h"
#include "output/ui/VoucherRangeDialog.h"
#include "shell/Msg.h"
#include "statements/StatementDefinition.h"
#include "statements/ui/StatementWindow.h"
#include "vouchers/ui/frmPZ.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace kessory {
namespace {

QString labelText(const QWidget* window, const char* name)
{
    const auto* label = window->findChild<const QLabel*>(QLatin1String(name));
    return label ? label->text().trimmed() : QString();
}

// The months a ledger window shows, from its labels of the first and last month, as a book's heading names them.
QString shownMonths(const QWidget* window)
{
    const int start = static_cast<int>(leadingNumber(labelText(window, "lblStartMonth")));
    const int end = static_cast<int>(leadingNumber(labelText(window, "lblEndMonth")));
    return monthRangeText(start, end);
}

// The two buttons beside 刷新 (or 查找, whichever stands further right), of the same height.
void placeBesideRefresh(QWidget* window, JobFactory factory)
{
    QWidget* bar = window->findChild<QWidget*>(QStringLiteral("picToolBar"));
    const OutputButtons buttons = installOutput(window, std::move(factory), bar);
    if (!bar)
        return;
    QRect anchor;
    for (const char* name : { "cmd_Refresh", "cmd_Search" }) {
        const auto* b = bar->findChild<const QPushButton*>(QLatin1String(name));
        if (b && (anchor.isNull() || b->geometry().right() > anchor.right()))
            anchor = b->geometry();
    }
    // Narrow enough that both fit before 关闭 at the window's least width.
    const int gap = 4;
    const int width = std::min(anchor.width(), 52);
    buttons.print->setGeometry(anchor.right() + 1 + gap, anchor.y(), width, anchor.height());
    buttons.exportFile->setGeometry(buttons.print->geometry().right() + 1 + gap, anchor.y(), width, anchor.height());
}

OutputJob single(TableDocument document)
{
    OutputJob job;
    job.fileName = document.sheetName;
    job.tables.push_back(std::move(document));
    return job;
}

VoucherRangeAsker& rangeAsker()
{
    static VoucherRangeAsker asker;
    return asker;
}

} // namespace

void installDetailLedgerOutput(frmMXZ* window)
{
    placeBesideRefresh(window, [window](OutputJob& job) {
        const BookHeading heading { labelText(window, "lblSelectKMBH_1"), labelText(window, "lblSelectKMMC"),
                                    labelText(window, "lblKJQJ") };
        job = single(detailLedgerDocument(window->ledger(), heading));
        return true;
    });
}

void installGeneralLedgerOutput(frmZZ* window)
{
    placeBesideRefresh(window, [window](OutputJob& job) {
        job = single(generalLedgerDocument(window->ledger(), { {}, {}, shownMonths(window) }));
        return true;
    });
}

void installSummaryOutput(frmKMHZB* window)
{
    placeBesideRefresh(window, [window](OutputJob& job) {
        job = single(accountSummaryDocument(window->ledger(), { {}, {}, shownMonths(window) }));
        return true;
    });
}

void installStatementOutput(QWidget* window, const StatementDefinition& statement)
{
    placeBesideRefresh(window, [window, &statement](OutputJob& job) {
        // The period the window shows.
        const auto* shown = qobject_cast<const StatementWindow*>(window);
        if (statementJob(statement, job, shown ? shown->period() : defaultStatementPeriod()))
            return true;
        Msg::show(QStringLiteral("无法读取报表数据."), QStringLiteral("提示"));
        return false;
    });
}

void installAccountsOutput(QWidget* window, QPushButton* printButton)
{
    installOutput(window, [](OutputJob& job) {
        job = accountsJob();
        return true;
    });
    if (printButton)
        QObject::connect(printButton, &QPushButton::clicked, window, [window] { printWindow(window); });
}

OutputButtons installVoucherOutput(QWidget* window, QWidget* buttonParent)
{
    return installOutput(
        window,
        [window](OutputJob& job) {
            VoucherRange range;
            VoucherPaperKind paper = VoucherPaperKind::Voucher;
            // The voucher the window shows is proposed.
            if (const auto* pz = qobject_cast<const frmPZ*>(window)) {
                const typVoucher& shown = pz->voucher().header;
                if (shown.凭证号码 > 0) {
                    range.category = shown.类别.trimmed();
                    range.fromNumber = range.toNumber = shown.凭证号码;
                }
            }
            const bool chosen = rangeAsker() ? rangeAsker()(range, paper) : askVoucherRange(window, range, paper);
            if (!chosen)
                return false;
            job = voucherJob(range, paper);
            if (job.voucherList.empty()) {
                Msg::show(QStringLiteral("所选范围内没有凭证."), QStringLiteral("提示"));
                return false;
            }
            return true;
        },
        buttonParent);
}

void setVoucherRangeAsker(VoucherRangeAsker asker)
{
    rangeAsker() = std::move(asker);
}

} // namespace kessory
