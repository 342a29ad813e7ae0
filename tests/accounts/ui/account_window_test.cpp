#include "accounts/ui/TreeIcons.h"
#include "accounts/ui/frmKM.h"
#include "shell/Msg.h"
#include "tests/accounts/ui/TreeClicks.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using kessory::Msg::Answer;
using kessory::test::TestDb;

namespace {

// Chinese text arrives through the input method, as a commit string.
void typeText(QWidget* widget, const QString& text)
{
    if (auto* box = qobject_cast<QComboBox*>(widget))
        widget = box->lineEdit();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

class AccountWindow : public kessory::test::GuiTest {
protected:
    void SetUp() override
    {
        window = qobject_cast<frmKM*>(kessory::WindowHost::instance().open(kessory::WindowKind::KM));
        ASSERT_NE(window, nullptr);
        tree = child<QTreeWidget>(window, "tre_KMList");
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        kessory::Msg::clearShown();
    }

    template <typename T = QWidget> T* w(const char* name) { return child<T>(window, QString::fromLatin1(name)); }
    QLineEdit* edit(const char* name) { return w<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return w<QComboBox>(name); }
    QCheckBox* tick(const char* name) { return w<QCheckBox>(name); }
    void press(const char* name) { QTest::mouseClick(w<QPushButton>(name), Qt::LeftButton); }
    void toggle(const char* name)
    {
        QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, tick(name)->height() / 2));
    }

    QTreeWidgetItem* node(const QString& key) { return kessory::test::findNode(tree, key); }
    void click(const QString& key) { kessory::test::clickNode(tree, key); }
    QString lastBox() const
    {
        const auto boxes = kessory::Msg::shown();
        return boxes.isEmpty() ? QString() : boxes.last().text + "|" + boxes.last().title;
    }
    // Enabled states of the detail area and the three commands, as one readable text.
    QString enabledControls()
    {
        QStringList on;
        for (const char* name : { "txt_KMBM", "txt_KMMC", "cmb_KMLX", "cmb_ZYGS", "chk_WBHS", "cmb_WBBZ", "chk_SLHS",
                                  "cmb_JLDW", "chk_RJZ", "chk_YHZ", "cmd_Append", "cmd_Modify", "cmd_Delete" }) {
            if (w(name)->isEnabled())
                on << name;
        }
        return on.join(' ');
    }
    bool detailEmpty()
    {
        return edit("txt_KMBM")->text().isEmpty() && edit("txt_KMMC")->text().isEmpty()
            && combo("cmb_KMLX")->currentText().isEmpty() && combo("cmb_ZYGS")->currentText().isEmpty()
            && combo("cmb_WBBZ")->currentText().isEmpty() && combo("cmb_JLDW")->currentText().isEmpty()
            && !tick("chk_WBHS")->isChecked() && !tick("chk_SLHS")->isChecked() && !tick("chk_RJZ")->isChecked()
            && !tick("chk_YHZ")->isChecked() && w<QLabel>("lbl_KMXZ")->text().isEmpty();
    }
    // The account's columns, joined by separator.
    QString dbRow(const QString& code, const char* columns, const char* separator = "|")
    {
        return db.rows(
            QStringLiteral("SELECT %1 FROM 财务科目 WHERE 科目编号='%2'").arg(QString::fromUtf8(columns), code),
            QString::fromUtf8(separator));
    }
    bool anyExpanded()
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->isExpanded())
                return true;
        }
        return false;
    }

    TestDb db { TestDb::Rows::Sample };
    frmKM* window = nullptr;
    QTreeWidget* tree = nullptr;
};

} // namespace

TEST_F(AccountWindow, ShowsTheSampleChartCollapsedWithItsImages)
{
    EXPECT_EQ(window->windowTitle(), "会计科目管理器");
    ASSERT_EQ(tree->topLevelItemCount(), 5);
    QStringList top;
    for (int i = 0; i < 5; ++i)
        top << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(top.join(' '), "资产类 负债类 权益类 成本类 损益类");
    EXPECT_FALSE(anyExpanded());
    EXPECT_EQ(node("B22101")->parent(), node("B221"));

    auto* images = window->findChild<kessory::TreeIconList*>("iml_TreeIcon");
    ASSERT_NE(images, nullptr);
    const auto imageOf = [&](const char* key) {
        const QImage shown = node(key)->icon(0).pixmap(16, 16).toImage();
        for (const char* name : { "i_BM", "i_GW", "i_MJ" }) {
            if (images->icon(name).pixmap(16, 16).toImage() == shown)
                return QString::fromLatin1(name);
        }
        return QString();
    };
    EXPECT_EQ(imageOf("损益类"), "i_BM");
    EXPECT_EQ(imageOf("B101"), "i_GW"); // level 1, though a leaf
    EXPECT_EQ(imageOf("B22101"), "i_GW");
    EXPECT_EQ(imageOf("B2210101"), "i_MJ");
    EXPECT_TRUE(detailEmpty());
    EXPECT_EQ(enabledControls(), "");
}

TEST_F(AccountWindow, ClickingShowsAnAccountAndACategoryShowsNothing)
{
    click("B10202");
    EXPECT_EQ(w<QLabel>("lbl_KMXZ")->text(), "科目性质:占用类,末级科目.");
    EXPECT_EQ(edit("txt_KMBM")->text(), "10202");
    EXPECT_EQ(edit("txt_KMMC")->text(), "建设银行");
    EXPECT_EQ(combo("cmb_KMLX")->currentText(), "资产类");
    EXPECT_EQ(combo("cmb_ZYGS")->currentText(), "外币金额式");
    EXPECT_EQ(combo("cmb_WBBZ")->currentText(), "美元");
    EXPECT_TRUE(tick("chk_WBHS")->isChecked());
    EXPECT_FALSE(tick("chk_SLHS")->isChecked());
    EXPECT_TRUE(tick("chk_YHZ")->isChecked());
    EXPECT_FALSE(tick("chk_RJZ")->isChecked()); // 记账方式 "3" is not shown
    EXPECT_EQ(enabledControls(), "cmd_Append cmd_Modify cmd_Delete");

    click("B123");
    EXPECT_EQ(w<QLabel>("lbl_KMXZ")->text(), "科目性质:占用类,1 级科目.");
    EXPECT_EQ(combo("cmb_JLDW")->currentText(), "吨");
    EXPECT_TRUE(tick("chk_SLHS")->isChecked());
    EXPECT_FALSE(tick("chk_WBHS")->isChecked());
    EXPECT_FALSE(tick("chk_YHZ")->isChecked());

    click("B201");
    EXPECT_EQ(w<QLabel>("lbl_KMXZ")->text(), "科目性质:来源类,1 级科目.");

    click("负债类");
    EXPECT_TRUE(detailEmpty());
    EXPECT_EQ(enabledControls(), "");

    click("B22101");
    press("cmd_Cancel");
    EXPECT_TRUE(detailEmpty());
    EXPECT_EQ(enabledControls(), "");
}

TEST_F(AccountWindow, AppendFollowsThePageFormatAndAddsTheAccount)
{
    click("B102");
    press("cmd_Append");
    EXPECT_TRUE(window->blnAppend());
    EXPECT_EQ(edit("txt_KMBM")->text(), "10203");
    EXPECT_EQ(combo("cmb_KMLX")->currentText(), "资产类");
    EXPECT_TRUE(edit("txt_KMMC")->text().isEmpty());
    EXPECT_TRUE(tick("chk_YHZ")->isChecked()); // kept from the shown bank account
    EXPECT_EQ(enabledControls(), "txt_KMMC cmb_ZYGS");

    QComboBox* format = combo("cmb_ZYGS");
    const struct {
        int index;
        const char* enabled;
        bool currency;
        bool quantity;
    } formats[] = {
        { 0, "txt_KMMC cmb_ZYGS", false, false },
        { 1, "txt_KMMC cmb_ZYGS chk_SLHS cmb_JLDW", false, true },
        { 2, "txt_KMMC cmb_ZYGS chk_WBHS cmb_WBBZ", true, false },
        { 3, "txt_KMMC cmb_ZYGS chk_WBHS cmb_WBBZ chk_SLHS cmb_JLDW", true, true },
        { -1, "txt_KMMC cmb_ZYGS", false, false },
    };
    for (const auto& f : formats) {
        format->setCurrentIndex(f.index);
        if (f.index < 0)
            format->setEditText("自定义");
        EXPECT_EQ(enabledControls(), f.enabled) << f.index;
        EXPECT_EQ(tick("chk_WBHS")->isChecked(), f.currency) << f.index;
        EXPECT_EQ(tick("chk_SLHS")->isChecked(), f.quantity) << f.index;
    }

    // 外币金额式 typed in; then unticking 外币核算 locks the currency list again.
    format->setCurrentIndex(-1);
    format->setFocus();
    typeText(format, "外币金额式");
    EXPECT_TRUE(combo("cmb_WBBZ")->isEnabled());
    toggle("chk_WBHS");
    EXPECT_FALSE(tick("chk_WBHS")->isChecked());
    EXPECT_FALSE(combo("cmb_WBBZ")->isEnabled());

    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "科目名称不能为空|缺少参数");
    EXPECT_TRUE(window->blnAppend());

    typeText(edit("txt_KMMC"), " 农业银行 ");
    press("cmd_Accept");
    EXPECT_FALSE(window->blnAppend());
    EXPECT_EQ(dbRow("10203", "科目名称, 级次, 末级账, 账页格式, 记账方式, coalesce(外币币种,'-')"),
              "农业银行|2|1|外币金额式|2|-");
    ASSERT_NE(node("B10203"), nullptr);
    EXPECT_EQ(node("B10203")->parent(), node("B102"));
    EXPECT_EQ(node("B10203")->text(0), "10203 农业银行");
    // The added account is shown, selected in its open branch.
    EXPECT_EQ(tree->currentItem(), node("B10203"));
    EXPECT_TRUE(node("B102")->isExpanded());
    EXPECT_EQ(edit("txt_KMBM")->text(), "10203");
    EXPECT_EQ(enabledControls(), "cmd_Append cmd_Modify cmd_Delete");
}

TEST_F(AccountWindow, AppendUnderALeafMakesItABranch)
{
    click("B10901");
    press("cmd_Append");
    typeText(edit("txt_KMMC"), "上海");
    combo("cmb_ZYGS")->setCurrentIndex(1);
    typeText(combo("cmb_JLDW"), "吨");
    press("cmd_Accept");
    EXPECT_EQ(dbRow("1090101", "科目类别, 级次, 数量单位", ""), "资产类3吨");
    EXPECT_EQ(dbRow("10901", "末级账"), "0");
    EXPECT_EQ(node("B10901")->data(0, Qt::UserRole + 1).toString(), "i_GW");
    EXPECT_EQ(node("B1090101")->data(0, Qt::UserRole + 1).toString(), "i_MJ");
}

TEST_F(AccountWindow, AppendIsRefusedAtTheDeepestLevelAndStopsAtTheLimit)
{
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账) VALUES ('10101','a','资产类',2,0),"
            "('1010101','b','资产类',3,0),('101010101','c','资产类',4,0),('10101010101','d','资产类',5,0),"
            "('1010101010101','e','资产类',6,1),('10999','f','资产类',2,1)");
    press("cmb_Refresh");
    click("B1010101010101");
    press("cmd_Append");
    EXPECT_EQ(lastBox(), "已达到科目级长极限,无法建立子科目|错误");
    EXPECT_FALSE(window->blnAppend());
    EXPECT_EQ(enabledControls(), "cmd_Append cmd_Modify cmd_Delete");

    click("B109");
    press("cmd_Append");
    EXPECT_EQ(lastBox(), "本级科目编号已达上限，无法继续增加。|" + kessory::Msg::programTitle());
    EXPECT_TRUE(window->blnAppend());
    EXPECT_EQ(edit("txt_KMBM")->text(), "109");
    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "科目已存在|编号错误");
    EXPECT_TRUE(window->blnAppend());
    click("B109"); // a click leaves the mode
    EXPECT_FALSE(window->blnAppend());
}

TEST_F(AccountWindow, DeleteAsksAndReloadsOrRefuses)
{
    click("B101");
    press("cmd_Delete");
    EXPECT_EQ(enabledControls(), "");
    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "无法删除一级科目|无效操作");
    EXPECT_TRUE(window->blnDelete());
    EXPECT_EQ(edit("txt_KMBM")->text(), "101");

    click("B10201"); // used by vouchers
    press("cmd_Delete");
    kessory::Msg::queueAnswer(Answer::Yes);
    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "该科目已有凭证记录，无法删除。|无效操作");
    EXPECT_TRUE(window->blnDelete());
    EXPECT_EQ(dbRow("10201", "count(*)"), "1");
    kessory::Msg::clearShown();

    click("B10902");
    press("cmd_Delete");
    press("cmd_Accept"); // answered No
    EXPECT_EQ(lastBox(), "是否真的删除该科目?|要求确认");
    EXPECT_FALSE(window->blnDelete());
    EXPECT_NE(node("B10902"), nullptr);
    EXPECT_FALSE(anyExpanded());
    EXPECT_TRUE(detailEmpty());

    click("B10902");
    press("cmd_Delete");
    kessory::Msg::queueAnswer(Answer::Yes);
    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "科目删除成功。|" + kessory::Msg::programTitle());
    EXPECT_EQ(node("B10902"), nullptr);
    EXPECT_EQ(dbRow("10902", "count(*)"), "0");
}

TEST_F(AccountWindow, ModifyStoresTheEditedFieldsOnly)
{
    click("B10202");
    press("cmd_Modify");
    EXPECT_TRUE(window->blnModify());
    EXPECT_EQ(enabledControls(), "txt_KMMC cmb_ZYGS chk_WBHS cmb_WBBZ chk_RJZ chk_YHZ");
    EXPECT_TRUE(tick("chk_RJZ")->isChecked()); // from the stored 记账方式 "3"
    QLineEdit* name = edit("txt_KMMC");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    press("cmd_Accept");
    EXPECT_EQ(lastBox(), "科目名称不能为空|缺少参数");
    EXPECT_TRUE(window->blnModify());

    typeText(name, "建设银行'浦东'");
    toggle("chk_RJZ");
    press("cmd_Accept");
    EXPECT_FALSE(window->blnModify());
    EXPECT_EQ(dbRow("10202", "科目名称, 账页格式, 外币币种, 记账方式, 级次, 末级账, 银行账"),
              "建设银行'浦东'|外币金额式|美元|2|2|1|1");
    EXPECT_EQ(node("B10202")->text(0), "10202 建设银行'浦东'");
}

TEST_F(AccountWindow, AcceptWithoutModeAndTheExpandButtonsClearTheDetail)
{
    press("cmd_Open");
    EXPECT_TRUE(node("B22101")->isExpanded());
    click("B22101");
    press("cmd_Accept");
    EXPECT_FALSE(anyExpanded());
    EXPECT_TRUE(detailEmpty());
    press("cmd_Open");
    click("B2210101");
    press("cmd_Close");
    EXPECT_FALSE(anyExpanded());
    EXPECT_TRUE(detailEmpty());
    EXPECT_EQ(enabledControls(), "");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

TEST_F(AccountWindow, AnAccountCanBeAddedFromTheKeyboard)
{
    tree->setFocus();
    for (Qt::Key key : { Qt::Key_Home, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down })
        QTest::keyClick(tree, key);
    EXPECT_EQ(edit("txt_KMBM")->text(), "102");
    const auto tabTo = [&](const char* name) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != w(name); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), w(name));
    };
    tabTo("cmd_Append");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), w("txt_KMMC"));
    typeText(QApplication::focusWidget(), "招商银行");
    tabTo("cmd_Accept");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(dbRow("10203", "科目名称"), "招商银行");
    ASSERT_NE(node("B10203"), nullptr);
    EXPECT_EQ(node("B10203")->parent(), node("B102"));
}

TEST_F(AccountWindow, AddUnderAnAccountWithoutPageFormatLocksBothTicksAtOnce)
{
    // No account with a page format has been shown since the window opened.
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账,账页格式) VALUES "
            "('199','无格式','资产类',1,1,NULL)");
    press("cmb_Refresh");
    click("B199");
    ASSERT_EQ(combo("cmb_ZYGS")->currentText(), "");
    press("cmd_Append");
    ASSERT_TRUE(window->blnAppend());
    EXPECT_FALSE(tick("chk_WBHS")->isEnabled());
    EXPECT_FALSE(tick("chk_SLHS")->isEnabled());
    EXPECT_FALSE(tick("chk_WBHS")->isChecked());
    EXPECT_FALSE(tick("chk_SLHS")->isChecked());
}

TEST_F(AccountWindow, AcceptedAddShowsTheNewAccountSelectedInItsOpenBranch)
{
    click("B10202");
    press("cmd_Append");
    const QString code = edit("txt_KMBM")->text();
    ASSERT_EQ(code, "1020201");
    const QString longName = QStringLiteral("中国建设银行北京分行美元账户");
    typeText(edit("txt_KMMC"), longName);
    press("cmd_Accept");
    QTreeWidgetItem* added = node("B" + code);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(tree->currentItem(), added);
    EXPECT_TRUE(added->isSelected());
    EXPECT_TRUE(node("B10202")->isExpanded());
    EXPECT_TRUE(node("B102")->isExpanded());
    EXPECT_TRUE(node("资产类")->isExpanded());
    EXPECT_EQ(edit("txt_KMBM")->text(), code);
    // The long name is read whole in its field.
    QLineEdit* name = edit("txt_KMMC");
    EXPECT_EQ(name->text(), longName);
    EXPECT_GE(name->width(), name->fontMetrics().horizontalAdvance(longName) + 4);
}

TEST_F(AccountWindow, TheTreeTakesTheRoomWhenTheWindowGrows)
{
    const QSize before = tree->size();
    const QSize nameBefore = edit("txt_KMMC")->size();
    window->resize(window->size() + QSize(300, 200));
    QApplication::processEvents();
    // All the room, but for what the other rows take back of what they gave up at the least size.
    EXPECT_GE(tree->width(), before.width() + 290);
    EXPECT_GE(tree->height(), before.height() + 190);
    EXPECT_EQ(edit("txt_KMMC")->size(), nameBefore);
    EXPECT_LE(w<QPushButton>("cmd_Quit")->geometry().bottom(), window->height());
}
