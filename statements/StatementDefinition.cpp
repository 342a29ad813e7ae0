#include "statements/StatementDefinition.h"

namespace kessory {
namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

int StatementDefinition::totalWidth() const
{
    int sum = 0;
    for (const StatementColumn& c : columns)
        sum += c.width;
    return sum;
}

const StatementDefinition& incomeStatement()
{
    static const StatementDefinition d {
        QStringLiteral("frmSYB"),
        QStringLiteral("picSYB"),
        QStringLiteral("报表管理器 - 损益表"),
        QStringLiteral("损    益    表"),
        QStringLiteral("会企02表"),
        { QStringLiteral("本 月 数"), QStringLiteral("本年累计数") },
        QStringLiteral("损益表"),
        QStringLiteral("Select * From 损益表 Order By ID"),
        { QStringLiteral("本月数"), QStringLiteral("本年累计数") },
        { { 1230, kCentre }, { 4770, kLeft }, { 1050, kCentre }, { 1800, kRight }, { 1800, kRight } },
        CaptionRule::Total,
    };
    return d;
}

const StatementDefinition& cashFlowStatement()
{
    static const StatementDefinition d {
        QStringLiteral("frmXJLLB"),
        QStringLiteral("picXJLLB"),
        QStringLiteral("报表管理器 - 现金流量表"),
        QStringLiteral("现 金 流 量 表"),
        QStringLiteral("会企03表"),
        { QStringLiteral("金     额") },
        QStringLiteral("现金流量表"),
        QStringLiteral("Select 类别,项目,行次,金额 From 现金流量表 Order By ID"),
        { QStringLiteral("金额") },
        { { 1230, kCentre }, { 6090, kLeft }, { 1050, kCentre }, { 1780, kRight } },
        CaptionRule::Section,
    };
    return d;
}

const StatementDefinition& balanceSheet()
{
    static const StatementDefinition d {
        QStringLiteral("frmZCFZB"),
        QStringLiteral("picZCFZB"),
        QStringLiteral("报表管理器 - 资产负债表"),
        QStringLiteral("资 产 负 债 表"),
        QStringLiteral("会企01表"),
        { QStringLiteral("年 初 数"), QStringLiteral("期 末 数") },
        QStringLiteral("资产负债表"),
        QStringLiteral("Select * From 资产负债表 Order By ID"),
        { QStringLiteral("年初数"), QStringLiteral("期末数") },
        { { 1230, kCentre }, { 4770, kLeft }, { 1050, kCentre }, { 1800, kRight }, { 1800, kRight } },
        CaptionRule::Total,
    };
    return d;
}

} // namespace kessory
