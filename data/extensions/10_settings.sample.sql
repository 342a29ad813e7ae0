INSERT OR IGNORE INTO 账套设置 (项目, 值) VALUES ('会计年度', '2026');
INSERT OR IGNORE INTO 账套设置 (项目, 值) VALUES ('单位名称', '宏达机电制造有限公司');
INSERT OR IGNORE INTO 账套设置 (项目, 值) VALUES ('本年利润科目', '321');
