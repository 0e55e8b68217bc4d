#include "buttons/button_list.h"
#include "buttons/file_places.h"

namespace velmora {

std::wstring ButtonRow::Column(int index) const {
    switch (index) {
    case 1:
        return button.buttonText;
    case 2:
        return button.menuText;
    case 3:
        return button.statusBarText;
    case 4:
        return ScopeText(button.scope);
    case 5:
        return button.parameters;
    case 6:
        return button.iconKind == IconKind::Disk ? L"disk" : L"";
    case 7:
        return button.link;
    default:
        return button.fileToLaunch;
    }
}

}  // namespace velmora
