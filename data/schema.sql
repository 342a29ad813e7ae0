-- The books of one enterprise for one accounting year. The program reads and writes these tables; it never creates
-- or alters them: the file DATA/DATA.DAT is made from this text by tools/mkdatadat.

CREATE TABLE 记账凭证 (
    编号     INTEGER PRIMARY KEY AUTOINCREMENT,
    凭证号码 INTEGER NOT NULL DEFAULT 0,
    类别     TEXT    NOT NULL DEFAULT '记',
    附单据数 INTEGER NOT NULL DEFAULT 0,
    月份     INTEGER NOT NULL DEFAULT 0,
    记账日期 TEXT,
    记账人   TEXT    DEFAULT '',
    审核人   TEXT    DEFAULT '',
    制单人   TEXT    DEFAULT '',
    已作废   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX 记账凭证_号码类别 ON 记账凭证 (凭证号码, 类别);
-- The books leave voided vouchers out with a sub-select of their ids; this keeps it to the voided ones.
CREATE INDEX 记账凭证_已作废 ON 记账凭证 (编号, 已作废) WHERE 已作废;

CREATE TABLE 记账凭证内容 (
    编号     INTEGER NOT NULL,
    记录号   INTEGER NOT NULL,
    方向     INTEGER NOT NULL DEFAULT 0,
    金额     REAL    NOT NULL DEFAULT 0,
    摘要     TEXT    DEFAULT '',
    科目编号 TEXT    DEFAULT '',
    备注     TEXT,
    日期     TEXT
);
CREATE UNIQUE INDEX 记账凭证内容_编号记录号 ON 记账凭证内容 (编号, 记录号);
-- Carries every column the ledgers' per-account sums read, so those sums never visit the table itself; 记录号
-- keeps the lines of one account within a voucher in entry order.
CREATE INDEX 记账凭证内容_科目编号 ON 记账凭证内容 (科目编号, 编号, 记录号, 方向, 日期, 金额);
-- The general ledger and the account summary sum one side of one account at a time, the side written as a bare
-- test (方向, Not 方向) or as an equality (方向 = True/False): each form finds an index that holds that side's lines
-- only, so a sum reads half the lines of the account.
CREATE INDEX 记账凭证内容_贷方 ON 记账凭证内容 (科目编号, 方向, 日期, 金额, 编号) WHERE 方向;
CREATE INDEX 记账凭证内容_借方 ON 记账凭证内容 (科目编号, 方向, 日期, 金额, 编号) WHERE NOT 方向;
CREATE INDEX 记账凭证内容_方向科目 ON 记账凭证内容 (方向, 科目编号, 日期, 金额, 编号);

CREATE TABLE 财务科目 (
    科目编号 TEXT PRIMARY KEY,
    科目名称 TEXT NOT NULL DEFAULT '',
    科目类别 TEXT DEFAULT '',
    级次     INTEGER NOT NULL DEFAULT 1,
    末级账   INTEGER NOT NULL DEFAULT 1,
    现金账   INTEGER NOT NULL DEFAULT 0,
    银行账   INTEGER NOT NULL DEFAULT 0,
    余额方向 INTEGER NOT NULL DEFAULT 0,
    科目性质 INTEGER NOT NULL DEFAULT 0,
    账页格式 TEXT,
    外币币种 TEXT,
    数量单位 TEXT,
    记账方式 TEXT DEFAULT '0'
);

CREATE TABLE 财务科目类别 (
    编号     TEXT PRIMARY KEY,
    类别名称 TEXT NOT NULL
);

CREATE TABLE 部门分类 (
    部门编号 TEXT PRIMARY KEY,
    部门名称 TEXT NOT NULL
);

CREATE TABLE 损益表 (
    ID         INTEGER PRIMARY KEY,
    类别       TEXT,
    项目       TEXT,
    行次       INTEGER,
    本月数     REAL,
    本年累计数 REAL
);

CREATE TABLE 现金流量表 (
    ID   INTEGER PRIMARY KEY,
    类别 TEXT,
    项目 TEXT,
    行次 INTEGER,
    金额 REAL
);

CREATE TABLE 资产负债表 (
    ID     INTEGER PRIMARY KEY,
    类别   TEXT,
    项目   TEXT,
    行次   INTEGER,
    年初数 REAL,
    期末数 REAL
);

-- The enterprise whose books these are (its name heads the statements). Optional: without it the statements show
-- no preparer's name.
CREATE TABLE 单位信息 (
    单位名称 TEXT NOT NULL DEFAULT ''
);
