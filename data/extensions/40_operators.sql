-- The people who may work in the book, one row a person. 角色 is 主管, 会计 or 出纳; 口令 holds a salted hash of the
-- password (libsodium's crypto_pwhash_str text), never the password itself; a 停用 operator cannot log in. With no
-- rows the program asks for no login.
CREATE TABLE IF NOT EXISTS 操作员 (
    姓名 TEXT PRIMARY KEY NOT NULL,
    角色 TEXT NOT NULL,
    口令 TEXT NOT NULL,
    停用 INTEGER NOT NULL DEFAULT 0
);
