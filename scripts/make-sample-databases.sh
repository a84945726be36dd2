#!/bin/sh
# Writes the preset databases of the sample installation:
#   examples/Engineering/Engineering_Source.mdb  templates (Source_DEFS, Source_PRESET_DEFS)
#   examples/Engineering/Engineering.mdb         the target as an older run left it on machine M1,
#                                                with values set on the machine
# Both are SQLite 3 files. Run from anywhere; needs the sqlite3 command.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
folder="$here/../examples/Engineering"
source_db="$folder/Engineering_Source.mdb"
target_db="$folder/Engineering.mdb"

mkdir -p "$folder"
rm -f "$source_db" "$target_db"

sqlite3 -bail "$source_db" <<'SQL'
CREATE TABLE Source_DEFS (System TEXT(50), Var_Name TEXT(255), Part INTEGER);
INSERT INTO Source_DEFS VALUES
    ('VISIWIN32',     '###machine.PLC.###Var_Name',      1),
    ('VISIWIN32',     '###machine.Drive.###Var_Name',    2),
    ('VISIWIN32',     '###machine.Heating.###Var_Name',  3),
    ('VISIWINSTUDIO', 'PLC1.###machine_PLC.###Var_Name',     1),
    ('VISIWINSTUDIO', 'PLC1.###machine_Drive.###Var_Name',   2),
    ('VISIWINSTUDIO', 'PLC1.###machine_Heating.###Var_Name', 3);

CREATE TABLE Source_PRESET_DEFS (
    ID INTEGER, machine_type TEXT(50), type INTEGER, part INTEGER, var_name TEXT(100),
    category_id INTEGER, isBitArray BIT, offset_or_bitno INTEGER, text TEXT(255),
    page_name TEXT(50), abs_min DOUBLE, abs_max DOUBLE, min DOUBLE, max DOUBLE,
    pass INTEGER, unit TEXT(20));
INSERT INTO Source_PRESET_DEFS VALUES
    ( 1, '###machine', 1, 1, 'CycleTime',           1, 0,  0, 'Cycle time ###machine',             'Machine',   0,   600,   5,   120, 1, 's'),
    ( 2, '###machine', 1, 1, 'StartDelay',          1, 0,  2, 'Start delay',                       'Machine',   0,    60,   0,    10, 1, 's'),
    ( 3, '###machine', 1, 1, 'StopDelay',           1, 0,  4, 'Stop delay',                        'Machine',   0,    60,   0,    10, 1, 's'),
    ( 4, '###machine', 1, 1, 'LubricationInterval', 2, 0,  6, 'Lubrication interval',              'Service',   1,  1000,  10,   200, 2, 'h'),
    ( 5, '###machine', 1, 1, 'LubricationTime',     2, 0,  8, 'Lubrication time',                  'Service',   1,   120,   2,    30, 2, 's'),
    ( 6, '###machine', 1, 1, 'AirPressureMin',      2, 0, 10, 'Minimum air pressure',              'Service',   0,    10,   4,     6, 2, 'bar'),
    ( 7, '###machine', 1, 1, 'DoorLockDelay',       1, 0, 12, 'Door lock delay',                   'Machine',   0,    30,   0,     5, 1, 's'),
    ( 8, '###machine', 2, 1, 'Options',             3, 1,  0, 'Option: automatic start ###Machine', 'Options',   NULL, NULL, NULL, NULL, 3, NULL),
    ( 9, '###machine', 2, 1, 'Options',             3, 1,  1, 'Option: night mode',                'Options',   NULL, NULL, NULL, NULL, 3, NULL),
    (10, '###machine', 2, 1, 'Options',             3, 1,  2, 'Option: second shift',              'Options',   NULL, NULL, NULL, NULL, 3, NULL),
    (11, '###machine', 2, 1, 'Options',             3, 1,  3, 'Option: barcode reader',            'Options',   NULL, NULL, NULL, NULL, 3, NULL),
    (12, '###machine', 2, 1, 'Options',             3, 1,  4, 'Option: remote service',            'Options',   NULL, NULL, NULL, NULL, 3, NULL),
    (13, '###machine', 1, 2, 'SpeedMax',            4, 0,  0, 'Maximum speed ###machine',          'Drive',     0,  3000, 100,  2400, 1, '1/min'),
    (14, '###machine', 1, 2, 'SpeedMin',            4, 0,  2, 'Minimum speed',                     'Drive',     0,  3000,   0,   500, 1, '1/min'),
    (15, '###machine', 1, 2, 'RampUp',              4, 0,  4, 'Ramp up time',                      'Drive',   0.1,    60, 0.5,    10, 1, 's'),
    (16, '###machine', 1, 2, 'RampDown',            4, 0,  6, 'Ramp down time',                    'Drive',   0.1,    60, 0.5,    10, 1, 's'),
    (17, '###machine', 1, 2, 'TorqueLimit',         4, 0,  8, 'Torque limit',                      'Drive',     0,   200,  10,   150, 2, '%'),
    (18, '###machine', 1, 2, 'JogSpeed',            4, 0, 10, 'Jog speed',                         'Drive',     0,   500,   1,   100, 1, '1/min'),
    (19, '###machine', 1, 2, 'PositionWindow',      5, 0, 12, 'Position window',                   'Axis',   0.01,    10, 0.05,    2, 2, 'mm'),
    (20, '###machine', 1, 2, 'FollowingError',      5, 0, 14, 'Following error limit',             'Axis',    0.1,    50, 0.5,    20, 2, 'mm'),
    (21, '###machine', 1, 2, 'HomeOffset',          5, 0, 16, 'Home offset',                       'Axis',   -100,   100, -50,    50, 3, 'mm'),
    (22, '###machine', 1, 2, 'SoftLimitPlus',       5, 0, 18, 'Software limit +',                  'Axis',  -9999,  9999,   0,  2000, 3, 'mm'),
    (23, '###machine', 1, 2, 'SoftLimitMinus',      5, 0, 20, 'Software limit -',                  'Axis',  -9999,  9999, -2000,  0, 3, 'mm'),
    (24, '###machine', 1, 2, 'BrakeDelay',          4, 0, 22, 'Brake delay',                       'Drive',     0,  2000,  50,   500, 2, 'ms'),
    (25, '###machine', 1, 3, 'Zone1Temp',           6, 0,  0, 'Zone 1 temperature ###machine',     'Heating',   0,   400,  20,   300, 1, '°C'),
    (26, '###machine', 1, 3, 'Zone2Temp',           6, 0,  2, 'Zone 2 temperature',                'Heating',   0,   400,  20,   300, 1, '°C'),
    (27, '###machine', 1, 3, 'Zone3Temp',           6, 0,  4, 'Zone 3 temperature',                'Heating',   0,   400,  20,   300, 1, '°C'),
    (28, '###machine', 1, 3, 'Zone4Temp',           6, 0,  6, 'Zone 4 temperature',                'Heating',   0,   400,  20,   300, 1, '°C'),
    (29, '###machine', 1, 3, 'ToleranceHigh',       6, 0,  8, 'Tolerance above setpoint',          'Heating',   0,    50,   1,    20, 2, 'K'),
    (30, '###machine', 1, 3, 'ToleranceLow',        6, 0, 10, 'Tolerance below setpoint',          'Heating',   0,    50,   1,    20, 2, 'K'),
    (31, '###machine', 1, 3, 'HeatUpTime',          6, 0, 12, 'Maximum heat-up time',              'Heating',   1,   240,  10,   120, 2, 'min'),
    (32, '###machine', 1, 3, 'StandbyTemp',         6, 0, 14, 'Standby temperature',               'Heating',   0,   300,  20,   150, 1, '°C'),
    (33, '###machine', 1, 3, 'CoolingDelay',        7, 0, 16, 'Cooling delay',                     'Cooling',   0,   600,   0,   300, 2, 's'),
    (34, '###machine', 1, 3, 'CoolantFlowMin',      7, 0, 18, 'Minimum coolant flow',              'Cooling',   0,    50,   1,    10, 2, 'l/min'),
    (35, '###machine', 1, 3, 'CoolantTempMax',      7, 0, 20, 'Maximum coolant temperature',       'Cooling',   0,    80,  20,    40, 2, '°C'),
    (36, '###machine', 1, 3, 'FanStages',           7, 0, 22, 'Fan stages in use ###machine',      'Cooling',   1,     4,   1,     4, 3, NULL);
SQL

# The target an older run left: the templates as they were then, and its
# PRESET_DEFS for machine M1 with the VisiWin32 names, the legacy column name
# "categorie", and values set on the machine. Two rows still carry the
# VisiWin Studio names of an earlier project; one parameter is gone from the
# templates.
sqlite3 -bail "$target_db" <<SQL
ATTACH '$source_db' AS templates;
CREATE TABLE Source_DEFS AS SELECT * FROM templates.Source_DEFS;
CREATE TABLE Source_PRESET_DEFS (
    ID INTEGER, machine_type TEXT(50), type INTEGER, part INTEGER, var_name TEXT(100),
    category_id INTEGER, isBitArray BIT, offset_or_bitno INTEGER, text TEXT(255),
    page_name TEXT(50), abs_min DOUBLE, abs_max DOUBLE, min DOUBLE, max DOUBLE,
    pass INTEGER, unit TEXT(20));
INSERT INTO Source_PRESET_DEFS SELECT * FROM templates.Source_PRESET_DEFS;
CREATE TABLE PRESET_DEFS (
    ID INTEGER, machine_type TEXT(50), type INTEGER, part INTEGER, var_name TEXT(100),
    categorie INTEGER, isBitArray BIT, offset_or_bitno INTEGER, text TEXT(255),
    page_name TEXT(50), abs_min DOUBLE, abs_max DOUBLE, min DOUBLE, max DOUBLE,
    pass INTEGER, unit TEXT(20));
INSERT INTO PRESET_DEFS
    SELECT t.ID, 'M1', t.type, t.part,
           replace(replace(d.Var_Name, '###machine', 'M1'), '###Var_Name', t.var_name),
           t.category_id, t.isBitArray, t.offset_or_bitno, replace(t.text, '###machine', 'M1'),
           t.page_name, t.abs_min, t.abs_max, t.min, t.max, t.pass, t.unit
    FROM templates.Source_PRESET_DEFS t
    JOIN templates.Source_DEFS d ON d.System = 'VISIWIN32' AND d.Part = t.part
    ORDER BY t.ID;
DETACH templates;
INSERT INTO PRESET_DEFS VALUES
    (37, 'M1', 1, 3, 'M1.Heating.Zone5Temp', 6, 0, 24, 'Zone 5 temperature', 'Heating',
     0, 400, 20, 280, 1, '°C');
UPDATE PRESET_DEFS SET min = 10, max = 90 WHERE var_name = 'M1.PLC.CycleTime';
UPDATE PRESET_DEFS SET max = 4 WHERE var_name = 'M1.PLC.LubricationTime';
UPDATE PRESET_DEFS SET pass = 1 WHERE var_name = 'M1.PLC.Options' AND offset_or_bitno = 1;
UPDATE PRESET_DEFS SET abs_max = 2800, max = 2200 WHERE var_name = 'M1.Drive.SpeedMax';
UPDATE PRESET_DEFS SET min = 1.5, max = 4 WHERE var_name = 'M1.Drive.RampUp';
UPDATE PRESET_DEFS SET min = NULL WHERE var_name = 'M1.Drive.HomeOffset';
UPDATE PRESET_DEFS SET min = 180, max = 260 WHERE var_name = 'M1.Heating.Zone1Temp';
UPDATE PRESET_DEFS SET min = 175, max = 255, var_name = 'PLC1.M1_Heating.Zone2Temp'
    WHERE var_name = 'M1.Heating.Zone2Temp';
UPDATE PRESET_DEFS SET max = 8, var_name = 'plc1.m1_heating.TOLERANCEHIGH'
    WHERE var_name = 'M1.Heating.ToleranceHigh';
UPDATE PRESET_DEFS SET abs_min = 2, min = 2, pass = 2 WHERE var_name = 'M1.Heating.FanStages';
SQL

echo "Wrote $source_db and $target_db"
