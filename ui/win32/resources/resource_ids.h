#pragma once

// Numbers of the program's resources, shared by zonora.rc and the window.
// Plain macros: the resource compiler reads this file too.

// The program's icon group, 32 and 16 pixels. The lowest icon number, so it
// is the one Explorer shows for zonora.exe.
#define ZONORA_ICON 1
