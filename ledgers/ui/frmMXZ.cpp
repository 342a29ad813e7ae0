#include "ledgers/ui/frmMXZ.h"

#include "data/Numbers.h"
#include "ledgers/DetailLedgerPage.h"
#include "ledgers/DetailLedgerPick.h"
#include "ledgers/ui/DetailLedgerGeometry.h"
#include "ledgers/ui/DetailLedgerSheet.h"
#include "ledgers/ui/DetailLedgerSlot.h"
#include "output/ui/WindowOutput.h"
#include "shell/Clock.h"
#include "shell/ui/SingleLine.h"
#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

namespace kessory {
namespace {

using namespace mxz;

} // namespace

namespace {

frmMXZ::VoucherSearch& voucherSearch()
{
    static frmMXZ::VoucherSearch search;
    return search;
}

QStringList periodItems()
{
    QStringList items { QStringLiteral("全部") };
    for (int m = 1; m <= 12; ++m)
        items << QString::number(m);
    return items;
}

QLabel* plainLabel(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setGeometry(r);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return label;
}

QLabel* valueLabel(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    QLabel* label = plainLabel(parent, name, text, r);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setIndent(3);
    return label;
}

// A thin rule drawn as a filled strip.
void rule(QWidget* parent, const QRect& r)
{
    auto* line = new QWidget(parent);
    line->setAutoFillBackground(true);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, ruleColor());
    line->setPalette(p);
    line->setGeometry(r);
}

// A value on the sheet's heading, written on a ruled line like the rest of the page.
QLabel* lineLabel(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    QLabel* label = plainLabel(parent, name, text, r);
    label->setIndent(3);
    rule(parent, QRect(r.left(), r.bottom() + 1, r.width(), 1));
    return label;
}

QComboBox* periodList(QWidget* parent, const QString& name, const QRect& r)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(periodItems());
    combo->setGeometry(r);
    return combo;
}

} // namespace

frmMXZ::frmMXZ(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(windowObjectName(WindowKind::MXZ));
    setWindowTitle(windowCaption(WindowKind::MXZ));
    setMinimumSize(tw(kFrameWidth + 100), tw(kToolBarHeight + kFrameDesignHeight + 400));
    buildToolBar();
    buildFrame();
    installDetailLedgerOutput(this);

    m_picKMSelect = new QFrame(this);
    m_picKMSelect->setObjectName(QStringLiteral("picKMSelect"));
    m_picKMSelect->setFrameShape(QFrame::Box);
    m_picKMSelect->setGeometry(0, 0, tw(2500), tw(1250));
    m_lstKMSelect = new QListWidget(m_picKMSelect);
    m_lstKMSelect->setObjectName(QStringLiteral("lstKMSelect"));
    m_lstKMSelect->setFocusPolicy(Qt::NoFocus);
    m_lstKMSelect->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstKMSelect->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lstKMSelect->setGeometry(m_picKMSelect->contentsRect());
    m_picKMSelect->hide();

    m_ledger.setClearSheet([this] { funClearSheet(); });
    resize(tw(kFrameWidth + 400), tw(8400));
    resizeEvent(nullptr);
    funInitLedger();
    funFillKMList();
}

frmMXZ::~frmMXZ() = default;

void frmMXZ::setVoucherSearch(VoucherSearch search)
{
    voucherSearch() = std::move(search);
}

void frmMXZ::buildToolBar()
{
    m_toolBar = new QWidget(this);
    m_toolBar->setObjectName(QStringLiteral("picToolBar"));
    m_toolBar->setAutoFillBackground(true);
    m_toolBar->setGeometry(0, 0, width(), tw(kToolBarHeight));
    const int y = 6;
    const int h = tw(kToolBarHeight) - 12;

    plainLabel(m_toolBar, QStringLiteral("Label19"), QStringLiteral("会计期间"), QRect(8, y, 58, h));
    m_cmbSelectKJQJ = periodList(m_toolBar, QStringLiteral("cmbSelectKJQJ"), QRect(66, y, 72, h));
    plainLabel(m_toolBar, QStringLiteral("Label16"), QStringLiteral("科目名称"), QRect(152, y, 58, h));
    m_txtKMMC[0] = new QLineEdit(QStringLiteral("全部"), m_toolBar);
    m_txtKMMC[0]->setGeometry(210, y, 130, h);
    m_lblSelectKMBH[0]
        = valueLabel(m_toolBar, QStringLiteral("lblSelectKMBH_0"), QStringLiteral("000"), QRect(344, y, 92, h));
    m_cmdRefresh = new QPushButton(QStringLiteral("刷新"), m_toolBar);
    m_cmdRefresh->setObjectName(QStringLiteral("cmd_Refresh"));
    m_cmdRefresh->setGeometry(450, y - 1, 64, h + 2);
    m_cmdSearch = new QPushButton(QStringLiteral("查找"), m_toolBar);
    m_cmdSearch->setObjectName(QStringLiteral("cmd_Search"));
    m_cmdSearch->setGeometry(520, y - 1, 64, h + 2);
    m_cmdQuit = new QPushButton(QStringLiteral("关闭"), m_toolBar);
    m_cmdQuit->setObjectName(QStringLiteral("cmd_Quit"));
    m_cmdQuit->setGeometry(0, y - 1, 64, h + 2);

    connect(m_cmbSelectKJQJ, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { m_lblKJQJ->setText(text); });
    connect(m_cmdRefresh, &QPushButton::clicked, this, &frmMXZ::onRefresh);
    connect(m_cmdSearch, &QPushButton::clicked, this, &frmMXZ::onSearch);
    connect(m_cmdQuit, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void frmMXZ::buildFrame()
{
    m_picMXZ = new QFrame(this);
    m_picMXZ->setObjectName(QStringLiteral("picMXZ"));
    QFrame* frame = m_picMXZ;
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    QPalette paper = frame->palette();
    paper.setColor(QPalette::Window, paperColor());
    frame->setPalette(paper);
    m_picMXZ->setGeometry(0, tw(kToolBarHeight), tw(kFrameWidth), tw(kFrameDesignHeight));

    auto* title = new QLabel(QStringLiteral("明 细 分 类 账"), m_picMXZ);
    title->setObjectName(QStringLiteral("Label5"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    title->adjustSize();
    title->move((tw(kFrameWidth) - title->width()) / 2, tw(120));
    // The double rule under the title of an account book.
    const QRect under(title->x() - 8, title->y() + title->height() + 1, title->width() + 16, 1);
    rule(m_picMXZ, under);
    rule(m_picMXZ, under.translated(0, 3));

    const int y = tw(690);
    const int h = tw(330);
    plainLabel(m_picMXZ, QString(), QStringLiteral("科目编号："), QRect(tw(450), y, tw(900), h));
    m_lblSelectKMBH[1] = lineLabel(m_picMXZ, QStringLiteral("lblSelectKMBH_1"), QStringLiteral("000"),
                                   QRect(tw(1350), y, tw(1350), h));
    plainLabel(m_picMXZ, QString(), QStringLiteral("科目名称："), QRect(tw(3000), y, tw(900), h));
    const QRect nameRect(tw(3900), y, tw(2700), h);
    m_lblSelectKMMC = lineLabel(m_picMXZ, QStringLiteral("lblSelectKMMC"), QStringLiteral("全部"), nameRect);
    m_lblSelectKMMC->setToolTip(QStringLiteral("单击选择科目"));
    m_txtKMMC[1] = new QLineEdit(QStringLiteral("全部"), m_picMXZ);
    m_txtKMMC[1]->setGeometry(nameRect);
    m_txtKMMC[1]->hide();
    plainLabel(m_picMXZ, QString(), QStringLiteral("会计期间："), QRect(tw(7200), y, tw(900), h));
    const QRect periodRect(tw(8100), y, tw(1200), h);
    m_lblKJQJ = lineLabel(m_picMXZ, QStringLiteral("lblKJQJ"), QStringLiteral("全部"), periodRect);
    m_lblKJQJ->setToolTip(QStringLiteral("单击选择期间"));
    m_cmbKJQJ = periodList(m_picMXZ, QStringLiteral("cmbKJQJ"), periodRect.adjusted(0, -2, tw(300), 2));
    m_cmbKJQJ->hide();

    for (int i = 0; i < 2; ++i) {
        m_txtKMMC[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("txtKMMC_%1").arg(i));
        keepOnOneLine(m_txtKMMC[static_cast<std::size_t>(i)]);
        m_txtKMMC[static_cast<std::size_t>(i)]->installEventFilter(this);
        connect(m_txtKMMC[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this] { m_lblSelectKMMC->setText(m_txtKMMC[1]->text()); });
    }
    m_lblSelectKMMC->installEventFilter(this);
    m_lblKJQJ->installEventFilter(this);
    m_cmbKJQJ->installEventFilter(this);
    m_cmbKJQJ->lineEdit()->installEventFilter(this);
    connect(m_cmbKJQJ, &QComboBox::editTextChanged, this, &frmMXZ::onKJQJChanged);
    connect(m_cmbKJQJ, &QComboBox::activated, this, &frmMXZ::onKJQJChosen);

    m_sheet = new DetailLedgerSheet(m_picMXZ);
    m_sheet->setGeometry((tw(kFrameWidth) - kSheetWidth) / 2, tw(kSheetTop), kSheetWidth,
                         tw(kFrameDesignHeight - 1350));
    for (int i = 0; i < kDetailSlots; ++i) {
        auto* slot = new DetailLedgerSlot(i, m_sheet);
        slot->move(0, tw(kSlotTop + kSlotPitch * i));
        slot->numberCell()->installEventFilter(this);
        m_slots[static_cast<std::size_t>(i)] = slot;
    }
    m_scroll = new QScrollBar(Qt::Vertical, m_sheet);
    m_scroll->setObjectName(QStringLiteral("sclMXZItem"));
    m_scroll->setGeometry(kRowWidth, tw(75), kScrollWidth, m_sheet->height() - tw(150));
    m_scroll->setRange(0, 0);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) { funShowLedgerPage(value); });

    m_picBottom = new QWidget(m_sheet);
    m_picBottom->setObjectName(QStringLiteral("picBottom"));
    m_picBottom->setAutoFillBackground(true);
    m_picBottom->setPalette(paper);
    m_picBottom->setGeometry(0, m_sheet->height() - tw(kBottomHeight), kRowWidth, tw(kBottomHeight));
    // The page's closing rule, drawn over the row the strip hides.
    rule(m_picBottom, QRect(0, 0, kRowWidth, 1));
    m_picBottom->raise();
}

void frmMXZ::funInitLedger()
{
    m_lblKJQJ->setText(QStringLiteral("全部"));
    m_sheet->yearLabel()->setText(Clock::now().toString(QStringLiteral("yy")));
    funLoadLedger(0, 0, QString(), 0);
    funFillKMList();
}

void frmMXZ::funLoadLedger(qint16 start, qint16 queryOnly, QString accountCode, qint16 period)
{
    const bool wasBusy = m_busy;
    m_busy = true;
    period = loadPeriod(period, Clock::currentMonth());
    m_ledger.funQueryLedger(queryOnly, accountCode, period);
    funShowLedgerPage(std::max<int>(start, 0));
    m_busy = wasBusy;
}

void frmMXZ::funClearSheet()
{
    m_ledger.funResetRows();
    {
        const QSignalBlocker block(m_scroll);
        m_scroll->setRange(0, 0);
        m_scroll->setValue(0);
    }
    m_cmbKJQJ->hide();
    m_picKMSelect->hide();
    m_txtKMMC[1]->hide();
    m_cmbKJQJ->setEditText(m_lblKJQJ->text());
    for (DetailLedgerSlot* slot : m_slots)
        slot->clearRow(true);
    funFillKMList();
}

int frmMXZ::funGetPageRows() const
{
    return detailPageRows(toTwips(m_sheet->height()), kHeadingHeight, kBottomHeight, kSlotHeight);
}

void frmMXZ::funShowLedgerPage(int start)
{
    const int rows = funGetPageRows();
    const MXZPageView page = layoutDetailPage(m_ledger, start, rows);
    const QSignalBlocker block(m_scroll);
    m_scroll->setPageStep(std::max(1, rows - 1));
    if (!page.drawn) {
        m_scroll->setRange(0, 0);
        return;
    }
    m_scroll->setRange(0, page.scrollMax);
    m_scroll->setValue(page.start);
    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        if (page.rows[s].mark != MXZSlotView::Mark::Empty)
            m_slots[s]->showRow(page.rows[s]);
        else
            m_slots[s]->clearRow(false);
    }
}

void frmMXZ::resizeEvent(QResizeEvent* event)
{
    if (event)
        QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    if (height() < minimumHeight() || width() < minimumWidth()) {
        resize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
        return;
    }
    const int windowHeight = toTwips(height());
    const int windowWidth = toTwips(width());
    const int frameHeight = windowHeight - kToolBarHeight - 800;
    const int sheetHeight = frameHeight - 1350;
    m_picMXZ->resize(m_picMXZ->width(), tw(frameHeight));
    m_sheet->resize(m_sheet->width(), tw(sheetHeight));
    m_picBottom->move(0, m_sheet->height() - m_picBottom->height());
    m_scroll->resize(m_scroll->width(), tw(sheetHeight - 150));
    m_cmdQuit->move(width() - m_cmdQuit->width() - tw(100), m_cmdQuit->y());
    m_toolBar->resize(width(), m_toolBar->height());
    m_picMXZ->move(tw((windowWidth - toTwips(m_picMXZ->width()) - 100) / 2),
                   tw((windowHeight - kToolBarHeight - frameHeight - 400) / 2 + kToolBarHeight));
    // The scroll position is kept; a page that would run past the end is pulled back.
    funShowLedgerPage(m_scroll->value());
}

qint16 frmMXZ::sheetPeriod() const
{
    return periodOfText(m_lblKJQJ->text());
}

void frmMXZ::onRefresh()
{
    funLoadLedger(0, 0, m_lblSelectKMBH[1]->text(), sheetPeriod());
}

void frmMXZ::onSearch()
{
    m_txtKMMC[1]->setText(m_txtKMMC[0]->text());
    m_lblSelectKMBH[1]->setText(m_lblSelectKMBH[0]->text());
    funLoadLedger(0, 0, m_lblSelectKMBH[1]->text(), periodOfText(m_cmbSelectKJQJ->currentText()));
}

void frmMXZ::onKJQJChanged(const QString& text)
{
    m_lblKJQJ->setText(text);
    m_cmbSelectKJQJ->setEditText(text);
}

void frmMXZ::onKJQJChosen()
{
    onKJQJChanged(m_cmbKJQJ->currentText());
    funLoadLedger(0, 0, m_lblSelectKMBH[1]->text(), sheetPeriod());
    m_cmbKJQJ->hide();
}

void frmMXZ::onNumberDoubleClicked(int slot)
{
    const QString caption = m_slots[static_cast<std::size_t>(slot)]->numberCell()->text().trimmed();
    if (caption.size() != 5)
        return;
    const QString category = caption.left(1);
    const qint16 number = roundToInt16(leadingNumber(caption.right(4)));
    if (voucherSearch())
        voucherSearch()(category, number);
    else
        ::searchVoucher(category, number);
}

} // namespace kessory
