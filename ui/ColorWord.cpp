#include "ui/ColorWord.h"

#include <array>
#include <utility>

namespace {

constexpr uint32_t kSystemColorFlag = 0xFF000000;

// The Windows system-colour indices that have a counterpart in a Qt palette.
constexpr std::array<std::pair<uint8_t, QPalette::ColorRole>, 12> kSystemColors{{
    {1, QPalette::Window},            // COLOR_BACKGROUND
    {4, QPalette::Window},            // COLOR_MENU
    {5, QPalette::Base},              // COLOR_WINDOW
    {7, QPalette::WindowText},        // COLOR_MENUTEXT
    {8, QPalette::Text},              // COLOR_WINDOWTEXT
    {13, QPalette::Highlight},        // COLOR_HIGHLIGHT
    {14, QPalette::HighlightedText},  // COLOR_HIGHLIGHTTEXT
    {15, QPalette::Button},           // COLOR_BTNFACE
    {16, QPalette::Dark},             // COLOR_BTNSHADOW
    {18, QPalette::ButtonText},       // COLOR_BTNTEXT
    {20, QPalette::Light},            // COLOR_BTNHIGHLIGHT
    {24, QPalette::ToolTipBase},      // COLOR_INFOBK
}};

}  // namespace

QColor ResolveColorWord(uint32_t color, const QPalette& palette) {
    if ((color & kSystemColorFlag) == kSystemColorFlag) {
        const auto index = static_cast<uint8_t>(color & 0xFF);
        for (const auto& [systemIndex, role] : kSystemColors) {
            if (systemIndex == index) {
                return palette.color(QPalette::Active, role);
            }
        }
        return palette.color(QPalette::Active, QPalette::Button);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}
