#include <windows.h>

#include "language/Language.h"

// The language of the user's menus and dialogs, not the regional format, which many Ukrainian
// users keep Russian or the other way round.
TLanguage SystemLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_UKRAINIAN ? TLanguage::Ukrainian
                                                                       : TLanguage::Russian;
}
