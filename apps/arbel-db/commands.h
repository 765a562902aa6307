#pragma once
// One handler per console command (each in its own cmd_*.cpp file).
#include "command_table.h"

namespace console {

int RunCreate(CommandContext& context);
int RunCreateTable(CommandContext& context);
int RunTables(CommandContext& context);
int RunQuery(CommandContext& context);
int RunShow(CommandContext& context);
int RunSet(CommandContext& context);
int RunDelete(CommandContext& context);
int RunImport(CommandContext& context);
int RunExport(CommandContext& context);
int RunDict(CommandContext& context);
int RunDictSet(CommandContext& context);
int RunIndex(CommandContext& context);
int RunIndexes(CommandContext& context);
int RunCheck(CommandContext& context);
int RunCopy(CommandContext& context);
int RunDemo(CommandContext& context);
int RunDocument(CommandContext& context);
int RunModeles(CommandContext& context);

} // namespace console
