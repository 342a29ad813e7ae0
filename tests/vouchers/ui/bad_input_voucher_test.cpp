// Hostile text in every field of the voucher window that reaches the database: it is stored and shown back
// unchanged, or refused with a message; never an SQL error, never a silent change.
#include "controls/ui/ctlCashFormat.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"

#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>

using namespace kessory::test;

namespace {

// Text as a user pastes it: through the clipboard and Ctrl+V into the box that has the focus.
void paste(const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

// Text as an input method commits it (Chinese, emoji, characters outside the basic plane).
void commit(const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

void saveByMouse(QWidget* w)
{
    // These vouchers are saved as typed, balanced or not: the question of an unbalanced one is answered Yes.
    if (w->findChild<ctlCashFormat*>(QStringLiteral("csfDiff"))->Value() != 0.0)
        kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmd_Save")), Qt::LeftButton);
    QApplication::processEvents();
}

// What the save said, past the question an unbalanced voucher asks first.
QStringList saveMessages()
{
    QStringList texts;
    for (const auto& box : kessory::Msg::shown()) {
        if (!box.text.startsWith(QStringLiteral("借贷不平衡")))
            texts << box.text;
    }
    return texts;
}

QLineEdit* edit(QWidget* w, const QString& name)
{
    auto* box = w->findChild<QLineEdit*>(name);
    EXPECT_NE(box, nullptr) << "no box " << name.toStdString();
    return box;
}

class BadInputVoucher : public VoucherWindowTest {
protected:
    // Shows voucher 记 number through the search box, as a user finds it.
    void find(frmPZ* w, int number)
    {
        edit(w, QStringLiteral("txt_Search"))->setText(QString::number(number));
        click(w, QStringLiteral("cmd_Search"));
    }
    // The stored summaries of a voucher in line order.
    static QStringList storedSummaries(TestDb& db, const QString& id, int lines)
    {
        QStringList out;
        for (int n = 1; n <= lines; ++n)
            out << db.scalar(
                QStringLiteral("SELECT 摘要 FROM 记账凭证内容 WHERE 编号=%1 AND 记录号=%2").arg(id).arg(n));
        return out;
    }
};

} // namespace

TEST_F(BadInputVoucher, HostileSummariesSaveAndShowBackUnchanged)
{
    TestDb db(TestDb::Rows::Sample);
    const int next = db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1;
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    QString longText;
    while (longText.size() < 10000)
        longText += QStringLiteral("长'%_#\\\"😀");
    // One summary per row, accounts in ascending code order, so the reload shows them in the same rows.
    const QStringList summaries {
        QStringLiteral("O'Brien \"说\" '' ' x"),
        QStringLiteral("100% _a_ #2026-01-01# True False \\n\\\\ C:\\dir\\"),
        QStringLiteral("😀 𠀀 𪚥 emoji"),
        longText,
        QStringLiteral("3'; Delete From 记账凭证; --"),
    };
    const QStringList codes { "101", "10201", "10202", "10901", "10902" };

    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    ASSERT_EQ(focused(), QStringLiteral("txtZY_0"));
    for (int r = 0; r < 5; ++r) {
        if (r == 0 || r == 1 || r == 4)
            typeText(summaries[r]);
        else if (r == 2)
            commit(summaries[r]);
        else
            paste(summaries[r]);
        ASSERT_EQ(text(w, QStringLiteral("txtZY_%1").arg(r)), summaries[r]) << "row " << r;
        key(Qt::Key_Return);
        typeText(codes[r]);
        key(Qt::Key_Return);
        ASSERT_EQ(text(w, QStringLiteral("lbl_KMBH_%1").arg(r)), codes[r]);
        typeText(QStringLiteral("1"));
        key(Qt::Key_Return);
        key(Qt::Key_Return);
    }
    settle();
    kessory::Msg::clearShown();
    saveByMouse(w);
    ASSERT_EQ(saveMessages(), QStringList { QStringLiteral("凭证记录保存成功。") });
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QString::number(before.toInt() + 1));

    const QString id = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 类别='记' AND 凭证号码=%1").arg(next));
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(storedSummaries(db, id, 5), summaries);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT length(摘要) FROM 记账凭证内容 WHERE 编号=%1 AND 记录号=4").arg(id)),
              QString::number(longText.toUcs4().size()))
        << "every character of the long text, none cut";

    click(w, QStringLiteral("cmd_Refresh"));
    find(w, next);
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), id);
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(text(w, QStringLiteral("txtZY_%1").arg(r)), summaries[r]) << "row " << r;
        EXPECT_EQ(w->voucher().arrLines[static_cast<std::size_t>(r)].摘要, summaries[r]);
    }

    // Saved again as it stands: still unchanged.
    saveByMouse(w);
    EXPECT_EQ(storedSummaries(db, id, 5), summaries);
}

TEST_F(BadInputVoucher, LineBreakPastedIntoASummaryBecomesABlank)
{
    TestDb db(TestDb::Rows::Sample);
    const int next = db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1;
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    // A single-line box shows a line break as a blank; it holds the blank, so what is shown is what is stored.
    paste(QStringLiteral("第一行\r\n第二行\n第三行\r末行\u2029"));
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("第一行 第二行 第三行 末行 "));
    key(Qt::Key_Return);
    paste(QStringLiteral("101"));
    key(Qt::Key_Return);
    ASSERT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("101"));
    typeText(QStringLiteral("5"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    settle();
    kessory::Msg::clearShown();
    saveByMouse(w);
    ASSERT_EQ(saveMessages(), QStringList { QStringLiteral("凭证记录保存成功。") });
    const QString id = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 类别='记' AND 凭证号码=%1").arg(next));
    EXPECT_EQ(storedSummaries(db, id, 1), QStringList { QStringLiteral("第一行 第二行 第三行 末行 ") });
}

TEST_F(BadInputVoucher, AttachmentCountThatNoNumberHoldsIsRefusedWithAMessage)
{
    TestDb db(TestDb::Rows::Sample);
    frmPZ* w = openActive();
    const QString id = text(w, QStringLiteral("lbl_ID"));
    const auto stored = [&] { return db.scalar(QStringLiteral("SELECT 附单据数 FROM 记账凭证 WHERE 编号=") + id); };
    const QString original = stored();
    const QString refusal = QStringLiteral("附单据数须为 0 到 32767 之间的整数。");
    QLineEdit* count = edit(w, QStringLiteral("txt_FDJS"));

    for (const QString& bad : { QStringLiteral("99999"), QStringLiteral("32768"), QStringLiteral("-1"),
                                QStringLiteral("3'; Delete From 记账凭证"), QStringLiteral("两张") }) {
        count->setFocus(Qt::MouseFocusReason);
        count->selectAll();
        commit(bad);
        kessory::Msg::clearShown();
        saveByMouse(w);
        EXPECT_EQ(shownTexts(), QStringList { refusal }) << bad.toStdString();
        EXPECT_EQ(stored(), original) << bad.toStdString();
        EXPECT_EQ(focused(), QStringLiteral("txt_FDJS"));
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 附单据数 < 0")), QStringLiteral("0"));

    // The largest count a voucher holds, and an emptied box (no attachments), save and show back.
    for (const auto& [typed, shown] :
         { std::pair { QStringLiteral("32767"), QStringLiteral("32767") },
           std::pair { QStringLiteral(" 12 "), QStringLiteral("12") }, std::pair { QString(), QStringLiteral("0") } }) {
        count->setFocus(Qt::MouseFocusReason);
        count->selectAll();
        if (typed.isEmpty())
            key(Qt::Key_Delete);
        else
            commit(typed);
        kessory::Msg::clearShown();
        saveByMouse(w);
        EXPECT_EQ(saveMessages(), QStringList { QStringLiteral("凭证记录保存成功。") }) << typed.toStdString();
        EXPECT_EQ(stored(), shown);
        EXPECT_EQ(count->text(), shown);
    }
}

TEST_F(BadInputVoucher, HostileSearchTextBreaksNothing)
{
    TestDb db(TestDb::Rows::Sample);
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    const QString idOf3 = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 类别='记' AND 凭证号码=3"));
    ASSERT_FALSE(idOf3.isEmpty());
    frmPZ* w = openActive();
    QLineEdit* box = edit(w, QStringLiteral("txt_Search"));

    // The number box is read by its leading number: this finds 记 3 and nothing else happens.
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    typeText(QStringLiteral("3'; Delete From 记账凭证 --"));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), idOf3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), before);

    // A number no voucher can carry finds nothing, even when the last possible number exists.
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (32767,'记',1,'2026-01-05')"));
    box->selectAll();
    typeText(QStringLiteral("99999"));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), idOf3) << "the shown voucher stays";

    // The category box goes into the query as quoted text.
    auto* category = child<QComboBox>(w, QStringLiteral("cmb_Search"));
    for (const QString& hostile : { QStringLiteral("记' Or '1'='1"), QStringLiteral("%"), QStringLiteral("_"),
                                    QStringLiteral("\\"), QStringLiteral("\"") }) {
        category->setEditText(hostile);
        box->setText(QStringLiteral("1"));
        kessory::Msg::clearShown();
        click(w, QStringLiteral("cmd_Search"));
        EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), idOf3) << hostile.toStdString();
        EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QString::number(before.toInt() + 1));
}

TEST_F(BadInputVoucher, NewVoucherPastTheLastNumberIsRefusedAndOverwritesNothing)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,附单据数,月份,记账日期,记账人) "
                           "VALUES (32767,'转',7,1,'2026-01-05','KEEP')"));
    frmPZ* w = openActive();
    child<QComboBox>(w, QStringLiteral("cmb_Search"))->setEditText(QStringLiteral("转"));
    const QString shownId = text(w, QStringLiteral("lbl_ID"));
    kessory::Msg::clearShown();
    click(w, QStringLiteral("cmd_CreateNew"));
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("转字凭证号码已达上限 32767，无法新增凭证。") });
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), shownId) << "no new voucher is started";
    saveByMouse(w);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 附单据数||记账人 FROM 记账凭证 WHERE 类别='转' AND 凭证号码=32767")),
              QStringLiteral("7KEEP"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 类别='转' AND 凭证号码=32767")),
              QStringLiteral("1"));
}

TEST_F(BadInputVoucher, VoucherOfTheLargestLineCountReloadsAndSavesWhole)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (900,'记',1,'2026-01-05')"));
    const QString id = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证 WHERE 凭证号码=900"));
    db.exec(QStringLiteral("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k+1 FROM n WHERE k<127) "
                           "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) "
                           "SELECT %1, k, (k%2 = 1), k, '第'||k||'行 ''%_#', '101', '', '2026-01-05' FROM n")
                .arg(id));
    frmPZ* w = openActive();
    find(w, 900);
    ASSERT_EQ(text(w, QStringLiteral("lbl_ID")), id);
    EXPECT_EQ(w->voucher().intLineCount, 127);
    kessory::Msg::clearShown();
    saveByMouse(w);
    EXPECT_EQ(saveMessages(), QStringList { QStringLiteral("凭证记录保存成功。") });
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=") + id), QStringLiteral("127"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 摘要 FROM 记账凭证内容 WHERE 编号=%1 AND 记录号=127").arg(id)),
              QStringLiteral("第127行 '%_#"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT CAST(sum(金额) AS INTEGER) FROM 记账凭证内容 WHERE 编号=") + id),
              QString::number(127 * 128 / 2));
}

TEST_F(BadInputVoucher, LookUpListFindsAndTakesANameWithBlanksQuotesAndPercent)
{
    TestDb db(TestDb::Rows::Sample);
    const QString name = QStringLiteral("O'Neil \"100%\" 公司_A 😀");
    db.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次) VALUES ('10203','O''Neil \"100%%\" "
                           "公司_A 😀','资产类',2)")
                .replace(QStringLiteral("%%"), QStringLiteral("%")));
    frmPZ* w = openActive();
    click(w, QStringLiteral("cmd_CreateNew"));
    typeText(QStringLiteral("y"));
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtKMMC_0"));
    // % and _ are no wildcards here: they find the one name that holds them.
    typeText(QStringLiteral("0%\" "));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("10203"));
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), name);
    typeText(QStringLiteral("8"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    typeText(QStringLiteral("x"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("_A"));
    key(Qt::Key_Return);
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_1")), name);
    typeText(QStringLiteral("8"));
    key(Qt::Key_Return);
    settle();
    kessory::Msg::clearShown();
    saveByMouse(w);
    ASSERT_EQ(saveMessages(), QStringList { QStringLiteral("凭证记录保存成功。") });
    EXPECT_EQ(text(w, QStringLiteral("txtKMMC_0")), name) << "shown afresh from the chart of accounts";
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_1")), QStringLiteral("10203"));

    // Choosing the other category of a new voucher at the last number is refused the same way.
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (32767,'转',1,'2026-01-05')"));
    click(w, QStringLiteral("cmd_CreateNew"));
    const QString number = text(w, QStringLiteral("lbl_PZHM"));
    auto* category = child<QComboBox>(w, QStringLiteral("cmb_PZLB"));
    kessory::Msg::clearShown();
    QMetaObject::invokeMethod(category, "activated", Q_ARG(int, 1));
    EXPECT_EQ(shownTexts(), QStringList { QStringLiteral("转字凭证号码已达上限 32767，无法新增凭证。") });
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZHM")), number);
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("记字"));
}
