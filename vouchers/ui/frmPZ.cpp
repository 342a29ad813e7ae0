#include "vouchers/ui/frmPZ.h"

#include "controls/ui/ctlCashFormat.h"
#include "controls/ui/ctlCashTitle.h"
#include "data/basDBOperate.h"
#include "output/ui/WindowOutput.h"
#include "shell/Clock.h"
#include "shell/ui/SingleLine.h"
#include "shell/ui/Twips.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/ui/SheetGeometry.h"
#include "vouchers/ui/StampPictures.h"
#include "vouchers/ui/VoucherPaper.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace kessory::sheet;

namespace {

constexpr int kToolBarHeight = 38;

const char* const kBoxStyle = "QLineEdit { border: none; background: transparent; color: black; }"
                              "QLineEdit:focus { background: #fff8d8; }"
                              "QLineEdit:disabled { color: black; }";

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align);
    return label;
}

// Printed captions of the form take the form's ink.
QLabel* formLabel(QWidget* parent, const QString& text, const QRect& geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QLabel* label = makeLabel(parent, QString(), text, geometry, align);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kessory::formInk());
    label->setPalette(p);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip, int width)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    button->setFixedSize(width, 26);
    return button;
}

QFrame* makeFrame(QWidget* parent, const QString& name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(3, 2, 3, 2);
    layout->setSpacing(2);
    return frame;
}

ctlCashFormat* makeCash(QWidget* parent, const QString& name, bool entry)
{
    auto* cash = new ctlCashFormat(parent);
    cash->setObjectName(name);
    cash->loadProperties(0.0, entry);
    return cash;
}

} // namespace

frmPZ::frmPZ(QWidget* parent)
    : QWidget(parent)
    , m_rsList(basDBOperate::funNewRecordset())
{
    setObjectName(QStringLiteral("frmPZ"));
    setWindowTitle(QStringLiteral("凭证管理器"));
    buildToolBar();
    buildVoucherPicture();
    buildSheet();
    buildLookup();
    setTabOrders();

    m_timRefresh = new QTimer(this);
    m_timRefresh->setObjectName(QStringLiteral("timRefresh"));
    m_timRefresh->setInterval(100);
    connect(m_timRefresh, &QTimer::timeout, this, &frmPZ::onTimerTick);

    setMinimumSize(kPaperWidth + tw(100), kToolBarHeight + kPaperHeight + tw(400));
    // The tool bar with 打印 and 导出 is wider than the paper: it sets the least width.
    setMinimumWidth(qMax(minimumWidth(), m_fraCtrl->geometry().right() + 8 + m_cmd_Quit->width() + tw(100)));
    resize(minimumSize() + QSize(24, 16));

    // Load: the full list with its first voucher, then the account look-up list.
    funOpenVoucherList(QString());
    funLoadAccountList();
}

frmPZ::~frmPZ() = default;

void frmPZ::buildToolBar()
{
    m_picToolBar = new QWidget(this);
    m_picToolBar->setObjectName(QStringLiteral("picToolBar"));
    m_picToolBar->setAutoFillBackground(true);

    m_fraMove = makeFrame(m_picToolBar, QStringLiteral("fraMove"));
    auto* move = static_cast<QHBoxLayout*>(m_fraMove->layout());
    m_cmd_First
        = makeButton(m_fraMove, QStringLiteral("cmd_First"), QStringLiteral("<<"), QStringLiteral("第一条"), 30);
    m_cmd_Prev = makeButton(m_fraMove, QStringLiteral("cmd_Prev"), QStringLiteral("<-"), QStringLiteral("上一条"), 30);
    m_cmd_Next = makeButton(m_fraMove, QStringLiteral("cmd_Next"), QStringLiteral("->"), QStringLiteral("下一条"), 30);
    m_cmd_Last = makeButton(m_fraMove, QStringLiteral("cmd_Last"), QStringLiteral(">>"), QStringLiteral("最末条"), 30);
    m_cmd_Refresh = makeButton(m_fraMove, QStringLiteral("cmd_Refresh"), QStringLiteral("刷新"), QString(), 44);
    m_txt_Search = new QLineEdit(QStringLiteral("1"), m_fraMove);
    m_txt_Search->setObjectName(QStringLiteral("txt_Search"));
    m_txt_Search->setFixedSize(48, 24);
    kessory::keepOnOneLine(m_txt_Search);
    m_cmb_Search = new QComboBox(m_fraMove);
    m_cmb_Search->setObjectName(QStringLiteral("cmb_Search"));
    m_cmb_Search->setEditable(true);
    m_cmb_Search->addItems({ QStringLiteral("记"), QStringLiteral("转") });
    m_cmb_Search->setCurrentIndex(0);
    m_cmb_Search->setFixedSize(48, 24);
    kessory::keepOnOneLine(m_cmb_Search->lineEdit());
    m_cmd_Search = makeButton(m_fraMove, QStringLiteral("cmd_Search"), QStringLiteral("查找"), QString(), 44);
    for (QWidget* w : std::initializer_list<QWidget*> { m_cmd_First, m_cmd_Prev, m_cmd_Next, m_cmd_Last, m_cmd_Refresh,
                                                        m_txt_Search, m_cmb_Search, m_cmd_Search })
        move->addWidget(w);

    m_fraCtrl = makeFrame(m_picToolBar, QStringLiteral("fraCtrl"));
    auto* ctrl = static_cast<QHBoxLayout*>(m_fraCtrl->layout());
    m_cmd_CreateNew = makeButton(m_fraCtrl, QStringLiteral("cmd_CreateNew"), QStringLiteral("新增"), QString(), 44);
    m_cmd_Save = makeButton(m_fraCtrl, QStringLiteral("cmd_Save"), QStringLiteral("保存"), QString(), 44);
    m_cmd_Delete = makeButton(m_fraCtrl, QStringLiteral("cmd_Delete"), QStringLiteral("作废"), QString(), 44);
    m_cmd_DeleteRec = makeButton(m_fraCtrl, QStringLiteral("cmd_DeleteRec"), QStringLiteral("删除"), QString(), 44);
    m_cmd_SH = makeButton(m_fraCtrl, QStringLiteral("cmd_SH"), QStringLiteral("审核"), QString(), 44);
    m_cmd_ZD = makeButton(m_fraCtrl, QStringLiteral("cmd_ZD"), QStringLiteral("制单"), QString(), 44);
    for (QWidget* w : std::initializer_list<QWidget*> { m_cmd_CreateNew, m_cmd_Save, m_cmd_Delete, m_cmd_DeleteRec,
                                                        m_cmd_SH, m_cmd_ZD })
        ctrl->addWidget(w);
    const kessory::OutputButtons output = kessory::installVoucherOutput(this, m_fraCtrl);
    for (QPushButton* b : { output.print, output.exportFile }) {
        b->setFixedSize(44, 26);
        ctrl->addWidget(b);
    }

    m_cmd_Quit = makeButton(m_picToolBar, QStringLiteral("cmd_Quit"), QStringLiteral("关闭"), QString(), 52);

    m_fraMove->adjustSize();
    m_fraCtrl->adjustSize();
    m_fraMove->move(4, (kToolBarHeight - m_fraMove->height()) / 2);
    m_fraCtrl->move(m_fraMove->geometry().right() + 8, (kToolBarHeight - m_fraCtrl->height()) / 2);

    connect(m_cmd_First, &QPushButton::clicked, this, &frmPZ::onFirst);
    connect(m_cmd_Prev, &QPushButton::clicked, this, &frmPZ::onPrevious);
    connect(m_cmd_Next, &QPushButton::clicked, this, &frmPZ::onNext);
    connect(m_cmd_Last, &QPushButton::clicked, this, &frmPZ::onLast);
    connect(m_cmd_Refresh, &QPushButton::clicked, this, &frmPZ::onRefresh);
    connect(m_cmd_Search, &QPushButton::clicked, this, &frmPZ::onSearch);
    connect(m_txt_Search, &QLineEdit::returnPressed, this, &frmPZ::onSearch);
    connect(m_cmd_CreateNew, &QPushButton::clicked, this, &frmPZ::onCreateNew);
    // 保存 runs once the click has been handled, so the row being left is stored first.
    connect(m_cmd_Save, &QPushButton::clicked, this, [this] { QTimer::singleShot(0, this, &frmPZ::onSave); });
    connect(m_cmd_Delete, &QPushButton::clicked, this, &frmPZ::onVoid);
    connect(m_cmd_DeleteRec, &QPushButton::clicked, this, &frmPZ::onDelete);
    connect(m_cmd_SH, &QPushButton::clicked, this, &frmPZ::onAudit);
    connect(m_cmd_Quit, &QPushButton::clicked, this, &frmPZ::onQuit);
}

void frmPZ::buildVoucherPicture()
{
    auto* paper = new kessory::VoucherPaper(this);
    m_picPZ = paper;
    m_picPZ->setObjectName(QStringLiteral("picPZ"));
    m_picPZ->setFixedSize(kPaperWidth, kPaperHeight);

    QFont titleFont = font();
    titleFont.setPixelSize(22);
    titleFont.setBold(true);
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    m_lbl_PZTitle = makeLabel(m_picPZ, QStringLiteral("lbl_PZTitle"), QStringLiteral("记 账 凭 证"),
                              QRect((kPaperWidth - 220) / 2, 6, 220, 28), Qt::AlignCenter);
    m_lbl_PZTitle->setFont(titleFont);
    QPalette titleInk = m_lbl_PZTitle->palette();
    titleInk.setColor(QPalette::WindowText, kessory::formInk());
    m_lbl_PZTitle->setPalette(titleInk);
    paper->setTitleWidget(m_lbl_PZTitle);

    formLabel(m_picPZ, QStringLiteral("编号"), QRect(kSheetLeft, 4, 28, 16));
    m_lbl_ID = makeLabel(m_picPZ, QStringLiteral("lbl_ID"), QStringLiteral("0"), QRect(kSheetLeft + 28, 4, 60, 16));

    const int headY = 44;
    const int headH = 18;
    m_lbl_PZLB = makeLabel(m_picPZ, QStringLiteral("lbl_PZLB"), QStringLiteral("记字"),
                           QRect(kSheetLeft, headY, 34, headH), Qt::AlignRight | Qt::AlignVCenter);
    m_lbl_PZLB->setToolTip(QStringLiteral("单击选择凭证类别"));
    m_lbl_PZLB->setCursor(Qt::PointingHandCursor);
    m_lbl_PZLB->installEventFilter(this);
    m_cmb_PZLB = new QComboBox(m_picPZ);
    m_cmb_PZLB->setObjectName(QStringLiteral("cmb_PZLB"));
    m_cmb_PZLB->setEditable(true);
    m_cmb_PZLB->addItems({ QStringLiteral("记"), QStringLiteral("转") });
    m_cmb_PZLB->setGeometry(kSheetLeft, headY - 3, 52, 24);
    m_cmb_PZLB->hide();
    m_cmb_PZLB->installEventFilter(this);
    connect(m_cmb_PZLB, qOverload<int>(&QComboBox::activated), this, &frmPZ::onCategoryChosen);
    connect(m_cmb_PZLB->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { m_cmb_Search->setEditText(text); });
    m_lbl_PZHM = makeLabel(m_picPZ, QStringLiteral("lbl_PZHM"), QString(), QRect(kSheetLeft + 36, headY, 48, headH),
                           Qt::AlignCenter);
    QFont numberFont = font();
    numberFont.setBold(true);
    m_lbl_PZHM->setFont(numberFont);
    formLabel(m_picPZ, QStringLiteral("号"), QRect(kSheetLeft + 86, headY, 16, headH));

    formLabel(m_picPZ, QStringLiteral("制单日期:"), QRect(236, headY, 64, headH), Qt::AlignRight | Qt::AlignVCenter);
    // The voucher date: typed section by section or picked from the calendar; it reads like the form's entry.
    m_dtp_ZDRQ = new QDateEdit(m_picPZ);
    m_dtp_ZDRQ->setObjectName(QStringLiteral("dtp_ZDRQ"));
    m_dtp_ZDRQ->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_dtp_ZDRQ->setCalendarPopup(true);
    m_dtp_ZDRQ->setFrame(false);
    m_dtp_ZDRQ->setDate(kessory::Clock::now().date());
    m_dtp_ZDRQ->setGeometry(302, headY - 2, 112, headH + 4);
    m_dtp_ZDRQ->setToolTip(QStringLiteral("制单日期：键入或单击右侧箭头从日历选择"));
    // On the paper: no box of its own, the text in black also while the date is locked.
    QPalette onPaper = m_dtp_ZDRQ->palette();
    onPaper.setColor(QPalette::Base, Qt::transparent);
    onPaper.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    m_dtp_ZDRQ->setPalette(onPaper);

    formLabel(m_picPZ, QStringLiteral("附单据:"), QRect(kSheetLeft + kSheetWidth - 120, headY, 52, headH),
              Qt::AlignRight | Qt::AlignVCenter);
    m_txt_FDJS = new QLineEdit(m_picPZ);
    m_txt_FDJS->setObjectName(QStringLiteral("txt_FDJS"));
    m_txt_FDJS->setGeometry(kSheetLeft + kSheetWidth - 66, headY - 1, 40, headH + 2);
    m_txt_FDJS->setAlignment(Qt::AlignCenter);
    kessory::keepOnOneLine(m_txt_FDJS);
    formLabel(m_picPZ, QStringLiteral("张"), QRect(kSheetLeft + kSheetWidth - 22, headY, 20, headH));

    const int footY = kSheetTop + kSheetHeight + 3;
    formLabel(m_picPZ, QStringLiteral("记账"), QRect(kSheetLeft + 8, footY, 30, headH));
    m_lbl_JZR = makeLabel(m_picPZ, QStringLiteral("lbl_JZR"), QString(), QRect(kSheetLeft + 40, footY, 120, headH));
    formLabel(m_picPZ, QStringLiteral("审核"), QRect(kSheetLeft + 220, footY, 30, headH));
    m_lbl_SHR = makeLabel(m_picPZ, QStringLiteral("lbl_SHR"), QString(), QRect(kSheetLeft + 252, footY, 120, headH));
    formLabel(m_picPZ, QStringLiteral("制单"), QRect(kSheetLeft + 440, footY, 30, headH));
    m_lbl_ZDR = makeLabel(m_picPZ, QStringLiteral("lbl_ZDR"), QString(), QRect(kSheetLeft + 472, footY, 150, headH));
}

void frmPZ::buildSheet()
{
    m_picPZSheet = new kessory::SheetPaper(m_picPZ);
    m_picPZSheet->setObjectName(QStringLiteral("picPZSheet"));
    m_picPZSheet->setGeometry(kSheetLeft, kSheetTop, kSheetWidth, kSheetHeight);

    QFont heading = font();
    heading.setPixelSize(14);
    heading.setBold(true);
    const int amountTitleH = tw(300);
    for (auto [x, w, text, h] : { std::tuple { kSummaryX, kAccountX - kSummaryX, "摘    要", rowTop(0) },
                                  std::tuple { kAccountX, kDebitX - kAccountX, "科  目  名  称", rowTop(0) },
                                  std::tuple { kDebitX, kAmountWidth, "借 方 金 额", amountTitleH },
                                  std::tuple { kCreditX, kAmountWidth, "贷 方 金 额", amountTitleH } }) {
        QLabel* l = formLabel(m_picPZSheet, QString::fromUtf8(text), QRect(x, 0, w, h), Qt::AlignCenter);
        l->setFont(heading);
    }
    for (int x : { kDebitX, kCreditX }) {
        auto* strip = new ctlCashTitle(m_picPZSheet);
        strip->move(x, amountTitleH + 1);
        strip->resize(kAmountWidth, rowTop(0) - amountTitleH - 2);
    }

    for (int r = 0; r < kRows; ++r)
        buildRow(r);

    QLabel* total = formLabel(m_picPZSheet, QStringLiteral("合  计"),
                              QRect(kSummaryX, kTotalsTop, kDebitX - kSummaryX, kTotalsHeight), Qt::AlignCenter);
    total->setFont(heading);
    // Amount controls stand between the ruling lines, so the rules stay visible across the digit columns.
    const QRect totalsCell(0, kTotalsTop + 1, kCashWidth, kTotalsHeight - 2);
    m_csfJFHJ = makeCash(m_picPZSheet, QStringLiteral("csfJFHJ"), false);
    m_csfJFHJ->setGeometry(totalsCell.translated(kDebitX, 0));
    m_csfDFHJ = makeCash(m_picPZSheet, QStringLiteral("csfDFHJ"), false);
    m_csfDFHJ->setGeometry(totalsCell.translated(kCreditX, 0));

    const int remarkH = kSheetHeight - kRemarkTop;
    formLabel(m_picPZSheet, QStringLiteral("备注"), QRect(kSummaryX + 6, kRemarkTop, 40, remarkH));
    formLabel(m_picPZSheet, QStringLiteral("结算日期:"), QRect(kAccountX + 6, kRemarkTop + 2, 70, remarkH / 2 - 2));
    formLabel(m_picPZSheet, QStringLiteral("结算票号:"),
              QRect(kAccountX + 6, kRemarkTop + remarkH / 2, 70, remarkH / 2 - 2));
    QLabel* diff = formLabel(m_picPZSheet, QStringLiteral("差  额"),
                             QRect(kDebitX, kRemarkTop, kAmountWidth - 8, remarkH), Qt::AlignRight | Qt::AlignVCenter);
    diff->setFont(heading);
    m_csfDiff = makeCash(m_picPZSheet, QStringLiteral("csfDiff"), false);
    m_csfDiff->setGeometry(kCreditX, kRemarkTop + 1, kCashWidth, remarkH - 3);

    m_sclPZItem = new QScrollBar(Qt::Vertical, m_picPZSheet);
    m_sclPZItem->setObjectName(QStringLiteral("sclPZItem"));
    m_sclPZItem->setGeometry(kSheetWidth - kScrollWidth, 0, kScrollWidth, kSheetHeight);
    m_sclPZItem->setRange(0, 0);
    m_sclPZItem->setPageStep(kRows);
    connect(m_sclPZItem, &QScrollBar::valueChanged, this, &frmPZ::onScroll);

    for (int i = 0; i < kessory::kStampCount; ++i) {
        auto* stamp = new QLabel(m_picPZ);
        stamp->setObjectName(QStringLiteral("imgState_%1").arg(i));
        stamp->setPixmap(kessory::stampPicture(i));
        stamp->setToolTip(kessory::stampText(i));
        stamp->resize(stamp->pixmap().size());
        // The unbalanced stamp may stand beside the voided or audited one.
        stamp->move(i == 1 ? kPaperWidth - 204 : kPaperWidth - 104, 4);
        stamp->setAttribute(Qt::WA_TransparentForMouseEvents);
        stamp->hide();
        m_imgState[static_cast<std::size_t>(i)] = stamp;
    }
}

void frmPZ::buildRow(int r)
{
    const auto i = static_cast<std::size_t>(r);
    auto* row = new QWidget(m_picPZSheet);
    row->setObjectName(QStringLiteral("picPZJL_%1").arg(r));
    row->setGeometry(kRowLeft, rowTop(r), kRowWidth, kRowHeight);
    m_picPZJL[i] = row;

    auto* summary = new QLineEdit(row);
    summary->setObjectName(QStringLiteral("txtZY_%1").arg(r));
    summary->setGeometry(kSummaryBoxX, 2, kSummaryBoxWidth, kRowHeight - 4);
    summary->setStyleSheet(QString::fromLatin1(kBoxStyle));
    summary->installEventFilter(this);
    kessory::keepOnOneLine(summary);
    m_txtZY[i] = summary;

    auto* code = new QLabel(row);
    code->setObjectName(QStringLiteral("lbl_KMBH_%1").arg(r));
    code->setGeometry(kNameBoxX + 2, 1, kNameBoxWidth - 4, 13);
    QFont small = code->font();
    small.setPixelSize(10);
    code->setFont(small);
    QPalette grey = code->palette();
    grey.setColor(QPalette::WindowText, QColor(90, 90, 90));
    code->setPalette(grey);
    m_lbl_KMBH[i] = code;

    auto* name = new QLineEdit(row);
    name->setObjectName(QStringLiteral("txtKMMC_%1").arg(r));
    name->setGeometry(kNameBoxX, 14, kNameBoxWidth, kRowHeight - 16);
    name->setStyleSheet(QString::fromLatin1(kBoxStyle));
    name->installEventFilter(this);
    kessory::keepOnOneLine(name);
    m_txtKMMC[i] = name;

    const int cashHeight = kRowPitch - 2;
    m_csfJFJE[i] = makeCash(row, QStringLiteral("csfJFJE_%1").arg(r), true);
    m_csfJFJE[i]->setGeometry(kDebitCellX, 1, kCashWidth, cashHeight);
    m_csfDFJE[i] = makeCash(row, QStringLiteral("csfDFJE_%1").arg(r), true);
    m_csfDFJE[i]->setGeometry(kCreditCellX, 1, kCashWidth, cashHeight);
    for (ctlCashFormat* cash : { m_csfJFJE[i], m_csfDFJE[i] }) {
        connect(cash, &ctlCashFormat::gotFocus, this, [this, r] {
            m_timRefresh->stop();
            m_intCurRow = static_cast<qint16>(r);
        });
        connect(cash, &ctlCashFormat::lostFocus, this, [this] { m_timRefresh->start(); });
        // Each digit typed updates the totals; see eventFilter.
        for (QWidget* cell : cash->findChildren<QWidget*>())
            cell->installEventFilter(this);
    }
}

void frmPZ::buildLookup()
{
    m_picKMSelect = new QFrame(m_picPZ);
    m_picKMSelect->setObjectName(QStringLiteral("picKMSelect"));
    m_picKMSelect->setFrameShape(QFrame::Box);
    m_picKMSelect->resize(kNameBoxWidth, tw(1650));
    auto* layout = new QVBoxLayout(m_picKMSelect);
    layout->setContentsMargins(1, 1, 1, 1);
    m_lstKMSelect = new QListWidget(m_picKMSelect);
    m_lstKMSelect->setObjectName(QStringLiteral("lstKMSelect"));
    // The name box keeps the focus while the list is used from the keyboard or the mouse.
    m_lstKMSelect->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_lstKMSelect);
    m_picKMSelect->hide();
}

void frmPZ::setTabOrders()
{
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        setTabOrder(m_txtZY[i], m_txtKMMC[i]);
        setTabOrder(m_txtKMMC[i], m_csfJFJE[i]);
        setTabOrder(m_csfJFJE[i], m_csfDFJE[i]);
        if (r + 1 < kRows)
            setTabOrder(m_csfDFJE[i], m_txtZY[i + 1]);
    }
}

void frmPZ::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutWindow();
}

void frmPZ::closeEvent(QCloseEvent* event)
{
    if (funConfirmLeave())
        event->accept();
    else
        event->ignore();
}

void frmPZ::layoutWindow()
{
    if (isMinimized())
        return;
    m_picToolBar->setGeometry(0, 0, width(), kToolBarHeight);
    m_cmd_Quit->move(width() - tw(100) - m_cmd_Quit->width(), (kToolBarHeight - m_cmd_Quit->height()) / 2);
    const int spaceH = height() - kToolBarHeight;
    m_picPZ->move((width() - m_picPZ->width()) / 2, kToolBarHeight + (spaceH - m_picPZ->height()) / 2);
}

bool frmPZ::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease) {
        for (int r = 0; r < kRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            const auto* w = qobject_cast<QWidget*>(watched);
            if (w && (m_csfJFJE[i]->isAncestorOf(w) || m_csfDFJE[i]->isAncestorOf(w))) {
                QTimer::singleShot(0, this, [this, r] { liveTotals(r); });
                return false;
            }
        }
    }
    if (watched == m_lbl_PZLB && type == QEvent::MouseButtonRelease) {
        onCategoryLabelClicked();
        return true;
    }
    if (watched == m_cmb_PZLB && type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            m_cmb_PZLB->hide();
        return false;
    }
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (watched == m_txtZY[i]) {
            if (type == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    moveFocusOn();
                    return true;
                }
            } else if (type == QEvent::FocusOut) {
                funStoreRow(r, m_sclPZItem->value());
                // A long summary reads from its start once it is left.
                m_txtZY[i]->setCursorPosition(0);
            }
            return false;
        }
        if (watched == m_txtKMMC[i]) {
            if (type == QEvent::KeyPress) {
                auto* key = static_cast<QKeyEvent*>(event);
                const bool swallowDown = nameKeyDown(r, key);
                const bool swallowPress = nameKeyPress(r, key);
                return swallowDown || swallowPress;
            }
            if (type == QEvent::KeyRelease) {
                nameKeyUp(r, static_cast<QKeyEvent*>(event));
                return false;
            }
            if (type == QEvent::InputMethod && !static_cast<QInputMethodEvent*>(event)->commitString().isEmpty()) {
                // Chinese from an input method arrives whole, without key presses: it opens the list and looks the
                // name up just as typed characters do.
                showLookup(r);
                static_cast<QObject*>(m_txtKMMC[i])->event(event);
                funLocateAccount(m_txtKMMC[i]->text());
                return true;
            }
            if (type == QEvent::FocusOut) {
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                // Leaving the window for another one is no move inside the sheet.
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                    nameEnter(r);
                    m_picKMSelect->hide();
                    funStoreRow(r, m_sclPZItem->value());
                }
            }
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}
