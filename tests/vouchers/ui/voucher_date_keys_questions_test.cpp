#include "controls/ui/ctlCashFormat.h"
#include "shell/basSysFunction.h"
#include "shell/ui/WindowFactories.h"
#include "shell/ui/mdiKessory.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace kessory::test;
using kessory::Msg::Answer;

namespace {

QDateEdit* dateField(QWidget* w)
{
    return w->findChild<QDateEdit*>(QStringLiteral("dtp_ZDRQ"));
}

// Types a date into the date field from the keyboard, section by section.
void typeDate(QWidget* w, const QString& digits)
{
    QDateEdit* field = dateField(w);
    field->setFocus(Qt::TabFocusReason);
    field->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(field, digits);
}

void press(QWidget* w, QKeyCombination keys)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, keys.key(),
                    keys.keyboardModifiers());
    QApplication::processEvents();
}

// The voucher window with a voucher typed from the keyboard.
class VoucherEntry : public VoucherWindowTest {
protected:
    // A new voucher with one balanced pair of lines, typed from the keyboard.
    static void typeBalancedPair(frmPZ* w)
    {
        w->findChild<QLineEdit*>(QStringLiteral("txtZY_0"))->setFocus(Qt::TabFocusReason);
        for (const auto& [summary, account, debit] : { std::tuple { "in", "10201", true }, { "out", "101", false } }) {
            typeText(QString::fromLatin1(summary));
            key(Qt::Key_Return);
            typeText(QString::fromLatin1(account));
            key(Qt::Key_Return);
            if (!debit)
                key(Qt::Key_Return);
            typeText(QStringLiteral("25"));
            key(Qt::Key_Return);
            if (debit)
                key(Qt::Key_Return);
        }
    }
};

} // namespace

TEST_F(VoucherEntry, DateIsTypedOrRefusedAndMonthFollowsIt)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("DELETE FROM 账套设置 WHERE 项目='会计年度'"));
    kessory::Clock::setNow(QDateTime(QDate(2026, 6, 10), QTime(14, 5, 0)));
    const QString vouchers = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    const QString next
        = QString::number(db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1);
    const QString saved = QStringLiteral("SELECT 凭证号码, 月份, 记账日期 FROM 记账凭证 WHERE "
                                         "编号=(SELECT max(编号) FROM 记账凭证)");
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    ASSERT_TRUE(dateField(w)->isEnabled());
    EXPECT_TRUE(dateField(w)->calendarPopup());
    EXPECT_EQ(dateField(w)->date(), QDate(2026, 6, 10));
    typeBalancedPair(w);

    // A date outside the book's year (the year of its latest voucher date) is refused and nothing is written.
    typeDate(w, QStringLiteral("20251231"));
    ASSERT_EQ(dateField(w)->date(), QDate(2025, 12, 31));
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_Save"));
    EXPECT_EQ(shownTexts(),
              QStringList {
                  QStringLiteral("制单日期 2025-12-31 不在本账套的会计年度（2026 年）内，请改为 2026 年的日期。") });
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), vouchers);

    // Last month's voucher entered this month: its date and month are the ones given, its number the next one.
    typeDate(w, QStringLiteral("20260528"));
    click(w, QStringLiteral("cmd_Save"));
    EXPECT_EQ(db.rows(saved, "/"), QStringLiteral("%1/5/2026-05-28 14:05:00").arg(next));

    // A stored voucher that is neither audited nor voided takes a new date too; its number stays.
    ASSERT_TRUE(dateField(w)->isEnabled());
    typeDate(w, QStringLiteral("20260303"));
    click(w, QStringLiteral("cmd_Save"));
    EXPECT_EQ(db.rows(saved, "/"), QStringLiteral("%1/3/2026-03-03 14:05:00").arg(next));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")).toInt(), vouchers.toInt() + 1);

    // Once audited, the date is locked.
    kessory::Msg::queueAnswer(Answer::Yes);
    click(w, QStringLiteral("cmd_SH"));
    EXPECT_FALSE(dateField(w)->isEnabled());
}

TEST_F(VoucherEntry, UnsavedTypingIsNeverDroppedWithoutAsking)
{
    TestDb db(TestDb::Rows::Sample);
    const QString shownId = db.scalar(
        QStringLiteral("SELECT min(编号) FROM 记账凭证 WHERE coalesce(审核人,'')='' AND 已作废=0 AND 凭证号码>0"));
    frmPZ* w = openActive();
    while (text(w, QStringLiteral("lbl_ID")) != shownId
           && child<QPushButton>(w, QStringLiteral("cmd_Next"))->isEnabled())
        click(w, QStringLiteral("cmd_Next"));
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), shownId);
    const QString summary = text(w, QStringLiteral("txtZY_0"));

    auto* box = child<QLineEdit>(w, QStringLiteral("txtZY_0"));
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_End);
    typeText(QStringLiteral("X"));
    const QString question = QStringLiteral("凭证已修改，是否保存？");

    // 取消 keeps everything: for a move, 新增, the search, 刷新 and closing alike.
    for (const char* command : { "cmd_Next", "cmd_CreateNew", "cmd_Search", "cmd_Refresh", "cmd_Quit" }) {
        kessory::Msg::clearShown();
        kessory::Msg::queueAnswer(Answer::Cancel);
        click(w, QString::fromLatin1(command));
        EXPECT_EQ(shownTexts(), QStringList { question }) << command;
        ASSERT_EQ(kessory::Msg::shown().last().buttons, kessory::Msg::Buttons::YesNoCancel);
        EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), shownId) << command;
        EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), summary + QStringLiteral("X")) << command;
    }
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), w);

    // 是 saves, then the move goes on from the voucher that was shown.
    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(Answer::Yes);
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_EQ(shownTexts(), (QStringList { question, QStringLiteral("凭证记录保存成功。") }));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 摘要=%1 AND 编号=%2")
                            .arg(QStringLiteral("'") + summary + QStringLiteral("X'"), shownId)),
              QStringLiteral("1"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")),
              db.scalar(QStringLiteral("SELECT min(编号) FROM 记账凭证 WHERE 凭证号码>0 AND 编号>") + shownId));
    // A voucher just shown asks nothing.
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_Prev"));
    EXPECT_EQ(shownTexts(), QStringList());
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), shownId);

    // 否 gives the typing up.
    click(w, QStringLiteral("cmd_CreateNew"));
    typeText(QStringLiteral("given up"));
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_First"));
    EXPECT_EQ(shownTexts(), QStringList { question });
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 摘要='given up'")),
              QStringLiteral("0"));
}

TEST_F(VoucherEntry, EndingTheProgramAsksTheVoucherWindowFirst)
{
    TestDb db(TestDb::Rows::Sample);
    mdiKessory main;
    main.show();
    auto* w = qobject_cast<frmPZ*>(kessory::WindowHost::instance().open(kessory::WindowKind::PZ));
    ASSERT_NE(w, nullptr);
    click(w, QStringLiteral("cmd_CreateNew"));
    QTest::keyClicks(child<QLineEdit>(w, QStringLiteral("txtZY_0")), QStringLiteral("half typed"));
    const int exits = basSysFunction::exitCount();

    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(Answer::Cancel);
    EXPECT_FALSE(main.close());
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("凭证已修改，是否保存？") });
    EXPECT_EQ(basSysFunction::exitCount(), exits);
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), w);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("half typed"));

    kessory::Msg::queueAnswer(Answer::No);
    EXPECT_TRUE(main.close());
    EXPECT_EQ(basSysFunction::exitCount(), exits + 1);
}

TEST_F(VoucherEntry, KeyboardReachesEveryCommandAndTipsNameTheKeys)
{
    TestDb db(TestDb::Rows::Sample);
    const int count = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 凭证号码>0")).toInt();
    const QString lastId = db.scalar(QStringLiteral("SELECT max(编号) FROM 记账凭证 WHERE 凭证号码>0"));
    frmPZ* w = openActive();
    child<QLineEdit>(w, QStringLiteral("txtZY_0"))->setFocus(Qt::TabFocusReason);

    press(w, Qt::Key_PageDown);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("2"));
    press(w, Qt::Key_PageUp);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    press(w, Qt::CTRL | Qt::Key_End);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), lastId);
    press(w, Qt::CTRL | Qt::Key_Home);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    press(w, Qt::Key_PageDown);
    press(w, Qt::Key_F5);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    press(w, Qt::CTRL | Qt::Key_F);
    EXPECT_EQ(focused(), QStringLiteral("txt_Search"));

    // A voucher typed, saved and found again without the mouse.
    press(w, Qt::CTRL | Qt::Key_N);
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("0"));
    const QString number = text(w, QStringLiteral("lbl_PZHM"));
    typeBalancedPair(w);
    kessory::Msg::clearShown();
    press(w, Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("凭证记录保存成功。") });
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 凭证号码>0")).toInt(), count + 1);
    press(w, Qt::CTRL | Qt::Key_F);
    typeText(number);
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), number);

    // Enter and Space on a focused button act as a click.
    auto* next = child<QPushButton>(w, QStringLiteral("cmd_First"));
    next->setFocus(Qt::TabFocusReason);
    QTest::keyClick(next, Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    auto* last = child<QPushButton>(w, QStringLiteral("cmd_Last"));
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Space);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")),
              QString::number(db.scalar(QStringLiteral("SELECT max(编号) FROM 记账凭证")).toInt()));

    const QKeySequence::SequenceFormat f = QKeySequence::NativeText;
    for (const auto& [name, keys] : { std::pair { "cmd_Save", QKeySequence(Qt::CTRL | Qt::Key_S) },
                                      { "cmd_CreateNew", QKeySequence(Qt::CTRL | Qt::Key_N) },
                                      { "cmd_Prev", QKeySequence(Qt::Key_PageUp) },
                                      { "cmd_Next", QKeySequence(Qt::Key_PageDown) },
                                      { "cmd_First", QKeySequence(Qt::CTRL | Qt::Key_Home) },
                                      { "cmd_Last", QKeySequence(Qt::CTRL | Qt::Key_End) },
                                      { "cmd_Refresh", QKeySequence(Qt::Key_F5) },
                                      { "cmd_Quit", QKeySequence(Qt::Key_Escape) } })
        EXPECT_TRUE(child<QPushButton>(w, QString::fromLatin1(name))->toolTip().contains(keys.toString(f))) << name;

    // Esc closes, after item 5's question; in the account name box it empties the box instead.
    auto* name = child<QLineEdit>(w, QStringLiteral("txtKMMC_0"));
    click(w, QStringLiteral("cmd_CreateNew"));
    name->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("10"));
    press(w, Qt::Key_Escape);
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), w);
    child<QLineEdit>(w, QStringLiteral("txtZY_0"))->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("x"));
    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(Answer::Cancel);
    press(w, Qt::Key_Escape);
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("凭证已修改，是否保存？") });
    ASSERT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), w);
    kessory::Msg::queueAnswer(Answer::No);
    press(w, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), nullptr);
}

TEST_F(VoucherEntry, OtherWindowsTakeTheSameKeys)
{
    TestDb db(TestDb::Rows::Sample);
    for (const auto kind : { kessory::WindowKind::MXZ, kessory::WindowKind::ZZ, kessory::WindowKind::KMHZB,
                             kessory::WindowKind::SYB, kessory::WindowKind::KM }) {
        QWidget* w = kessory::WindowHost::instance().open(kind);
        ASSERT_NE(w, nullptr);
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        auto* refresh = w->findChild<QPushButton*>(QStringLiteral("cmd_Refresh"));
        if (!refresh)
            refresh = w->findChild<QPushButton*>(QStringLiteral("cmb_Refresh"));
        ASSERT_NE(refresh, nullptr) << w->objectName().toStdString();
        EXPECT_TRUE(refresh->toolTip().contains(QStringLiteral("F5"))) << w->objectName().toStdString();
        int refreshed = 0;
        QObject::connect(refresh, &QPushButton::clicked, [&refreshed] { ++refreshed; });
        refresh->setFocus(Qt::TabFocusReason);
        QTest::keyClick(refresh, Qt::Key_Return);
        QTest::keyClick(refresh, Qt::Key_F5);
        EXPECT_EQ(refreshed, 2) << w->objectName().toStdString();
        QTest::keyClick(refresh, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(kessory::WindowHost::instance().find(kind), nullptr) << w->objectName().toStdString();
    }
}

TEST_F(VoucherEntry, TotalsFollowEveryAmountAlsoFromDebitStraightToCredit)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("csfJFJE_0"));
    typeText(QStringLiteral("100"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("csfDFJE_0"));
    settle();
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfJFHJ"))->Value(), 100.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDiff"))->Value(), 100.0);
    typeText(QStringLiteral("30"));
    settle();
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfJFHJ"))->Value(), 70.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFHJ"))->Value(), 0.0);
}

TEST_F(VoucherEntry, ALedgerDoubleClickNamesTheFoundVoucherInTheSearchBoxes)
{
    TestDb db(TestDb::Rows::Sample);
    searchVoucher(QStringLiteral("转"), 2);
    auto* w = qobject_cast<frmPZ*>(kessory::WindowHost::instance().find(kessory::WindowKind::PZ));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("6"));
    EXPECT_EQ(child<QComboBox>(w, QStringLiteral("cmb_Search"))->currentText(), QStringLiteral("转"));
    EXPECT_EQ(text(w, QStringLiteral("txt_Search")), QStringLiteral("2"));
}
