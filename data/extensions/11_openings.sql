-- Opening balances of the year, one row a leaf account, in whole fen, signed like every balance of the books:
-- credit minus debit (a debit opening is negative). A parent's opening is the sum of its leaves'.
CREATE TABLE IF NOT EXISTS 期初余额 (
    科目编号 TEXT PRIMARY KEY NOT NULL,
    余额     INTEGER NOT NULL DEFAULT 0
);
