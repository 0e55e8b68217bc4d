// Control identifiers of the deleter's window.
#pragma once

#define IDC_FRAME1 101    // the frame around the heading and the advice
#define IDC_LABEL2 102    // "This program deletes all buttons added to IE's toolbar with Velmora."
#define IDC_LABEL1 103    // "Use this program only if you are having problems starting Velmora. ..."
#define IDC_COMMAND1 104  // "Delete All Added Buttons"
