-- Settings of the book, one row a setting: 会计年度 (the year the book keeps), 单位名称 (the enterprise),
-- 本年利润科目 (the account the month's profit and loss is carried to) and others added by later features.
CREATE TABLE IF NOT EXISTS 账套设置 (
    项目 TEXT PRIMARY KEY NOT NULL,
    值   TEXT
);
