-- SPDX-License-Identifier: GPL-3.0-or-later
-- A classroom server's journal as the first schema version made it (no stamps of the server's
-- own, no length checks), for the upgrade's test. Loaded like postgresql-journal.sql.
--
-- Run once by the school's administrator, as a superuser, in an empty database made for it:
--
--   createdb --encoding=UTF8 --template=template0 --locale=C.UTF-8 fraction_test
--   psql -d fraction_test -v pupil_password='…' -v teacher_password='…' \
--        -f postgresql-journal.sql
--
-- fraction_pupil is the role every pupil's computer connects as: it may add attempts and
-- nothing else (it cannot read, change or delete anyone's results). fraction_teacher reads
-- the journal and may erase attempts (a parent's request to erase a child's data).
\set ON_ERROR_STOP on
-- This file is UTF-8 whatever the administrator's terminal is set to.
SET client_encoding = 'UTF8';

BEGIN;

-- The teacher's window finds pupils by any part of their name in any case: lower() has to
-- know Cyrillic, which a database in SQL_ASCII or with the C locale does not.
DO $$
BEGIN
    IF current_setting('server_encoding') <> 'UTF8' OR lower('ЁЖ') <> 'ёж' THEN
        RAISE EXCEPTION 'the journal needs a UTF8 database whose locale knows Cyrillic letters '
            '(createdb --encoding=UTF8 --template=template0 --locale=C.UTF-8 fraction_test)';
    END IF;
END
$$;

CREATE TABLE schema_version (
    version integer NOT NULL
);
INSERT INTO schema_version (version) VALUES (1);

-- One attempt per test started. Times are UTC.
CREATE TABLE attempt (
    id              uuid PRIMARY KEY,
    pupil           text NOT NULL,
    host            text NOT NULL,
    program_version text NOT NULL,
    started_at      timestamptz NOT NULL,
    ended_at        timestamptz,
    seconds_used    integer NOT NULL CHECK (seconds_used BETWEEN 0 AND 600),
    ending          text NOT NULL
                    CHECK (ending IN ('running', 'handed_in', 'timed_out', 'interrupted')),
    right_count     integer CHECK (right_count BETWEEN 0 AND 10),
    grade_text      text,
    mark            integer CHECK (mark BETWEEN 2 AND 5)
);
CREATE INDEX attempt_started_at ON attempt (started_at);
CREATE INDEX attempt_pupil ON attempt (pupil);

-- The ten exercise rows of an attempt: the operands and the key as shown, what was typed, the
-- verdict (null until judged).
CREATE TABLE attempt_row (
    attempt_id         uuid NOT NULL REFERENCES attempt (id) ON DELETE CASCADE,
    row_no             smallint NOT NULL CHECK (row_no BETWEEN 0 AND 9),
    operation          smallint NOT NULL CHECK (operation IN (1, 2)),
    first_whole        smallint NOT NULL,
    first_numerator    smallint NOT NULL,
    first_denominator  smallint NOT NULL,
    second_whole       smallint NOT NULL,
    second_numerator   smallint NOT NULL,
    second_denominator smallint NOT NULL,
    key_whole          smallint NOT NULL,
    key_numerator      smallint NOT NULL,
    key_denominator    smallint NOT NULL,
    typed_whole        text NOT NULL,
    typed_numerator    text NOT NULL,
    typed_denominator  text NOT NULL,
    verdict            boolean,
    PRIMARY KEY (attempt_id, row_no)
);

CREATE ROLE fraction_pupil LOGIN PASSWORD :'pupil_password';
CREATE ROLE fraction_teacher LOGIN PASSWORD :'teacher_password';

REVOKE ALL ON schema_version, attempt, attempt_row FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO fraction_pupil, fraction_teacher;
GRANT SELECT ON schema_version TO fraction_pupil, fraction_teacher;
-- Adding only: a repeat of the same attempt is skipped with ON CONFLICT DO NOTHING, which
-- needs no other right.
GRANT INSERT ON attempt, attempt_row TO fraction_pupil;
GRANT SELECT, DELETE ON attempt, attempt_row TO fraction_teacher;

COMMIT;
