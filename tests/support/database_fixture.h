#pragma once
// A new, empty database whose working files live in a temporary folder, with helpers to fill it.

#include "app_state.h"
#include "container.h"
#include "json_io.h"
#include "records.h"
#include "temp_folder.h"
#include "working_set.h"

#include <fstream>
#include <sstream>
#include <string>

namespace wickly::test {

class TestDatabase
{
public:
    TestDatabase() : ws(app)
    {
        app.startupFolder = folder.path();
        newDatabaseState(app);
    }

    std::int32_t addClub(const std::string& name, const std::string& abbreviation = "")
    {
        ClubRecord c;
        c.name.assign(name);
        c.abbreviation.assign(abbreviation);
        c.clubUrl.assign("");
        c.logoUrl.assign("");
        return ws.append(c);
    }
    template <class R> std::int32_t addNamed(const std::string& name, const std::string& abbreviation = "")
    {
        R r;
        r.name.assign(name);
        r.abbreviation.assign(abbreviation);
        return ws.append(r);
    }
    std::int32_t addTeam(const std::string& name, std::int16_t club)
    {
        TeamRecord t;
        t.name.assign(name);
        t.club = club;
        return ws.append(t);
    }
    std::int32_t addPlayer(const std::string& reportName, std::int16_t club, const std::string& last = "",
                           const std::string& first = "")
    {
        PlayerRecord p;
        p.reportName.assign(reportName);
        p.club = club;
        p.active = 1;
        p.lastName.assign(last);
        p.firstName.assign(first);
        return ws.addPlayer(p);
    }

    TempFolder folder;
    AppState app;
    WorkingSet ws;
};

#ifdef WICKLY_EXAMPLES_DIR
// Builds the database of examples/<file> (tests.json or sample.json) into `app`.
inline Status buildExample(AppState& app, const std::string& file)
{
    std::ifstream in(std::string(WICKLY_EXAMPLES_DIR) + "/" + file, std::ios::binary);
    std::ostringstream json;
    json << in.rdbuf();
    return buildDatabaseFromJson(app, json.str());
}
#endif

} // namespace wickly::test
