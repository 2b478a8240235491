#pragma once
// The whole database as JSON: the scripting interface of the command-line tool ("dump" and
// "build"). The field names and rules are documented in docs/json.md.

#include "result.h"

#include <string>
#include <string_view>

namespace wickly {

struct AppState;
class WorkingSet;

// The open database as JSON text: "header" (version, counts, options), then the arrays of every
// kind where element i is record i + 1, deleted records included. Texts are UTF-8 with trailing
// blanks removed.
std::string dumpDatabaseJson(const WorkingSet& ws);

// Replaces the database in `app` with a new one holding what the JSON describes, written to
// new working files that replace the old ones once complete. Everything is checked before
// anything is written: on an error (malformed JSON, a field unknown or given twice, a value of
// the wrong type or out of its range, a text holding NUL, more records than a container holds)
// `app` and the working files are unchanged and the message names the field. Record counts are
// checked while the JSON is parsed, before the records take memory.
Status buildDatabaseFromJson(AppState& app, std::string_view json);

} // namespace wickly
