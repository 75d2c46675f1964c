-- SPDX-License-Identifier: GPL-3.0-or-later
-- A local journal as the first schema version wrote it: the server's tables only, no outbox,
-- with one finished attempt and one still running, each with its ten rows.
CREATE TABLE schema_version (version INTEGER NOT NULL);
INSERT INTO schema_version (version) VALUES (1);
CREATE TABLE attempt (
 id TEXT PRIMARY KEY,
 pupil TEXT NOT NULL,
 host TEXT NOT NULL,
 program_version TEXT NOT NULL,
 started_at TEXT NOT NULL,
 ended_at TEXT,
 seconds_used INTEGER NOT NULL CHECK (seconds_used BETWEEN 0 AND 600),
 ending TEXT NOT NULL
  CHECK (ending IN ('running', 'handed_in', 'timed_out', 'interrupted')),
 right_count INTEGER CHECK (right_count BETWEEN 0 AND 10),
 grade_text TEXT,
 mark INTEGER CHECK (mark BETWEEN 2 AND 5));
CREATE TABLE attempt_row (
 attempt_id TEXT NOT NULL REFERENCES attempt (id) ON DELETE CASCADE,
 row_no INTEGER NOT NULL CHECK (row_no BETWEEN 0 AND 9),
 operation INTEGER NOT NULL CHECK (operation IN (1, 2)),
 first_whole INTEGER NOT NULL,
 first_numerator INTEGER NOT NULL,
 first_denominator INTEGER NOT NULL,
 second_whole INTEGER NOT NULL,
 second_numerator INTEGER NOT NULL,
 second_denominator INTEGER NOT NULL,
 key_whole INTEGER NOT NULL,
 key_numerator INTEGER NOT NULL,
 key_denominator INTEGER NOT NULL,
 typed_whole TEXT NOT NULL,
 typed_numerator TEXT NOT NULL,
 typed_denominator TEXT NOT NULL,
 verdict INTEGER CHECK (verdict IN (0, 1)),
 PRIMARY KEY (attempt_id, row_no));
INSERT INTO attempt VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 'СИДОРОВ Олег', 'pc-3', '1.0.0',
 '2026-02-03T08:00:00.000Z', '2026-02-03T08:07:30.500Z', 450, 'handed_in', 9, 'Отлично', 5);
INSERT INTO attempt VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 'Сидорова Ольга', 'pc-4', '1.0.0',
 '2026-02-03T08:01:00.000Z', NULL, 12, 'running', NULL, NULL, NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 0, 2, 1, 1, 2, 0, 3, 4, 2, 0, 1, '2', '', '1', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 1, 1, 0, 2, 3, 1, 1, 5, 0, 4, 5, '0', '4', '5', 0);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 2, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 3, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 4, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 5, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 6, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 7, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 8, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01', 9, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', 1);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 0, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 1, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 2, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 3, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 4, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 5, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 6, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 7, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 8, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
INSERT INTO attempt_row VALUES ('6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a02', 9, 1, 0, 1, 2, 0, 1, 3, 0, 1, 6, '0', '1', '6', NULL);
