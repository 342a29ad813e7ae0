#include "ledgers/ui/frmMXZ.h"
#include "shell/Clock.h"
#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"
#include "tests/ledgers/detail_books.h"
#include "tests/support/GuiTest.h"
#include "vouchers/ui/frmPZ.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

using kessory::WindowHost;
using kessory::WindowKind;
using kessory::test::DetailBooks;
using kessory::test::TestDb;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kDarkRed(192, 0, 0);

class DetailWindow : public kessory::test::GuiTest {
protected:
    // After the test database, which resets the clock.
    static void setToday(int month) { kessory::Clock::setNow(QDateTime(QDate(2026, month, 7), QTime(9, 0))); }
    void TearDown() override
    {
        GuiTest::TearDown();
        kessory::frmMXZ::setVoucherSearch({});
        kessory::Clock::reset();
    }

    QWidget* open()
    {
        QWidget* w = WindowHost::instance().open(WindowKind::MXZ);
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }
    // Types any text, one key event pair per character (QTest's own typing knows only ASCII).
    static void type(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }

    static QString text(QWidget* w, const QString& name) { return child<QLabel>(w, name)->text(); }
    static QColor color(QWidget* w, const QString& name)
    {
        return child<QLabel>(w, name)->palette().color(QPalette::WindowText);
    }
    static double amount(QWidget* w, const QString& name)
    {
        return child<QWidget>(w, name)->property("Value").toDouble();
    }
    static QString number(QWidget* w, int slot) { return text(w, QStringLiteral("lblPZHM_%1").arg(slot)); }
    static int countOf(TestDb& db, const QString& where)
    {
        return db
            .scalar(
                QStringLiteral("SELECT count(*) FROM 记账凭证内容 c JOIN 记账凭证 h ON c.编号=h.编号 WHERE h.已作废=0 ")
                + where)
            .toInt();
    }
    static int rowsShown(const kessory::frmMXZ* w) { return w->ledger().intJLCount(); }
    // The slot showing the given number cell text after scrolling through the whole ledger, or -1.
    static int scrollTo(QWidget* w, const QString& caption)
    {
        auto* scroll = child<QScrollBar>(w, QStringLiteral("sclMXZItem"));
        for (int v = 0; v <= scroll->maximum(); ++v) {
            scroll->setValue(v);
            for (int s = 0; s < 20; ++s) {
                if (number(w, s) == caption)
                    return s;
            }
        }
        return -1;
    }
};

TEST_F(DetailWindow, OpensOnAllAccountsAndTheWholeYearWithOpeningLinesAndTotal)
{
    TestDb db(TestDb::Rows::Sample);
    setToday(12);
    auto* w = qobject_cast<kessory::frmMXZ*>(open());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmMXZ"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("账薄管理器 - 明细分类账"));
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMBH_1")), QStringLiteral("000"));
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMMC")), QStringLiteral("全部"));
    EXPECT_EQ(text(w, QStringLiteral("lblKJQJ")), QStringLiteral("全部"));
    EXPECT_EQ(text(w, QStringLiteral("lblND")), QStringLiteral("26"));
    EXPECT_EQ(rowsShown(w), countOf(db, QString()) + 4);

    EXPECT_EQ(number(w, 0), QStringLiteral("期初"));
    EXPECT_EQ(color(w, QStringLiteral("lblPZHM_0")), kGreen);
    EXPECT_EQ(text(w, QStringLiteral("lblFX_0")), QStringLiteral("平"));
    EXPECT_EQ(color(w, QStringLiteral("lblFX_0")), kBlack);
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("txtZY_0"))->text(), QStringLiteral("期初余额"));
    EXPECT_TRUE(text(w, QStringLiteral("lblMonth_0")).isEmpty());

    // The first line of the first account, in the digit columns and with its date and label.
    const QString firstCode = db.scalar(
        QStringLiteral("SELECT min(科目编号) FROM 记账凭证内容 c JOIN 记账凭证 h ON c.编号=h.编号 WHERE h.已作废=0"));
    EXPECT_EQ(child<QLabel>(w, QStringLiteral("lbl_KMBH_1"))->text(), firstCode);
    EXPECT_EQ(number(w, 1).size(), 5);
    EXPECT_EQ(text(w, QStringLiteral("lblMonth_1")).size(), 2);
    EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblPZHM_1"))->toolTip(), QStringLiteral("双击查看凭证"));
    EXPECT_GT(amount(w, QStringLiteral("csfJFJE_1")) + amount(w, QStringLiteral("csfDFJE_1")), 0.0);

    const int total = scrollTo(w, QStringLiteral("合计"));
    ASSERT_GE(total, 0);
    EXPECT_EQ(color(w, QStringLiteral("lblPZHM_%1").arg(total)), kDarkRed);
    const double debits = db.scalar(QStringLiteral("SELECT sum(金额) FROM 记账凭证内容 c JOIN 记账凭证 h ON "
                                                   "c.编号=h.编号 WHERE h.已作废=0 AND c.方向=0"))
                              .toDouble();
    EXPECT_DOUBLE_EQ(amount(w, QStringLiteral("csfJFJE_%1").arg(total)), debits);
    EXPECT_TRUE(number(w, total + 1).isEmpty());
    EXPECT_TRUE(text(w, QStringLiteral("lblFX_%1").arg(total + 1)).isEmpty());
}

TEST_F(DetailWindow, ScrollsASlotAtATimeAndKeepsAFullPageWhenEnlarged)
{
    TestDb db;
    setToday(12);
    DetailBooks books(db);
    const int v = books.voucher(12, QStringLiteral("记"), 1, 7);
    for (int i = 0; i < 26; ++i)
        books.line(v, false, QStringLiteral("1"), QStringLiteral("101"), QStringLiteral("行%1").arg(i + 1), 1);
    auto* w = qobject_cast<kessory::frmMXZ*>(open());
    ASSERT_EQ(rowsShown(w), 30);
    auto* scroll = child<QScrollBar>(w, QStringLiteral("sclMXZItem"));

    // 480 pixels high gives a sheet of seven page rows.
    w->resize(w->width(), 480);
    QApplication::processEvents();
    EXPECT_EQ(scroll->maximum(), 23);
    scroll->setValue(23);
    EXPECT_EQ(number(w, 0), QStringLiteral("记0012"));
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("txtZY_3"))->text(), QStringLiteral("行26"));
    EXPECT_EQ(number(w, 4), QStringLiteral("合计"));
    EXPECT_DOUBLE_EQ(amount(w, QStringLiteral("csfJFJE_4")), 26.0);
    EXPECT_DOUBLE_EQ(amount(w, QStringLiteral("csfDiff_4")), 26.0);
    EXPECT_EQ(text(w, QStringLiteral("lblFX_4")), QStringLiteral("借"));
    for (int s = 5; s < 20; ++s)
        EXPECT_TRUE(number(w, s).isEmpty()) << s;

    // Taller: two more page rows, the start pulled back so that the page stays full.
    w->resize(w->width(), 560);
    QApplication::processEvents();
    EXPECT_EQ(scroll->maximum(), 21);
    EXPECT_EQ(scroll->value(), 21);
    EXPECT_EQ(number(w, 6), QStringLiteral("合计"));
    EXPECT_TRUE(number(w, 7).isEmpty());

    // However tall the window, the page keeps to the twenty slots, the last one empty.
    w->resize(w->width(), 1600);
    QApplication::processEvents();
    EXPECT_EQ(scroll->maximum(), 10);
    EXPECT_EQ(number(w, 17), QStringLiteral("合计"));
    scroll->setValue(0);
    EXPECT_EQ(number(w, 18), QStringLiteral("记0012"));
    EXPECT_TRUE(number(w, 19).isEmpty());
}

TEST_F(DetailWindow, PickListFollowsTheKeysAndEnterLoadsTheAccount)
{
    TestDb db(TestDb::Rows::Sample);
    setToday(12);
    auto* w = qobject_cast<kessory::frmMXZ*>(open());
    auto* box = child<QLineEdit>(w, QStringLiteral("txtKMMC_0"));
    auto* list = child<QListWidget>(w, QStringLiteral("lstKMSelect"));
    auto* pick = child<QWidget>(w, QStringLiteral("picKMSelect"));
    ASSERT_EQ(list->item(0)->text(), QStringLiteral("000 全部"));
    EXPECT_FALSE(pick->isVisible());

    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("10"));
    EXPECT_TRUE(pick->isVisible());
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("101 现金"));

    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("102 银行存款"));
    EXPECT_EQ(box->text(), QStringLiteral("银行存款"));
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMBH_0")), QStringLiteral("102"));
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), QStringLiteral("现金"));
    QTest::keyClick(box, Qt::Key_Down);

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(pick->isVisible());
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMBH_1")), QStringLiteral("102"));
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMMC")), QStringLiteral("银行存款"));
    EXPECT_EQ(rowsShown(w), countOf(db, QStringLiteral("AND 科目编号 LIKE '102%'")) + 4);

    // Esc empties the box and its code; 查找 then loads every account.
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(text(w, QStringLiteral("lblSelectKMBH_0")).isEmpty());
    EXPECT_FALSE(pick->isVisible());
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Search")), Qt::LeftButton);
    EXPECT_EQ(rowsShown(w), countOf(db, QString()) + 4);
}

TEST_F(DetailWindow, SheetEditorCommitsOnFocusLossOnlyWithTheListOpen)
{
    TestDb db(TestDb::Rows::Sample);
    setToday(12);
    auto* w = qobject_cast<kessory::frmMXZ*>(open());
    auto* editor = child<QLineEdit>(w, QStringLiteral("txtKMMC_1"));
    auto* pick = child<QWidget>(w, QStringLiteral("picKMSelect"));
    const int all = rowsShown(w);

    QTest::mouseClick(child<QLabel>(w, QStringLiteral("lblSelectKMMC")), Qt::LeftButton);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    // Focus away with the list closed: nothing changes.
    child<QPushButton>(w, QStringLiteral("cmd_Refresh"))->setFocus();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(rowsShown(w), all);

    QTest::mouseClick(child<QLabel>(w, QStringLiteral("lblSelectKMMC")), Qt::LeftButton);
    editor->selectAll();
    type(editor, QStringLiteral("工商"));
    EXPECT_TRUE(pick->isVisible());
    child<QPushButton>(w, QStringLiteral("cmd_Refresh"))->setFocus();
    EXPECT_FALSE(pick->isVisible());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMBH_1")), QStringLiteral("10201"));
    EXPECT_EQ(text(w, QStringLiteral("lblSelectKMMC")), QStringLiteral("工商银行"));
    EXPECT_EQ(rowsShown(w), countOf(db, QStringLiteral("AND 科目编号 LIKE '10201%'")) + 4);
}

TEST_F(DetailWindow, PeriodListsLoadAMonthOrTheWholeYear)
{
    TestDb db(TestDb::Rows::Sample);
    setToday(3);
    auto* w = qobject_cast<kessory::frmMXZ*>(open());
    auto* inPlace = child<QComboBox>(w, QStringLiteral("cmbKJQJ"));
    auto* toolBar = child<QComboBox>(w, QStringLiteral("cmbSelectKJQJ"));
    const int all = rowsShown(w);

    // The tool bar's list only proposes.
    toolBar->setCurrentIndex(2);
    EXPECT_EQ(text(w, QStringLiteral("lblKJQJ")), QStringLiteral("2"));
    EXPECT_EQ(rowsShown(w), all);

    QTest::mouseClick(child<QLabel>(w, QStringLiteral("lblKJQJ")), Qt::LeftButton);
    ASSERT_TRUE(inPlace->isVisible());
    inPlace->setCurrentIndex(3);
    emit inPlace->activated(3);
    EXPECT_FALSE(inPlace->isVisible());
    EXPECT_EQ(text(w, QStringLiteral("lblKJQJ")), QStringLiteral("3"));
    EXPECT_EQ(toolBar->currentText(), QStringLiteral("3"));
    EXPECT_EQ(rowsShown(w), countOf(db, QStringLiteral("AND h.月份=3")) + 4);

    // A month after the current one loads the whole year, as does 全部.
    inPlace->setCurrentIndex(5);
    emit inPlace->activated(5);
    EXPECT_EQ(rowsShown(w), all);
    inPlace->setCurrentIndex(3);
    emit inPlace->activated(3);
    inPlace->setCurrentIndex(0);
    emit inPlace->activated(0);
    EXPECT_EQ(rowsShown(w), all);
    EXPECT_EQ(text(w, QStringLiteral("lblKJQJ")), QStringLiteral("全部"));
}

TEST_F(DetailWindow, DoubleClickOnAVoucherNumberOpensThatVoucher)
{
    TestDb db(TestDb::Rows::Sample);
    std::vector<std::pair<QString, qint16>> searched;
    kessory::frmMXZ::setVoucherSearch(
        [&searched](const QString& category, qint16 number) { searched.emplace_back(category, number); });
    QWidget* w = open();

    const int total = scrollTo(w, QStringLiteral("合计"));
    ASSERT_GE(total, 0);
    QTest::mouseDClick(child<QLabel>(w, QStringLiteral("lblPZHM_%1").arg(total)), Qt::LeftButton);
    EXPECT_TRUE(searched.empty());
    child<QScrollBar>(w, QStringLiteral("sclMXZItem"))->setValue(0);
    QTest::mouseDClick(child<QLabel>(w, QStringLiteral("lblPZHM_0")), Qt::LeftButton); // 期初
    EXPECT_TRUE(searched.empty());

    const int slot = scrollTo(w, QStringLiteral("记0012"));
    ASSERT_GE(slot, 0);
    QTest::mouseDClick(child<QLabel>(w, QStringLiteral("lblPZHM_%1").arg(slot)), Qt::LeftButton);
    ASSERT_EQ(searched.size(), 1u);
    EXPECT_EQ(searched[0].first, QStringLiteral("记"));
    EXPECT_EQ(searched[0].second, 12);

    // Through the voucher window's own search: the voucher window comes up on that voucher.
    kessory::frmMXZ::setVoucherSearch({});
    ASSERT_EQ(WindowHost::instance().find(WindowKind::PZ), nullptr);
    QTest::mouseDClick(child<QLabel>(w, QStringLiteral("lblPZHM_%1").arg(slot)), Qt::LeftButton);
    auto* pz = qobject_cast<frmPZ*>(WindowHost::instance().find(WindowKind::PZ));
    ASSERT_NE(pz, nullptr);
    EXPECT_EQ(pz->voucher().header.类别, QStringLiteral("记"));
    EXPECT_EQ(pz->voucher().header.凭证号码, 12);
}

} // namespace
