# Win32 window library (filled below).
