// Hostile text in the account manager's fields that reach the database (name, page format, currency, unit): stored
// and shown back unchanged, in the tree, the fields and the voucher window's look-up list.
#include "accounts/ui/frmKM.h"
#include "shell/Msg.h"
#include "tests/accounts/ui/TreeClicks.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using kessory::test::TestDb;

namespace {

QString longName()
{
    QString s;
    while (s.size() < 10000)
        s += QStringLiteral("科目'\"%_#\\𠀀 ");
    return s.trimmed();
}

class BadInputAccounts : public kessory::test::GuiTest {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDb>(TestDb::Rows::Sample);
        window = qobject_cast<frmKM*>(kessory::WindowHost::instance().open(kessory::WindowKind::KM));
        ASSERT_NE(window, nullptr);
        tree = child<QTreeWidget>(window, QStringLiteral("tre_KMList"));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        kessory::Msg::clearShown();
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        db.reset();
    }
    QLineEdit* box(const char* name)
    {
        QWidget* w = child<QWidget>(window, QString::fromLatin1(name));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo->lineEdit();
        return qobject_cast<QLineEdit*>(w);
    }
    // Replaces the box's text the way a user does: select all, then the input method commits the new text.
    void enter(const char* name, const QString& text)
    {
        QLineEdit* b = box(name);
        b->setFocus(Qt::MouseFocusReason);
        b->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(b, &event);
    }
    void press(const char* name)
    {
        QTest::mouseClick(child<QPushButton>(window, QString::fromLatin1(name)), Qt::LeftButton);
    }
    QTreeWidgetItem* node(const QString& key) { return kessory::test::findNode(tree, key); }
    void click(const QString& key) { kessory::test::clickNode(tree, key); }
    QString stored(const char* column)
    {
        return db->scalar(QStringLiteral("SELECT coalesce(%1,'<null>') FROM 财务科目 WHERE 科目编号='10203'")
                              .arg(QString::fromUtf8(column)));
    }

    std::unique_ptr<TestDb> db;
    frmKM* window = nullptr;
    QTreeWidget* tree = nullptr;
};

} // namespace

TEST_F(BadInputAccounts, HostileNameFormatCurrencyAndUnitAreStoredAndShownBack)
{
    const QString name = QStringLiteral("O'Neil \"100%\" 公司_A #1# True \\ 😀𠀀");
    const QString currency = QStringLiteral("US$ 'x' %_# \\ 😀");
    const QString unit = QStringLiteral("吨'; Delete From 财务科目 --");
    click(QStringLiteral("B102"));
    press("cmd_Append");
    ASSERT_TRUE(window->blnAppend());
    enter("txt_KMMC", name);
    enter("cmb_ZYGS", QStringLiteral("数量外币式"));
    ASSERT_TRUE(child<QCheckBox>(window, QStringLiteral("chk_WBHS"))->isChecked());
    enter("cmb_WBBZ", currency);
    enter("cmb_JLDW", unit);
    press("cmd_Accept");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    ASSERT_FALSE(window->blnAppend());

    EXPECT_EQ(stored("科目名称"), name);
    EXPECT_EQ(stored("账页格式"), QStringLiteral("数量外币式"));
    EXPECT_EQ(stored("外币币种"), currency);
    EXPECT_EQ(stored("数量单位"), unit);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM 财务科目")).toInt(),
              db->scalar(QStringLiteral("SELECT count(*) FROM 财务科目 WHERE 科目编号<>'10203'")).toInt() + 1);

    ASSERT_NE(node(QStringLiteral("B10203")), nullptr);
    EXPECT_EQ(node(QStringLiteral("B10203"))->text(0), QStringLiteral("10203 ") + name);
    click(QStringLiteral("B10203"));
    EXPECT_EQ(box("txt_KMMC")->text(), name);
    EXPECT_EQ(box("cmb_WBBZ")->text(), currency);
    EXPECT_EQ(box("cmb_JLDW")->text(), unit);

    // 刷  新 reads it all again.
    press("cmb_Refresh");
    click(QStringLiteral("B10203"));
    EXPECT_EQ(box("txt_KMMC")->text(), name);
    EXPECT_EQ(box("cmb_JLDW")->text(), unit);
}

TEST_F(BadInputAccounts, ChangedNameOfTenThousandCharactersKeepsEveryCharacter)
{
    const QString name = longName();
    click(QStringLiteral("B10201"));
    press("cmd_Modify");
    QApplication::clipboard()->setText(name);
    box("txt_KMMC")->setFocus(Qt::MouseFocusReason);
    box("txt_KMMC")->selectAll();
    QTest::keyClick(box("txt_KMMC"), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(box("txt_KMMC")->text(), name);
    press("cmd_Accept");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT 科目名称 FROM 财务科目 WHERE 科目编号='10201'")), name);
    click(QStringLiteral("B10201"));
    EXPECT_EQ(box("txt_KMMC")->text(), name);
}

TEST_F(BadInputAccounts, LineBreakPastedIntoANameBecomesABlank)
{
    click(QStringLiteral("B102"));
    press("cmd_Append");
    QApplication::clipboard()->setText(QStringLiteral("农业\r\n银行\n北京分行"));
    box("txt_KMMC")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box("txt_KMMC"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box("txt_KMMC")->text(), QStringLiteral("农业 银行 北京分行"));
    enter("cmb_ZYGS", QStringLiteral("数量金额式"));
    QApplication::clipboard()->setText(QStringLiteral("千克\n"));
    box("cmb_JLDW")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box("cmb_JLDW"), Qt::Key_V, Qt::ControlModifier);
    press("cmd_Accept");
    EXPECT_EQ(stored("科目名称"), QStringLiteral("农业 银行 北京分行"));
    EXPECT_EQ(stored("数量单位"), QStringLiteral("千克")) << "blanks at the ends are trimmed, as for every field";
}
