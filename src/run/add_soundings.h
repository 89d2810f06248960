// Adding soundings from the soundings folder: one new row in the current project's soundings
// database for each field file or AGS4 test that the database does not list yet.
#pragma once

#include <string>
#include <vector>

#include "run/program.h"

namespace kavo::run {

// What adding soundings did, for the engineer.
struct AddedSoundings {
    std::string databasePath;
    std::vector<std::string> added;         // "KV-06 (KV-06.gef)"
    std::vector<std::string> toFillIn;      // the columns each new row leaves to the engineer
    std::vector<std::string> columnsToAdd;  // columns a run needs that the header lacks
    std::vector<std::string> noColumnFor;   // facts of the files the database has no column for
};

// Reads every field file of the soundings folder that the database does not list (so a bad
// file stops the action before anything is written), then rewrites the database with the new
// rows after the old ones: the file facts in their columns, the water table and unit-weight
// columns left empty. The database is replaced only when completely written.
AddedSoundings AddSoundingsAction(Program& program);

// The lines that tell the engineer what was added and what is left to fill in.
std::vector<std::string> AddedSoundingsReport(const AddedSoundings& result);

}  // namespace kavo::run
