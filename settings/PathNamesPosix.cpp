#include "settings/PathNames.h"

char PathSeparator() {
    return '/';
}

std::string_view PathSeparators() {
    return "/";
}

std::string_view FolderEnds() {
    return "/";
}
