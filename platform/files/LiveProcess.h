#pragma once

// Whether a process of that id runs now, ours or another user's: what tells a file or folder a
// running copy of the program is using from one that a killed copy left behind.
bool ProcessRuns(long pid);
