#pragma once

namespace corpgather {

class RunRegistry;
class TfrmMain;

// "数据库清空": after the user agrees, stops every collection run, empties both tables, closes
// the search window and opens a fresh one.
void ClearDatabaseCommand(TfrmMain& mainWindow, RunRegistry& runs);

// "数据库压缩": compacts the database in place while the running collection runs wait, then
// lets them go on.
void CompactDatabaseCommand(RunRegistry& runs);

}  // namespace corpgather
