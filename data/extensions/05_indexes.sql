-- Indexes the books read through, for files made before they were part of the schema (the same definitions as
-- data/schema.sql). Indexes only: the tables of the books are never altered.
-- The detail ledger's lines of an account and its sub-accounts in code and entry order, and the grouped pass of the
-- general ledger and the account summary, read this index alone.
CREATE INDEX IF NOT EXISTS 记账凭证内容_科目编号 ON 记账凭证内容 (科目编号, 编号, 记录号, 方向, 日期, 金额);
-- The voided vouchers, for the sub-selects that leave them out.
CREATE INDEX IF NOT EXISTS 记账凭证_已作废 ON 记账凭证 (编号, 已作废) WHERE 已作废;
