#include "statements/ui/StatementWindow.h"

#include "data/basDBOperate.h"
#include "output/ui/WindowOutput.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"
#include "statements/StatementHeading.h"
#include "statements/StatementRows.h"
#include "statements/ui/FormulaDetail.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace kessory {
namespace {

// Lengths of the frame, in twips.
constexpr int kToolBarHeight = 540;
constexpr int kButtonTop = 75;
constexpr int kButtonWidth = 1080;
constexpr int kButtonHeight = 390;
constexpr int kButtonMargin = 90;
constexpr int kMinSheetFrameHeight = 5955;
constexpr int kFrameAllowance = 400; // the space the sheet frame leaves above and below itself
constexpr int kSheetAllowance = 1350; // how much taller the sheet frame is than the sheet
constexpr int kSheetBottomMargin = 150; // paper left below the grid
constexpr int kGridTop = 900;
constexpr int kGridLeft = 60;
constexpr int kSheetSideMargin = 300;
constexpr int kSheetTop = 1050;
constexpr int kTitleTop = 150;
constexpr int kHeadingHeight = 480;
constexpr int kInfoTop = 90;
constexpr int kFirstRowHeight = 400;
constexpr int kRowHeight = 300;
constexpr int kMonthListWidth = 56;

const QColor kCheckHolds(0, 128, 0);
const QColor kCheckFails(192, 0, 0);

const QString kRuled = QStringLiteral("border: 1px solid black;");

// Rules every cell on its right and bottom edge. The view's own grid lines leave stubs of the covered rows' lines
// inside a merged category cell; a cell painted as a whole, merged or not, rules only its own edges.
class RuledCell final : public QStyledItemDelegate {
public:
    explicit RuledCell(QTableView* view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QPen(Qt::black, 0));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        // The grid's own border closes the last line.
        const int lastRow = index.row() + m_view->rowSpan(index.row(), index.column()) - 1;
        if (lastRow < index.model()->rowCount() - 1)
            painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }

private:
    QTableView* m_view;
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

bool isBalanceSheet(const StatementDefinition& statement)
{
    return statement.table == QStringLiteral("资产负债表");
}

} // namespace

StatementWindow::StatementWindow(const StatementDefinition& statement, QWidget* parent)
    : QWidget(parent)
    , m_statement(statement)
{
    setObjectName(statement.windowName);
    setWindowTitle(statement.windowCaption);
    buildToolBar();
    buildSheetFrame();
    installStatementOutput(this, m_statement);
    setMinimumSize(minimumClientSize());
    resize(m_frame->width() + tw(600), tw(kToolBarHeight) + tw(8400));
    layOut();
    showHeading();
    funFillStatement();
}

void StatementWindow::buildToolBar()
{
    m_toolBar = new QWidget(this);
    m_toolBar->setObjectName(QStringLiteral("picToolBar"));
    m_toolBar->setAutoFillBackground(true);
    m_toolBar->setFixedHeight(tw(kToolBarHeight));

    buildPeriodLists();
    m_refresh = new QPushButton(QStringLiteral("刷新"), m_toolBar);
    m_refresh->setObjectName(QStringLiteral("cmd_Refresh"));
    m_refresh->setGeometry(m_endMonth->geometry().right() + tw(360), tw(kButtonTop), tw(kButtonWidth),
                           tw(kButtonHeight));
    connect(m_refresh, &QPushButton::clicked, this, [this] {
        showHeading();
        funFillStatement();
    });

    m_quit = new QPushButton(QStringLiteral("关闭"), m_toolBar);
    m_quit->setObjectName(QStringLiteral("cmd_Quit"));
    m_quit->resize(tw(kButtonWidth), tw(kButtonHeight));
    connect(m_quit, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void StatementWindow::buildPeriodLists()
{
    const int top = tw(kButtonTop);
    const int height = tw(kButtonHeight);
    int left = tw(kButtonMargin);
    const auto label = [&](const char* name, const QString& text) {
        QLabel* l = makeLabel(m_toolBar, name, text);
        l->adjustSize();
        l->setGeometry(left, top, l->width(), height);
        left += l->width() + 4;
        return l;
    };
    const auto list = [&](const char* name) {
        auto* c = new QComboBox(m_toolBar);
        c->setObjectName(QString::fromLatin1(name));
        for (int m = 1; m <= 12; ++m)
            c->addItem(QString::number(m));
        c->setGeometry(left, top, kMonthListWidth, height);
        left += kMonthListWidth + 4;
        return c;
    };
    // The balance sheet stands at the end of one month; the other statements cover a run of months.
    const bool oneMonth = isBalanceSheet(m_statement);
    label("Label16", oneMonth ? QStringLiteral("会计期间") : QStringLiteral("会计期间从"));
    m_startMonth = list("cmbSelectStartMonth");
    QLabel* to = label("Label17", QStringLiteral("月至"));
    if (oneMonth) {
        m_startMonth->hide();
        to->hide();
        left = m_startMonth->x();
    }
    m_endMonth = list("cmbSelectEndMonth");
    label("Label18", QStringLiteral("月"));
    m_endMonth->setCurrentIndex(funDefaultEndMonth() - 1);

    connect(m_startMonth, &QComboBox::activated, this, [this] { onPeriodChosen(true); });
    connect(m_endMonth, &QComboBox::activated, this, [this] { onPeriodChosen(false); });
}

void StatementWindow::onPeriodChosen(bool startChanged)
{
    // A period never runs backwards: the other end follows the one just chosen.
    if (m_startMonth->currentIndex() > m_endMonth->currentIndex()) {
        if (startChanged)
            m_endMonth->setCurrentIndex(m_startMonth->currentIndex());
        else
            m_startMonth->setCurrentIndex(m_endMonth->currentIndex());
    }
    funFillStatement();
}

StatementPeriod StatementWindow::period() const
{
    StatementPeriod p;
    p.end = m_endMonth->currentIndex() + 1;
    p.start = isBalanceSheet(m_statement) ? 1 : m_startMonth->currentIndex() + 1;
    return p;
}

void StatementWindow::buildSheetFrame()
{
    // The frame is the printed page: white, with the title block above the sheet.
    m_frame = new QFrame(this);
    m_frame->setObjectName(m_statement.frameName);
    m_frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette paper = m_frame->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    m_frame->setPalette(paper);
    m_frame->setAutoFillBackground(true);

    m_sheet = new QWidget(m_frame);
    m_sheet->setObjectName(m_statement.frameName + QStringLiteral("Sheet"));

    m_grid = new QTableWidget(1, m_statement.columnCount(), m_sheet);
    m_grid->setObjectName(QStringLiteral("mfgTable"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid->setWordWrap(true);
    m_grid->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_grid->setShowGrid(false);
    m_grid->setItemDelegate(new RuledCell(m_grid));
    QPalette cells = m_grid->palette();
    cells.setColor(QPalette::Base, Qt::white);
    cells.setColor(QPalette::Text, Qt::black);
    cells.setColor(QPalette::WindowText, Qt::black);
    m_grid->setPalette(cells);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &StatementWindow::showFormula);
    for (int c = 0; c < m_statement.columnCount(); ++c)
        m_grid->setColumnWidth(c, tw(m_statement.columns[static_cast<std::size_t>(c)].width));
    const int scrollBar = m_grid->verticalScrollBar()->sizeHint().width();
    const int gridWidth = tw(m_statement.totalWidth()) + 2 * m_grid->frameWidth() + scrollBar;
    m_grid->move(tw(kGridLeft), tw(kGridTop));
    m_grid->resize(gridWidth, tw(kRowHeight) * 10);

    const int sheetWidth = gridWidth + 2 * tw(kGridLeft);
    m_frame->resize(sheetWidth + 2 * tw(kSheetSideMargin), tw(kMinSheetFrameHeight - kFrameAllowance));
    m_sheet->setGeometry(tw(kSheetSideMargin), tw(kSheetTop), sheetWidth,
                         tw(kMinSheetFrameHeight - kFrameAllowance) - tw(kSheetAllowance));

    auto* title = makeLabel(m_frame, "Label5", m_statement.title);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.9);
    big.setBold(true);
    title->setFont(big);
    title->adjustSize();
    title->move((m_frame->width() - title->width()) / 2, tw(kTitleTop));
    // The printed title stands on a double rule.
    for (int i = 0; i < 2; ++i) {
        auto* rule = new QWidget(m_frame);
        rule->setObjectName(QStringLiteral("linTitle_%1").arg(i));
        QPalette ink = rule->palette();
        ink.setColor(QPalette::Window, Qt::black);
        rule->setPalette(ink);
        rule->setAutoFillBackground(true);
        rule->setGeometry(title->x() - tw(90), title->geometry().bottom() + 1 + 3 * i, title->width() + tw(180), 1);
    }

    auto* form = makeLabel(m_frame, "Label7", m_statement.formNumber);
    form->adjustSize();
    const int gridRight = tw(kSheetSideMargin) + tw(kGridLeft) + gridWidth;
    form->move(gridRight - form->width(), tw(kSheetTop) - form->height() - tw(60));

    buildHeadings(m_sheet);

    m_checks = makeLabel(m_sheet, "lblCheck", QString());
    m_checks->setTextFormat(Qt::RichText);
    m_checks->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_checks->hide();
}

void StatementWindow::buildHeadings(QWidget* sheet)
{
    const int infoTop = tw(kInfoTop);
    const int gridLeft = m_grid->x();
    const int gridRight = m_grid->geometry().right();

    auto* preparer = makeLabel(sheet, "Label14", QStringLiteral("编制单位："));
    preparer->adjustSize();
    preparer->move(gridLeft, infoTop);
    m_enterprise = makeLabel(sheet, "lblBZDW", QString());
    m_enterprise->move(preparer->geometry().right() + 1, infoTop);
    m_enterprise->resize(sheet->width() / 2 - m_enterprise->x() - tw(600), preparer->height());

    m_yearCaption = makeLabel(sheet, "Label12", QStringLiteral("会计年度："));
    m_year = makeLabel(sheet, "lblND", QStringLiteral("2008"));
    m_yearUnit = makeLabel(sheet, "Label13", QStringLiteral("年"));

    m_unit = makeLabel(sheet, "Label6", QStringLiteral("单位：元"));
    m_unit->adjustSize();
    m_unit->move(gridRight - m_unit->width() + 1, infoTop);

    // The column headings are ruled boxes that share their edges with each other and with the grid below.
    static const char* const names[] = { "Label3", "lbl_ND", "Label1", "Label2", "Label4" };
    QStringList texts { QStringLiteral("类别"), QStringLiteral("项         目"), QStringLiteral("行次") };
    texts << m_statement.valueHeadings;
    const int top = m_grid->y() - tw(kHeadingHeight) + 1;
    int left = gridLeft;
    for (int c = 0; c < m_statement.columnCount(); ++c) {
        const int width = tw(m_statement.columns[static_cast<std::size_t>(c)].width);
        const bool last = c == m_statement.columnCount() - 1;
        auto* heading = makeLabel(sheet, names[c], texts.value(c));
        heading->setAlignment(Qt::AlignCenter);
        heading->setStyleSheet(kRuled);
        heading->setGeometry(left, top, last ? gridRight - left + 1 : width + 1, tw(kHeadingHeight));
        left += width;
    }
}

void StatementWindow::showHeading()
{
    m_enterprise->setText(funEnterpriseName());
    m_year->setText(QString::number(funAccountingYear()));
    m_yearCaption->adjustSize();
    m_year->adjustSize();
    m_yearUnit->adjustSize();
    const int width = m_yearCaption->width() + m_year->width() + m_yearUnit->width();
    int left = (m_sheet->width() - width) / 2;
    for (QLabel* label : { m_yearCaption, m_year, m_yearUnit }) {
        label->move(left, tw(kInfoTop));
        left += label->width();
    }
}

QSize StatementWindow::minimumClientSize() const
{
    return { m_frame->width(), tw(kToolBarHeight) + tw(kMinSheetFrameHeight) };
}

void StatementWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    const QSize least = minimumClientSize();
    if (height() < least.height() || width() < least.width()) {
        resize(size().expandedTo(least));
        return;
    }
    layOut();
}

void StatementWindow::layOut()
{
    const int toolBar = m_toolBar->height();
    m_toolBar->setGeometry(0, 0, width(), toolBar);
    m_quit->move(width() - m_quit->width() - tw(kButtonMargin), tw(kButtonTop));

    const int frameHeight = height() - toolBar - tw(kFrameAllowance);
    const int sheetHeight = frameHeight - tw(kSheetAllowance);
    m_frame->setGeometry((width() - m_frame->width()) / 2, toolBar + (height() - toolBar - frameHeight) / 2,
                         m_frame->width(), frameHeight);
    m_sheet->resize(m_sheet->width(), sheetHeight);
    // The checks take two lines under the grid when the statement has any.
    const int checks = m_checks->isHidden() ? 0 : 2 * m_checks->fontMetrics().lineSpacing() + 4;
    m_grid->resize(m_grid->width(), sheetHeight - m_grid->y() - tw(kSheetBottomMargin) - checks);
    m_checks->setGeometry(m_grid->x(), m_grid->geometry().bottom() + 3, m_grid->width(), checks);
}

void StatementWindow::funFillStatement()
{
    for (int r = 0; r < m_grid->rowCount(); ++r)
        m_grid->setRowHeight(r, tw(kFirstRowHeight));
    for (int c = 0; c < m_statement.columnCount(); ++c)
        m_grid->setColumnWidth(c, tw(m_statement.columns[static_cast<std::size_t>(c)].width));

    StatementReport report = funComputeStatement(basDBOperate::cnnDB.get(), m_statement, period());
    if (!report.read)
        return;
    m_report = std::move(report);

    m_grid->clearSpans();
    m_grid->setRowCount(static_cast<int>(m_report.lines.size()));
    int i = 0;
    for (const StatementLine& line : m_report.lines) {
        m_grid->setRowHeight(i, tw(kRowHeight));
        setCell(i, 0, line.row.category);
        setCell(i, 1, line.row.caption);
        setCell(i, 2, line.row.line);
        for (std::size_t v = 0; v < line.cells.size() && 3 + static_cast<int>(v) < m_statement.columnCount(); ++v) {
            const StatementCell& cell = line.cells[v];
            QString tip;
            if (cell.state == StatementCell::State::Error)
                tip = cell.error;
            else if (!cell.formula.isEmpty())
                tip = QStringLiteral("公式：%1（双击查看取数）").arg(cell.formula);
            setCell(i, 3 + static_cast<int>(v), cell.text, tip, cell.state == StatementCell::State::Error);
        }
        ++i;
    }
    mergeCategories();
    showChecks();
}

void StatementWindow::setCell(int row, int column, const QString& text, const QString& tip, bool wrong)
{
    QTableWidgetItem* item = m_grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(row, column, item);
    }
    item->setText(text);
    item->setToolTip(tip);
    item->setForeground(wrong ? QBrush(kCheckFails) : QBrush());
    item->setTextAlignment(m_statement.columns[static_cast<std::size_t>(column)].alignment);
}

void StatementWindow::showChecks()
{
    const bool shown = m_report.computed && !m_report.checks.empty();
    QStringList lines;
    for (const StatementCheck& check : m_report.checks) {
        lines << QStringLiteral("<span style=\"color:%1\">%2%3</span>")
                     .arg((check.holds ? kCheckHolds : kCheckFails).name(),
                          check.holds ? QStringLiteral("√ ") : QStringLiteral("× "), check.text.toHtmlEscaped());
    }
    m_checks->setText(shown ? lines.join(QStringLiteral("<br>")) : QString());
    // The whole text again, for a check longer than the sheet is wide.
    QStringList plain;
    for (const StatementCheck& check : m_report.checks)
        plain << check.text;
    m_checks->setToolTip(shown ? plain.join(QLatin1Char('\n')) : QString());
    if (shown != !m_checks->isHidden()) {
        m_checks->setVisible(shown);
        layOut();
    }
}

void StatementWindow::showFormula(int row, int column)
{
    const int v = column - 3;
    if (row < 0 || row >= static_cast<int>(m_report.lines.size()) || v < 0)
        return;
    const StatementLine& line = m_report.lines[static_cast<std::size_t>(row)];
    if (v >= static_cast<int>(line.cells.size()) || line.cells[static_cast<std::size_t>(v)].formula.isEmpty())
        return;
    const QString field = m_statement.valueFields.value(v);
    StatementPeriod months = period();
    if (field == QStringLiteral("本年累计数"))
        months.start = 1;
    auto* detail = new FormulaDetail(line, static_cast<std::size_t>(v), field, months, m_report, this);
    detail->show();
}

// Neighbouring lines of the same category share one category cell, as on the printed form.
void StatementWindow::mergeCategories()
{
    const auto category = [this](int row) {
        const QTableWidgetItem* item = m_grid->item(row, 0);
        return item ? item->text() : QString();
    };
    int start = 0;
    const int rows = m_grid->rowCount();
    for (int r = 1; r <= rows; ++r) {
        if (r < rows && category(r) == category(start))
            continue;
        if (r - start > 1)
            m_grid->setSpan(start, 0, r - start, 1);
        start = r;
    }
}

} // namespace kessory
