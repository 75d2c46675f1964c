-- SPDX-License-Identifier: GPL-3.0-or-later
-- Brings a classroom journal made by the first version of postgresql-journal.sql up to version
-- 2: the server's own stamps on each attempt (when it arrived, from where, which role sent it),
-- the pupils' role limited to the other columns, and the limits on every text's length.
--
-- Run once by the school's administrator, as a superuser, in the journal's database:
--
--   sudo -u postgres psql -d fraction_test -f postgresql-journal-upgrade-2.sql
--
-- Every attempt already there is kept as it is. Its stamps stay empty: when and from where it
-- came was never recorded, and the upgrade does not make it up. The length limits apply to what
-- is added from now on; an older attempt that is longer stays (and the teacher's window cuts it
-- short on the screen). A journal that is not at version 1 is refused and left unchanged.
\set ON_ERROR_STOP on
SET client_encoding = 'UTF8';

BEGIN;

-- Nobody adds attempts while the table changes.
LOCK TABLE schema_version, attempt, attempt_row IN ACCESS EXCLUSIVE MODE;

DO $$
DECLARE
    found integer;
BEGIN
    SELECT max(version) INTO found FROM schema_version;
    IF found IS DISTINCT FROM 1 THEN
        RAISE EXCEPTION 'this journal is at schema version %, and this file upgrades version 1 only; nothing was changed',
            coalesce(found::text, 'none');
    END IF;
END
$$;

-- Added without a default first, so that the attempts already stored keep empty stamps; the
-- defaults then stamp what comes.
ALTER TABLE attempt
    ADD COLUMN received_at timestamptz,
    ADD COLUMN received_from inet,
    ADD COLUMN received_role text;
ALTER TABLE attempt
    ALTER COLUMN received_at SET DEFAULT now(),
    ALTER COLUMN received_from SET DEFAULT inet_client_addr(),
    ALTER COLUMN received_role SET DEFAULT session_user;
CREATE INDEX attempt_received_at ON attempt (received_at);

-- NOT VALID: checked on every attempt added from now on, not on those already stored.
ALTER TABLE attempt
    ADD CONSTRAINT attempt_received_at_set CHECK (received_at IS NOT NULL) NOT VALID,
    ADD CONSTRAINT attempt_received_role_set CHECK (received_role IS NOT NULL) NOT VALID,
    ADD CONSTRAINT attempt_pupil_length CHECK (char_length(pupil) <= 200) NOT VALID,
    ADD CONSTRAINT attempt_host_length CHECK (char_length(host) <= 200) NOT VALID,
    ADD CONSTRAINT attempt_program_version_length
        CHECK (char_length(program_version) <= 50) NOT VALID,
    ADD CONSTRAINT attempt_grade_text_length CHECK (char_length(grade_text) <= 50) NOT VALID;
ALTER TABLE attempt_row
    ADD CONSTRAINT attempt_row_typed_whole_length
        CHECK (char_length(typed_whole) <= 50) NOT VALID,
    ADD CONSTRAINT attempt_row_typed_numerator_length
        CHECK (char_length(typed_numerator) <= 50) NOT VALID,
    ADD CONSTRAINT attempt_row_typed_denominator_length
        CHECK (char_length(typed_denominator) <= 50) NOT VALID;

-- The same triggers as a journal made at version 2 has.
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
REVOKE ALL ON FUNCTION stamp_received_attempt(), keep_received_stamps() FROM PUBLIC;

-- The pupils' role adds the columns its computer knows, and no others.
REVOKE INSERT ON attempt FROM fraction_pupil;
GRANT INSERT (id, pupil, host, program_version, started_at, ended_at, seconds_used, ending,
              right_count, grade_text, mark) ON attempt TO fraction_pupil;

UPDATE schema_version SET version = 2;

COMMIT;
