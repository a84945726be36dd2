#include "BenchmarkData.h"

#include "presetdb/Database.h"

namespace bench {
namespace {

const std::string kColumns =
    "ID INTEGER, machine_type TEXT(50), type INTEGER, part INTEGER, var_name TEXT(100), "
    "category_id INTEGER, isBitArray BIT, offset_or_bitno INTEGER, text TEXT(255), "
    "page_name TEXT(50), abs_min DOUBLE, abs_max DOUBLE, min DOUBLE, max DOUBLE, pass INTEGER, "
    "speed INTEGER, width INTEGER";

std::string numbers(int rows) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(rows) + ") ";
}

} // namespace

void writeSourceDatabase(const std::filesystem::path& path, int rows) {
    presetdb::Database source = presetdb::Database::create(path.string());
    source.execute(
        "BEGIN;"
        "CREATE TABLE Source_DEFS (System TEXT(50), Var_Name TEXT(255), Part INTEGER);" +
        numbers(50) +
        "INSERT INTO Source_DEFS SELECT 'VISIWIN32', '###machine.Part' || i || '.###Var_Name', i "
        "FROM n;" +
        numbers(50) +
        "INSERT INTO Source_DEFS SELECT 'VISIWINSTUDIO', 'PLC1.###machine_Part' || i || "
        "'.###Var_Name', i FROM n;"
        "CREATE TABLE Source_PRESET_DEFS (" +
        kColumns + ");" + numbers(rows) +
        "INSERT INTO Source_PRESET_DEFS SELECT i, '###machine', 1, 1 + (i - 1) % 50, 'Var' || i, "
        "i % 7, 0, i, 'Parameter ' || i || ' of ###machine', 'Page ' || (i % 20), 0.0, 1000.0, "
        "10.0, 900.0, 1, i % 5, i % 3 FROM n;"
        // the table the last run left behind
        "CREATE TABLE PRESET_DEFS (" +
        kColumns +
        ");"
        "INSERT INTO PRESET_DEFS SELECT * FROM Source_PRESET_DEFS;"
        "COMMIT;");
}

void writePreviousTarget(const std::filesystem::path& path, int rows) {
    presetdb::Database target = presetdb::Database::create(path.string());
    target.execute("BEGIN; CREATE TABLE PRESET_DEFS (" + kColumns + ");" + numbers(rows) +
                   "INSERT INTO PRESET_DEFS SELECT i, 'M1', 1, 1 + (i - 1) % 50, "
                   "CASE WHEN i % 25 = 0 THEN 'M1.Gone' || i "
                   "     WHEN i % 10 = 0 THEN 'PLC1.M1_Part' || (1 + (i - 1) % 50) || '.Var' || i "
                   "     ELSE 'M1.Part' || (1 + (i - 1) % 50) || '.Var' || i END, "
                   "i % 7, 0, i, 'Parameter ' || i || ' of M1', 'Page ' || (i % 20), "
                   "-(i % 3), 1000.0 + i % 100, 20.0 + i % 10, 800.0 + i % 50, 1 + i % 3, "
                   "i % 5, i % 3 FROM n;"
                   "COMMIT;");
}

std::string baselineScript(const std::filesystem::path& target) {
    return "ATTACH '" + target.string() +
           "' AS prev;\n"
           "BEGIN;\n"
           "DROP TABLE IF EXISTS PRESET_DEFS;\n"
           "CREATE TABLE PRESET_DEFS (" +
           kColumns +
           ");\n"
           "CREATE TEMP TABLE names AS SELECT s.ID AS id,\n"
           "  replace(replace(replace(v.Var_Name, '###Var_Name', s.var_name), '###machine', 'M1'),"
           " '###machine', 'M1') AS vw32,\n"
           "  upper(replace(replace(replace(st.Var_Name, '###Var_Name', s.var_name), "
           "'###machine', 'M1'), '###machine', 'M1')) AS studio\n"
           "  FROM Source_PRESET_DEFS s\n"
           "  JOIN Source_DEFS v ON upper(v.System) = 'VISIWIN32' AND v.Part = s.part\n"
           "  JOIN Source_DEFS st ON upper(st.System) = 'VISIWINSTUDIO' AND st.Part = s.part;\n"
           "CREATE INDEX temp.names_id ON names (id);\n"
           "CREATE INDEX temp.names_studio ON names (studio);\n"
           "INSERT INTO PRESET_DEFS SELECT row_number() OVER (ORDER BY s.ID),\n"
           "  replace(s.machine_type, '###machine', 'M1'), s.type, s.part, n.vw32, s.category_id,\n"
           "  s.isBitArray, s.offset_or_bitno, replace(s.text, '###machine', 'M1'),\n"
           "  replace(s.page_name, '###machine', 'M1'), s.abs_min, s.abs_max, s.min, s.max, "
           "s.pass,\n"
           "  s.speed, s.width\n"
           "  FROM Source_PRESET_DEFS s JOIN names n ON n.id = s.ID ORDER BY s.ID;\n"
           "UPDATE prev.PRESET_DEFS SET var_name = n.vw32 FROM names n\n"
           "  WHERE n.studio = upper(prev.PRESET_DEFS.var_name);\n"
           "CREATE TEMP TABLE latest AS SELECT t, v, o, abs_min, abs_max, min, max, pass FROM (\n"
           "  SELECT upper(machine_type) AS t, upper(var_name) AS v, offset_or_bitno AS o,\n"
           "    abs_min, abs_max, min, max, pass, row_number() OVER (PARTITION BY "
           "upper(machine_type),\n"
           "    upper(var_name), offset_or_bitno ORDER BY rowid DESC) AS rn FROM "
           "prev.PRESET_DEFS)\n"
           "  WHERE rn = 1;\n"
           "CREATE INDEX temp.latest_key ON latest (t, v, o);\n"
           "UPDATE PRESET_DEFS SET abs_min = l.abs_min, abs_max = l.abs_max, min = l.min,\n"
           "  max = l.max, pass = l.pass FROM latest l\n"
           "  WHERE l.t = upper(PRESET_DEFS.machine_type) AND l.v = upper(PRESET_DEFS.var_name)\n"
           "    AND l.o = PRESET_DEFS.offset_or_bitno;\n"
           "DROP TABLE temp.names;\n"
           "DROP TABLE temp.latest;\n"
           "COMMIT;\n";
}

} // namespace bench
