-- Report formulas (取数公式): per statement (the template table's name: 资产负债表, 损益表, 现金流量表), line (行次)
-- and value column (列名: 本月数, 本年累计数, 年初数, 期末数, 金额), the formula that computes the figure from the books.
-- The language is described in docs/FORMULAS.md. A line without a formula shows its stored value; a statement
-- with no formula at all shows its stored figures exactly as stored.
CREATE TABLE IF NOT EXISTS 报表公式 (
    报表 TEXT    NOT NULL,
    行次 INTEGER NOT NULL,
    列名 TEXT    NOT NULL,
    公式 TEXT    NOT NULL DEFAULT '',
    PRIMARY KEY (报表, 行次, 列名)
);
