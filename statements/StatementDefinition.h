#pragma once

#include "statements/StatementCaption.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kessory {

// One grid column of a statement: its width in twips and how its cells are aligned.
struct StatementColumn {
    int width = 0;
    Qt::Alignment alignment;
};

// Everything by which the three statement windows differ; the window frame, the fill and the layout are shared.
struct StatementDefinition {
    QString windowName; // frmSYB
    QString frameName; // picSYB; the sheet inside it is frameName + "Sheet"
    QString windowCaption; // 报表管理器 - 损益表
    QString title; // Label5
    QString formNumber; // Label7
    QStringList valueHeadings; // Label2 and, with two value columns, Label4
    QString table; // the template table (损益表 …); also names the statement's formulas
    QString query;
    QStringList valueFields; // the template columns shown in grid columns 3 (and 4)
    std::vector<StatementColumn> columns;
    CaptionRule rule = CaptionRule::Total;

    int columnCount() const { return static_cast<int>(columns.size()); }
    // The columns' widths together, in twips.
    int totalWidth() const;
};

const StatementDefinition& incomeStatement();
const StatementDefinition& cashFlowStatement();
const StatementDefinition& balanceSheet();

} // namespace kessory
