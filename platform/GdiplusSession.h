// GDI+ for the whole process: started on first need and never shut down, since images and
// fonts made by it live in process-wide caches until the process ends.
#pragma once

void EnsureGdiplusStarted();
