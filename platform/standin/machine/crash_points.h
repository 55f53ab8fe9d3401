// A test-only hook: a run of the stand-in can be made to die at a numbered point of one of its
// saves, as a kill at that moment would. It does nothing unless TESSAMIN_TEST_CRASH_AT is set.
#pragma once

namespace standin {

// Where a save is when the hook is asked.
enum SavePoint {
  kBeforeTemporaryFile = 1,  // nothing of the new version is on disk yet
  kTemporaryFileWritten = 2, // the new version is flushed beside the machine file
  kRenamed = 3,              // the new version has replaced the machine file
};

// Ends the process at once when TESSAMIN_TEST_CRASH_AT is "SAVE:POINT" and this is that point
// of this process's SAVE-th save (counted from 1).
void ReachSavePoint(SavePoint point);

}  // namespace standin
