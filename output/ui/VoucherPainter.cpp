#include "output/ui/VoucherPainter.h"

#include "data/Numbers.h"
#include "output/CapitalFigures.h"
#include "output/ui/PrintFonts.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace kessory {
namespace {

// The form is drawn in millimetres on a sheet of 240 × 140.
constexpr double kFormWidth = 240.0;
constexpr double kFormHeight = 140.0;
constexpr double kLeft = 12.0;
constexpr double kRight = 228.0;
constexpr double kTableTop = 34.0;
constexpr double kHeadHeight = 10.0;
constexpr double kRowHeight = 10.5;
constexpr double kSummaryRight = 64.0;
constexpr double kAccountRight = 132.0;
constexpr double kDebitRight = 180.0;
// The amount columns hold one cell per figure, from 十亿 down to 分, under a band that names them.
constexpr int kFigureCells = 12;
constexpr double kFigureBand = 4.5;

QColor formInk()
{
    return { 0, 110, 80 };
}

QString number4(int n)
{
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

// Millimetres of the form onto the page: the form's 240 × 140 scaled to fit its target, fonts with it.
struct FormMap {
    QPointF origin;
    double dots = 1.0; // device dots per millimetre of the form
    double fontScale = 1.0;

    QRectF r(double x, double y, double w, double h) const
    {
        return { origin.x() + x * dots, origin.y() + y * dots, w * dots, h * dots };
    }
    QPointF pt(double x, double y) const { return { origin.x() + x * dots, origin.y() + y * dots }; }
    double len(double v) const { return v * dots; }
};

void text(QPainter& p, const FormMap& m, const QRectF& r, int flags, const QString& s, double points, bool bold = false)
{
    p.setFont(printFont(points * m.fontScale, bold));
    const double pad = m.len(1.2);
    const QRectF inner = r.adjusted(pad, 0, -pad, 0);
    p.drawText(inner, flags, p.fontMetrics().elidedText(s, Qt::ElideRight, static_cast<int>(inner.width())));
}

// The heading of an amount column: its title above, the names of its figure cells below, and the cells' rules down
// to the foot of the table (the one between 元 and 角 in red, as on the window's sheet).
void paintFigureHeading(QPainter& p, const FormMap& m, double left, double right, double bottom, const QString& title)
{
    static const char* const names[kFigureCells]
        = { "十", "亿", "千", "百", "十", "万", "千", "百", "十", "元", "角", "分" };
    const double cell = (right - left) / kFigureCells;
    const double bandTop = kTableTop + kHeadHeight - kFigureBand;
    text(p, m, m.r(left, kTableTop, right - left, kHeadHeight - kFigureBand), Qt::AlignCenter, title, 11, true);
    p.drawLine(m.pt(left, bandTop), m.pt(right, bandTop));
    const QPen saved = p.pen();
    for (int i = 0; i < kFigureCells; ++i) {
        p.setFont(printFont(6.5 * m.fontScale));
        p.drawText(m.r(left + i * cell, bandTop, cell, kFigureBand), Qt::AlignCenter, QString::fromUtf8(names[i]));
        if (i == 0)
            continue;
        QPen rule = saved;
        rule.setWidthF(m.len(0.12));
        if (i == kFigureCells - 2)
            rule.setColor(QColor(200, 0, 0));
        p.setPen(rule);
        p.drawLine(m.pt(left + i * cell, bandTop), m.pt(left + i * cell, bottom));
        p.setPen(saved);
    }
}

// An amount in whole fen written figure by figure into the cells; ¥ in the cell before the first figure when asked.
void paintFigures(QPainter& p, const FormMap& m, double left, double right, double top, qint64 cents, bool yuanSign,
                  bool bold)
{
    if (cents <= 0)
        return;
    const QString figures = QString::number(cents);
    const double cell = (right - left) / kFigureCells;
    const int first = kFigureCells - static_cast<int>(figures.size());
    if (first < 0) {
        text(p, m, m.r(left, top, right - left, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, amountText(cents, true),
             10, bold);
        return;
    }
    p.setFont(printFont(10 * m.fontScale, bold));
    for (int i = 0; i < figures.size(); ++i)
        p.drawText(m.r(left + (first + i) * cell, top, cell, kRowHeight), Qt::AlignCenter, figures.mid(i, 1));
    if (yuanSign && first > 0)
        p.drawText(m.r(left + (first - 1) * cell, top, cell, kRowHeight), Qt::AlignCenter, QStringLiteral("¥"));
}

void paintStamp(QPainter& p, const FormMap& m)
{
    p.save();
    p.translate(m.pt(120, 72));
    p.rotate(-18);
    const QColor red(210, 30, 30, 200);
    p.setPen(QPen(red, m.len(1.2)));
    p.setBrush(Qt::NoBrush);
    const QRectF frame(m.len(-30), m.len(-11), m.len(60), m.len(22));
    p.drawRoundedRect(frame, m.len(3), m.len(3));
    p.drawRoundedRect(frame.adjusted(m.len(1.5), m.len(1.5), -m.len(1.5), -m.len(1.5)), m.len(2), m.len(2));
    p.setPen(red);
    p.setFont(printFont(26 * m.fontScale, true));
    p.drawText(frame, Qt::AlignCenter, QStringLiteral("作  废"));
    p.restore();
}

} // namespace

int voucherFormCount(const PrintedVoucher& voucher)
{
    const int lines = static_cast<int>(voucher.lines.size());
    return std::max(1, (lines + kVoucherFormRows - 1) / kVoucherFormRows);
}

void paintVoucherForm(QPainter& p, const QRectF& target, const PrintedVoucher& v, int form)
{
    p.save();
    FormMap m;
    m.dots = std::min(target.width() / kFormWidth, target.height() / kFormHeight);
    m.origin = QPointF(target.left() + (target.width() - kFormWidth * m.dots) / 2, target.top());
    m.fontScale = m.dots / (p.device()->logicalDpiX() / 25.4);

    const QPen ink(formInk(), m.len(0.25));
    const QPen heavy(formInk(), m.len(0.6));
    const QPen black(Qt::black, m.len(0.25));
    const int forms = voucherFormCount(v);
    const bool last = form + 1 == forms;

    // Title on its double rule.
    p.setPen(ink);
    text(p, m, m.r(0, 6, kFormWidth, 12), Qt::AlignCenter, QStringLiteral("记 账 凭 证"), 18, true);
    p.setPen(heavy);
    p.drawLine(m.pt(88, 19), m.pt(152, 19));
    p.setPen(ink);
    p.drawLine(m.pt(88, 20.5), m.pt(152, 20.5));

    // 字 and 号, 制单日期, 附单据数.
    const QString category = v.header.类别.trimmed().isEmpty() ? QStringLiteral("记") : v.header.类别.trimmed();
    QString numberText = QStringLiteral("%1 字 第 %2 号").arg(category, number4(v.header.凭证号码));
    if (forms > 1)
        numberText += QStringLiteral("（%1/%2）").arg(form + 1).arg(forms);
    p.setPen(ink);
    text(p, m, m.r(kLeft, 24, 80, 8), Qt::AlignLeft | Qt::AlignVCenter, numberText, 11);
    text(p, m, m.r(80, 24, 80, 8), Qt::AlignCenter | Qt::AlignVCenter,
         QStringLiteral("制单日期：") + chineseDate(v.header.记账日期), 11);
    text(p, m, m.r(160, 24, kRight - 160, 8), Qt::AlignRight | Qt::AlignVCenter,
         QStringLiteral("附单据 %1 张").arg(v.header.附单据数), 11);

    // The heading band.
    const double rowsTop = kTableTop + kHeadHeight;
    const double totalsTop = rowsTop + kVoucherFormRows * kRowHeight;
    const double bottom = totalsTop + kRowHeight;
    const double columns[] = { kLeft, kSummaryRight, kAccountRight, kDebitRight, kRight };
    p.setPen(ink);
    text(p, m, m.r(kLeft, kTableTop, kSummaryRight - kLeft, kHeadHeight), Qt::AlignCenter, QStringLiteral("摘    要"),
         11, true);
    text(p, m, m.r(kSummaryRight, kTableTop, kAccountRight - kSummaryRight, kHeadHeight), Qt::AlignCenter,
         QStringLiteral("会 计 科 目"), 11, true);
    paintFigureHeading(p, m, kAccountRight, kDebitRight, bottom, QStringLiteral("借 方 金 额"));
    paintFigureHeading(p, m, kDebitRight, kRight, bottom, QStringLiteral("贷 方 金 额"));
    for (int r = 0; r <= kVoucherFormRows; ++r)
        p.drawLine(m.pt(kLeft, rowsTop + r * kRowHeight), m.pt(kRight, rowsTop + r * kRowHeight));
    // The totals row spans 摘要 and 会计科目: the capital figures stand there.
    for (int c = 1; c < 4; ++c)
        p.drawLine(m.pt(columns[c], kTableTop), m.pt(columns[c], c == 1 ? totalsTop : bottom));

    // The lines of this form.
    p.setPen(black);
    const int first = form * kVoucherFormRows;
    for (int r = 0; r < kVoucherFormRows; ++r) {
        const int i = first + r;
        if (i >= static_cast<int>(v.lines.size()))
            break;
        const typVoucherLine& line = v.lines[static_cast<std::size_t>(i)];
        const double y = rowsTop + r * kRowHeight;
        text(p, m, m.r(kLeft, y, kSummaryRight - kLeft, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, line.摘要, 10);
        text(p, m, m.r(kSummaryRight, y, kAccountRight - kSummaryRight, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
             line.科目代码 + QStringLiteral("  ") + line.科目名称, 10);
        if (line.方向)
            paintFigures(p, m, kDebitRight, kRight, y, toCents(line.金额), false, false);
        else
            paintFigures(p, m, kAccountRight, kDebitRight, y, toCents(line.金额), false, false);
    }

    // The totals: on the last form the total in capital figures and both sides; 承下页 on the others.
    p.setPen(black);
    if (last) {
        const qint64 total = std::max(v.debitCents, v.creditCents);
        text(p, m, m.r(kLeft, totalsTop, kAccountRight - kLeft, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("合计  人民币（大写）：") + capitalFigures(total), 10, true);
        paintFigures(p, m, kAccountRight, kDebitRight, totalsTop, v.debitCents, true, true);
        paintFigures(p, m, kDebitRight, kRight, totalsTop, v.creditCents, true, true);
    } else {
        text(p, m, m.r(kLeft, totalsTop, kAccountRight - kLeft, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("（转下页）"), 10);
    }
    p.setPen(heavy);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(m.pt(kLeft, kTableTop), m.pt(kRight, bottom)));
    p.drawLine(m.pt(kLeft, rowsTop), m.pt(kRight, rowsTop));
    p.drawLine(m.pt(kLeft, totalsTop), m.pt(kRight, totalsTop));

    // The names under the form.
    p.setPen(ink);
    const double namesTop = bottom + 3;
    const QString names[] = { QStringLiteral("记账：") + v.header.记账人, QStringLiteral("审核：") + v.header.审核人,
                              QStringLiteral("制单：") + v.header.制单人 };
    for (int i = 0; i < 3; ++i)
        text(p, m, m.r(kLeft + i * (kRight - kLeft) / 3, namesTop, (kRight - kLeft) / 3, 8),
             Qt::AlignLeft | Qt::AlignVCenter, names[i], 11);

    if (v.header.已作废)
        paintStamp(p, m);
    p.restore();
}

void setVoucherPage(QPagedPaintDevice& device, VoucherPaperKind paper)
{
    if (paper == VoucherPaperKind::Voucher)
        device.setPageLayout(
            QPageLayout(QPageSize(QSizeF(kFormWidth, kFormHeight), QPageSize::Millimeter, QStringLiteral("记账凭证纸")),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    else
        device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter));
}

void paintVouchers(const std::vector<PrintedVoucher>& vouchers, VoucherPaperKind paper, QPagedPaintDevice& device,
                   QPainter& painter)
{
    const double mm = device.logicalDpiX() / 25.4;
    int slot = 0;
    const int perPage = paper == VoucherPaperKind::A4Twice ? 2 : 1;
    for (const PrintedVoucher& v : vouchers) {
        for (int form = 0; form < voucherFormCount(v); ++form) {
            if (slot > 0 && slot % perPage == 0)
                device.newPage();
            QRectF target(0, 0, kFormWidth * mm, kFormHeight * mm);
            if (perPage == 2) {
                // Each half of the A4 page, with a cutting line between them.
                target = QRectF(5 * mm, ((slot % 2) * 148.5 + 4) * mm, 200 * mm, 140 * mm);
                if (slot % 2 == 1) {
                    painter.setPen(QPen(Qt::gray, 0.2 * mm, Qt::DashLine));
                    painter.drawLine(QPointF(0, 148.5 * mm), QPointF(210 * mm, 148.5 * mm));
                }
            }
            paintVoucherForm(painter, target, v, form);
            ++slot;
        }
    }
}

} // namespace kessory
