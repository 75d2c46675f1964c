-- SPDX-License-Identifier: GPL-3.0-or-later
-- The classroom journal on a PostgreSQL server: its tables, the server's own stamps on each
-- attempt, and two roles.
--
-- Run once by the school's administrator, as a superuser, in an empty database made for it
-- (fraction-test-server-setup does all of this, TLS and the network's access included):
--
--   createdb --encoding=UTF8 --template=template0 --locale=C.UTF-8 fraction_test
--   psql -d fraction_test -v pupil_password='…' -v teacher_password='…' \
--        -f postgresql-journal.sql
--
-- A journal made by the first version of this file is brought up to this one by
-- postgresql-journal-upgrade-2.sql instead.
--
-- fraction_pupil is the role every pupil's computer connects as: it may add attempts and
-- nothing else (it cannot read, change or delete anyone's results, nor choose the stamps the
-- server puts on what it adds). A role made for one computer is a member of fraction_pupil
-- and has the same rights. fraction_teacher reads the journal and may erase attempts (a
-- parent's request to erase a child's data).
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
INSERT INTO schema_version (version) VALUES (2);

-- One attempt per test started. Times are UTC. Every text is bounded: whatever a pupil's
-- computer sends, one attempt stays small enough to show and print. The test lasts ten
-- minutes, so no more than 600 seconds can be used.
--
-- received_at, received_from and received_role are the server's: when the attempt arrived by
-- the server's clock, from which address, and which login role sent it. The pupils' role may
-- not name them, and the trigger below writes them whoever inserts.
CREATE TABLE attempt (
    id              uuid PRIMARY KEY,
    pupil           text NOT NULL CHECK (char_length(pupil) <= 200),
    host            text NOT NULL CHECK (char_length(host) <= 200),
    program_version text NOT NULL CHECK (char_length(program_version) <= 50),
    started_at      timestamptz NOT NULL,
    ended_at        timestamptz,
    seconds_used    integer NOT NULL CHECK (seconds_used BETWEEN 0 AND 600),
    ending          text NOT NULL
                    CHECK (ending IN ('running', 'handed_in', 'timed_out', 'interrupted')),
    right_count     integer CHECK (right_count BETWEEN 0 AND 10),
    grade_text      text CHECK (char_length(grade_text) <= 50),
    mark            integer CHECK (mark BETWEEN 2 AND 5),
    received_at     timestamptz NOT NULL DEFAULT now(),
    received_from   inet DEFAULT inet_client_addr(),
    received_role   text NOT NULL DEFAULT session_user
);
CREATE INDEX attempt_started_at ON attempt (started_at);
CREATE INDEX attempt_pupil ON attempt (pupil);
CREATE INDEX attempt_received_at ON attempt (received_at);

-- The ten exercise rows of an attempt: the operands and the key as shown, what was typed (each
-- box at most 50 characters), the verdict (null until judged).
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
    typed_whole        text NOT NULL CHECK (char_length(typed_whole) <= 50),
    typed_numerator    text NOT NULL CHECK (char_length(typed_numerator) <= 50),
    typed_denominator  text NOT NULL CHECK (char_length(typed_denominator) <= 50),
    verdict            boolean,
    PRIMARY KEY (attempt_id, row_no)
);

-- The stamps are the server's whoever inserts, a superuser's script included: session_user is
-- the role that logged in, which SET ROLE does not change.
CREATE FUNCTION stamp_received_attempt() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    NEW.received_at := now();
    NEW.received_from := inet_client_addr();
    NEW.received_role := session_user;
    RETURN NEW;
END
$$;
CREATE TRIGGER attempt_stamp_received BEFORE INSERT ON attempt
    FOR EACH ROW EXECUTE FUNCTION stamp_received_attempt();
-- Once stamped, an attempt keeps its stamps: a change (only an administrator may make one)
-- leaves them as they are.
CREATE FUNCTION keep_received_stamps() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    NEW.received_at := OLD.received_at;
    NEW.received_from := OLD.received_from;
    NEW.received_role := OLD.received_role;
    RETURN NEW;
END
$$;
CREATE TRIGGER attempt_keep_received BEFORE UPDATE ON attempt
    FOR EACH ROW EXECUTE FUNCTION keep_received_stamps();

CREATE ROLE fraction_pupil LOGIN PASSWORD :'pupil_password';
CREATE ROLE fraction_teacher LOGIN PASSWORD :'teacher_password';

REVOKE ALL ON schema_version, attempt, attempt_row FROM PUBLIC;
REVOKE ALL ON FUNCTION stamp_received_attempt(), keep_received_stamps() FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO fraction_pupil, fraction_teacher;
GRANT SELECT ON schema_version TO fraction_pupil, fraction_teacher;
-- Adding only, and only the columns a pupil's computer knows: a repeat of the same attempt is
-- skipped with ON CONFLICT DO NOTHING, which needs no other right.
GRANT INSERT (id, pupil, host, program_version, started_at, ended_at, seconds_used, ending,
              right_count, grade_text, mark) ON attempt TO fraction_pupil;
GRANT INSERT ON attempt_row TO fraction_pupil;
GRANT SELECT, DELETE ON attempt, attempt_row TO fraction_teacher;

COMMIT;
