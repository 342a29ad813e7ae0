// Every voucher command on a book that refuses writes (read-only file or folder, a full disk, another copy's lock;
// on a server a role that may only read, another seat's lock)
// says it failed, keeps the program running and leaves what is stored exactly as it was.
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "tests/support/RefusedWrites.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherStore.h"

#include <gtest/gtest.h>

using kessory::StampSet;
using kessory::VoucherStore;
using kessory::test::Refusal;
using kessory::test::RefusedWrites;
using kessory::test::TestDb;

namespace {

const QStringList kVoucherTables {
    "SELECT 编号, 凭证号码, 类别, 附单据数, 月份, 记账日期, 记账人, 审核人, 已作废 FROM 记账凭证 ORDER BY 编号",
    "SELECT 编号, 记录号, 方向, 金额, 摘要, 科目编号, 日期 FROM 记账凭证内容 ORDER BY 编号, 记录号"
};

VoucherStore loaded(qint16 number)
{
    VoucherStore store;
    auto header = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(kessory::VoucherSql::findVoucher(number, "记"), header);
    auto lines = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(kessory::VoucherSql::linesWithAccounts(static_cast<qint32>(header->integer("编号"))),
                                   lines);
    store.funLoadVoucher(*header, lines.get());
    return store;
}

class VoucherWriteFaults : public ::testing::TestWithParam<Refusal> { };

} // namespace

TEST_P(VoucherWriteFaults, EveryCommandSaysItFailedAndNothingChanges)
{
    if (kessory::test::fileOnly(GetParam()))
        KESSORY_FILE_ONLY("a folder without room for a journal and a full disk are a book file's refusals");
    kessory::Clock::setNow(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    RefusedWrites file(GetParam(), TestDb::Rows::Sample, kVoucherTables);
    VoucherStore fresh;
    fresh.funClearBuffer();
    fresh.header.凭证号码 = 99;
    fresh.header.类别 = "记";
    fresh.header.记账日期 = kessory::Clock::generalDate();
    fresh.arrLines[0].摘要 = "新凭证";
    fresh.arrLines[0].科目代码 = "101";
    fresh.arrLines[0].科目名称 = "现金";
    fresh.arrLines[0].金额 = 12.5;
    EXPECT_EQ(fresh.saveVoucher().message, "保存凭证失败。");

    VoucherStore stored = loaded(5);
    stored.arrLines[0].摘要 = "改过的摘要";
    const QString refused = stored.saveVoucher().message;
    // An unchanged header may need no write at all: the first line is then where the file refuses.
    const QStringList saveRefused { "保存凭证失败。", "在保存到第 1 条凭证明细时发生错误。" };
    EXPECT_TRUE(saveRefused.contains(refused)) << refused.toStdString();

    EXPECT_EQ(stored.voidVoucher().message, "保存凭证失败。");
    stored.header.已作废 = false;
    EXPECT_EQ(stored.auditVoucher().message, "保存凭证失败。");
    stored.header.审核人.clear();
    const QString deleteRefused = stored.deleteVoucher().message;
    EXPECT_TRUE(deleteRefused == "凭证内容删除失败。" || deleteRefused == "凭证删除失败。")
        << deleteRefused.toStdString();
    EXPECT_TRUE(RefusedWrites::texts().isEmpty()) << "the store shows nothing; the window does";

    EXPECT_EQ(file.afterRelease(), file.before());
    // Once the file takes writes again the same voucher saves (a file opened read-only stays so until restart).
    if (GetParam() != Refusal::ReadOnlyFile) {
        EXPECT_TRUE(fresh.saveVoucher());
    }
}

INSTANTIATE_TEST_SUITE_P(Refusals, VoucherWriteFaults,
                         ::testing::Values(Refusal::ReadOnlyFile, Refusal::ReadOnlyFolder, Refusal::DiskFull,
                                           Refusal::Locked),
                         [](const ::testing::TestParamInfo<Refusal>& p) {
                             return kessory::test::refusalName(p.param);
                         });
