-- SPDX-License-Identifier: GPL-3.0-or-later
-- Classes and their pupils (the roster) on the classroom server, and each attempt's class,
-- roster pupil and time allowed: the journal's schema version 3.
--
-- Run by the school's administrator, as a superuser, after postgresql-journal.sql (on a new
-- server) or on a journal already in use (its attempts stay as they are, with ten minutes
-- allowed each):
--
--   psql -d fraction_test -f postgresql-roster.sql
--
-- fraction_pupil may read the classes' and the pupils' names (to offer the list a pupil picks
-- their name from) and nothing else of the roster; a pupil's own time allowed and the link of
-- an account to a pupil come from two functions that answer for one pupil at a time.
-- fraction_teacher reads and edits the roster.
\set ON_ERROR_STOP on
SET client_encoding = 'UTF8';

BEGIN;

DO $$
BEGIN
    IF (SELECT max(version) FROM schema_version) <> 2 THEN
        RAISE EXCEPTION 'this file upgrades a journal of version 2 (load postgresql-journal-upgrade-2.sql first), this one is version %',
            (SELECT max(version) FROM schema_version);
    END IF;
END
$$;

CREATE TABLE school_class (
    id          uuid PRIMARY KEY,
    name        text NOT NULL CHECK (length(name) BETWEEN 1 AND 50),
    school_year text NOT NULL CHECK (length(school_year) <= 20),
    archived    boolean NOT NULL DEFAULT false,
    -- The whole class's time for the test; null: the test's ten minutes.
    minutes     integer CHECK (minutes BETWEEN 10 AND 60),
    UNIQUE (name, school_year)
);

CREATE TABLE roster_pupil (
    id         uuid PRIMARY KEY,
    class_id   uuid NOT NULL REFERENCES school_class (id),
    surname    text NOT NULL CHECK (length(surname) BETWEEN 1 AND 100),
    first_name text NOT NULL CHECK (length(first_name) BETWEEN 1 AND 100),
    -- The logins of the pupil's accounts, separated by spaces.
    logins     text NOT NULL DEFAULT '' CHECK (length(logins) <= 200),
    -- The pupil's own time for the test; null: the class's.
    minutes    integer CHECK (minutes BETWEEN 10 AND 60)
);
CREATE INDEX roster_pupil_class ON roster_pupil (class_id);

-- The attempt's pupil stays linked by id only: removing a pupil from the roster never touches
-- their attempts.
ALTER TABLE attempt
    ADD COLUMN class_name text NOT NULL DEFAULT '' CHECK (length(class_name) <= 50),
    ADD COLUMN pupil_id uuid,
    ADD COLUMN seconds_allowed integer NOT NULL DEFAULT 600
        CHECK (seconds_allowed BETWEEN 600 AND 3600);
ALTER TABLE attempt DROP CONSTRAINT attempt_seconds_used_check;
ALTER TABLE attempt ADD CONSTRAINT attempt_seconds_used_check
    CHECK (seconds_used BETWEEN 0 AND seconds_allowed);
CREATE INDEX attempt_class_name ON attempt (class_name);

-- The pupil whose account has this login, with their class and time allowed in seconds.
CREATE FUNCTION roster_pupil_for_login(account text)
RETURNS TABLE (pupil_id uuid, surname text, first_name text, class_name text,
               seconds_allowed integer)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = public, pg_temp AS $$
    SELECT p.id, p.surname, p.first_name, c.name,
           60 * coalesce(p.minutes, c.minutes, 10)
    FROM roster_pupil p JOIN school_class c ON c.id = p.class_id
    WHERE NOT c.archived AND account <> ''
      AND account = ANY (string_to_array(p.logins, ' '))
    ORDER BY p.id
    LIMIT 1
$$;

-- One pupil's time allowed in seconds; null for an id the roster does not have.
CREATE FUNCTION roster_seconds_allowed(pupil uuid)
RETURNS integer
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = public, pg_temp AS $$
    SELECT 60 * coalesce(p.minutes, c.minutes, 10)
    FROM roster_pupil p JOIN school_class c ON c.id = p.class_id
    WHERE p.id = pupil
$$;

-- The pupils' role may insert these three columns too (it may insert only the columns it is
-- granted, never the server's stamps).
GRANT INSERT (class_name, pupil_id, seconds_allowed) ON attempt TO fraction_pupil;
REVOKE ALL ON school_class, roster_pupil FROM PUBLIC;
REVOKE ALL ON FUNCTION roster_pupil_for_login(text), roster_seconds_allowed(uuid) FROM PUBLIC;
GRANT SELECT (id, name, school_year, archived) ON school_class TO fraction_pupil;
GRANT SELECT (id, class_id, surname, first_name) ON roster_pupil TO fraction_pupil;
GRANT EXECUTE ON FUNCTION roster_pupil_for_login(text), roster_seconds_allowed(uuid)
    TO fraction_pupil, fraction_teacher;
GRANT SELECT, INSERT, UPDATE, DELETE ON school_class, roster_pupil TO fraction_teacher;

UPDATE schema_version SET version = 3;

COMMIT;
