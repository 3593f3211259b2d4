#pragma once

#include "linker/EntryRemover.h"
#include "linker/HubInstaller.h"
#include "linker/ItemImporter.h"
#include "linker/LinkSwitch.h"
#include "linker/PlacementPlanner.h"
#include "linker/PlanRunner.h"

// Every change on disk passes through one of these, each with one job. They read nothing
// back for views and tell no one: the actions that call them announce what changed.
// Failures are logged and also reported to the caller.
struct Linker
{
    Linker(ModelContext& context, const HubSettings& hub, const FolderAccess& access, LinkRecords& records,
           Placements placements)
        : planner(context, hub, access, placements)
        , runner(context, records, placements)
        , links(context, access, records, placements, planner, runner)
        , importer(hub, access, records, placements)
        , installer(context, hub, access)
        , remover(context, hub, access, records)
    {}
    Linker(const Linker&) = delete;
    Linker& operator=(const Linker&) = delete;

    PlacementPlanner planner; // what a bulk change would do
    PlanRunner runner;        // carries plans out and records them
    LinkSwitch links;         // one item switched on or off in one app
    ItemImporter importer;    // an app's entry into the hub
    HubInstaller installer;   // a fetched folder into the hub
    EntryRemover remover;     // entries to the trash
};
