#include "mainwindow/main_menu.h"

namespace velmora {

UniqueHmenu CreateMainMenu() {
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, ID_MNUFILEIE, L"&Open New IE Window");
    ::AppendMenuW(file, MF_STRING, ID_MNUFILEEXPORT, L"Ex&port Buttons...");
    ::AppendMenuW(file, MF_STRING, ID_MNUFILEIMPORT, L"&Import Buttons...");
    ::AppendMenuW(file, MF_STRING, ID_MNUFILECHECK, L"&Check Buttons...");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, ID_MNUFILEEXIT, L"&Exit");

    HMENU help = ::CreatePopupMenu();
    ::AppendMenuW(help, MF_STRING, ID_MNUHELPTOPICS, L"&Contents");
    ::AppendMenuW(help, MF_STRING, ID_MNUHELPTUT, L"&Interactive Tutorial");
    ::AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(help, MF_STRING, ID_MNUHELPTIPS, L"Tip of the Day");
    ::AppendMenuW(help, MF_STRING | MF_CHECKED, ID_MNUHELPTIPSSU, L"&Show Tips at Startup");
    ::AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(help, MF_STRING, ID_MNUHELPFREESOFT, L"&More Free Software");
    ::AppendMenuW(help, MF_STRING, ID_MNUHELPABT, L"&About...");

    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return UniqueHmenu(bar);
}

UniqueHmenu CreateListPopupMenu() {
    HMENU pop = ::CreatePopupMenu();
    ::AppendMenuW(pop, MF_STRING, ID_POPED, L"&Edit");
    ::AppendMenuW(pop, MF_STRING, ID_POPDEL, L"&Delete");
    ::SetMenuDefaultItem(pop, ID_POPED, FALSE);
    return UniqueHmenu(pop);
}

}  // namespace velmora
