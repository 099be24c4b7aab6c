// The companion's iCalendar commands: export-ics and import-ics.
#pragma once

// export-ics [--from YYYY-MM-DD] [--to YYYY-MM-DD] FILE ("-": standard output)
int RunExportIcs(int argc, char** argv);
// import-ics FILE ("-": standard input)
int RunImportIcs(int argc, char** argv);
