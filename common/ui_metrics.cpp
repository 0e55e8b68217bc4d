#include "common/ui_metrics.h"

namespace velmora {

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

UniqueHfont CreateMessageFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -MulDiv(8, ScreenDpi(), 72);
        lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    }
    if (bold) font.lfWeight = FW_BOLD;
    return UniqueHfont(::CreateFontIndirectW(&font));
}

}  // namespace velmora
