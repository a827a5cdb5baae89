// Resource ids shared by movaril.rc and the code that loads the resources.
#pragma once

#define IDI_MOVARIL 1          // program icon (ten images), window and tray icon
#define IDR_EYEDROPPER_CUR 101 // RCDATA: the eyedropper cursor file, as is
#define IDR_BLANK_PNG 102      // RCDATA: the blank picture shown while dragging
