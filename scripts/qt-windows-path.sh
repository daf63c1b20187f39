# Where the Windows build of Qt lives; sourced by the scripts that build or use it.
IRVEN_QT_WINDOWS=${IRVEN_QT_WINDOWS:-$HOME/.cache/irven/qt6-mingw-6.4.2}
