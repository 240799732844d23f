-- A class register as the first version of its file holds it: two pupils, three attempts.
CREATE TABLE classes (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE);
CREATE TABLE pupils (id INTEGER PRIMARY KEY, class_id INTEGER NOT NULL REFERENCES classes(id) ON DELETE CASCADE, name TEXT NOT NULL COLLATE NOCASE, UNIQUE (class_id, name));
CREATE TABLE attempts (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE, activity TEXT NOT NULL, score INTEGER NOT NULL, total INTEGER NOT NULL, marks TEXT NOT NULL DEFAULT '', started TEXT NOT NULL, ended TEXT NOT NULL, computer TEXT NOT NULL DEFAULT '');
CREATE INDEX attempts_by_pupil ON attempts (pupil_id, activity);
CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL);
INSERT INTO classes VALUES (1, 'Class 4B');
INSERT INTO pupils VALUES (1, 1, 'Amira'), (2, 1, 'Zoë');
INSERT INTO attempts VALUES (1, 'u1', 1, 'Other Planets: Multiple Choice', 7, 10, '1101101101', '2026-11-02T09:00:00.000Z', '2026-11-02T09:06:00.000Z', 'suite-01');
INSERT INTO attempts VALUES (2, 'u2', 2, 'Other Planets: Multiple Choice', 10, 10, '1111111111', '2026-11-02T09:01:00.000Z', '2026-11-02T09:08:00.000Z', 'suite-02');
INSERT INTO attempts VALUES (3, 'u3', 1, 'Other Planets: Ordering Activity', 6, 8, '', '2026-11-02T09:10:00.000Z', '2026-11-02T09:12:00.000Z', 'suite-01');
PRAGMA user_version=1;
