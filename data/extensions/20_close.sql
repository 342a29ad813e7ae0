-- Months of the book's year that are closed (结账), one row a month. Months close in order from January, so the rows
-- are always 1 up to the latest closed month; a voucher dated in one of them can no longer be written.
CREATE TABLE IF NOT EXISTS 已结账月份 (
    月份     INTEGER PRIMARY KEY NOT NULL,
    结账时间 TEXT
);
