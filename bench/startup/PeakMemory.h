#pragma once

// The program's own peak working set in kilobytes where the system reports it to the program
// itself (Windows), else 0: on Linux the bench reads it from outside.
long OwnPeakKilobytes();
