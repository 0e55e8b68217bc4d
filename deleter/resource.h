// Control identifiers of the deleter's window.
#pragma once

#define IDC_FRAME1 101
#define IDC_LABEL2 102
#define IDC_LABEL1 103
#define IDC_COMMAND1 104
