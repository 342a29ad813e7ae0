#pragma once

#include "output/VoucherSelection.h"

#include <QRectF>

class QPagedPaintDevice;
class QPainter;

namespace kessory {

// The paper a voucher prints on: voucher paper of 240 × 140 mm, or A4 with two vouchers to a page.
enum class VoucherPaperKind { Voucher, A4Twice };

// Line rows on one printed form; a voucher with more lines goes on over further forms, its totals on the last.
constexpr int kVoucherFormRows = 6;

// The forms a voucher takes.
int voucherFormCount(const PrintedVoucher& voucher);

// Paints form `form` of a voucher into a rect of the page (its 240 × 140 mm scaled to fit): the title on its double
// rule, 字 and 号, 制单日期, 附单据数, the ruled lines with 摘要, 会计科目, 借方金额 and 贷方金额, the totals with
// the total in capital figures, the 记账 / 审核 / 制单 names, and the 作废 stamp over a voided voucher.
void paintVoucherForm(QPainter& painter, const QRectF& target, const PrintedVoucher& voucher, int form);

// Sets the device's page for the paper (call before the painter begins).
void setVoucherPage(QPagedPaintDevice& device, VoucherPaperKind paper);
// Paints every form of every voucher, a page (or half an A4 page) each.
void paintVouchers(const std::vector<PrintedVoucher>& vouchers, VoucherPaperKind paper, QPagedPaintDevice& device,
                   QPainter& painter);

} // namespace kessory
