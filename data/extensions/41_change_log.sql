-- Every write of the program, one row each, in the transaction of the write: when, by whom, what and on which
-- voucher (对象 = its 编号, 说明 = e.g. 记0007), account (对象 = its code) or other object, with 摘要 = a SHA-256
-- over the affected rows as stored after the change ('' when they are gone). 哈希 is a SHA-256 over the row's own
-- content and 前哈希, the previous row's 哈希: a row edited or removed breaks the chain.
CREATE TABLE IF NOT EXISTS 操作日志 (
    序号     INTEGER PRIMARY KEY AUTOINCREMENT,
    时间     TEXT NOT NULL,
    操作员   TEXT NOT NULL,
    动作     TEXT NOT NULL,
    对象类型 TEXT NOT NULL,
    对象     TEXT NOT NULL,
    说明     TEXT NOT NULL DEFAULT '',
    摘要     TEXT NOT NULL DEFAULT '',
    前哈希   TEXT NOT NULL,
    哈希     TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS 操作日志_对象 ON 操作日志 (对象类型, 对象, 序号);
