#include "controls/ui/ctlCashFormat.h"
#include "shell/ui/WindowFactories.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QScrollBar>

using namespace kessory::test;

namespace {

void search(frmPZ* w, const QString& category, const QString& number)
{
    auto* box = w->findChild<QLineEdit*>(QStringLiteral("txt_Search"));
    box->setText(number);
    w->findChild<QComboBox*>(QStringLiteral("cmb_Search"))->setEditText(category);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmd_Search")), Qt::LeftButton);
}

bool enabled(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled();
}

} // namespace

TEST_F(VoucherWindowTest, OpensOnTheFirstVoucherOfTheList)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("凭证管理器"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), QStringLiteral("1"));
    EXPECT_EQ(text(w, QStringLiteral("txt_Search")), QStringLiteral("1"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZTitle")), QStringLiteral("记 账 凭 证"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("记字"));
    EXPECT_EQ(child<QDateEdit>(w, QStringLiteral("dtp_ZDRQ"))->date(), QDate(2026, 1, 2));
    EXPECT_FALSE(child<QDateEdit>(w, QStringLiteral("dtp_ZDRQ"))->isEnabled()) << "an audited voucher keeps its date";
    EXPECT_EQ(text(w, QStringLiteral("lbl_SHR")), QStringLiteral("ADMIN"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ZDR")), QStringLiteral("张会计"));
    // Lines in account code order, each amount on its own side; the totals below.
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("10201"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), QStringLiteral("工商银行"));
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfJFJE_0"))->Value(), 500000.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFJE_0"))->Value(), 0.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFJE_1"))->Value(), 500000.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfJFHJ"))->Value(), 500000.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDiff"))->Value(), 0.0);
    // Audited: the stamp shows and the rows are locked.
    EXPECT_TRUE(stampShown(w, 2));
    EXPECT_FALSE(stampShown(w, 1));
    EXPECT_FALSE(child<QLineEdit>(w, QStringLiteral("txtZY_0"))->isEnabled());
    EXPECT_FALSE(child<ctlCashFormat>(w, QStringLiteral("csfJFJE_0"))->Enabled());
    EXPECT_TRUE(enabled(w, "cmd_First"));
    EXPECT_TRUE(enabled(w, "cmd_Next"));
}

TEST_F(VoucherWindowTest, MovesStopAtBothEndsAndKeepTheShownVoucher)
{
    TestDb db(TestDb::Rows::Sample);
    const int count = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 凭证号码>0")).toInt();
    frmPZ* w = open();

    click(w, QStringLiteral("cmd_Prev"));
    EXPECT_FALSE(enabled(w, "cmd_First"));
    EXPECT_FALSE(enabled(w, "cmd_Prev"));
    EXPECT_TRUE(enabled(w, "cmd_Next"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1")) << "before the first row the first stays shown";
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("2"));

    click(w, QStringLiteral("cmd_Last"));
    const QString lastId = QString::number(count);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), lastId);
    EXPECT_FALSE(enabled(w, "cmd_Last"));
    EXPECT_FALSE(enabled(w, "cmd_Next"));
    EXPECT_TRUE(enabled(w, "cmd_Prev"));

    // One step back, then forward twice: on the last row, then past the end.
    click(w, QStringLiteral("cmd_Prev"));
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_TRUE(enabled(w, "cmd_Next"));
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_FALSE(enabled(w, "cmd_Next"));
    EXPECT_FALSE(enabled(w, "cmd_Last"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), lastId);
    click(w, QStringLiteral("cmd_Prev"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), lastId);

    click(w, QStringLiteral("cmd_First"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"));
    EXPECT_FALSE(enabled(w, "cmd_First"));
    EXPECT_FALSE(enabled(w, "cmd_Prev"));
}

TEST_F(VoucherWindowTest, EmptyBooksShowAnEmptyVoucherAndNoMoves)
{
    TestDb db;
    frmPZ* w = open();
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), QStringLiteral("0"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("记字"));
    EXPECT_TRUE(stampShown(w, 1));
    for (const char* b : { "cmd_First", "cmd_Prev", "cmd_Next", "cmd_Last" })
        EXPECT_FALSE(enabled(w, b)) << b;
}

TEST_F(VoucherWindowTest, SearchShowsTheVoucherOrKeepsTheShownOne)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = open();
    search(w, QStringLiteral("转"), QStringLiteral("3"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("转字"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZTitle")), QStringLiteral("转 账 凭 证"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), QStringLiteral("3"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("10"));

    search(w, QStringLiteral("转"), QStringLiteral("999"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("10")) << "nothing found: the shown voucher stays";
    EXPECT_EQ(text(w, QStringLiteral("txt_Search")), QStringLiteral("3"));

    // The list itself stands at the first voucher of the full list.
    click(w, QStringLiteral("cmd_Next"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("2"));

    // Enter in the number box searches too; the category text is a value, never SQL.
    search(w, QStringLiteral("记' Or '1'='1"), QStringLiteral("2"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("2"));
    auto* box = w->findChild<QLineEdit*>(QStringLiteral("txt_Search"));
    box->setText(QStringLiteral("4"));
    w->findChild<QComboBox*>(QStringLiteral("cmb_Search"))->setEditText(QStringLiteral("记"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("5"));
}

TEST_F(VoucherWindowTest, OtherWindowsOpenTheVoucherWindowOnAVoucher)
{
    TestDb db(TestDb::Rows::Sample);
    ASSERT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), nullptr);
    searchVoucher(QStringLiteral("转"), 2);
    auto* w = qobject_cast<frmPZ*>(kessory::WindowHost::instance().find(kessory::WindowKind::PZ));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("6"));
    searchVoucher(QStringLiteral("记"), 3);
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), w) << "one window of its kind";
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("3"));
}

TEST_F(VoucherWindowTest, VoidedVoucherIsLockedAndRefusesCommands)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = open();
    const QString voided
        = db.scalar(QStringLiteral("SELECT 凭证号码 FROM 记账凭证 WHERE 已作废 AND 类别='记' LIMIT 1"));
    search(w, QStringLiteral("记"), voided);
    EXPECT_TRUE(stampShown(w, 0));
    EXPECT_FALSE(stampShown(w, 2));
    EXPECT_FALSE(child<QLineEdit>(w, QStringLiteral("txtKMMC_0"))->isEnabled());
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_Delete"));
    click(w, QStringLiteral("cmd_DeleteRec"));
    click(w, QStringLiteral("cmd_SH"));
    EXPECT_EQ(shownTexts(),
              (QStringList { QStringLiteral("该凭证无法作废。"), QStringLiteral("该凭证无法完成删除操作。"),
                             QStringLiteral("无法完成审核或已审核。") }));
}

TEST_F(VoucherWindowTest, VoidAuditAndDeleteThroughTheirQuestions)
{
    TestDb db(TestDb::Rows::Sample);
    kessory::Clock::setNow(QDateTime(QDate(2026, 5, 1), QTime(9, 0)));
    frmPZ* w = open();
    search(w, QStringLiteral("记"), QStringLiteral("4"));
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("5"));
    EXPECT_TRUE(child<QLineEdit>(w, QStringLiteral("txtZY_0"))->isEnabled());

    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(kessory::Msg::Answer::No);
    click(w, QStringLiteral("cmd_SH"));
    EXPECT_FALSE(stampShown(w, 2));
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    click(w, QStringLiteral("cmd_SH"));
    EXPECT_EQ(shownTexts(),
              (QStringList { QStringLiteral("是否审核当前凭证？"), QStringLiteral("是否审核当前凭证？"),
                             QStringLiteral("凭证审核完成。") }));
    EXPECT_EQ(kessory::Msg::shown().first().buttons, kessory::Msg::Buttons::YesNo);
    EXPECT_TRUE(stampShown(w, 2)) << "the audited voucher is shown afresh";
    EXPECT_EQ(text(w, QStringLiteral("lbl_SHR")), QStringLiteral("ADMIN"));
    EXPECT_FALSE(child<QLineEdit>(w, QStringLiteral("txtZY_0"))->isEnabled());
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_Delete"));
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("该凭证无法作废。") });

    search(w, QStringLiteral("转"), QStringLiteral("2"));
    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    click(w, QStringLiteral("cmd_Delete"));
    EXPECT_EQ(shownTexts(), (QStringList { QStringLiteral("是否作废当前凭证？"), QStringLiteral("当前凭证已作废。") }));
    EXPECT_TRUE(stampShown(w, 0));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 已作废 FROM 记账凭证 WHERE 编号=6")), QStringLiteral("1"));

    search(w, QStringLiteral("记"), QStringLiteral("5"));
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("7"));
    kessory::Msg::clearShown();
    kessory::Msg::queueAnswer(kessory::Msg::Answer::No);
    click(w, QStringLiteral("cmd_DeleteRec"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号=7")), QStringLiteral("1"));
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    click(w, QStringLiteral("cmd_DeleteRec"));
    EXPECT_EQ(shownTexts(),
              (QStringList { QStringLiteral("是否删除当前凭证？"), QStringLiteral("是否删除当前凭证？"),
                             QStringLiteral("凭证删除成功。") }));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号=7")), QStringLiteral("0"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("1"))
        << "the full list is shown from its first voucher";
}

TEST_F(VoucherWindowTest, SevenLineVoucherScrollsWithoutLosingLines)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,记账人) VALUES "
                           "(500,90,'记',6,'2026-06-01 08:00:00','USER')"));
    const QStringList codes { QStringLiteral("101"),   QStringLiteral("10201"), QStringLiteral("10202"),
                              QStringLiteral("10901"), QStringLiteral("10902"), QStringLiteral("111"),
                              QStringLiteral("112") };
    for (int i = 0; i < 7; ++i) {
        db.exec(QStringLiteral(
                    "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号) VALUES (500,%1,%2,%3,'行%1','%4')")
                    .arg(i + 1)
                    .arg(i == 6 ? 1 : 0)
                    .arg(i == 6 ? 600 : 100)
                    .arg(codes[i]));
    }
    frmPZ* w = open();
    search(w, QStringLiteral("记"), QStringLiteral("90"));
    auto* bar = child<QScrollBar>(w, QStringLiteral("sclPZItem"));
    EXPECT_EQ(bar->maximum(), 2);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("行1"));
    EXPECT_FALSE(stampShown(w, 1));

    // An edit on the first page survives a trip to the last page and back.
    child<QLineEdit>(w, QStringLiteral("txtZY_1"))->setText(QStringLiteral("改过的行2"));
    bar->setValue(2);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("行3"));
    EXPECT_EQ(text(w, QStringLiteral("txtZY_4")), QStringLiteral("行7"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_4")), QStringLiteral("112"));
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFJE_4"))->Value(), 600.0);
    bar->setValue(1);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("改过的行2"));
    bar->setValue(0);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("行1"));
    EXPECT_EQ(text(w, QStringLiteral("txtZY_1")), QStringLiteral("改过的行2"));
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFJE_1"))->Value(), 0.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFHJ"))->Value(), 600.0);
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDiff"))->Value(), 0.0);
    EXPECT_EQ(w->voucher().intLineCount, 7);
}

TEST_F(VoucherWindowTest, LineWhoseAccountWasDeletedIsShownWithItsCode)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("DELETE FROM 财务科目 WHERE 科目编号='2210101'"));
    frmPZ* w = open();
    search(w, QStringLiteral("记"), QStringLiteral("3"));
    EXPECT_EQ(w->voucher().intLineCount, 3);
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("10201"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_1")), QStringLiteral("12301"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_2")), QStringLiteral("2210101"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_2")), QStringLiteral("（科目不存在）"));
    // Every line is there, so the voucher still balances.
    EXPECT_FALSE(stampShown(w, 1));
}

TEST_F(VoucherWindowTest, CategoryLabelChoosesTheCategoryOfANewVoucherOnly)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = open();
    auto* label = child<QLabel>(w, QStringLiteral("lbl_PZLB"));
    auto* list = child<QComboBox>(w, QStringLiteral("cmb_PZLB"));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(list->isHidden()) << "a stored voucher keeps its category";

    click(w, QStringLiteral("cmd_CreateNew"));
    const QString nextJi
        = QString::number(db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1);
    const QString nextZhuan
        = QString::number(db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='转'")).toInt() + 1);
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), nextJi);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("0"));
    EXPECT_FALSE(stampShown(w, 1)) << "a new empty voucher is not called unbalanced";
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_FALSE(list->isHidden());
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), nextZhuan);
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZTitle")), QStringLiteral("转 账 凭 证"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("转字"));
    EXPECT_EQ(child<QComboBox>(w, QStringLiteral("cmb_Search"))->currentText(), QStringLiteral("转"));
}

TEST_F(VoucherWindowTest, ARefusedSaveIsSaidOnceAndTheVoucherStaysShown)
{
    TestDb db(TestDb::Rows::Sample);
    db.refuse(QStringLiteral("UPDATE"), QStringLiteral("记账凭证"));
    frmPZ* w = open();
    search(w, QStringLiteral("记"), QStringLiteral("4"));
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("5"));
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_Save"));
    QApplication::processEvents();
    ASSERT_EQ(kessory::Msg::shown().size(), 1);
    EXPECT_EQ(kessory::Msg::shown()[0].text, QStringLiteral("保存凭证失败。"));
    EXPECT_EQ(kessory::Msg::shown()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("5"));
}
