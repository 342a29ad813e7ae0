#include "accounts/ui/frmKM.h"

#include "accounts/AccountCheck.h"
#include "accounts/AccountCode.h"
#include "accounts/AccountDetail.h"
#include "accounts/AccountTree.h"
#include "accounts/PageFormat.h"
#include "accounts/ui/AccountCommands.h"
#include "accounts/ui/TreeIcons.h"
#include "output/ui/WindowOutput.h"
#include "shell/ui/SingleLine.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"
#include "shell/ui/WriteRefusal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

using namespace kessory::accounts;

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// The designed sizes, in 1/1440 inch: the window's least size, the tree's and a command button's height.
constexpr int kWindowWidth = 5715;
constexpr int kWindowHeight = 4455;
constexpr int kTreeWidth = 3075;
constexpr int kTreeHeight = 3315;
constexpr int kButtonHeight = 315;
// A field holds a name of this many characters without clipping it.
constexpr int kNameChars = 16;

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(tw(kButtonHeight));
    return b;
}

QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(-1);
    return c;
}

QLabel* label(QWidget* parent, const char* name, const char* caption)
{
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

frmKM::frmKM(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmKM"));
    setWindowTitle(QStringLiteral("会计科目管理器"));
    buildControls();
    // The content grows with the window; the tree takes the room.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(tw(kWindowWidth), tw(kWindowHeight))));
    resize(minimumSize());
    funLoadTree();
    funClearDetail();
}

void frmKM::buildControls()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    grid->addWidget(label(this, "Label1", "科目级长:3-2-2-2-2-2"), 0, 0);
    m_icons = new kessory::TreeIconList(this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tre_KMList"));
    m_tree->setMinimumSize(tw(kTreeWidth), tw(kTreeHeight));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setRootIsDecorated(true);
    m_tree->setSortingEnabled(false);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    grid->addWidget(m_tree, 1, 0);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onNodeClick(item); });
    // The keyboard moves the selection without a click; it shows the account all the same.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !m_loading)
            onNodeClick(item);
    });
    auto* treeButtons = new QHBoxLayout;
    auto* expand = button(this, "cmd_Open", "全部展开");
    auto* collapse = button(this, "cmd_Close", "全部收起");
    treeButtons->addWidget(expand);
    treeButtons->addWidget(collapse);
    grid->addLayout(treeButtons, 2, 0);
    connect(expand, &QPushButton::clicked, this, [this] {
        m_tree->expandAll();
        funClearDetail();
    });
    connect(collapse, &QPushButton::clicked, this, [this] {
        m_tree->collapseAll();
        funClearDetail();
    });

    m_nature = label(this, "lbl_KMXZ", "");
    grid->addWidget(m_nature, 0, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("txt_KMBM"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txt_KMMC"));
    // A long account name is read whole.
    m_name->setMinimumWidth(fontMetrics().horizontalAdvance(QString(kNameChars, QChar(0x8D26))) + 12);
    m_category = comboBox(this, "cmb_KMLX",
                          { QStringLiteral("资产类"), QStringLiteral("负债类"), QStringLiteral("权益类"),
                            QStringLiteral("成本类"), QStringLiteral("损益类") });
    m_pageFormat = comboBox(this, "cmb_ZYGS", pageFormats());
    form->addRow(QStringLiteral("科目编码"), m_code);
    form->addRow(QStringLiteral("科目名称"), m_name);
    form->addRow(QStringLiteral("科目类型"), m_category);
    form->addRow(QStringLiteral("帐页格式"), m_pageFormat);
    right->addLayout(form);
    connect(m_code, &QLineEdit::textChanged, this, &frmKM::onCodeChanged);
    kessory::keepOnOneLine(m_name);
    kessory::keepOnOneLine(m_pageFormat->lineEdit());
    connect(m_pageFormat, &QComboBox::editTextChanged, this, &frmKM::onPageFormatChanged);
    connect(m_pageFormat, &QComboBox::textActivated, this, &frmKM::onPageFormatChanged);

    // The two optional parts: a group each with its tick and its list.
    const auto group = [&](const char* name, const char* tickName, const char* tickCaption, const char* labelName,
                           const char* labelCaption, const char* listName, const QStringList& items, QCheckBox*& tick,
                           QComboBox*& list) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QString::fromLatin1(name));
        auto* inner = new QGridLayout(box);
        inner->setContentsMargins(6, 4, 6, 4);
        tick = new QCheckBox(QString::fromUtf8(tickCaption), box);
        tick->setObjectName(QString::fromLatin1(tickName));
        inner->addWidget(tick, 0, 0, 1, 2);
        inner->addWidget(label(box, labelName, labelCaption), 1, 0);
        list = comboBox(box, listName, items);
        inner->addWidget(list, 1, 1);
        inner->setColumnStretch(1, 1);
        QComboBox* l = list;
        connect(tick, &QCheckBox::toggled, l, &QComboBox::setEnabled);
        kessory::keepOnOneLine(list->lineEdit());
        right->addWidget(box);
        return box;
    };
    m_currencyGroup
        = group("fra_WBHS", "chk_WBHS", "外币核算", "Label5", "外币币种", "cmb_WBBZ",
                { QStringLiteral("日元"), QStringLiteral("美元"), QStringLiteral("港币") }, m_currencyTick, m_currency);
    m_quantityGroup
        = group("fra_SLHS", "chk_SLHS", "数量核算", "Label6", "计量单位", "cmb_JLDW", {}, m_quantityTick, m_unit);

    auto* ticks = new QHBoxLayout;
    m_journal = new QCheckBox(QStringLiteral("日记账"), this);
    m_journal->setObjectName(QStringLiteral("chk_RJZ"));
    m_bank = new QCheckBox(QStringLiteral("银行账"), this);
    m_bank->setObjectName(QStringLiteral("chk_YHZ"));
    ticks->addWidget(m_journal);
    ticks->addWidget(m_bank);
    right->addLayout(ticks);
    right->addStretch(1);
    grid->addLayout(right, 1, 1);

    auto* commands = new QHBoxLayout;
    m_append = button(this, "cmd_Append", "添 加");
    m_modify = button(this, "cmd_Modify", "修  改");
    m_delete = button(this, "cmd_Delete", "删  除");
    for (QPushButton* b : { m_append, m_modify, m_delete })
        commands->addWidget(b);
    grid->addLayout(commands, 2, 1);
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
    auto* bottomRow = new QHBoxLayout;
    QPushButton* row[5] = {};
    for (int i = 0; i < 5; ++i) {
        row[i] = button(this, bottom[i][0], bottom[i][1]);
        bottomRow->addWidget(row[i]);
    }
    grid->addLayout(bottomRow, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
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
    m_mode = Mode::Browse;
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
    m_mode = Mode::Browse;
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

void frmKM::commonEnd()
{
    setCommandsEnabled(false);
    m_mode = Mode::Browse;
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
    m_mode = Mode::Browse;
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
    m_mode = Mode::Append;
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
    // The page format may have been empty already, so its change handler did not run: the ticks follow it here.
    onPageFormatChanged(m_pageFormat->currentText());
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
    m_mode = Mode::Modify;
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
    m_mode = Mode::Delete;
}

void frmKM::onAccept()
{
    const QString written = m_code->text().trimmed();
    switch (m_mode) {
    case Mode::Append:
        if (funAddAccount(fieldInput()) == WriteResult::Refused)
            return;
        commonEnd();
        showAccount(written);
        return;
    case Mode::Modify:
        if (funModifyAccount(fieldInput()) == WriteResult::Refused)
            return;
        commonEnd();
        showAccount(written);
        return;
    case Mode::Delete: {
        const DeleteResult result = funDeleteAccount(m_code->text());
        if (result == DeleteResult::Refused)
            return;
        if (result == DeleteResult::NoAccount) {
            funClearDetail();
            return;
        }
        break;
    }
    case Mode::Browse:
        break;
    }
    commonEnd();
}

void frmKM::showAccount(const QString& code)
{
    const QString key = QStringLiteral("B") + code;
    QTreeWidgetItemIterator it(m_tree);
    for (; *it; ++it) {
        if ((*it)->data(0, kKeyRole).toString() == key)
            break;
    }
    QTreeWidgetItem* item = *it;
    if (!item)
        return;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    item->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    onNodeClick(item);
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
