// The detail ledger's account boxes and pick list with account names and summaries that hold blanks, quotes, %,
// _, # and characters outside the basic plane.
#include "ledgers/ui/frmMXZ.h"
#include "shell/Clock.h"
#include "shell/ui/WindowHost.h"
#include "tests/support/GuiTest.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using kessory::test::TestDb;

namespace {

const QString kName = QStringLiteral("O'Neil \"100%\" 公司_A #1 \\ 😀𠀀");
const QString kSummary = QStringLiteral("3'; Delete From 财务科目 -- 100% _ # \\ \"x\" 𠀀");

class BadInputDetail : public kessory::test::GuiTest {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDb>(TestDb::Rows::Sample);
        kessory::Clock::setNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        const QString q
            = QStringLiteral("'") + QString(kName).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'");
        db->exec(QStringLiteral(
                     "INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账) VALUES ('10203',%1,'资产类',2,1)")
                     .arg(q));
        db->exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (901,'记',3,'2026-03-04')"));
        const QString id = db->scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 凭证号码=901"));
        db->exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) VALUES "
                                "(%1,1,0,12.5,'%2','10203','','2026-03-04')")
                     .arg(id, QString(kSummary).replace(u'\'', QStringLiteral("''"))));
        window = qobject_cast<kessory::frmMXZ*>(kessory::WindowHost::instance().open(kessory::WindowKind::MXZ));
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        db.reset();
        kessory::Clock::reset();
    }
    QString label(const char* name) { return child<QLabel>(window, QString::fromLatin1(name))->text(); }
    // Text typed as one key stroke that carries it (the box opens its list and looks the text up on the keys).
    static void commit(QWidget* box, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
        QApplication::sendEvent(box, &release);
    }
    // The summaries of the drawn slots.
    QStringList summaries()
    {
        QStringList out;
        for (int s = 0; s < 20; ++s) {
            auto* box = window->findChild<QLineEdit*>(QStringLiteral("txtZY_%1").arg(s));
            if (box && !box->text().isEmpty())
                out << box->text();
        }
        return out;
    }

    std::unique_ptr<TestDb> db;
    kessory::frmMXZ* window = nullptr;
};

} // namespace

TEST_F(BadInputDetail, NameWithBlanksQuotesAndPercentIsFoundWholeAndLoadsItsLedger)
{
    auto* box = child<QLineEdit>(window, QStringLiteral("txtKMMC_0"));
    auto* list = child<QListWidget>(window, QStringLiteral("lstKMSelect"));
    bool listed = false;
    for (int i = 0; i < list->count(); ++i)
        listed = listed || list->item(i)->text() == QStringLiteral("10203 ") + kName;
    EXPECT_TRUE(listed) << "the entry carries the whole name";

    // Each part of the name finds it, the parts after a blank too; % and _ match only themselves.
    for (const QString& part : { QStringLiteral("O'Neil"), QStringLiteral("\"100%\""), QStringLiteral("%"),
                                 QStringLiteral("_A #1"), QStringLiteral("O'Neil \"100"), QStringLiteral("😀𠀀") }) {
        box->setFocus();
        box->selectAll();
        commit(box, part);
        ASSERT_NE(list->currentItem(), nullptr) << part.toStdString();
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("10203 ") + kName) << part.toStdString();
    }

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), kName);
    EXPECT_EQ(label("lblSelectKMBH_1"), QStringLiteral("10203"));
    EXPECT_EQ(label("lblSelectKMMC"), kName);
    EXPECT_EQ(summaries(), (QStringList { QStringLiteral("期初余额"), kSummary }));
    EXPECT_EQ(window->ledger().intJLCount(), 5);

    // 刷新 reloads the same account and shows the same.
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmd_Refresh")), Qt::LeftButton);
    EXPECT_EQ(label("lblSelectKMMC"), kName);
    EXPECT_EQ(summaries(), (QStringList { QStringLiteral("期初余额"), kSummary }));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM 财务科目 WHERE 科目编号='10203'")), QStringLiteral("1"));
}

TEST_F(BadInputDetail, SheetEditorAndArrowKeysTakeTheWholeName)
{
    auto* editor = child<QLineEdit>(window, QStringLiteral("txtKMMC_1"));
    QTest::mouseClick(child<QLabel>(window, QStringLiteral("lblSelectKMMC")), Qt::LeftButton);
    ASSERT_TRUE(editor->hasFocus());
    editor->selectAll();
    commit(editor, QStringLiteral("建设"));
    QTest::keyClick(editor, Qt::Key_Down); // 10202 建设银行 → 10203, the hostile name
    EXPECT_EQ(editor->text(), kName);
    EXPECT_EQ(label("lblSelectKMBH_1"), QStringLiteral("10203"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(label("lblSelectKMMC"), kName);
    EXPECT_EQ(summaries(), (QStringList { QStringLiteral("期初余额"), kSummary }));
}

TEST_F(BadInputDetail, ChineseFromAnInputMethodOpensThePickListAndFindsTheAccount)
{
    auto* box = child<QLineEdit>(window, QStringLiteral("txtKMMC_0"));
    auto* panel = child<QWidget>(window, QStringLiteral("picKMSelect"));
    auto* list = child<QListWidget>(window, QStringLiteral("lstKMSelect"));
    box->setFocus();
    box->clear();
    EXPECT_TRUE(panel->isHidden());
    // An input method hands over the composed word whole, with no key press for it.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("建设"));
    QApplication::sendEvent(box, &commit);
    EXPECT_FALSE(panel->isHidden());
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("10202 建设银行"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(label("lblSelectKMBH_1"), QStringLiteral("10202"));
}
