#include "accounts/ui/frmKM.h"

#include "accounts/AccountCheck.h"
#include "accounts/AccountCode.h"
#include "accounts/AccountDetail.h"
#include "accounts/AccountTree.h"
#include "accounts/PageFormat.h"
#include "accounts/ui/TreeIcons.h"
#include "output/ui/WindowOutput.h"
#include "shell/ui/SingleLine.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"
#include "shell/ui/WriteRefusal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace kessory::accounts;

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// The right column and its rows, in 1/1440 inch.
constexpr int kRightLeft = 3270;
constexpr int kRightWidth = 2355;
constexpr int kLabelWidth = 780;
constexpr int kFieldTop = 390;
constexpr int kRowPitch = 360;
constexpr int kRowHeight = 300;
constexpr int kGroupHeight = 690;
constexpr int kCommandTop = 3735;
constexpr int kBottomTop = 4095;
constexpr int kButtonHeight = 315;

QRect twRect(int left, int top, int width, int height)
{
    return { tw(left), tw(top), tw(width), tw(height) };
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items, const QRect& geometry)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(-1);
    c->setGeometry(geometry);
    return c;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

} // namespace

frmKM::frmKM(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmKM"));
    setWindowTitle(QStringLiteral("会计科目管理器"));
    setFixedSize(tw(5715), tw(4455));
    buildControls();
    funLoadTree();
    funClearDetail();
}

void frmKM::buildControls()
{
    label(this, "Label1", "科目级长:3-2-2-2-2-2", twRect(90, 90, 3075, 240));
    m_icons = new kessory::TreeIconList(this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tre_KMList"));
    m_tree->setGeometry(twRect(90, 360, 3075, 3315));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setRootIsDecorated(true);
    m_tree->setSortingEnabled(false);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onNodeClick(item); });
    // The keyboard moves the selection without a click; it shows the account all the same.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !m_loading)
            onNodeClick(item);
    });
    auto* expand = button(this, "cmd_Open", "全部展开", twRect(90, kCommandTop, 1500, kButtonHeight));
    auto* collapse = button(this, "cmd_Close", "全部收起", twRect(1665, kCommandTop, 1500, kButtonHeight));
    connect(expand, &QPushButton::clicked, this, [this] {
        m_tree->expandAll();
        funClearDetail();
    });
    connect(collapse, &QPushButton::clicked, this, [this] {
        m_tree->collapseAll();
        funClearDetail();
    });

    m_nature = label(this, "lbl_KMXZ", "", twRect(kRightLeft, 90, kRightWidth, 240));
    const int fieldLeft = kRightLeft + kLabelWidth;
    const int fieldWidth = kRightWidth - kLabelWidth;
    const auto rowTop = [](int row) { return kFieldTop + row * kRowPitch; };
    const char* const captions[] = { "科目编码", "科目名称", "科目类型", "帐页格式" };
    for (int row = 0; row < 4; ++row)
        label(this, nullptr, captions[row], twRect(kRightLeft, rowTop(row) + 30, kLabelWidth, 240));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("txt_KMBM"));
    m_code->setGeometry(twRect(fieldLeft, rowTop(0), fieldWidth, kRowHeight));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txt_KMMC"));
    m_name->setGeometry(twRect(fieldLeft, rowTop(1), fieldWidth, kRowHeight));
    m_category = comboBox(this, "cmb_KMLX",
                          { QStringLiteral("资产类"), QStringLiteral("负债类"), QStringLiteral("权益类"),
                            QStringLiteral("成本类"), QStringLiteral("损益类") },
                          twRect(fieldLeft, rowTop(2), fieldWidth, kRowHeight));
    m_pageFormat = comboBox(this, "cmb_ZYGS", pageFormats(), twRect(fieldLeft, rowTop(3), fieldWidth, kRowHeight));
    connect(m_code, &QLineEdit::textChanged, this, &frmKM::onCodeChanged);
    kessory::keepOnOneLine(m_name);
    kessory::keepOnOneLine(m_pageFormat->lineEdit());
    connect(m_pageFormat, &QComboBox::editTextChanged, this, &frmKM::onPageFormatChanged);
    connect(m_pageFormat, &QComboBox::textActivated, this, &frmKM::onPageFormatChanged);

    // The two optional parts: a group each with its tick and its list.
    const auto group = [&](const char* name, int top, const char* tickName, const char* tickCaption,
                           const char* labelName, const char* labelCaption, const char* listName,
                           const QStringList& items, QCheckBox*& tick, QComboBox*& list) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twRect(kRightLeft, top, kRightWidth, kGroupHeight));
        tick = new QCheckBox(QString::fromUtf8(tickCaption), box);
        tick->setObjectName(QString::fromLatin1(tickName));
        tick->setGeometry(twRect(90, 45, kRightWidth - 180, 270));
        label(box, labelName, labelCaption, twRect(90, 375, kLabelWidth, 240));
        list = comboBox(box, listName, items, twRect(kLabelWidth + 90, 345, fieldWidth - 180, kRowHeight));
        QComboBox* l = list;
        connect(tick, &QCheckBox::toggled, l, &QComboBox::setEnabled);
        return box;
    };
    const int groupTop = rowTop(4);
    const auto oneLine = [](QComboBox* list) { kessory::keepOnOneLine(list->lineEdit()); };
    m_currencyGroup
        = group("fra_WBHS", groupTop, "chk_WBHS", "外币核算", "Label5", "外币币种", "cmb_WBBZ",
                { QStringLiteral("日元"), QStringLiteral("美元"), QStringLiteral("港币") }, m_currencyTick, m_currency);
    m_quantityGroup = group("fra_SLHS", groupTop + kGroupHeight + 45, "chk_SLHS", "数量核算", "Label6", "计量单位",
                            "cmb_JLDW", {}, m_quantityTick, m_unit);

    oneLine(m_currency);
    oneLine(m_unit);

    const int tickTop = groupTop + 2 * kGroupHeight + 120;
    m_journal = new QCheckBox(QStringLiteral("日记账"), this);
    m_journal->setObjectName(QStringLiteral("chk_RJZ"));
    m_journal->setGeometry(twRect(kRightLeft + 90, tickTop, 1050, 270));
    m_bank = new QCheckBox(QStringLiteral("银行账"), this);
    m_bank->setObjectName(QStringLiteral("chk_YHZ"));
    m_bank->setGeometry(twRect(kRightLeft + 1260, tickTop, 1050, 270));

    const int commandWidth = (kRightWidth - 150) / 3;
    m_append = button(this, "cmd_Append", "添 加", twRect(kRightLeft, kCommandTop, commandWidth, kButtonHeight));
    m_modify = button(this, "cmd_Modify", "修  改",
                      twRect(kRightLeft + commandWidth + 75, kCommandTop, commandWidth, kButtonHeight));
    m_delete = button(this, "cmd_Delete", "删  除",
                      twRect(kRightLeft + 2 * (commandWidth + 75), kCommandTop, commandWidth, kButtonHeight));
    // A shown account is read in disabled fields: keep its text legible.
    for (QWidget* w : detailControls()) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(80, 80, 80));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(80, 80, 80));
        w->setPalette(palette);
    }
    connect(m_append, &QPushButton::clicked, this, &frmKM::onAppend);
    connect(m_modify, &QPushButton::clicked, this, &frmKM::onModify);
    connect(m_delete, &QPushButton::clicked, this, &frmKM::onDelete);

    const char* const bottom[][2] = {
        { "cmd_Print", "打  印" },  { "cmb_Refresh", "刷  新" }, { "cmd_Accept", "确  认" },
        { "cmd_Cancel", "取  消" }, { "cmd_Quit", "退出" },
    };
    QPushButton* row[5] = {};
    for (int i = 0; i < 5; ++i)
        row[i] = button(this, bottom[i][0], bottom[i][1], twRect(90 + i * 1125, kBottomTop, 1035, kButtonHeight));
    kessory::installAccountsOutput(this, row[0]);
    connect(row[1], &QPushButton::clicked, this, [this] {
        funLoadTree();
        funClearDetail();
    });
    connect(row[2], &QPushButton::clicked, this, &frmKM::onAccept);
    connect(row[3], &QPushButton::clicked, this, &frmKM::funClearDetail);
    connect(row[4], &QPushButton::clicked, this, [this] { kessory::closeWindow(this); });
}

void frmKM::funLoadTree()
{
    m_loading = true;
    m_tree->setRootIsDecorated(true);
    m_tree->clear();
    setMode(false, false, false);
    QHash<QString, QTreeWidgetItem*> items;
    for (const AccountNode& node : funReadTree()) {
        QTreeWidgetItem* parent = node.parentKey.isEmpty() ? nullptr : items.value(node.parentKey);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, node.text);
        item->setIcon(0, m_icons->icon(node.image));
        item->setData(0, kKeyRole, node.key);
        item->setData(0, kImageRole, node.image);
        items.insert(node.key, item);
    }
    m_tree->collapseAll();
    m_loading = false;
}

void frmKM::funClearDetail()
{
    setDetailEnabled(false);
    m_journal->setChecked(false);
    m_bank->setChecked(false);
    emptyFields();
    m_currencyTick->setChecked(false);
    m_quantityTick->setChecked(false);
    // The nature line belongs to the shown account; with none shown it must not describe the last one.
    m_nature->clear();
    setCommandsEnabled(false);
    setMode(false, false, false);
}

std::array<QWidget*, 10> frmKM::detailControls() const
{
    return { m_category, m_name,          m_pageFormat,    m_code,    m_currency,
             m_unit,     m_currencyGroup, m_quantityGroup, m_journal, m_bank };
}

void frmKM::setDetailEnabled(bool enabled)
{
    for (QWidget* w : detailControls())
        w->setEnabled(enabled);
}

void frmKM::setCommandsEnabled(bool enabled)
{
    m_append->setEnabled(enabled);
    m_modify->setEnabled(enabled);
    m_delete->setEnabled(enabled);
}

void frmKM::setComboText(QComboBox* combo, const QString& text)
{
    if (text.isEmpty())
        combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

void frmKM::emptyFields()
{
    setComboText(m_category, {});
    m_name->clear();
    setComboText(m_pageFormat, {});
    m_code->clear();
    setComboText(m_currency, {});
    setComboText(m_unit, {});
}

void frmKM::setMode(bool append, bool remove, bool modify)
{
    m_blnAppend = append;
    m_blnDelete = remove;
    m_blnModify = modify;
}

void frmKM::commonEnd()
{
    setCommandsEnabled(false);
    setMode(false, false, false);
    setDetailEnabled(false);
    funLoadTree();
    funClearDetail();
}

AccountInput frmKM::fieldInput() const
{
    AccountInput in;
    in.code = m_code->text();
    in.name = m_name->text();
    in.category = m_category->currentText();
    in.pageFormat = m_pageFormat->currentText();
    in.foreignCurrency = m_currencyTick->isChecked();
    in.currency = m_currency->currentText();
    in.quantity = m_quantityTick->isChecked();
    in.unit = m_unit->currentText();
    in.journal = m_journal->isChecked();
    in.bank = m_bank->isChecked();
    return in;
}

void frmKM::onNodeClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    setDetailEnabled(false);
    setCommandsEnabled(false);
    emptyFields();
    for (QCheckBox* tick : { m_currencyTick, m_quantityTick, m_journal, m_bank })
        tick->setChecked(false);
    m_nature->clear();
    setMode(false, false, false);
    m_shownKey = item->data(0, kKeyRole).toString();
    m_shownMode.clear();
    if (m_shownKey.size() < 4)
        return; // a category
    setCommandsEnabled(true);
    const auto account = funReadAccount(codeOfKey(m_shownKey));
    if (!account)
        return;
    m_nature->setText(natureLine(*account));
    // This order matters: the page format sets the ticks, the code sets the category again from its first digit.
    setComboText(m_category, account->科目类别);
    m_name->setText(account->科目名称);
    setComboText(m_pageFormat, account->账页格式);
    m_code->setText(account->科目编号);
    setComboText(m_currency, account->外币币种);
    setComboText(m_unit, account->数量单位);
    m_currencyTick->setChecked(!account->外币币种.isEmpty());
    m_quantityTick->setChecked(!account->数量单位.isEmpty());
    m_bank->setChecked(account->银行账);
    m_shownMode = account->记账方式;
}

void frmKM::onAppend()
{
    if (kessory::refuseWhenReadOnly())
        return;
    if (!funCheckChildKey(m_shownKey))
        return;
    setCommandsEnabled(false);
    setMode(true, false, false);
    const auto proposed = funProposeChildCode(m_code->text());
    if (!proposed)
        return; // append mode stays on with the shown account; 确  认 then reports the code as existing
    m_category->setEnabled(false);
    m_name->setEnabled(true);
    m_pageFormat->setEnabled(true);
    m_currency->setEnabled(false);
    m_unit->setEnabled(false);
    m_currencyGroup->setEnabled(true);
    m_quantityGroup->setEnabled(true);
    emptyFields();
    m_currencyTick->setChecked(false);
    m_quantityTick->setChecked(false);
    m_code->setText(*proposed);
    m_name->setFocus();
}

void frmKM::onModify()
{
    if (kessory::refuseWhenReadOnly())
        return;
    setCommandsEnabled(false);
    setMode(false, false, true);
    m_category->setEnabled(false);
    m_code->setEnabled(false);
    m_name->setEnabled(true);
    m_pageFormat->setEnabled(true);
    m_currencyGroup->setEnabled(true);
    m_quantityGroup->setEnabled(true);
    m_journal->setEnabled(true);
    m_bank->setEnabled(true);
    // A change stores both ticks: start them from what is stored, not from the display's bank flag.
    m_journal->setChecked(modeHasJournal(m_shownMode));
    m_bank->setChecked(modeHasBank(m_shownMode));
    m_name->setFocus();
}

void frmKM::onDelete()
{
    if (kessory::refuseWhenReadOnly())
        return;
    setCommandsEnabled(false);
    setMode(false, true, false);
}

void frmKM::onAccept()
{
    if (m_blnAppend) {
        if (funAddAccount(fieldInput()) == WriteResult::Refused)
            return;
    } else if (m_blnDelete && !m_blnModify) {
        const DeleteResult result = funDeleteAccount(m_code->text());
        if (result == DeleteResult::Refused)
            return;
        if (result == DeleteResult::NoAccount) {
            funClearDetail();
            return;
        }
    } else if (m_blnModify) {
        if (funModifyAccount(fieldInput()) == WriteResult::Refused)
            return;
    }
    commonEnd();
}

void frmKM::onCodeChanged(const QString& text)
{
    const CodeField field = funCodeFieldChange(text);
    if (field.code != text) {
        m_code->setText(field.code); // runs this handler again on the corrected text
        return;
    }
    setComboText(m_category, field.category);
}

void frmKM::onPageFormatChanged(const QString& text)
{
    const PageFormatOptions o = pageFormatOptions(text);
    m_currencyTick->setEnabled(o.currencyOffered);
    m_currencyTick->setChecked(o.currencyTicked);
    m_currency->setEnabled(o.currencyOffered);
    m_quantityTick->setEnabled(o.quantityOffered);
    m_quantityTick->setChecked(o.quantityTicked);
    m_unit->setEnabled(o.quantityOffered);
}
