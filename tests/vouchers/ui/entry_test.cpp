#include "accounts/ui/AccountCommands.h"
#include "controls/ui/ctlCashFormat.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"

#include <QDateEdit>
#include <QFrame>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>

using namespace kessory::test;

namespace {

double value(QWidget* w, const QString& name)
{
    return w->findChild<ctlCashFormat*>(name)->Value();
}

QString selectedEntry(QWidget* w)
{
    auto* list = w->findChild<QListWidget*>(QStringLiteral("lstKMSelect"));
    QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool lookupShown(QWidget* w)
{
    return !w->findChild<QFrame*>(QStringLiteral("picKMSelect"))->isHidden();
}

// Presses and releases the mouse over 保存, as a user does, and lets the save run.
void saveByMouse(QWidget* w)
{
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmd_Save")), Qt::LeftButton);
    QApplication::processEvents();
}

} // namespace

TEST_F(VoucherWindowTest, VoucherTypedFromTheKeyboardSavesAndShowsBack)
{
    TestDb db(TestDb::Rows::Sample);
    kessory::Clock::setNow(QDateTime(QDate(2026, 6, 10), QTime(14, 5, 0)));
    const int next = db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1;
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), QString::number(next));
    EXPECT_EQ(child<QDateEdit>(w, QStringLiteral("dtp_ZDRQ"))->date(), QDate(2026, 6, 10));
    ASSERT_EQ(focused(), QStringLiteral("txtZY_0"));

    // Row 0: summary, Enter; account by code, Enter; 250 in the debit cell, Enter twice past the credit cell.
    typeText(QStringLiteral("O'Brien 100% #1"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtKMMC_0"));
    typeText(QStringLiteral("1020"));
    EXPECT_TRUE(lookupShown(w));
    EXPECT_EQ(selectedEntry(w), QStringLiteral("10201 工商银行"));
    key(Qt::Key_Return);
    EXPECT_FALSE(lookupShown(w));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("10201"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("工商银行"));
    ASSERT_EQ(focused(), QStringLiteral("csfJFJE_0"));
    typeText(QStringLiteral("250"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("csfDFJE_0"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtZY_1"));
    settle();

    // Row 1: the account found by a part of its name; the amount on the credit side.
    typeText(QStringLiteral("付款"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("现金"));
    EXPECT_EQ(selectedEntry(w), QStringLiteral("101 现金"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("csfJFJE_1"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("250"));
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), QStringLiteral("txtZY_2"));
    // The tick stores the row just left before it takes the totals, so they count it at once.
    settle();
    EXPECT_DOUBLE_EQ(w->voucher().arrLines[1].金额, 250.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfJFHJ")), 250.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDFHJ")), 250.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDiff")), 0.0);

    kessory::Msg::clearShown();
    saveByMouse(w);
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("凭证记录保存成功。") });
    const QString id = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 类别='记' AND 凭证号码=%1").arg(next));
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), id) << "the saved voucher is shown afresh";
    EXPECT_FALSE(stampShown(w, 1));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 记账人, 制单人, 月份, 记账日期 FROM 记账凭证 WHERE 编号=") + id, "/"),
              QStringLiteral("USER//6/2026-06-10 14:05:00"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 记录号, 方向, 金额, 科目编号, 摘要 FROM 记账凭证内容 WHERE 编号=") + id
                          + QStringLiteral(" ORDER BY 记录号"),
                      ":", "|"),
              QStringLiteral("1:0:250.0:10201:O'Brien 100% #1|2:1:250.0:101:付款"));

    // 刷新 goes back to the first voucher; the search shows the typed one again, lines in account code order.
    click(w, QStringLiteral("cmd_Refresh"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    w->findChild<QLineEdit*>(QStringLiteral("txt_Search"))->setText(QString::number(next));
    click(w, QStringLiteral("cmd_Search"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), id);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("付款"));
    EXPECT_EQ(text(w, QStringLiteral("txtZY_1")), QStringLiteral("O'Brien 100% #1"));
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDFJE_0")), 250.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfJFJE_1")), 250.0);
}

TEST_F(VoucherWindowTest, SaveActsOnAClickByMouseSpaceOrEnter)
{
    TestDb db;
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    auto* save = child<QPushButton>(w, QStringLiteral("cmd_Save"));
    // Released outside the button: no save.
    QTest::mousePress(save, Qt::LeftButton);
    QTest::mouseRelease(save, Qt::LeftButton, {}, QPoint(-20, -20));
    QApplication::processEvents();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("0"));
    save->setFocus(Qt::TabFocusReason);
    QTest::keyClick(save, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("1"))
        << "a voucher without lines saves as a header";
    click(w, QStringLiteral("cmd_CreateNew"));
    save->setFocus(Qt::TabFocusReason);
    QTest::keyClick(save, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("2"));
}

TEST_F(VoucherWindowTest, IncompleteLineRefusesTheSaveAndTakesTheFocus)
{
    TestDb db(TestDb::Rows::Sample);
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    typeText(QStringLiteral("first"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("101"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("5"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    typeText(QStringLiteral("no account"));
    kessory::Msg::clearShown();
    saveByMouse(w);
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    EXPECT_EQ(focused(), QStringLiteral("txtZY_1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), before);
}

TEST_F(VoucherWindowTest, RowWithBothSidesNetsAfterTheTick)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    auto* timer = w->findChild<QTimer*>(QStringLiteral("timRefresh"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 100);
    settle();
    EXPECT_FALSE(timer->isActive()) << "one tick after the page is shown, then off";

    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("csfJFJE_0"));
    typeText(QStringLiteral("100"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("csfDFJE_0"));
    EXPECT_FALSE(timer->isActive()) << "moving between amount cells keeps the timer off";
    typeText(QStringLiteral("30"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("txtZY_1"));
    EXPECT_TRUE(timer->isActive());
    settle();
    EXPECT_FALSE(timer->isActive());
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfJFJE_0")), 70.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDFJE_0")), 0.0);
    EXPECT_DOUBLE_EQ(w->voucher().arrLines[0].金额, 70.0) << "the row is stored as netted";

    // The same amount on both sides nets to nothing.
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeText(QStringLiteral("42"));
    key(Qt::Key_Tab);
    typeText(QStringLiteral("42"));
    key(Qt::Key_Tab);
    settle();
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfJFJE_1")), 0.0);
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDFJE_1")), 0.0);
}

TEST_F(VoucherWindowTest, UnbalancedStampFollowsTheTotalsAndTheSaveAsksFirst)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    EXPECT_FALSE(stampShown(w, 1)) << "a new empty voucher";
    typeText(QStringLiteral("a"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("101"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("10"));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDiff")), 10.0) << "at each digit";
    EXPECT_TRUE(stampShown(w, 1));
    key(Qt::Key_Return);
    key(Qt::Key_Return);

    typeText(QStringLiteral("b"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("10201"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    typeText(QStringLiteral("1"));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDiff")), 9.0);
    EXPECT_TRUE(stampShown(w, 1));
    typeText(QStringLiteral("0"));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDiff")), 0.0);
    EXPECT_FALSE(stampShown(w, 1)) << "gone as soon as the sides agree";

    // 保存 while the sides differ asks first, No by default, and No saves nothing.
    child<ctlCashFormat>(w, QStringLiteral("csfDFJE_1"))->setValue(9.99);
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    kessory::Msg::clearShown();
    saveByMouse(w);
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("借贷不平衡（差额 0.01 元），是否仍然保存？") });
    EXPECT_EQ(kessory::Msg::shown()[0].buttons, kessory::Msg::Buttons::YesNoDefaultNo);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), before);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_1")), QStringLiteral("b")) << "the window as it was";

    // Yes saves an unbalanced voucher, which then cannot be audited.
    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    saveByMouse(w);
    EXPECT_EQ(shownTexts(),
              (QStringList { QStringLiteral("借贷不平衡（差额 0.01 元），是否仍然保存？"),
                             QStringLiteral("凭证记录保存成功。") }));
    EXPECT_TRUE(stampShown(w, 1));
    EXPECT_DOUBLE_EQ(value(w, QStringLiteral("csfDiff")), 0.01);
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_SH"));
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("无法完成审核或已审核。") });
}

TEST_F(VoucherWindowTest, AccountLookupFollowsTypingArrowsEnterAndEscape)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("txtKMMC_0"));
    EXPECT_FALSE(lookupShown(w));
    typeText(QStringLiteral("10"));
    EXPECT_TRUE(lookupShown(w));
    EXPECT_EQ(selectedEntry(w), QStringLiteral("101 现金"));
    key(Qt::Key_Down);
    EXPECT_EQ(selectedEntry(w), QStringLiteral("102 银行存款"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("银行存款"));
    key(Qt::Key_Down);
    EXPECT_EQ(selectedEntry(w), QStringLiteral("10201 工商银行"));
    key(Qt::Key_Up);
    EXPECT_EQ(selectedEntry(w), QStringLiteral("102 银行存款"));
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(selectedEntry(w), QString()) << "up from the first entry leaves no selection";
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("现金"));
    key(Qt::Key_Down);
    EXPECT_EQ(selectedEntry(w), QStringLiteral("101 现金"));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("101"));
    EXPECT_EQ(focused(), QStringLiteral("csfJFJE_0"));

    // Back in the box: Escape empties name and code and hides the list.
    child<QLineEdit>(w, QStringLiteral("txtKMMC_0"))->setFocus(Qt::MouseFocusReason);
    typeText(QStringLiteral("x"));
    EXPECT_TRUE(lookupShown(w));
    key(Qt::Key_Escape);
    EXPECT_FALSE(lookupShown(w));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QString());
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QString());

    // Enter with the list hidden opens it under the name box.
    key(Qt::Key_Return);
    EXPECT_TRUE(lookupShown(w));
    EXPECT_EQ(focused(), QStringLiteral("txtKMMC_0"));
    auto* panel = w->findChild<QFrame*>(QStringLiteral("picKMSelect"));
    auto* box = child<QLineEdit>(w, QStringLiteral("txtKMMC_0"));
    EXPECT_EQ(panel->mapToGlobal(QPoint(0, 0)).y(), box->mapToGlobal(QPoint(0, box->height())).y());
}

TEST_F(VoucherWindowTest, TabRunsRowByRow)
{
    TestDb db;
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    QStringList order { focused() };
    for (int i = 0; i < 9; ++i) {
        key(Qt::Key_Tab);
        order << focused();
    }
    EXPECT_EQ(order,
              (QStringList { QStringLiteral("txtZY_0"), QStringLiteral("txtKMMC_0"), QStringLiteral("csfJFJE_0"),
                             QStringLiteral("csfDFJE_0"), QStringLiteral("txtZY_1"), QStringLiteral("txtKMMC_1"),
                             QStringLiteral("csfJFJE_1"), QStringLiteral("csfDFJE_1"), QStringLiteral("txtZY_2"),
                             QStringLiteral("txtKMMC_2") }));
}

TEST_F(VoucherWindowTest, QuotesInTypedTextsSaveAndShowBack)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    child<QLineEdit>(w, QStringLiteral("txt_FDJS"))->setText(QStringLiteral("3"));
    typeText(QStringLiteral("it's 50% #2"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("101"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("7"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes); // saved unbalanced on purpose
    saveByMouse(w);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("it's 50% #2"));
    EXPECT_EQ(text(w, QStringLiteral("txt_FDJS")), QStringLiteral("3"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 摘要='it''s 50% #2'")),
              QStringLiteral("1"));
}

TEST_F(VoucherWindowTest, ChineseFromAnInputMethodOpensTheLookupAndFindsTheAccount)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("txtKMMC_0"));
    // An input method hands over the composed word whole, with no key press for it.
    QInputMethodEvent compose(QStringLiteral("gongshang"), {});
    QApplication::sendEvent(QApplication::focusWidget(), &compose);
    EXPECT_FALSE(lookupShown(w)) << "text still being composed is no input yet";
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("工商"));
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    EXPECT_TRUE(lookupShown(w));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("工商"));
    EXPECT_EQ(selectedEntry(w), QStringLiteral("10201 工商银行"));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("10201"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("工商银行"));
}

TEST_F(VoucherWindowTest, AnAccountAddedInTheManagerIsInTheLookupAtTheNextDisplay)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    auto* list = w->findChild<QListWidget*>(QStringLiteral("lstKMSelect"));
    EXPECT_TRUE(list->findItems(QStringLiteral("10203 农业银行"), Qt::MatchExactly).isEmpty());
    kessory::accounts::AccountInput input;
    input.code = QStringLiteral("10203");
    input.name = QStringLiteral("农业银行");
    input.category = QStringLiteral("资产类");
    ASSERT_EQ(kessory::accounts::funAddAccount(input), kessory::accounts::WriteResult::Written);
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_EQ(list->findItems(QStringLiteral("10203 农业银行"), Qt::MatchExactly).size(), 1);
}
