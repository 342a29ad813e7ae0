#include "ledgers/ui/LedgerSheetWindow.h"

#include "controls/ui/ctlCashFormat.h"
#include "controls/ui/ctlCashTitle.h"
#include "data/Numbers.h"
#include "ledgers/ui/DirectionColor.h"
#include "ledgers/ui/LedgerSheetParts.h"
#include "shell/Clock.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>

namespace kessory {

namespace {

// Layout lengths of the window, in 1/1440 inch.
constexpr int kToolBarHeight = 405;
constexpr int kPageWidth = 11325;
constexpr int kSheetLeft = 180;
constexpr int kSheetTop = 1080;
constexpr int kSheetWidth = 10935;
constexpr int kScrollWidth = 255;
constexpr int kHeadingTop = 780;
constexpr int kHeadingHeight = 255;

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
    w->setPalette(pal);
}

QLabel* plainLabel(const QString& text, QWidget* parent, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(tw(x), tw(y), tw(width), tw(height));
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return label;
}

QString monthText(const QComboBox* list)
{
    return list->currentText();
}

// Sets the shown text of a month list; a text that is not one of its items empties it.
void setMonthText(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(list->findText(text));
}

} // namespace

LedgerSheetWindow::LedgerSheetWindow(const Design& design, QWidget* parent)
    : QWidget(parent)
    , m_design(design)
{
    setObjectName(design.objectName);
    setWindowTitle(design.caption);
    buildToolBar();
    buildPage();
    buildSheet();
    setMinimumSize(tw(kPageWidth + 100), tw(kToolBarHeight + 6355));
    // The design size: seven slots painted.
    resize(tw(kPageWidth + 400), tw(kToolBarHeight + 800 + 1350 + LedgerSheet::kDesignSheetHeight) + 1);
}

LedgerSheetWindow::~LedgerSheetWindow() = default;

void LedgerSheetWindow::buildToolBar()
{
    m_picToolBar = new QWidget(this);
    m_picToolBar->setObjectName(QStringLiteral("picToolBar"));
    m_picToolBar->setAutoFillBackground(true);
    m_picToolBar->setGeometry(0, 0, width(), tw(kToolBarHeight));

    const int y = tw(45);
    const int h = tw(kToolBarHeight) - 2 * y;
    auto place = [&](QWidget* w, int x, int width) { w->setGeometry(x, y, width, h); };
    place(new QLabel(QStringLiteral("会计期间从"), m_picToolBar), 8, 64);
    m_cmbSelectStartMonth = new QComboBox(m_picToolBar);
    m_cmbSelectStartMonth->setObjectName(QStringLiteral("cmbSelectStartMonth"));
    place(m_cmbSelectStartMonth, 72, 50);
    place(new QLabel(QStringLiteral("月至"), m_picToolBar), 126, 28);
    m_cmbSelectEndMonth = new QComboBox(m_picToolBar);
    m_cmbSelectEndMonth->setObjectName(QStringLiteral("cmbSelectEndMonth"));
    place(m_cmbSelectEndMonth, 156, 50);
    place(new QLabel(QStringLiteral("月"), m_picToolBar), 210, 16);

    m_cmdSearch = new QPushButton(QStringLiteral("查找"), m_picToolBar);
    m_cmdSearch->setObjectName(QStringLiteral("cmd_Search"));
    m_cmdSearch->setToolTip(QStringLiteral("按所选会计期间查找"));
    place(m_cmdSearch, 232, 56);
    m_cmdRefresh = new QPushButton(QStringLiteral("刷新"), m_picToolBar);
    m_cmdRefresh->setObjectName(QStringLiteral("cmd_Refresh"));
    m_cmdRefresh->setToolTip(QStringLiteral("重新读取当前会计期间"));
    place(m_cmdRefresh, 292, 56);
    m_cmdQuit = new QPushButton(QStringLiteral("关闭"), m_picToolBar);
    m_cmdQuit->setObjectName(QStringLiteral("cmd_Quit"));
    place(m_cmdQuit, 0, 56);

    connect(m_cmdQuit, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(m_cmdRefresh, &QPushButton::clicked, this, [this] { refreshShownRange(); });
    connect(m_cmdSearch, &QPushButton::clicked, this, [this] {
        setMonthText(m_cmbStartMonth, monthText(m_cmbSelectStartMonth));
        setMonthText(m_cmbEndMonth, monthText(m_cmbSelectEndMonth));
        funSyncMonth();
        refreshShownRange();
    });
}

void LedgerSheetWindow::buildPage()
{
    auto* page = new LedgerPage(m_design.title, this);
    m_page = page;
    m_page->setObjectName(QStringLiteral("pic") + m_design.prefix);

    plainLabel(QStringLiteral("会计年度："), m_page, 180, kHeadingTop, 900, kHeadingHeight);
    m_lblND = plainLabel(QString(), m_page, 1080, kHeadingTop, 480, kHeadingHeight);
    m_lblND->setObjectName(QStringLiteral("lblND"));
    m_lblND->setAlignment(Qt::AlignCenter);
    plainLabel(QStringLiteral("年"), m_page, 1560, kHeadingTop, 300, kHeadingHeight);

    plainLabel(QStringLiteral("会计期间："), m_page, 7560, kHeadingTop, 900, kHeadingHeight);
    m_lblStartMonth = plainLabel(QString(), m_page, 8460, kHeadingTop, 360, kHeadingHeight);
    plainLabel(QStringLiteral("月至"), m_page, 8820, kHeadingTop, 420, kHeadingHeight);
    m_lblEndMonth = plainLabel(QString(), m_page, 9240, kHeadingTop, 360, kHeadingHeight);
    plainLabel(QStringLiteral("月"), m_page, 9600, kHeadingTop, 300, kHeadingHeight);
    m_lblStartMonth->setObjectName(QStringLiteral("lblStartMonth"));
    m_lblEndMonth->setObjectName(QStringLiteral("lblEndMonth"));
    m_lblStartMonth->setToolTip(QStringLiteral("点击选择起始月份"));
    m_lblEndMonth->setToolTip(QStringLiteral("点击选择结束月份"));

    m_cmbStartMonth = new QComboBox(m_page);
    m_cmbStartMonth->setObjectName(QStringLiteral("cmbStartMonth"));
    m_cmbEndMonth = new QComboBox(m_page);
    m_cmbEndMonth->setObjectName(QStringLiteral("cmbEndMonth"));
    for (auto [label, list] :
         { std::pair { m_lblStartMonth, m_cmbStartMonth }, std::pair { m_lblEndMonth, m_cmbEndMonth } }) {
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        QFont font = label->font();
        font.setUnderline(true);
        label->setFont(font);
        label->installEventFilter(this);
        list->setGeometry(label->x() - 4, label->y() - 2, tw(690), label->height() + 4);
        list->hide();
        list->installEventFilter(this);
        connect(list, &QComboBox::activated, this, [this, list = list] { monthListDone(list); });
    }
}

void LedgerSheetWindow::buildSheet()
{
    m_sheet = new QWidget(m_page);
    m_sheet->setObjectName(QStringLiteral("pic") + m_design.prefix + QStringLiteral("Sheet"));
    m_sheet->setAutoFillBackground(true);
    QPalette pal = m_sheet->palette();
    pal.setColor(QPalette::Window, Qt::white);
    m_sheet->setPalette(pal);
    m_sheet->setGeometry(tw(kSheetLeft), tw(kSheetTop), tw(kSheetWidth), tw(LedgerSheet::kDesignSheetHeight));

    m_header = new LedgerSheetHeader(m_sheet);
    m_header->setGeometry(0, 0, tw(kSheetWidth - kScrollWidth), tw(LedgerSheet::kFirstSlotTop) + 1);
    // The summary column's header box: its height is the header band's.
    m_shpZYTitle = new QWidget(m_header);
    m_shpZYTitle->setObjectName(QStringLiteral("shpZYTitle"));
    m_shpZYTitle->setGeometry(tw(3720), tw(45), tw(1065), tw(LedgerSheet::kHeaderHeight));
    int strip = 0;
    for (const LedgerColumn& c : kLedgerColumns) {
        if (!c.amount)
            continue;
        auto* title = new ctlCashTitle(m_header);
        title->setObjectName(QStringLiteral("picJFJETitle_%1").arg(strip++));
        const int top = tw(45 + 420) + 1;
        title->setGeometry(tw(c.x), top, title->width(), tw(LedgerSheet::kFirstSlotTop) - top);
    }

    for (int i = 0; i < LedgerSheet::kSlots; ++i)
        buildSlot(i);

    m_scroll = new QScrollBar(Qt::Vertical, m_sheet);
    m_scroll->setObjectName(QStringLiteral("scl") + m_design.prefix + QStringLiteral("Item"));
    m_scroll->setMaximum(0);
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(5);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) { funShowItem(static_cast<qint16>(value)); });

    m_picBottom = new LedgerBottomStrip(m_sheet);
    m_picBottom->setObjectName(QStringLiteral("picBottom"));
    m_picBottom->raise();
}

void LedgerSheetWindow::buildSlot(int index)
{
    Slot& s = m_slots[static_cast<std::size_t>(index)];
    const QString n = QString::number(index);
    s.strip = new LedgerSlotStrip(m_sheet);
    s.strip->setObjectName(QStringLiteral("pic") + m_design.prefix + QStringLiteral("JL_") + n);
    s.strip->setGeometry(slotLeftPixels(), tw(LedgerSheet::kFirstSlotTop + LedgerSheet::kSlotPitch * index),
                         slotWidthPixels(), tw(LedgerSheet::kSlotHeight));
    const int h = s.strip->height();
    auto column = [](int i) { return kLedgerColumns[static_cast<std::size_t>(i)]; };
    auto cell = [&](QWidget* w, int i, const QString& name) {
        w->setObjectName(name + QLatin1Char('_') + n);
        w->setGeometry(slotX(column(i).x) + 1, 1, tw(column(i).width) - 1, h - 2);
    };
    auto text = [&](int i, const QString& name) {
        auto* edit = new QLineEdit(s.strip);
        edit->setFrame(false);
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, Qt::transparent);
        edit->setPalette(pal);
        cell(edit, i, name);
        return edit;
    };
    auto amount = [&](int i, const QString& name) {
        auto* csf = new ctlCashFormat(s.strip);
        csf->setObjectName(name + QLatin1Char('_') + n);
        csf->loadProperties(0.0, false);
        csf->setGeometry(slotX(column(i).x), 1, csf->width(), h - 2); // the slot's rules stay visible
        return csf;
    };

    s.lbl_KMBH = new QLabel(s.strip);
    cell(s.lbl_KMBH, 0, QStringLiteral("lbl_KMBH"));
    s.lbl_KMBH->setAlignment(Qt::AlignCenter);
    s.txtKMMC = text(1, QStringLiteral("txtKMMC"));
    s.lblKJQJ = new QLabel(s.strip);
    cell(s.lblKJQJ, 2, QStringLiteral("lblKJQJ"));
    s.lblKJQJ->setAlignment(Qt::AlignCenter);
    QFont bold = s.lblKJQJ->font();
    bold.setBold(true);
    s.lblKJQJ->setFont(bold);
    s.txtZY = text(3, QStringLiteral("txtZY"));
    s.csfJFJE = amount(4, QStringLiteral("csfJFJE"));
    s.csfDFJE = amount(5, QStringLiteral("csfDFJE"));
    s.lblFX = new QLabel(s.strip);
    cell(s.lblFX, 6, QStringLiteral("lblFX"));
    s.lblFX->setAlignment(Qt::AlignCenter);
    s.csfDiff = amount(7, QStringLiteral("csfDiff"));
}

qint16 LedgerSheetWindow::labelValue(const QLabel* label) const
{
    return roundToInt16(leadingNumber(label->text()));
}

qint16 LedgerSheetWindow::funGetPageRows() const
{
    return kessory::funGetPageRows(toTwips(m_sheet->height()));
}

void LedgerSheetWindow::funRefreshData(qint16 start, qint16 end)
{
    // The loader corrects its own copies; the labels keep what was chosen.
    funLoadItem(start, end);
    funShowItem(0);
}

void LedgerSheetWindow::refreshShownRange()
{
    funRefreshData(labelValue(m_lblStartMonth), labelValue(m_lblEndMonth));
}

void LedgerSheetWindow::funShowItem(qint16 top)
{
    const SheetPage page = funPlanPage(top, itemCount(), funGetPageRows());
    if (!page.repaint) {
        m_scroll->setMaximum(0);
        return;
    }
    // Lowering the maximum may lower the value, which repaints first; this call then repaints its own top.
    m_scroll->setMaximum(page.scrollMax);
    for (int s = 0; s < page.paintCount; ++s)
        paintSlot(s, slotView(page.top + s));
    for (int s = page.blankFrom; s < LedgerSheet::kSlots; ++s)
        blankSlot(s, false);
}

void LedgerSheetWindow::paintSlot(int slot, const LedgerSlotView& view)
{
    if (view.blank) {
        blankSlot(slot, false);
        return;
    }
    Slot& s = m_slots[static_cast<std::size_t>(slot)];
    s.lbl_KMBH->setText(view.code);
    s.txtKMMC->setText(view.name);
    s.txtKMMC->setCursorPosition(0);
    if (m_design.hasPeriod) {
        s.lblKJQJ->setText(view.period);
        setTextColor(s.lblKJQJ, view.oddMonth ? QColor(255, 0, 0) : QColor(0, 128, 0));
    }
    s.txtZY->setText(view.summary);
    s.csfJFJE->setValue(view.debit);
    s.csfDFJE->setValue(view.credit);
    s.lblFX->setText(sideText(view.side));
    // A difference that should not be there (the summary's sides disagreeing) is red, name and amount alike.
    const QColor alarm(255, 0, 0);
    setTextColor(s.lblFX, view.alarm ? alarm : sideColor(view.side));
    setTextColor(s.txtKMMC, view.alarm ? alarm : QColor(Qt::black));
    setTextColor(s.csfDiff, view.alarm ? alarm : QColor(Qt::black));
    s.csfDiff->setValue(view.magnitude);
}

void LedgerSheetWindow::blankSlot(int slot, bool clearing)
{
    Slot& s = m_slots[static_cast<std::size_t>(slot)];
    s.csfJFJE->setValue(0.0);
    s.csfDFJE->setValue(0.0);
    s.csfDiff->setValue(0.0);
    // Clearing the whole sheet leaves the general ledger's names and the summary's period column alone.
    if (!(clearing && m_design.hasPeriod))
        s.txtKMMC->clear();
    s.txtZY->clear();
    s.lbl_KMBH->clear();
    s.lblFX->clear();
    setTextColor(s.lblFX, Qt::black);
    setTextColor(s.txtKMMC, Qt::black);
    setTextColor(s.csfDiff, Qt::black);
    if (m_design.hasPeriod) {
        s.lblKJQJ->clear();
        setTextColor(s.lblKJQJ, Qt::black);
        if (clearing) {
            QFont font = s.lblKJQJ->font();
            font.setBold(true);
            s.lblKJQJ->setFont(font);
        }
    }
    if (clearing)
        setTextColor(s.txtZY, Qt::black);
}

void LedgerSheetWindow::funClearSheet()
{
    funClearData();
    m_scroll->setMaximum(0);
    m_scroll->setValue(0);
    m_cmbStartMonth->hide();
    m_cmbEndMonth->hide();
    for (int s = 0; s < LedgerSheet::kSlots; ++s)
        blankSlot(s, true);
}

void LedgerSheetWindow::funSyncMonth()
{
    if (monthText(m_cmbStartMonth).isEmpty())
        setMonthText(m_cmbStartMonth, m_lblStartMonth->text());
    if (monthText(m_cmbEndMonth).isEmpty())
        setMonthText(m_cmbEndMonth, m_lblEndMonth->text());
    if (leadingNumber(monthText(m_cmbEndMonth)) < leadingNumber(monthText(m_cmbStartMonth))) {
        const QString start = monthText(m_cmbStartMonth);
        setMonthText(m_cmbStartMonth, monthText(m_cmbEndMonth));
        setMonthText(m_cmbEndMonth, start);
    }
    m_lblStartMonth->setText(monthText(m_cmbStartMonth));
    m_lblEndMonth->setText(monthText(m_cmbEndMonth));
    setMonthText(m_cmbSelectStartMonth, m_lblStartMonth->text());
    setMonthText(m_cmbSelectEndMonth, m_lblEndMonth->text());
}

void LedgerSheetWindow::funInitForm()
{
    funRefreshData(0, 0);
    m_lblND->setText(Clock::now().toString(QStringLiteral("yyyy")));
    const int m = Clock::currentMonth();
    m_lblStartMonth->setText(QStringLiteral("1"));
    m_lblEndMonth->setText(QString::number(m));
    for (QComboBox* list : { m_cmbStartMonth, m_cmbEndMonth, m_cmbSelectStartMonth, m_cmbSelectEndMonth })
        list->clear();
    for (int k = 1; k <= m; ++k) {
        for (QComboBox* list : { m_cmbStartMonth, m_cmbEndMonth, m_cmbSelectStartMonth, m_cmbSelectEndMonth })
            list->addItem(QString::number(k));
    }
    setMonthText(m_cmbStartMonth, QStringLiteral("1"));
    setMonthText(m_cmbSelectStartMonth, QStringLiteral("1"));
    setMonthText(m_cmbEndMonth, QString::number(m));
    setMonthText(m_cmbSelectEndMonth, QString::number(m));
}

void LedgerSheetWindow::monthLabelClicked(QLabel* label, QComboBox* list)
{
    setMonthText(list, label->text());
    list->show();
    list->raise();
    list->setFocus();
}

void LedgerSheetWindow::monthListDone(QComboBox* list)
{
    funSyncMonth();
    list->hide();
    refreshShownRange();
}

bool LedgerSheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == m_lblStartMonth)
            monthLabelClicked(m_lblStartMonth, m_cmbStartMonth);
        else if (watched == m_lblEndMonth)
            monthLabelClicked(m_lblEndMonth, m_cmbEndMonth);
    } else if (event->type() == QEvent::FocusOut && (watched == m_cmbStartMonth || watched == m_cmbEndMonth)) {
        auto* list = static_cast<QComboBox*>(watched);
        // The list's own popup takes the focus while open, and another program may take it for a while; a list
        // already hidden has been dealt with.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !list->view()->isVisible()
            && list->isVisible())
            monthListDone(list);
    }
    return QWidget::eventFilter(watched, event);
}

void LedgerSheetWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    const int windowHeight = toTwips(height());
    const int windowWidth = toTwips(width());
    if (kToolBarHeight + 5955 + 400 > windowHeight) {
        resize(width(), tw(kToolBarHeight + 6355));
        return;
    }
    const int pageHeight = windowHeight - kToolBarHeight - 800;
    const int sheetHeight = pageHeight - 1350;
    m_page->resize(tw(kPageWidth), tw(pageHeight));
    m_sheet->resize(tw(kSheetWidth), tw(sheetHeight));
    m_picBottom->setGeometry(0, tw(sheetHeight - LedgerSheet::kBottomHeight), tw(kSheetWidth),
                             tw(LedgerSheet::kBottomHeight));
    m_scroll->setGeometry(tw(kSheetWidth - kScrollWidth), tw(45), tw(kScrollWidth), tw(sheetHeight - 150));
    m_scroll->setMaximum(funGetPageRows());
    if (kPageWidth + 100 > windowWidth) {
        resize(tw(kPageWidth + 100), height());
        return;
    }
    update();
    m_cmdQuit->move(width() - m_cmdQuit->width() - tw(100), m_cmdQuit->y());
    m_picToolBar->resize(width(), m_picToolBar->height());
    m_page->move(tw((windowWidth - kPageWidth - 100) / 2),
                 tw((windowHeight - kToolBarHeight - pageHeight - 400) / 2 + kToolBarHeight));
    funShowItem(static_cast<qint16>(m_scroll->value()));
}

} // namespace kessory
